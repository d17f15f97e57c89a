#pragma once
// Creation and layout helpers for a frame's bars: the rebar and its bands, a toolbar built
// from a toolbar resource, the status bar, and the texts the frame shows for commands.
#include <windows.h>
#include <commctrl.h>

class CString;

namespace frame_bars
{
// A toolbar child from toolbar resource id (RT_TOOLBAR layout) and bitmap id, every button
// enabled; null if the resource is missing or the window cannot be created.
HWND CreateToolBarFromResource(HWND parent, UINT resourceId, DWORD style, UINT controlId);

// A rebar child with bar information without an image list; null (and destroyed) on failure.
HWND CreateReBar(HWND parent, DWORD style, UINT controlId);

// Adds child as a band with id ATL_IDW_BAND_FIRST + current band count. The band's minimum
// width reaches to the right edge of the child's first button, its width and ideal width to
// the right edge of the last one; a child without buttons uses its window size.
bool AddReBarBand(HWND reBar, HWND child);

// The status-bar prompt of a command id: its string resource up to 255 characters, cut at
// the first "\n". System-menu ids 0xF000 to 0xF1EF use the system-menu prompt strings.
void LoadCommandPrompt(UINT id, CString& prompt);

// The tooltip of a command id: the text after the first "\n", up to 79 characters.
void LoadCommandTooltip(UINT id, CString& tooltip);

// The popup shown for a rebar band's chevron: the band's buttons that do not fit.
void ShowChevronMenu(HWND owner, HWND reBar, const NMREBARCHEVRON& chevron);
} // namespace frame_bars
