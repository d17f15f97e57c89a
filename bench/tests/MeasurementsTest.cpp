// The measurements run whole against the real programs: each must drive them to the end and
// check what it measured, so a broken step shows here rather than as a wrong figure.
#include "BenchDevices.h"
#include "Benchmarks.h"
#include "ProgramPaths.h"

#include <gtest/gtest.h>

namespace
{
BenchConfig TestConfig()
{
    BenchConfig config;
    config.orvaneExe = PathNextToThisProgram(L"Orvane.exe");
    config.bareExe = PathNextToThisProgram(L"OrvaneBare.exe");
    config.benchExe = PathNextToThisProgram(L"OrvaneBench.exe");
    config.rounds = 1;
    return config;
}
} // namespace

TEST(Measurements, BurstEndsWithTheSameTextInOrvaneAndTheBareControl)
{
    CBenchDevices devices;
    ASSERT_EQ(devices.Add(2), S_OK);
    BurstResult burst;

    ASSERT_EQ(MeasureBurst(TestConfig(), devices, burst), S_OK);

    EXPECT_EQ(burst.events, 240u);
    EXPECT_EQ(burst.interfaceEvents, 120u);
    EXPECT_EQ(burst.lines, 120u * 7 + 120u);
    EXPECT_EQ(burst.shortInterfaceEvents, 0u);
    EXPECT_TRUE(burst.sameText);
    EXPECT_EQ(burst.chunkRatios.size(), 10u);
    EXPECT_GT(burst.orvaneMs, 0.0);
    EXPECT_GT(burst.limitMs, 0.0);
    EXPECT_GT(burst.logBytes, burst.lines * 26 * sizeof(wchar_t));
    EXPECT_GT(burst.commitBytes, burst.startCommitBytes);
}

TEST(Measurements, SaveWritesTheLogsExactBytes)
{
    CBenchDevices devices;
    ASSERT_EQ(devices.Add(1), S_OK);
    SaveResult save;

    ASSERT_EQ(MeasureSave(TestConfig(), devices, save), S_OK);

    EXPECT_GE(save.lines, 2000u);
    EXPECT_TRUE(save.sameBytes);
    EXPECT_GT(save.saveMs, 0.0);
    EXPECT_GT(save.rawWriteMs, 0.0);
}

TEST(Measurements, LookupRegistersUpToEachCount)
{
    CBenchDevices devices;
    std::vector<LookupRow> rows;

    ASSERT_EQ(MeasureLookup(TestConfig(), devices, {1, 3}, rows), S_OK);

    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].registered, 1u);
    EXPECT_EQ(rows[1].registered, 3u);
    EXPECT_EQ(devices.Count(), 3u);
    EXPECT_GE(rows[1].inClass, 3u);
    EXPECT_GT(rows[1].interfaceEventMs, 0.0);
    EXPECT_GT(rows[1].formatterMs, 0.0);
}

TEST(Measurements, StartupTimesEveryProgramAndTheQuery)
{
    StartupResult startup;

    ASSERT_EQ(MeasureStartup(TestConfig(), startup), S_OK);

    EXPECT_GT(startup.orvaneMs, 0.0);
    EXPECT_GT(startup.orvaneWithoutWmiMs, 0.0);
    EXPECT_GT(startup.bareMs, 0.0);
    EXPECT_GE(startup.orvaneMs, startup.orvaneFastestMs);
    EXPECT_GE(startup.wmiQueryMs, 0.0) << "the header's query failed in the timing child";
    EXPECT_GT(startup.bareCommitBytes, 0u);
}
