// The device-interface record's lines: lookups against devices registered in the test's Wine prefix.
#include "DecoderTestSupport.h"

#include "ImportPatch.h"
#include "RegisteredDevice.h"

#include <initguid.h>
#include <devguid.h>
#include <usbiodef.h>

#include <utility>

namespace
{
const wchar_t kUsbCategory[] = L"-|    Category: GUID_DEVINTERFACE_USB_DEVICE";

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

// SetupAPI's property reads while a test runs: g_unreadable reads as a property the device lacks,
// and reading g_exhausting runs the next allocation out of memory.
DWORD g_unreadable, g_exhausting;
bool g_failNextAllocation = false;
decltype(&SetupDiGetDeviceRegistryPropertyW) g_readProperty;
void* (*g_malloc)(size_t);
BOOL WINAPI ReadProperty(HDEVINFO set, PSP_DEVINFO_DATA device, DWORD property, PDWORD type, PBYTE buffer, DWORD size,
                         PDWORD needed)
{
    if (property == g_unreadable)
        return ::SetLastError(ERROR_INVALID_DATA), FALSE;
    g_failNextAllocation |= property == g_exhausting;
    return g_readProperty(set, device, property, type, buffer, size, needed);
}
void* __cdecl Allocate(size_t size) { return std::exchange(g_failNextAllocation, false) ? nullptr : g_malloc(size); }

// Decodes a removal query of path, which must be granted, with the property reads above.
Lines DecodeWithReads(const std::wstring& path, DWORD unreadable, DWORD exhausting)
{
    const CImportPatch read("setupapi.dll", "SetupDiGetDeviceRegistryPropertyW", reinterpret_cast<const void*>(&ReadProperty));
    const CImportPatch allocate("msvcrt.dll", "malloc", reinterpret_cast<const void*>(&Allocate));
    EXPECT_TRUE(read.IsActive() && allocate.IsActive());
    g_readProperty = read.Original<decltype(g_readProperty)>(), g_malloc = allocate.Original<decltype(g_malloc)>();
    g_unreadable = unreadable, g_exhausting = exhausting, g_failNextAllocation = false;
    return Decode(DBT_DEVICEQUERYREMOVE, DeviceInterfaceRecord(GUID{}, path));
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
    ::CharUpperW(upper.data());
    EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, DeviceInterfaceRecord(GUID{}, upper)),
              (Lines{L"T|DBT_DEVICEARRIVAL", L"-|  Device path: " + upper, L"-|    Friendly Name:  Orvane Friendly",
                     L"-|    Description: Orvane test device \u0301", L"-|    Manufacturer: Orvane Labs", kUsbCategory,
                     L"-|    Device Setup Class: Human Interface Devices (HIDClass)"}));
}

// What the device lacks is left out, a setup class without a readable name is shown by its
// description; the line that memory runs out on goes with those after it, the others stay.
TEST(Decoder, DeviceInterfaceLeavesOutWhatIsMissing)
{
    RegisteredDevice device;
    ASSERT_EQ(device.Register(L"ORVANETEST", GUID_DEVCLASS_HIDCLASS, GUID_DEVINTERFACE_USB_DEVICE, {L"", L"Plain device", L""}),
              S_OK);
    const std::wstring& path = device.InterfacePath();
    Lines lines{L"T|DBT_DEVICEQUERYREMOVE", L"-|  Device path: " + path, L"-|    Description: Plain device", kUsbCategory};
    EXPECT_EQ(DecodeWithReads(path, ~0u, SPDRP_CLASSGUID), lines);
    lines.push_back(L"-|    Device Setup Class: Human Interface Devices");
    EXPECT_EQ(DecodeWithReads(path, SPDRP_CLASS, ~0u), lines);
}

// A span far longer than any GUID is refused without overrunning the copy it is parsed from.
TEST(Decoder, DeviceInterfacePathWithoutClassGuid)
{
    for (const std::wstring& path : {std::wstring(L"\\\\?\\root#nobraces#0000"),
                                     std::wstring(L"\\\\?\\root#{a5dcbf10-6530-11d2-901f-00c04fb951ed"),
                                     std::wstring(L"\\\\?\\root#{not-a-guid}#{a5dcbf10-6530-11d2-901f-00c04fb951ed}"),
                                     L"\\\\?\\root#{" + std::wstring(8192, L'A') + L"}"})
        EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, DeviceInterfaceRecord(GUID{}, path)),
                  (Lines{L"T|DBT_DEVICEARRIVAL", L"-|  Device path: " + path}));
}
