#pragma once
// Centring of a window over another one, in the two ways the system's own windows do it:
//  - a dialog, over its owner while the owner can be seen, otherwise in the middle of the work
//    area of the nearest monitor, and never sticking out of that work area (CenterWindow);
//  - a message box, over its parent or owner, otherwise over the work area of a monitor the
//    caller chooses, and free to reach past the screen's edge (CenterOnOwner).
#include <windows.h>

// How the middle is found, each halving truncated toward zero. The two rules differ by a pixel
// when the sizes' parities differ.
enum class Halving
{
    ForDialogs,      // the reference's edges and the window's size apart: (left + right) / 2 - width / 2
    ForMessageBoxes, // the room the window leaves in the reference: left + (reference width - width) / 2
};

// Top-left corner for a window of windowRect's size centred on reference. With a clamp
// rectangle the window is then pushed back inside it (right/bottom edge first, so a window
// larger than clamp keeps its left/top edge visible); without one it may reach past any edge.
POINT CenteredPosition(const RECT& windowRect, const RECT& reference, const RECT* clamp, Halving halving) noexcept;

// Moves window (size, Z order and activation unchanged) centred over owner. A null,
// hidden or minimised owner means the work area of the monitor nearest to window. FALSE,
// without moving, when no monitor information can be had.
BOOL CenterWindow(HWND window, HWND owner) noexcept;

// Moves window (size, Z order and activation unchanged) centred over its parent (a child, placed
// in the parent's client coordinates) or its owner; without either, over the work area of
// ownerless, or of the monitor nearest to window when ownerless is null.
BOOL CenterOnOwner(HWND window, HMONITOR ownerless) noexcept;
