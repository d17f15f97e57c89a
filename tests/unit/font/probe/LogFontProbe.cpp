// Writes the log font this system gets into the file named by its argument: face, height, DPI.
#include "LogFont.h"

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    FILE* file = argc > 1 ? _wfopen(argv[1], L"wb") : nullptr;
    if (file == nullptr)
        return 1;
    HDC screen = ::GetDC(nullptr);
    LOGFONTW font;
    FillLogFont(font, IsWindows8OrLater(), screen);
    std::fprintf(file, "%ls %ld %d", font.lfFaceName, font.lfHeight, ::GetDeviceCaps(screen, LOGPIXELSY));
    ::ReleaseDC(nullptr, screen);
    return std::fclose(file) == 0 ? 0 : 1;
}
