#pragma once
// The system's text for a failure code, as the program's message boxes show it: trimmed, with
// the code's number after it.
#include <windows.h>

class CString;

// Room, in wide characters, of the buffer that GetErrorDescription fills (terminator included).
inline constexpr int kErrorDescriptionLength = 256;

// The system's text for hr followed by its number, " (5)" for a system error code and
// " (0x8000FFFF)" for any other code; buffer holds kErrorDescriptionLength characters.
// False when the system has no text for hr.
bool GetErrorDescription(HRESULT hr, LPWSTR buffer);

// The step of GetErrorDescription after the system text is in the buffer: trims it and appends
// the number, shortening the text (never the number) so that both fit. Declared for its tests,
// which need texts longer than the system's.
void AppendErrorNumber(HRESULT hr, LPWSTR buffer);

// Appends " (0x8000FFFF)": the whole code in eight upper-case hex digits.
void AppendHexErrorCode(CString& text, HRESULT hr);
