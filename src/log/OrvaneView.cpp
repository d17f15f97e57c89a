#include "OrvaneView.h"

#include "WriteFileAtomically.h"

#include <new>

void COrvaneView::AppendEntry(const CLogEntry& entry)
{
    if (entry.IsEmpty())
        return;
    const int end = GetWindowTextLength();
    SetSel(end, end);
    ScrollCaret();
    ReplaceSel(entry.GetText(), FALSE);
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
        return WriteFileAtomically(path, text.GetString(), static_cast<DWORD>(copied) * sizeof(wchar_t), keptCopy);
    }
    catch (const std::bad_alloc&)
    {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
}
