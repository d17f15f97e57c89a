#pragma once
// Centring of a top-level window over another one, as dialogs do it:
// over the owner while the owner can be seen, otherwise in the middle of the work area of
// the nearest monitor, and never sticking out of that work area.
#include <windows.h>

// How the middle is found, each halving truncated toward zero. Dialogs halve the reference's
// edges and the window's size apart; message boxes halve the room the window leaves in the
// reference. The two differ by a pixel when the sizes' parities differ.
enum class Halving
{
    EdgesAndSize, // (left + right) / 2 - width / 2
    Room,         // left + (reference width - width) / 2
};

// Top-left corner for a window of windowRect's size centred on reference. With a clamp
// rectangle the window is then pushed back inside it (right/bottom edge first, so a window
// larger than clamp keeps its left/top edge visible); without one it may reach past any edge.
POINT CenteredPosition(const RECT& windowRect, const RECT& reference, const RECT* clamp, Halving halving) noexcept;

// Moves window (size, Z order and activation unchanged) centred over owner. A null,
// hidden or minimised owner means the work area of the monitor nearest to window. FALSE,
// without moving, when no monitor information can be had.
BOOL CenterWindow(HWND window, HWND owner) noexcept;
