#pragma once
// Devices the benchmark registers in the system's device tree so that every interface record
// it sends takes the program's full lookup and is logged with all six lines. The owner removes
// them again.
#include "Records.h"
#include "RegisteredDevice.h"

#include <memory>
#include <string>
#include <vector>

// The interface class of every device registered here.
extern const GUID& kBenchInterfaceClass;

// The lines an interface event of a registered device takes in the log: the event line, the
// interface path and five property lines.
inline constexpr size_t kInterfaceEventLines = 7;

class CBenchDevices
{
public:
    CBenchDevices() = default;
    CBenchDevices(const CBenchDevices&) = delete;
    CBenchDevices& operator=(const CBenchDevices&) = delete;
    ~CBenchDevices() = default;

    // Registers count more devices; on failure the ones registered so far stay (and are owned).
    HRESULT Add(size_t count);
    // Removes every device registered here; false if the system refused one.
    bool RemoveAll();

    [[nodiscard]] size_t Count() const noexcept { return m_devices.size(); }
    // Interface paths, in the order the devices were registered.
    [[nodiscard]] std::vector<std::wstring> Paths() const;

    // Removes the devices that a run which did not finish left registered (their process has
    // ended); returns how many were removed.
    static size_t RemoveLeftovers();
    // Devices, present or not, that have an interface of the class: what the lookup walks.
    static size_t CountInInterfaceClass(const GUID& interfaceClass);

private:
    std::vector<std::unique_ptr<RegisteredDevice>> m_devices;
};

// One device-interface broadcast record per registered device, in the order of Paths().
std::vector<BroadcastRecord> InterfaceRecords(const CBenchDevices& devices);
