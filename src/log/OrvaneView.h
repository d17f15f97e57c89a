#pragma once
// COrvaneView: the log. A read-only multi-line EDIT control (a superclass of "EDIT") that
// holds the only copy of the log text; every line goes through AppendLineV, which puts the
// time stamp or an indent of the same width in front and CR LF after it.
#include "framework/WideString.h"
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

    // Collects the lines appended while it is open, so a whole entry (an event with its
    // detail lines) reaches the control in one insert: under a storm of events each insert
    // into a visible EDIT control costs far more than the text it carries. Lines of an entry
    // that is never committed (building it failed) do not reach the log at all.
    class CEntry
    {
    public:
        explicit CEntry(COrvaneView& view);
        CEntry(const CEntry&) = delete;
        CEntry& operator=(const CEntry&) = delete;
        ~CEntry();
        void Commit();

    private:
        COrvaneView& m_view;
        CString m_text;
        CString* m_previous;
    };

    void AppendLine(const wchar_t* format, ...);
    void AppendLine(UINT formatId, ...);
    void AppendLineV(const wchar_t* format, va_list args);

    // Writes the whole text, UTF-16LE without a byte-order mark, to path. keptCopy receives
    // the path of a temporary file kept as the only copy of the text when path was lost.
    BOOL SaveToFile(const wchar_t* path, CString* keptCopy = nullptr);

    BOOL ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&, DWORD = 0) { return FALSE; }

private:
    CString* m_pOpenEntry = nullptr;

    // Puts text at the end, moves the caret there and shows it; marks the log modified.
    void InsertAtEnd(const wchar_t* text);
};
