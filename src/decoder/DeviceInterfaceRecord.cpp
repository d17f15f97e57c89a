// The device-interface record: its path, then what SetupAPI knows about the device that
// owns the interface. A lookup that fails only leaves its line out.
#include "decoder/DeviceChange.h"
#include "decoder/DeviceEnumerator.h"
#include "decoder/InterfaceCategories.h"
#include "decoder/RecordSpan.h"

#include "framework/WideString.h"
#include "log/OrvaneView.h"

namespace
{
// SetupDiGetClassDescriptionW's buffer, in characters.
constexpr DWORD kClassDescriptionCapacity = 256;

void LogDeviceProperties(COrvaneView& view, CDeviceEnumerator& device, CString& value)
{
    static constexpr struct
    {
        DWORD property;
        const wchar_t* format;
    } kPropertyLines[] = {
        {SPDRP_FRIENDLYNAME, L"    Friendly Name: %s"},
        {SPDRP_DEVICEDESC, L"    Description: %s"},
        {SPDRP_MFG, L"    Manufacturer: %s"},
    };
    for (const auto& line : kPropertyLines)
    {
        if (device.GetStringProperty(line.property, value))
            view.AppendLine(line.format, value.GetString());
    }
}

void LogInterfaceCategory(COrvaneView& view, const wchar_t* path)
{
    GUID interfaceClass;
    if (!CDeviceEnumerator::GetInterfaceClassGuid(path, &interfaceClass))
        return;
    if (const wchar_t* category = FindInterfaceCategory(interfaceClass))
        view.AppendLine(L"    Category: %s", category);
}

void LogSetupClass(COrvaneView& view, CDeviceEnumerator& device, CString& value)
{
    if (!device.GetStringProperty(SPDRP_CLASSGUID, value))
        return;
    GUID setupClass;
    if (FAILED(::CLSIDFromString(value.GetString(), &setupClass)))
        return;
    wchar_t description[kClassDescriptionCapacity] = {};
    if (!::SetupDiGetClassDescriptionW(&setupClass, description, kClassDescriptionCapacity, nullptr))
        return;
    if (device.GetStringProperty(SPDRP_CLASS, value))
        view.AppendLine(L"    Device Setup Class: %s (%s)", description, value.GetString());
    else
        view.AppendLine(L"    Device Setup Class: %s", description);
}
} // namespace

void LogDeviceInterfaceRecord(COrvaneView& view, const DEV_BROADCAST_DEVICEINTERFACE_W* record)
{
    view.m_bTimestamp = false;
    // The path is copied out of the record, so it is terminated even when the record's is not.
    CString path;
    if (!RecordSpan(record).TryReadWideString(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name), path))
        return;
    view.AppendLine(L"  Device path: %s", path.GetString());

    CDeviceEnumerator device;
    if (!device.OpenInterfaceClass(path) || !device.FindInterface(path))
        return;
    CString value;
    LogDeviceProperties(view, device, value);
    LogInterfaceCategory(view, path);
    LogSetupClass(view, device, value);
}
