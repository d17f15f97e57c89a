#include "SaveDialogDriver.h"

#include "LastError.h"
#include "OrvaneProcess.h"
#include "Wait.h"
#include "WindowQuery.h"

#include <dlgs.h>

namespace
{
constexpr wchar_t kDialogClass[] = L"#32770";

bool PressAndWaitForClose(HWND dialog, int buttonId, DWORD timeoutMs)
{
    HWND button = ::GetDlgItem(dialog, buttonId);
    // Posted: the dialog's answer may run a save, and this thread must not wait inside it.
    if (button == nullptr || !::PostMessageW(button, BM_CLICK, 0, 0))
        return false;
    return WaitUntil([dialog] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); }, timeoutMs);
}
} // namespace

HWND FindFileNameField(HWND dialog)
{
    if (HWND edit = FindChild(dialog, edt1, L"Edit"); edit != nullptr && ::IsWindowVisible(edit))
        return edit;
    HWND combo = FindChild(dialog, cmb13);
    if (combo == nullptr || !::IsWindowVisible(combo))
        return nullptr;
    // A ComboBoxEx keeps its edit one level further down, inside its combo box.
    for (HWND child : ChildWindows(combo))
    {
        if (WindowClassName(child) == L"Edit")
            return child;
        if (HWND inner = ::FindWindowExW(child, nullptr, L"Edit", nullptr))
            return inner;
    }
    return nullptr;
}

HWND WaitForSaveDialog(DWORD processId, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND dialog : FindTopLevelWindows(processId, kDialogClass))
            {
                if (FindFileNameField(dialog) != nullptr)
                {
                    found = dialog;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

bool HasOpenDialog(DWORD processId)
{
    return !FindTopLevelWindows(processId, kDialogClass).empty();
}

std::wstring ProposedFileName(HWND dialog)
{
    HWND field = FindFileNameField(dialog);
    std::wstring name;
    if (field == nullptr || !ReadWindowText(field, name))
        name.clear();
    return name;
}

bool SaveUnderName(HWND dialog, const std::wstring& path, DWORD timeoutMs)
{
    HWND field = FindFileNameField(dialog);
    DWORD_PTR accepted = FALSE;
    // WM_SETTEXT is copied across processes by the system, as a user's typing would arrive.
    if (field == nullptr || !::SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                                                   SMTO_NORMAL, timeoutMs, &accepted) ||
        accepted != TRUE)
        return false;
    return PressAndWaitForClose(dialog, IDOK, timeoutMs);
}

bool CancelSaveDialog(HWND dialog, DWORD timeoutMs)
{
    return PressAndWaitForClose(dialog, IDCANCEL, timeoutMs);
}

HRESULT CompleteSaveAs(OrvaneProcess& orvane, const std::wstring& path, DWORD timeoutMs)
{
    HWND dialog = WaitForSaveDialog(orvane.ProcessId(), timeoutMs);
    if (dialog == nullptr)
        return HRESULT_FROM_WIN32(ERROR_TIMEOUT);
    if (!::DeleteFileW(path.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND)
        return LastErrorResult();
    if (!SaveUnderName(dialog, path, timeoutMs))
        return HRESULT_FROM_WIN32(ERROR_TIMEOUT);
    bool modified = true;
    if (!WaitUntil([&] { return orvane.IsLogModified(modified) && !modified; }, timeoutMs))
        return HRESULT_FROM_WIN32(ERROR_WRITE_FAULT);
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ? S_OK
                                                                         : HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
}
