#pragma once
// printf-style formatting of wide strings. The program has its own because MinGW's swprintf
// reads "%s" as a narrow string in its C99 mode and "%p" without leading zeros; the log's
// formats need "%s" wide and "%08p" as 16 upper-case digits, whatever the runtime's mode.
// Conversions: %d %i %u %x %X %o %c %s %p %%, with flags "-0+ #", a width and a precision
// (digits or '*'), and the length modifiers h, hh, l, ll, I64, I32, z.
//   %s / %ls  a wide string, %hs a narrow string (ANSI code page); null prints "(null)"
//   %c / %lc  a wide character, %hc a narrow one
//   %p        a pointer as 16 upper-case hex digits, no prefix
// Unknown conversions are copied through unchanged.
#include <cstdarg>
#include <string>

void AppendFormatV(std::wstring& out, const wchar_t* format, va_list args);
