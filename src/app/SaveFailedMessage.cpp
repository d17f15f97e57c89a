// The message of a failed save, naming the files it kept as the only copies of a version.
#include "AppMessageBox.h"

#include "WriteFileAtomically.h"
#include "resource.h"

#include <cwchar>

namespace
{
// A path as the user knows it, without the extended-length prefix that the save gives long
// paths: "\\?\C:\x" reads "C:\x", "\\?\UNC\server\x" reads "\\server\x". Rewrites path in
// place, so that naming a kept file needs no memory.
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
} // namespace

int ShowSaveFailed(CKeptFiles& kept)
{
    if (kept.newText.IsEmpty())
        return AppMessageBox(IDS_SAVE_FAILED, 0, -1);
    if (kept.earlierFile.IsEmpty())
        return AppMessageBox(IDS_SAVE_FAILED_KEPT, 0, -1, ShownPath(kept.newText));
    return AppMessageBox(IDS_SAVE_FAILED_KEPT_BOTH, 0, -1, ShownPath(kept.newText), ShownPath(kept.earlierFile));
}
