#pragma once
// COrvaneView: the log. A read-only multi-line EDIT control (a superclass of "EDIT") that
// holds the only copy of the log text; every line goes through AppendLineV, which puts the
// time stamp or an indent of the same width in front and CR LF after it.
#include "framework/WindowImpl.h"

class COrvaneView : public CWindowImpl<COrvaneView, CEdit, CControlWinTraits>
{
public:
    static constexpr int kPrefixLength = 26;

    static CWndClassInfo& GetWndClassInfo()
    {
        static CWndClassInfo info = CWndClassInfo::Superclass(nullptr, L"EDIT");
        return info;
    }

    // True: the next line starts an entry and gets the local time. False: it gets 26 blanks.
    bool m_bTimestamp = true;

    void AppendLine(const wchar_t* format, ...);
    void AppendLine(UINT formatId, ...);
    void AppendLineV(const wchar_t* format, va_list args);

    // Writes the whole text, UTF-16LE without a byte-order mark, to path.
    BOOL SaveToFile(const wchar_t* path);

    BOOL ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&, DWORD = 0) { return FALSE; }
};
