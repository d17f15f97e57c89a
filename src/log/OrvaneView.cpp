#include "OrvaneView.h"

#include "LastError.h"

#include <memory>

void COrvaneView::AppendEntry(const CLogEntry& entry) noexcept
{
    if (entry.IsEmpty())
        return;
    const int end = GetWindowTextLength();
    SetSel(end, end);
    ScrollCaret();
    ReplaceSel(entry.GetText(), FALSE);
}

BOOL COrvaneView::SaveToFile(const wchar_t* path, CKeptFiles* kept)
{
    return RunReportingOutOfMemory([&] {
        // The control's text is exactly what the file holds: UTF-16LE code units, CR LF
        // line ends, no byte-order mark and no terminating NUL. The buffer is left
        // uninitialised: the control fills it, and clearing megabytes first would cost about
        // as much as the copy itself.
        const int length = GetWindowTextLength();
        const std::unique_ptr<wchar_t[]> text(length > 0 ? new wchar_t[static_cast<size_t>(length) + 1] : nullptr);
        const int copied = text ? GetWindowText(text.get(), length + 1) : 0;
        return WriteFileAtomically(path, text.get(), static_cast<DWORD>(copied) * sizeof(wchar_t), kept,
                                   &m_strayBackups);
    });
}
