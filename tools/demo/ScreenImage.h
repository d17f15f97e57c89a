#pragma once
// A picture of a part of the screen as the user sees it: every window, menu and box that lies
// in it, frames included. Pixels are 32-bit BGRX, top row first.
#include <windows.h>

#include <vector>

class CScreenImage
{
public:
    // Copies what the screen shows inside rect (screen coordinates).
    HRESULT Capture(const RECT& rect);
    // Writes the picture as a PNG file, replacing any file at path.
    HRESULT SavePng(const wchar_t* path) const;

    [[nodiscard]] int Width() const noexcept { return m_width; }
    [[nodiscard]] int Height() const noexcept { return m_height; }
    // The pixel at x, y as 0x00RRGGBB.
    [[nodiscard]] DWORD Pixel(int x, int y) const noexcept
    {
        return m_pixels[static_cast<size_t>(y) * m_width + x] & 0xFFFFFF;
    }
    [[nodiscard]] bool SameAs(const CScreenImage& other) const noexcept;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<DWORD> m_pixels;
};

// Captures rect until two pictures taken a moment apart agree for settleMs, so that windows in
// it have finished painting (the system draws other processes' windows on its own schedule).
HRESULT CaptureSettled(const RECT& rect, CScreenImage& image, DWORD settleMs = 300, DWORD timeoutMs = 10000);
