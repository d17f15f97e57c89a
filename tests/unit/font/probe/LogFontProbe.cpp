// Prints the log font this system gets: face, height and the screen's DPI.
#include "LogFont.h"

#include <cstdio>

int main()
{
    HDC screen = ::GetDC(nullptr);
    LOGFONTW font;
    FillLogFont(font, IsWindows8OrLater(), screen);
    std::printf("%ls %ld %d", font.lfFaceName, font.lfHeight, ::GetDeviceCaps(screen, LOGPIXELSY));
    ::ReleaseDC(nullptr, screen);
    return 0;
}
