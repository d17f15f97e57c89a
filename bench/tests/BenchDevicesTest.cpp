// Devices the benchmark registers: each one logged by the program's own formatter with its
// path and all five property lines, and gone again when the owner is done.
#include "BenchDevices.h"
#include "HiddenLogView.h"
#include "LogEvents.h"
#include "DeviceChange.h"
#include "DeviceEnumerator.h"
#include "ProgramPaths.h"
#include "Records.h"
#include "TargetProcess.h"

#include <devguid.h>
#include <gtest/gtest.h>

namespace
{
// The lines the program logs for an interface record of path, into an empty hidden view.
size_t LoggedLines(CHiddenLogView& hidden, const std::wstring& path)
{
    hidden.View().SetWindowText(L"");
    const BroadcastRecord record = DeviceInterfaceRecord(kBenchInterfaceClass, path);
    LogDeviceInterfaceRecord(hidden.View(), record.As<DEV_BROADCAST_DEVICEINTERFACE_W>());
    std::wstring text(static_cast<size_t>(hidden.View().GetWindowTextLength()) + 1, L'\0');
    text.resize(static_cast<size_t>(hidden.View().GetWindowText(text.data(), static_cast<int>(text.size()))));
    return CountLines(text);
}

bool RegisterBareDevice(const std::wstring& instanceId)
{
    unique_hdevinfo set(::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA device{sizeof(device), {}, 0, 0};
    return ::SetupDiCreateDeviceInfoW(set.get(), instanceId.c_str(), &GUID_DEVCLASS_HIDCLASS, nullptr, nullptr, 0,
                                      &device) &&
           ::SetupDiRegisterDeviceInfo(set.get(), &device, 0, nullptr, nullptr, nullptr);
}

bool IsInstanceRegistered(const std::wstring& instanceId)
{
    unique_hdevinfo set(::SetupDiCreateDeviceInfoList(nullptr, nullptr));
    SP_DEVINFO_DATA device{sizeof(device), {}, 0, 0};
    return ::SetupDiOpenDeviceInfoW(set.get(), instanceId.c_str(), nullptr, 0, &device) != FALSE;
}

bool IsRegistered(const std::wstring& path)
{
    CDeviceEnumerator enumerator;
    return enumerator.OpenInterfaceClass(path.c_str()) && enumerator.FindInterface(path.c_str());
}
} // namespace

TEST(BenchDevices, EachRegisteredDeviceGivesAllSixRecordLines)
{
    CHiddenLogView hidden;
    ASSERT_TRUE(hidden.IsValid());
    CBenchDevices devices;

    ASSERT_EQ(devices.Add(3), S_OK);

    EXPECT_EQ(devices.Count(), 3u);
    ASSERT_EQ(devices.Paths().size(), 3u);
    // Other tests register devices of the class at the same time: only a lower bound holds.
    EXPECT_GE(CBenchDevices::CountInInterfaceClass(kBenchInterfaceClass), 3u);
    for (const std::wstring& path : devices.Paths())
        EXPECT_EQ(LoggedLines(hidden, path), 6u) << "path, friendly name, description, manufacturer, category, "
                                                    "setup class";
}

TEST(BenchDevices, RemovedWhenTheOwnerGoes)
{
    std::vector<std::wstring> paths;
    {
        CBenchDevices devices;
        ASSERT_EQ(devices.Add(2), S_OK);
        paths = devices.Paths();
        ASSERT_TRUE(IsRegistered(paths.front()));
    }
    for (const std::wstring& path : paths)
        EXPECT_FALSE(IsRegistered(path));
}

TEST(BenchDevices, OnlyLeftoversOfEndedRunsAreRemoved)
{
    // A run that was killed: its process has ended, its device is still registered.
    CTargetProcess ended;
    ASSERT_EQ(ended.Start(PathNextToThisProgram(L"OrvaneBench.exe"), L"--rounds"), S_OK);
    ASSERT_TRUE(ended.WaitForExit(60000));
    const std::wstring leftover = L"ROOT\\ORVANEBENCH\\" + std::to_wstring(ended.Id()) + L"_1_1";
    ASSERT_TRUE(RegisterBareDevice(leftover));
    CBenchDevices running;
    ASSERT_EQ(running.Add(1), S_OK);

    EXPECT_GE(CBenchDevices::RemoveLeftovers(), 1u);

    EXPECT_FALSE(IsInstanceRegistered(leftover));
    EXPECT_TRUE(IsRegistered(running.Paths().front())) << "this process is still running";
}
