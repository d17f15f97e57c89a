#pragma once
// Devices the benchmark registers in the system's device tree so that every interface record
// it sends takes the program's full lookup: each device has one USB device interface, a
// friendly name, a description and a manufacturer, and a setup class with a description, so
// the record is logged with all six lines. The owner removes them again.
#include "Records.h"
#include "UniqueDevInfo.h"

#include <string>
#include <vector>

// The interface class of every device registered here.
extern const GUID& kBenchInterfaceClass;

class CBenchDevices
{
public:
    CBenchDevices();
    CBenchDevices(const CBenchDevices&) = delete;
    CBenchDevices& operator=(const CBenchDevices&) = delete;
    ~CBenchDevices();

    // Registers count more devices; on failure the ones registered so far stay (and are owned).
    HRESULT Add(size_t count);
    // Removes every device registered here; false if the system refused one.
    bool RemoveAll();

    [[nodiscard]] size_t Count() const noexcept { return m_devices.size(); }
    // Interface paths, in the order the devices were registered.
    [[nodiscard]] const std::vector<std::wstring>& Paths() const noexcept { return m_paths; }

    // Removes the devices that a run which did not finish left registered (their process has
    // ended); returns how many were removed.
    static size_t RemoveLeftovers();
    // Devices, present or not, that have an interface of the class: what the lookup walks.
    static size_t CountInInterfaceClass(const GUID& interfaceClass);

private:
    HRESULT AddOne();

    unique_hdevinfo m_set;
    std::vector<SP_DEVINFO_DATA> m_devices;
    std::vector<std::wstring> m_paths;
};

// One device-interface broadcast record per registered device, in the order of Paths().
std::vector<BroadcastRecord> InterfaceRecords(const CBenchDevices& devices);
