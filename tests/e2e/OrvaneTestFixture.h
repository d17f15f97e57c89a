#pragma once
// Base of the tests that run the real program: a fresh Orvane.exe per test, shown and found,
// killed afterwards if a test left it running.
#include "OrvaneProcess.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class OrvaneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const HRESULT hr = m_orvane.Start();
        ASSERT_EQ(hr, S_OK) << "Orvane.exe did not show its frame";
    }

    // The log's lines, asserting that the text reads back and ends in CR LF.
    std::vector<std::wstring> LogLines();

    OrvaneProcess m_orvane;
};

// The lines a fresh log starts with.
inline constexpr size_t kHeaderLineCount = 5;
inline constexpr wchar_t kNotificationsHint[] =
    L"Click Notifications > Device to enable plug-and-play device notifications.";
