#pragma once
// CFileFilter: the file-type list of the save dialogs, read from a string resource of the
// form "Name|Pattern|Name|Pattern|". It serves both dialog kinds: the classic dialog takes
// the text with every "|" turned into a NUL (a double-NUL-terminated list), the shell
// dialog takes name/pattern pairs, which point into that same text.
#include "WideString.h"

#include <windows.h>
#include <shobjidl.h>
#include <vector>

class CFileFilter
{
public:
    CFileFilter() = default;
    // The pairs point into this object's own text: it is neither copied nor moved.
    CFileFilter(const CFileFilter&) = delete;
    CFileFilter& operator=(const CFileFilter&) = delete;

    // Replaces the filter with string resource id (empty when the string is missing).
    HRESULT Load(UINT id);

    // NUL-separated names and patterns, ending in two NULs when the text ended in "|".
    [[nodiscard]] const wchar_t* GetText() const noexcept { return m_text.GetString(); }
    [[nodiscard]] const COMDLG_FILTERSPEC* GetSpecs() const noexcept { return m_specs.data(); }
    [[nodiscard]] UINT GetCount() const noexcept { return static_cast<UINT>(m_specs.size()); }

private:
    HRESULT Split();

    CString m_text;
    std::vector<COMDLG_FILTERSPEC> m_specs;
};
