#pragma once
// Every message box of the program: a string resource as the format, the system's text for a
// failure code, an icon chosen from the code when the caller gave none, the program's title,
// and the box centred over its owner (or over a monitor) as it activates.
#include <windows.h>

class CString;
struct CKeptFiles;

// Room, in wide characters, of the buffer that GetErrorDescription fills (terminator included).
inline constexpr int kErrorDescriptionLength = 256;

// hr: 0 no error (information icon), positive a warning (warning icon), negative a failure
// (error icon, the system's description appended); -1 stands for the calling thread's last error,
// read as E_FAIL when the failed call left none.
// Returns the id of the button pressed, or 0 when no box could be shown.
int AppMessageBox(UINT nID, UINT uType, HRESULT hr, ...);

// A failed save, with the thread's last error: string 133, or 138 or 139 naming the files it
// kept as the only copies of the new text and of the earlier file. Rewrites kept's paths into
// the form the user knows (no extended-length prefix).
int ShowSaveFailed(CKeptFiles& kept);

// Shows text as it is (never used as a format again), owned by the active window's last popup.
int ShowMessageBox(LPCWSTR text, UINT uType);

// The system's text for hr followed by its number, " (5)" for a system error code and
// " (0x8000FFFF)" for any other code; buffer holds kErrorDescriptionLength characters.
// False when the system has no text for hr.
bool GetErrorDescription(HRESULT hr, LPWSTR buffer);

// The step of GetErrorDescription after the system text is in the buffer: trims it and appends
// the number, shortening the text (never the number) so that both fit.
void AppendErrorNumber(HRESULT hr, LPWSTR buffer);

// Cuts the run of CR, LF, tab and space at the end of text; leading and inner ones stay.
void TrimTrailingWhitespace(LPWSTR text);

// Appends " (0x8000FFFF)": the whole code in eight upper-case hex digits.
void AppendHexErrorCode(CString& text, HRESULT hr);

// The title of every box: string IDS_APP_TITLE, or the executable's file name without it.
LPCWSTR GetAppTitle();
