#pragma once
// CLogEntry: the lines of one log entry (an event with its detail lines, or a status line),
// built as plain text before the log view is touched. Every line is a prefix, the formatted
// text and CR LF; the prefix is the local time when m_bTimestamp is true and 26 blanks when
// it is false, so detail lines line up under the text of the entry's first line.
#include "WideString.h"

#include <windows.h>
#include <cstdarg>
#include <new>

class CLogEntry
{
public:
    static constexpr int kPrefixLength = 26;

    // Where the time stamp comes from: the local time, or a fixed clock in tests.
    using Clock = void(WINAPI*)(LPSYSTEMTIME);

    // Room for a typical event with its detail lines, so that building one does not regrow it.
    // Only a hint: an entry is made whatever memory does, since the frame answers a device
    // query with it and must never refuse one; the lines then grow the text as they come.
    explicit CLogEntry(Clock clock = &::GetLocalTime) noexcept : m_clock(clock)
    {
        try
        {
            m_text.Preallocate(512);
        }
        catch (const std::bad_alloc&)
        {
        }
    }
    CLogEntry(const CLogEntry&) = delete;
    CLogEntry& operator=(const CLogEntry&) = delete;

    // True: the next line opens the entry and gets the time stamp. False: it gets the indent.
    bool m_bTimestamp = true;

    // Every line appended from here on is a detail line under the entry's first line.
    void StartDetailLines() noexcept { m_bTimestamp = false; }

    void AppendLine(const wchar_t* format, ...);
    // The format is string resource formatId; a missing string gives an empty format.
    void AppendLine(UINT formatId, ...);

    [[nodiscard]] const CString& GetText() const noexcept { return m_text; }
    [[nodiscard]] bool IsEmpty() const noexcept { return m_text.IsEmpty(); }

private:
    void AppendLineV(const wchar_t* format, va_list args);

    Clock m_clock;
    CString m_text;
};
