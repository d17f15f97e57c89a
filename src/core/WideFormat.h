#pragma once
// printf-style formatting of wide strings. The program has its own because MinGW's swprintf
// reads "%s" as a narrow string in its C99 mode and "%p" without leading zeros; the log's
// formats need "%s" wide and "%08p" as 16 upper-case digits, whatever the runtime's mode.
// It knows what the program's formats use, and nothing more:
//   %d           a signed 32-bit integer
//   %u %x %X     an unsigned 32-bit integer; with h, its low 16 bits (%hu)
//   %s %c        a wide string (null prints "(null)") and a wide character
//   %p           a pointer as 16 upper-case hex digits, no prefix
//   %%           a percent sign
// Each may have a width of digits, padded with blanks before the text (with zeros after a '0'
// flag, for the integers), and an l, which changes nothing: long is 32 bits on Windows.
// A conversion it cannot perform (an unknown one, a width above kMaxFieldWidth, or a format
// cut short) ends the formatting: out gets the rest of the format from that '%' as it stands,
// no further argument is read, and the call returns false. Reading on would take every later
// argument for the one before it. The format and a "%s" argument may point into out's own
// text: they read as it was when the call began. Only std::bad_alloc is thrown.
#include <cstdarg>
#include <string>

// No format of the program pads wider than 8; a thousand columns is beyond any line a person
// reads, and small enough that a faulty width costs no more than a few kilobytes.
constexpr unsigned kMaxFieldWidth = 1000;

bool AppendFormatV(std::wstring& out, const wchar_t* format, va_list args);
