// The log font follows the system's version: Consolas 11 pt from Windows 8 on, Lucida Console
// 10 pt before, in the screen's logical units (96 dpi here).
#include "LogFont.h"

#include <gtest/gtest.h>

#include <string>

TEST(LogFont, ConsolasElevenPointFromWindows8OnLucidaConsoleTenBefore)
{
    EXPECT_TRUE(IsWindows8OrLater()); // the test prefix reports Windows 10
    HDC screen = ::GetDC(nullptr);
    LOGFONTW font;
    FillLogFont(font, true, screen);
    EXPECT_EQ(std::wstring(font.lfFaceName) + L" " + std::to_wstring(font.lfHeight), L"Consolas -15");
    FillLogFont(font, false, screen);
    EXPECT_EQ(std::wstring(font.lfFaceName) + L" " + std::to_wstring(font.lfHeight), L"Lucida Console -13");
    ::ReleaseDC(nullptr, screen);
}
