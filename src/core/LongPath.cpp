#include "LongPath.h"

#include <windows.h>

#include <cwchar>

void AllowLongPath(CString& path)
{
    if (path.GetLength() < MAX_PATH || wcsncmp(path, L"\\\\?\\", 4) == 0)
        return;
    // A share's path takes the form for shares: the plain "\\?\" before "\\server" names no file.
    CString extended;
    if (wcsncmp(path, L"\\\\", 2) == 0)
        extended.Format(L"\\\\?\\UNC\\%s", path.GetString() + 2);
    else
        extended.Format(L"\\\\?\\%s", path.GetString());
    path = extended;
}

const wchar_t* ShownPath(CString& path) noexcept
{
    wchar_t* text = path.GetBuffer(0);
    if (wcsncmp(text, L"\\\\?\\UNC\\", 8) == 0)
    {
        text[6] = L'\\'; // "\\?\UN\\server\x": the server's two separators start at index 6
        return text + 6;
    }
    return wcsncmp(text, L"\\\\?\\", 4) == 0 ? text + 4 : text;
}
