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

COrvaneView::CEntry::CEntry(COrvaneView& view) : m_view(view), m_previous(view.m_pOpenEntry)
{
    m_text.Preallocate(512);
    m_view.m_pOpenEntry = &m_text;
}

COrvaneView::CEntry::~CEntry()
{
    m_view.m_pOpenEntry = m_previous;
}

void COrvaneView::CEntry::Commit()
{
    m_view.m_pOpenEntry = m_previous;
    if (m_previous != nullptr)
        m_previous->Append(m_text);
    else if (!m_text.IsEmpty())
        m_view.InsertAtEnd(m_text);
    m_text.Empty();
}

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

    if (m_pOpenEntry != nullptr)
        m_pOpenEntry->Append(line);
    else
        InsertAtEnd(line);
}

void COrvaneView::InsertAtEnd(const wchar_t* text)
{
    const int end = GetWindowTextLength();
    SetSel(end, end);
    ScrollCaret();
    ReplaceSel(text, FALSE);
}

BOOL COrvaneView::SaveToFile(const wchar_t* path, CString* keptCopy)
{
    try
    {
        // The control's text is exactly what the file holds: UTF-16LE code units, CR LF
        // line ends, no byte-order mark and no terminating NUL.
        const int length = GetWindowTextLength();
        CString text;
        const int copied = length > 0 ? GetWindowText(text.GetBuffer(length), length + 1) : 0;
        text.ReleaseBuffer(copied);
        return WriteFileAtomically(path, text.GetString(), static_cast<DWORD>(copied) * sizeof(wchar_t), {},
                                   keptCopy);
    }
    catch (const std::bad_alloc&)
    {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
}
