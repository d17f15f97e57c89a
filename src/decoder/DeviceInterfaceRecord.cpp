// The device-interface record: its path, then what SetupAPI knows about the device that
// owns the interface. A lookup that fails only leaves its line out.
#include "RecordFormatters.h"
#include "DeviceEnumerator.h"
#include "InterfaceCategories.h"
#include "RecordSpan.h"

#include "WideString.h"
#include "LogEntry.h"

namespace
{
// SetupDiGetClassDescriptionW's buffer, in characters.
constexpr DWORD kClassDescriptionCapacity = 256;

void LogDeviceProperties(CLogEntry& entry, CDeviceEnumerator& device, CString& value)
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
            entry.AppendLine(line.format, value.GetString());
    }
}

void LogInterfaceCategory(CLogEntry& entry, const wchar_t* path)
{
    GUID interfaceClass;
    if (!CDeviceEnumerator::GetInterfaceClassGuid(path, &interfaceClass))
        return;
    if (const wchar_t* category = FindInterfaceCategory(interfaceClass))
        entry.AppendLine(L"    Category: %s", category);
}

void LogSetupClass(CLogEntry& entry, CDeviceEnumerator& device, CString& value)
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
        entry.AppendLine(L"    Device Setup Class: %s (%s)", description, value.GetString());
    else
        entry.AppendLine(L"    Device Setup Class: %s", description);
}
} // namespace

void LogDeviceInterfaceRecord(CLogEntry& entry, const DEV_BROADCAST_DEVICEINTERFACE_W* record)
{
    // The path is copied out of the record, so it is terminated even when the record's is not.
    CString path;
    if (!RecordSpan(record).TryReadWideString(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name), path))
        return;
    entry.AppendLine(L"  Device path: %s", path.GetString());

    CDeviceEnumerator device;
    if (!device.OpenInterfaceClass(path) || !device.FindInterface(path))
        return;
    CString value;
    LogDeviceProperties(entry, device, value);
    LogInterfaceCategory(entry, path);
    LogSetupClass(entry, device, value);
}
