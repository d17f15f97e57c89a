#include "OrvaneTestFixture.h"

#include "LogText.h"

std::vector<std::wstring> OrvaneTest::LogLines()
{
    std::wstring text;
    EXPECT_TRUE(m_orvane.ReadLog(text));
    bool complete = false;
    auto lines = SplitLogLines(text, &complete);
    EXPECT_TRUE(complete) << "the log does not end in CR LF or holds a lone line break";
    return lines;
}
