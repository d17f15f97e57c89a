// Interface lookups against devices registered in the test's Wine prefix; the category table.
#include "DecoderTestSupport.h"

#include "DeviceEnumerator.h"
#include "ImportPatch.h"
#include "RegisteredDevice.h"
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
        static const wchar_t description[] = L"Orvane Test Devices";
        EXPECT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, m_key.c_str(), nullptr, REG_SZ, description, sizeof(description)),
                  ERROR_SUCCESS);
    }
    ~TestSetupClass() { EXPECT_EQ(::RegDeleteKeyW(HKEY_LOCAL_MACHINE, m_key.c_str()), ERROR_SUCCESS); }
    GUID m_guid{};
    std::wstring m_key;
};

const wchar_t kUsbCategory[] = L"-|    Category: GUID_DEVINTERFACE_USB_DEVICE";
const wchar_t kUsbPath[] = L"\\\\?\\usb#none#{A5DCBF10-6530-11D2-901F-00C04FB951ED}";

// Windows' CharNextW steps over the combining marks that follow a character; Wine's steps over
// one code unit.
LPWSTR WINAPI CharNextWithMarks(LPCWSTR text)
{
    if (*text != L'\0')
        ++text;
    while (*text >= 0x0300 && *text <= 0x036F)
        ++text;
    return const_cast<LPWSTR>(text);
}
} // namespace

TEST(Decoder, DeviceInterfaceShowsEveryProperty)
{
    // Trailing CR, LF, tab and blank go; a blank with a combining mark after it is no trailing
    // blank, even where the system counts the two as one character. A trim that stepped by
    // characters again would import CharNextW, and meet Windows' stepping here.
    const CImportPatch marks("user32.dll", "CharNextW", reinterpret_cast<const void*>(&CharNextWithMarks));
    RegisteredDevice device;
    ASSERT_EQ(device.Register(L"ORVANETEST", GUID_DEVCLASS_HIDCLASS, GUID_DEVINTERFACE_USB_DEVICE,
                              {L" Orvane Friendly\r\n\t ", L"Orvane test device \u0301", L"Orvane Labs"}),
              S_OK);
    // The record's path differs from the registered one in letter case only.
    std::wstring upper = device.InterfacePath();
    for (wchar_t& ch : upper)
        ch = static_cast<wchar_t>(std::towupper(ch));
    EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, DeviceInterfaceRecord(GUID{}, upper)),
              (Lines{L"T|DBT_DEVICEARRIVAL", L"-|  Device path: " + upper, L"-|    Friendly Name:  Orvane Friendly",
                     L"-|    Description: Orvane test device \u0301", L"-|    Manufacturer: Orvane Labs", kUsbCategory,
                     L"-|    Device Setup Class: Human Interface Devices (HIDClass)"}));
}

TEST(Decoder, DeviceInterfaceLeavesOutWhatIsMissing)
{
    TestSetupClass setupClass;
    RegisteredDevice device;
    ASSERT_EQ(device.Register(L"ORVANETEST", setupClass.m_guid, GUID_DEVINTERFACE_USB_DEVICE, {L"", L"Plain device", L""}),
              S_OK);
    const std::wstring& path = device.InterfacePath();
    EXPECT_EQ(Decode(DBT_DEVICEREMOVECOMPLETE, DeviceInterfaceRecord(GUID{}, path)),
              (Lines{L"T|DBT_DEVICEREMOVECOMPLETE", L"-|  Device path: " + path, L"-|    Description: Plain device",
                     kUsbCategory, L"-|    Device Setup Class: Orvane Test Devices"}));
}

TEST(Decoder, DeviceInterfacePathWithoutClassGuid)
{
    for (std::wstring path : {L"\\\\?\\root#nobraces#0000", L"\\\\?\\root#{a5dcbf10-6530-11d2-901f-00c04fb951ed",
                              L"\\\\?\\root#{not-a-guid}#{a5dcbf10-6530-11d2-901f-00c04fb951ed}"})
        EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, DeviceInterfaceRecord(GUID{}, path)),
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
