#pragma once
// COrvaneView: the log. A read-only multi-line EDIT control (a superclass of "EDIT") that
// holds the only copy of the log text. It takes finished entries only: every entry is built
// whole (CLogEntry) before the control is touched, and reaches it in one insert, since each
// insert into a visible EDIT control costs far more than the text it carries.
#include "LogEntry.h"
#include "WindowImpl.h"
#include "WriteFileAtomically.h"

class COrvaneView : public CWindowImpl<COrvaneView, CEdit, CControlWinTraits>
{
public:
    // A scrolling multi-line edit control that keeps its selection shown without the focus.
    static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_HSCROLL |
                                    WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL;

    static CWndClassInfo& GetWndClassInfo()
    {
        static CWndClassInfo info(nullptr, L"EDIT");
        return info;
    }

    // Puts the entry's text at the end, moves the caret there and shows it; marks the log
    // modified. An empty entry changes nothing.
    void AppendEntry(const CLogEntry& entry) noexcept;

    // Writes the whole text, UTF-16LE without a byte-order mark, to path. kept receives the
    // files a failure left as the only copies of the new text and of the earlier file. Blocks for
    // about a second at most while another program holds the file.
    BOOL SaveToFile(const wchar_t* path, CKeptFiles* kept = nullptr);

    BOOL ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) { return FALSE; }

private:
    // Backups of earlier files that a save could not delete; the next save or the view's end
    // deletes them.
    CStrayBackups m_strayBackups;
};
