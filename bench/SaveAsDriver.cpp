#include "SaveAsDriver.h"

#include "OrvaneRun.h"
#include "Wait.h"
#include "WindowQuery.h"

#include <vector>

namespace
{
// The dialog proposes the program's file name with ".txt".
constexpr wchar_t kProposedName[] = L"Orvane.txt";

HWND FindSaveDialog(DWORD processId)
{
    const std::vector<HWND> dialogs = FindTopLevelWindows(processId, L"#32770");
    return dialogs.empty() ? nullptr : dialogs.front();
}

// The visible edit control that shows the proposed name (a descendant, not always a child).
HWND FindNameField(HWND dialog)
{
    struct Search
    {
        HWND found = nullptr;
    } search;
    ::EnumChildWindows(
        dialog,
        [](HWND child, LPARAM param) -> BOOL {
            std::wstring text;
            if (::_wcsicmp(WindowClassName(child).c_str(), L"Edit") != 0 || !::IsWindowVisible(child) ||
                !ReadWindowText(child, text, 2000) || text != kProposedName)
                return TRUE;
            reinterpret_cast<Search*>(param)->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ULONGLONG FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return ~0ULL;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
} // namespace

bool SaveAsThroughDialog(DWORD processId, HWND frame, const std::wstring& path, ULONGLONG expectedBytes,
                         DWORD timeoutMs)
{
    ::DeleteFileW(path.c_str());
    if (!::PostMessageW(frame, WM_COMMAND, MAKEWPARAM(COrvaneRun::kFileSaveAs, 0), 0))
        return false;
    HWND dialog = nullptr;
    HWND name = nullptr;
    if (!WaitUntil([&] { return (dialog = FindSaveDialog(processId)) != nullptr && (name = FindNameField(dialog)) != nullptr; },
                   timeoutMs))
        return false;
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_NORMAL, timeoutMs, &ignored);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    return WaitUntil([&] { return !::IsWindow(dialog) && FileSize(path) == expectedBytes; }, timeoutMs);
}
