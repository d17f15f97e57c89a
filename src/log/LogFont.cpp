#include "LogFont.h"

#include <cstdlib>

bool IsWindows8OrLater() noexcept
{
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    version.dwMajorVersion = 6;
    version.dwMinorVersion = 2;
    version.wServicePackMajor = 0;
    DWORDLONG condition = 0;
    condition = ::VerSetConditionMask(condition, VER_MAJORVERSION, VER_GREATER_EQUAL);
    condition = ::VerSetConditionMask(condition, VER_MINORVERSION, VER_GREATER_EQUAL);
    condition = ::VerSetConditionMask(condition, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    return ::VerifyVersionInfoW(&version, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR, condition) != FALSE;
}

void FillLogFont(LOGFONTW& font, bool windows8OrLater, HDC screen) noexcept
{
    const wchar_t* face = windows8OrLater ? L"Consolas" : L"Lucida Console";
    const int tenthsOfPoint = windows8OrLater ? 110 : 100;

    font = LOGFONTW{};
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);

    // Points to logical units of the screen: device pixels first, then through the mapping mode.
    POINT points[2] = {{0, ::MulDiv(::GetDeviceCaps(screen, LOGPIXELSY), tenthsOfPoint, 720)}, {0, 0}};
    ::DPtoLP(screen, points, 2);
    font.lfHeight = -std::abs(points[0].y - points[1].y);
}

unique_hfont CreateLogFont() noexcept
{
    const unique_screen_dc screen(::GetDC(nullptr));
    if (!screen)
        return unique_hfont();
    LOGFONTW font;
    FillLogFont(font, IsWindows8OrLater(), screen.get());
    return unique_hfont(::CreateFontIndirectW(&font));
}
