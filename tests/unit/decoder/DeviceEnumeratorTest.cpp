// Interface lookups against devices registered in the test's own Wine prefix, and the
// enumerator's last-error conventions.
#include "DecoderTestSupport.h"

#include "DeviceEnumerator.h"
#include "InterfaceCategories.h"
#include "WideString.h"

#include <initguid.h>
#include <devguid.h>
#include <usbiodef.h>
#include <hidclass.h>
#include <ntddstor.h>

#include <cwctype>

namespace
{
void SetValue(HKEY key, const wchar_t* name, DWORD type, const std::wstring& data)
{
    EXPECT_EQ(::RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                               static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

// A device with one interface, registered for one test and removed again.
class TestDevice
{
public:
    TestDevice(const GUID& setupClass, const GUID& interfaceClass)
    {
        static int counter = 0;
        m_id = L"ROOT\\ORVANETEST\\" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
               std::to_wstring(::GetTickCount64()) + L"_" + std::to_wstring(++counter);
        SP_DEVICE_INTERFACE_DATA data{sizeof(data), {}, 0, 0};
        EXPECT_TRUE(
            ::SetupDiCreateDeviceInfoW(m_set.get(), m_id.c_str(), &setupClass, nullptr, nullptr, 0, &m_device) &&
            ::SetupDiRegisterDeviceInfo(m_set.get(), &m_device, 0, nullptr, nullptr, nullptr) &&
            ::SetupDiCreateDeviceInterfaceW(m_set.get(), &m_device, &interfaceClass, nullptr, 0, &data));
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
    // Rewrites a value of the device's key with a registry type the property setter would not use.
    void SetRaw(const wchar_t* name, DWORD type, const std::wstring& data) const
    {
        unique_hkey key;
        EXPECT_EQ(::RegOpenKeyExW(HKEY_LOCAL_MACHINE, (L"System\\CurrentControlSet\\Enum\\" + m_id).c_str(), 0,
                                  KEY_SET_VALUE, key.put()),
                  ERROR_SUCCESS);
        SetValue(key.get(), name, type, data);
    }
    const std::wstring& Path() const { return m_path; }

private:
    unique_hdevinfo m_set{::SetupDiCreateDeviceInfoList(nullptr, nullptr)};
    SP_DEVINFO_DATA m_device{sizeof(SP_DEVINFO_DATA), {}, 0, 0};
    std::wstring m_id;
    std::wstring m_path;
};

// A setup class of the test's own with a description but no class name (Wine fills in the
// class name of every device whose setup class has one).
class TestSetupClass
{
public:
    TestSetupClass()
    {
        wchar_t text[40] = {};
        EXPECT_TRUE(::CoCreateGuid(&m_guid) == S_OK && ::StringFromGUID2(m_guid, text, 40));
        m_key = std::wstring(L"System\\CurrentControlSet\\Control\\Class\\") + text;
        unique_hkey key;
        EXPECT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, m_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(),
                                    nullptr),
                  ERROR_SUCCESS);
        SetValue(key.get(), nullptr, REG_SZ, L"Orvane Test Devices");
    }
    ~TestSetupClass() { EXPECT_EQ(::RegDeleteKeyW(HKEY_LOCAL_MACHINE, m_key.c_str()), ERROR_SUCCESS); }
    GUID m_guid{};
    std::wstring m_key;
};

const wchar_t kUsbCategory[] = L"-|    Category: GUID_DEVINTERFACE_USB_DEVICE";
const wchar_t kUsbPath[] = L"\\\\?\\usb#none#{A5DCBF10-6530-11D2-901F-00C04FB951ED}";
} // namespace

TEST(Decoder, DeviceInterfaceShowsEveryProperty)
{
    TestDevice device(GUID_DEVCLASS_HIDCLASS, GUID_DEVINTERFACE_USB_DEVICE);
    device.Set(SPDRP_FRIENDLYNAME, L" Orvane Friendly\r\n\t ");
    device.Set(SPDRP_DEVICEDESC, L"Orvane test device");
    device.Set(SPDRP_MFG, L"Orvane Labs");
    // The record's path differs from the registered one in letter case only.
    std::wstring upper = device.Path();
    for (wchar_t& ch : upper)
        ch = static_cast<wchar_t>(std::towupper(ch));
    EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, StringRecord(DBT_DEVTYP_DEVICEINTERFACE, upper)),
              (Lines{L"T|DBT_DEVICEARRIVAL", L"-|  Device path: " + upper, L"-|    Friendly Name:  Orvane Friendly",
                     L"-|    Description: Orvane test device", L"-|    Manufacturer: Orvane Labs", kUsbCategory,
                     L"-|    Device Setup Class: Human Interface Devices (HIDClass)"}));
}

TEST(Decoder, DeviceInterfaceLeavesOutWhatIsMissing)
{
    TestSetupClass setupClass;
    TestDevice device(setupClass.m_guid, GUID_DEVINTERFACE_USB_DEVICE);
    device.Set(SPDRP_DEVICEDESC, L"Plain device");
    device.Set(SPDRP_MFG, L"Orvane Labs"); // then rewritten as a multi-string
    device.SetRaw(L"Mfg", REG_MULTI_SZ, std::wstring(L"Orvane Labs\0", 12));
    EXPECT_EQ(
        Decode(DBT_DEVICEREMOVECOMPLETE, StringRecord(DBT_DEVTYP_DEVICEINTERFACE, device.Path())),
        (Lines{L"T|DBT_DEVICEREMOVECOMPLETE", L"-|  Device path: " + device.Path(), L"-|    Description: Plain device",
               kUsbCategory, L"-|    Device Setup Class: Orvane Test Devices"}));
}

TEST(Decoder, DeviceInterfacePathWithoutClassGuid)
{
    for (std::wstring path : {L"\\\\?\\root#nobraces#0000", L"\\\\?\\root#{a5dcbf10-6530-11d2-901f-00c04fb951ed",
                              L"\\\\?\\root#{not-a-guid}#{a5dcbf10-6530-11d2-901f-00c04fb951ed}"})
        EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, StringRecord(DBT_DEVTYP_DEVICEINTERFACE, path)),
                  (Lines{L"T|DBT_DEVICEARRIVAL", L"-|  Device path: " + path}));
}

TEST(DeviceEnumerator, KeepsTheCallersLastErrorAndRefusesOverlongGuidSpans)
{
    {
        CDeviceEnumerator open;
        ASSERT_TRUE(open.OpenInterfaceClass(kUsbPath));
        EXPECT_FALSE(open.OpenInterfaceClass(kUsbPath)); // one set at a time
        ::SetLastError(ERROR_FILE_CORRUPT);
    }
    EXPECT_EQ(::GetLastError(), DWORD{ERROR_FILE_CORRUPT}) << "the destructor keeps the caller's last error";
    // A span far longer than any GUID is refused without overrunning the copy it is parsed from.
    GUID guid;
    EXPECT_FALSE(CDeviceEnumerator::GetInterfaceClassGuid((L"{" + std::wstring(8192, L'A') + L"}").c_str(), &guid));
}

TEST(InterfaceCategories, RowsMatchTheSystemsGuids)
{
    // Rows checked against the SDK's own definitions, so a mistyped digit shows.
    const std::pair<GUID, const wchar_t*> known[] = {
        {GUID_DEVINTERFACE_USB_DEVICE, L"GUID_DEVINTERFACE_USB_DEVICE"}, {GUID_DEVINTERFACE_HID, L"GUID_DEVINTERFACE_HID"},
        {GUID_DEVINTERFACE_DISK, L"GUID_DEVINTERFACE_DISK"},
        {GUID_DEVINTERFACE_VOLUME, L"GUID_DEVINTERFACE_VOLUME"}};
    for (const auto& [guid, name] : known)
        EXPECT_STREQ(FindInterfaceCategory(guid), name);
    for (const InterfaceCategory& row : g_interfaceCategories)
        EXPECT_STREQ(FindInterfaceCategory(row.guid), row.name); // no two rows share a GUID
    EXPECT_EQ(FindInterfaceCategory(GUID_NULL), nullptr);
}
