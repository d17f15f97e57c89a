// The benchmark's command line.
#include "BenchOptions.h"

#include <gtest/gtest.h>

namespace
{
bool Parse(std::vector<std::wstring> arguments, BenchOptions& options)
{
    std::wstring error;
    const bool parsed = ParseBenchOptions(arguments, options, error);
    EXPECT_EQ(parsed, error.empty()) << "an error must come with a message, and only then";
    return parsed;
}
} // namespace

TEST(BenchOptions, DefaultsRunEverythingFiveRoundsAgainstTheBuiltPrograms)
{
    BenchOptions options;
    options.rounds = 7;
    ASSERT_TRUE(Parse({}, options));
    EXPECT_TRUE(options.orvaneExe.empty());
    EXPECT_TRUE(options.bareExe.empty());
    EXPECT_EQ(options.rounds, 5);
    EXPECT_TRUE(options.burst && options.startup && options.save && options.lookup);
}

TEST(BenchOptions, PathsRoundsAndASelection)
{
    BenchOptions options;
    ASSERT_TRUE(Parse({L"--orvane", L"C:\\old\\Orvane.exe", L"--rounds", L"5", L"--only", L"save,lookup"}, options));
    EXPECT_EQ(options.orvaneExe, L"C:\\old\\Orvane.exe");
    EXPECT_EQ(options.rounds, 5);
    EXPECT_FALSE(options.burst);
    EXPECT_FALSE(options.startup);
    EXPECT_TRUE(options.save);
    EXPECT_TRUE(options.lookup);
}

TEST(BenchOptions, MistakesAreRefused)
{
    BenchOptions options;
    EXPECT_FALSE(Parse({L"--orvane"}, options));
    EXPECT_FALSE(Parse({L"--rounds", L"0"}, options));
    EXPECT_FALSE(Parse({L"--rounds", L"3x"}, options));
    EXPECT_FALSE(Parse({L"--only", L"burst,memory"}, options));
    EXPECT_FALSE(Parse({L"--only", L""}, options));
    EXPECT_FALSE(Parse({L"--fast", L"1"}, options));
}
