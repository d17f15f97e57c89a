#include "LogEntry.h"

void CLogEntry::AppendLine(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    AppendLineV(format, args);
    va_end(args);
}

void CLogEntry::AppendLine(UINT formatId, ...)
{
    va_list args;
    va_start(args, formatId);
    CString text;
    text.AppendFormatV(formatId, args);
    va_end(args);
    AppendLine(L"%s", text.GetString());
}

void CLogEntry::AppendLineV(const wchar_t* format, va_list args)
{
    // Built aside and added whole: a line that runs out of memory half-way leaves the entry
    // as it was.
    CString line;
    if (m_bTimestamp)
    {
        SYSTEMTIME now{};
        m_clock(&now);
        line.AppendFormat(L"%4hu/%02hu/%02hu %02hu:%02hu:%02hu.%03hu - ", now.wYear, now.wMonth, now.wDay, now.wHour,
                          now.wMinute, now.wSecond, now.wMilliseconds);
    }
    else
    {
        line.Append(L"                          ", kPrefixLength);
    }
    line.AppendFormatV(format, args);
    line.Append(L"\r\n");
    m_text += line;
}
