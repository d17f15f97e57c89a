#include "log/OrvaneView.h"

#include "framework/WideString.h"
#include "log/WriteFileAtomically.h"

#include <new>

namespace
{
void AppendPrefix(CString& line, bool timestamp)
{
    if (timestamp)
    {
        SYSTEMTIME now{};
        ::GetLocalTime(&now);
        line.AppendFormat(L"%4hu/%02hu/%02hu %02hu:%02hu:%02hu.%03hu - ", now.wYear, now.wMonth, now.wDay,
                          now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    }
    else
    {
        line.Append(L"                          ", COrvaneView::kPrefixLength);
    }
}
} // namespace

void COrvaneView::AppendLine(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    AppendLineV(format, args);
    va_end(args);
}

void COrvaneView::AppendLine(UINT formatId, ...)
{
    CString format;
    format.LoadString(formatId);
    va_list args;
    va_start(args, formatId);
    AppendLineV(format, args);
    va_end(args);
}

void COrvaneView::AppendLineV(const wchar_t* format, va_list args)
{
    CString line;
    AppendPrefix(line, m_bTimestamp);
    line.AppendFormatV(format, args);
    line.Append(L"\r\n");

    const int end = GetWindowTextLength();
    SetSel(end, end);
    ScrollCaret();
    ReplaceSel(line, FALSE);
}

BOOL COrvaneView::SaveToFile(const wchar_t* path)
{
    try
    {
        // The control's text is exactly what the file holds: UTF-16LE code units, CR LF
        // line ends, no byte-order mark and no terminating NUL.
        const int length = GetWindowTextLength();
        CString text;
        const int copied = length > 0 ? GetWindowText(text.GetBuffer(length), length + 1) : 0;
        text.ReleaseBuffer(copied);
        return WriteFileAtomically(path, text.GetString(), static_cast<DWORD>(copied) * sizeof(wchar_t));
    }
    catch (const std::bad_alloc&)
    {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
}
