#pragma once
// The log's font: Consolas 11 pt on Windows 8 and later, Lucida Console 10 pt before.
#include "UniqueHandle.h"

#include <windows.h>

// Asks the system (VerifyVersionInfoW) whether it is version 6.2 SP0 or later.
bool IsWindows8OrLater() noexcept;

// Fills font with the log font's face and height for the screen dc.
void FillLogFont(LOGFONTW& font, bool windows8OrLater, HDC screen) noexcept;

// The font for this system; empty when it cannot be created.
unique_hfont CreateLogFont() noexcept;
