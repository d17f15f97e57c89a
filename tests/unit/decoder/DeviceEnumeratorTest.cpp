// Interface lookups against devices registered in the test's own Wine prefix, and the
// enumerator's last-error conventions.
#include "DecoderTestSupport.h"

#include "decoder/DeviceEnumerator.h"
#include "decoder/InterfaceCategories.h"
#include "framework/WideString.h"

#include <initguid.h>
#include <devguid.h>
#include <usbiodef.h>

#include <cwctype>

namespace
{
// A device with one interface, registered for one test and removed again.
class TestDevice
{
public:
    TestDevice(const GUID& setupClass, const GUID& interfaceClass) : m_set(::SetupDiCreateDeviceInfoList(nullptr, nullptr))
    {
        static int counter = 0;
        CString id;
        id.Format(L"ROOT\\ORVANETEST\\%u_%u_%d", ::GetCurrentProcessId(), ::GetTickCount(), ++counter);
        m_instanceId = id.Str();
        m_device.cbSize = sizeof(m_device);
        EXPECT_TRUE(::SetupDiCreateDeviceInfoW(m_set.get(), id, &setupClass, nullptr, nullptr, 0, &m_device));
        EXPECT_TRUE(::SetupDiRegisterDeviceInfo(m_set.get(), &m_device, 0, nullptr, nullptr, nullptr));
        SP_DEVICE_INTERFACE_DATA data{sizeof(data), {}, 0, 0};
        EXPECT_TRUE(::SetupDiCreateDeviceInterfaceW(m_set.get(), &m_device, &interfaceClass, nullptr, 0, &data));
        DWORD size = 0;
        ::SetupDiGetDeviceInterfaceDetailW(m_set.get(), &data, nullptr, 0, &size, nullptr);
        std::vector<BYTE> block(size);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(block.data());
        detail->cbSize = sizeof(*detail);
        EXPECT_TRUE(::SetupDiGetDeviceInterfaceDetailW(m_set.get(), &data, detail, size, nullptr, nullptr));
        m_path = detail->DevicePath;
    }
    ~TestDevice() { EXPECT_TRUE(::SetupDiRemoveDevice(m_set.get(), &m_device)); }

    void Set(DWORD property, const std::wstring& text)
    {
        EXPECT_TRUE(::SetupDiSetDeviceRegistryPropertyW(m_set.get(), &m_device, property,
                                                        reinterpret_cast<const BYTE*>(text.c_str()),
                                                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))));
    }
    // Writes a value of the device's registry key directly, with a registry type that the
    // property setter would not use.
    void SetRaw(const wchar_t* valueName, DWORD type, const std::wstring& data) const
    {
        EXPECT_EQ(::RegSetValueExW(OpenKey().get(), valueName, 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
    const std::wstring& Path() const { return m_path; }

private:
    unique_hkey OpenKey() const
    {
        unique_hkey key;
        const std::wstring path = L"System\\CurrentControlSet\\Enum\\" + m_instanceId;
        EXPECT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE, key.put()), ERROR_SUCCESS);
        return key;
    }

    unique_hdevinfo m_set;
    SP_DEVINFO_DATA m_device{};
    std::wstring m_instanceId;
    std::wstring m_path;
};

// A setup class of the test's own with a description but no class name (Wine fills in the
// class name of every device whose setup class has one).
class TestSetupClass
{
public:
    TestSetupClass()
    {
        EXPECT_EQ(::CoCreateGuid(&m_guid), S_OK);
        wchar_t text[40] = {};
        ::StringFromGUID2(m_guid, text, 40);
        m_keyPath = std::wstring(L"System\\CurrentControlSet\\Control\\Class\\") + text;
        unique_hkey key;
        EXPECT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, m_keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                    key.put(), nullptr),
                  ERROR_SUCCESS);
        const wchar_t description[] = L"Orvane Test Devices";
        ::RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(description), sizeof(description));
    }
    ~TestSetupClass() { EXPECT_EQ(::RegDeleteKeyW(HKEY_LOCAL_MACHINE, m_keyPath.c_str()), ERROR_SUCCESS); }
    const GUID& Guid() const { return m_guid; }

private:
    GUID m_guid{};
    std::wstring m_keyPath;
};

const wchar_t kUsbCategory[] = L"-|    Category: GUID_DEVINTERFACE_USB_DEVICE";
} // namespace

TEST_F(DecoderTest, DeviceInterfaceShowsEveryProperty)
{
    TestDevice device(GUID_DEVCLASS_HIDCLASS, GUID_DEVINTERFACE_USB_DEVICE);
    device.Set(SPDRP_FRIENDLYNAME, L" Orvane Friendly\r\n\t ");
    device.Set(SPDRP_DEVICEDESC, L"Orvane test device");
    device.Set(SPDRP_MFG, L"Orvane Labs");
    device.Set(SPDRP_CLASS, L"HIDClass");
    // The record's path differs from the registered one in letter case only.
    std::wstring upper = device.Path();
    for (wchar_t& ch : upper)
        ch = static_cast<wchar_t>(std::towupper(ch));
    EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, StringRecord(DBT_DEVTYP_DEVICEINTERFACE, upper)),
              (Lines{L"T|DBT_DEVICEARRIVAL", L"-|  Device path: " + upper, L"-|    Friendly Name:  Orvane Friendly",
                     L"-|    Description: Orvane test device", L"-|    Manufacturer: Orvane Labs", kUsbCategory,
                     L"-|    Device Setup Class: Human Interface Devices (HIDClass)"}));
}

TEST_F(DecoderTest, DeviceInterfaceLeavesOutWhatIsMissing)
{
    TestSetupClass setupClass;
    TestDevice device(setupClass.Guid(), GUID_DEVINTERFACE_USB_DEVICE);
    device.Set(SPDRP_DEVICEDESC, L"Plain device");
    device.Set(SPDRP_MFG, L"Orvane Labs"); // then overwritten with the same text as a multi-string
    device.SetRaw(L"Mfg", REG_MULTI_SZ, std::wstring(L"Orvane Labs\0", 12));
    EXPECT_EQ(Decode(DBT_DEVICEREMOVECOMPLETE, StringRecord(DBT_DEVTYP_DEVICEINTERFACE, device.Path())),
              (Lines{L"T|DBT_DEVICEREMOVECOMPLETE", L"-|  Device path: " + device.Path(),
                     L"-|    Description: Plain device", kUsbCategory,
                     L"-|    Device Setup Class: Orvane Test Devices"}));
}

TEST_F(DecoderTest, DeviceInterfaceOfUnnamedClasses)
{
    GUID unlisted;
    ASSERT_EQ(::CoCreateGuid(&unlisted), S_OK);
    TestDevice device(GUID_DEVCLASS_USB, unlisted); // Wine has no description for this setup class
    device.Set(SPDRP_FRIENDLYNAME, L"Unlisted");
    EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, StringRecord(DBT_DEVTYP_DEVICEINTERFACE, device.Path())),
              (Lines{L"T|DBT_DEVICEARRIVAL", L"-|  Device path: " + device.Path(), L"-|    Friendly Name: Unlisted"}));
}

TEST_F(DecoderTest, DeviceInterfacePathWithoutClassGuid)
{
    for (const wchar_t* path : {L"\\\\?\\root#nobraces#0000", L"\\\\?\\root#{not-a-guid}#{a5dcbf10-6530-11d2-901f-00c04fb951ed}"})
    {
        EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, StringRecord(DBT_DEVTYP_DEVICEINTERFACE, path)),
                  (Lines{L"T|DBT_DEVICEARRIVAL", L"-|  Device path: " + std::wstring(path)}));
    }
}

TEST(DeviceEnumerator, LastErrorConventions)
{
    const wchar_t usbPath[] = L"\\\\?\\usb#none#{A5DCBF10-6530-11D2-901F-00C04FB951ED}";
    CDeviceEnumerator closed;
    CString value;
    EXPECT_FALSE(closed.FindInterface(usbPath));
    EXPECT_EQ(::GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
    EXPECT_FALSE(closed.GetStringProperty(SPDRP_MFG, value));
    EXPECT_EQ(::GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
    EXPECT_FALSE(closed.OpenInterfaceClass(L"no braces"));
    EXPECT_EQ(::GetLastError(), DWORD{ERROR_INVALID_PARAMETER});

    CDeviceEnumerator open;
    ASSERT_TRUE(open.OpenInterfaceClass(usbPath));
    EXPECT_FALSE(open.OpenInterfaceClass(usbPath));
    EXPECT_EQ(::GetLastError(), DWORD{ERROR_INVALID_HANDLE});
    EXPECT_FALSE(open.InterfacePathMatches(nullptr));
    EXPECT_EQ(::GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
    EXPECT_FALSE(open.FindInterface(usbPath));
    EXPECT_FALSE(CDeviceEnumerator::GetInterfaceClassGuid(usbPath, nullptr));
    EXPECT_EQ(::GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
}

TEST(DeviceEnumerator, MultiStringPropertyIsInvalidData)
{
    TestDevice device(GUID_DEVCLASS_HIDCLASS, GUID_DEVINTERFACE_USB_DEVICE);
    device.Set(SPDRP_HARDWAREID, std::wstring(L"ORVANE\\A\0", 10));
    CDeviceEnumerator enumerator;
    CString value;
    ASSERT_TRUE(enumerator.OpenInterfaceClass(device.Path().c_str()));
    ASSERT_TRUE(enumerator.FindInterface(device.Path().c_str()));
    EXPECT_FALSE(enumerator.GetStringProperty(SPDRP_HARDWAREID, value));
    EXPECT_EQ(::GetLastError(), DWORD{ERROR_INVALID_DATA});
}

TEST(DeviceEnumerator, DestructorKeepsTheLastError)
{
    {
        CDeviceEnumerator enumerator;
        ASSERT_TRUE(enumerator.OpenInterfaceClass(L"{A5DCBF10-6530-11D2-901F-00C04FB951ED}"));
        ::SetLastError(ERROR_FILE_CORRUPT);
    }
    EXPECT_EQ(::GetLastError(), DWORD{ERROR_FILE_CORRUPT});
}

TEST(DeviceEnumerator, ClassGuidComesFromTheFirstBracedSpan)
{
    GUID guid{};
    EXPECT_TRUE(CDeviceEnumerator::GetInterfaceClassGuid(L"x{a5dcbf10-6530-11d2-901f-00c04fb951ed}{bad}", &guid));
    EXPECT_TRUE(::IsEqualGUID(guid, GUID_DEVINTERFACE_USB_DEVICE));
    EXPECT_FALSE(CDeviceEnumerator::GetInterfaceClassGuid(L"x{a5dcbf10-6530-11d2-901f-00c04fb951ed", &guid));
    // A span far longer than any GUID is refused without overrunning the copy it is parsed from.
    const std::wstring longSpan = L"{" + std::wstring(8192, L'A') + L"}";
    EXPECT_FALSE(CDeviceEnumerator::GetInterfaceClassGuid(longSpan.c_str(), &guid));
}

TEST(InterfaceCategories, RowsAreDistinctAndFindable)
{
    for (int i = 0; i < kInterfaceCategoryCount; ++i)
    {
        for (int j = 0; j < i; ++j)
            EXPECT_FALSE(::IsEqualGUID(g_interfaceCategories[i].guid, g_interfaceCategories[j].guid)) << i << "," << j;
        EXPECT_STREQ(FindInterfaceCategory(g_interfaceCategories[i].guid), g_interfaceCategories[i].name);
    }
    GUID last{};
    ASSERT_EQ(::IIDFromString(L"{E2B5183A-99EA-4CC3-AD6B-80CA8D715B80}", &last), S_OK);
    EXPECT_STREQ(FindInterfaceCategory(last), L"GUID_DEVINTERFACE_BIOMETRIC_READER");
    EXPECT_STREQ(FindInterfaceCategory(GUID_DEVINTERFACE_USB_DEVICE), L"GUID_DEVINTERFACE_USB_DEVICE");
    EXPECT_EQ(FindInterfaceCategory(GUID_NULL), nullptr);
}
