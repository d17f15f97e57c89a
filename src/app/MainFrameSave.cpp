// Saving the log: to the remembered path, or to one chosen in the save dialog.
#include "AppMessageBox.h"
#include "MainFrame.h"
#include "FileDialog.h"
#include "FileFilter.h"
#include "ModulePath.h"
#include "resource.h"

#include <shlwapi.h>

namespace
{
constexpr wchar_t kDefaultExtension[] = L".txt";
constexpr wchar_t kFallbackFileName[] = L"Orvane.txt";

// The program's own file name with ".txt" in place of its extension.
void GetDefaultFileName(wchar_t (&name)[MAX_PATH])
{
    if (!GetModulePath(nullptr, name))
    {
        lstrcpynW(name, kFallbackFileName, MAX_PATH);
        return;
    }
    ::PathStripPathW(name);
    ::PathRenameExtensionW(name, kDefaultExtension);
}

void ShowPathTooLong()
{
    AppMessageBox(IDS_SAVE_FAILED, 0, HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
}
} // namespace

bool CMainFrame::SaveLog()
{
    const CSaveBusy busy(m_bSaveBusy);
    if (m_szFilePath[0] == L'\0')
        return SaveLogAs();
    CKeptFiles kept;
    if (!m_view.SaveToFile(m_szFilePath, &kept))
    {
        ShowSaveFailed(kept);
        return false;
    }
    m_view.SetModify(FALSE);
    return true;
}

bool CMainFrame::SaveLogAs()
{
    const CSaveBusy busy(m_bSaveBusy);
    wchar_t defaultName[MAX_PATH];
    GetDefaultFileName(defaultName);
    // A filter that cannot be loaded stays empty: the dialogs then offer no file types.
    CFileFilter filter;
    (void)filter.Load(IDS_FILE_FILTER);

    CShellFileSaveDialog shellDialog;
    if (SUCCEEDED(shellDialog.Create()))
    {
        // The proposed name, extension and file types only help; a dialog without its options
        // would replace a file without asking, so it is not shown.
        (void)shellDialog.SetFileName(defaultName);
        if (FAILED(shellDialog.SetOptions(FOS_OVERWRITEPROMPT | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST)))
            return false;
        (void)shellDialog.SetDefaultExtension(kDefaultExtension);
        if (filter.GetCount() > 0)
            (void)shellDialog.SetFileTypes(filter.GetCount(), filter.GetSpecs());
        if (FAILED(shellDialog.Show(::GetActiveWindow())))
            return false;
        const HRESULT hr = shellDialog.GetFilePath(m_szFilePath, MAX_PATH);
        if (hr == DISP_E_BUFFERTOOSMALL)
        {
            ShowPathTooLong();
            return false;
        }
        if (hr != S_OK)
            return false;
        return SaveLog();
    }

    // No shell dialog on this system: the classic one, which always proposes the fixed name.
    CFileDialog dialog(kDefaultExtension, kFallbackFileName,
                       OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, filter.GetText());
    if (dialog.DoModal(::GetActiveWindow()) != IDOK)
    {
        if (::CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
            ShowPathTooLong();
        return false;
    }
    lstrcpynW(m_szFilePath, dialog.m_szFileName, MAX_PATH);
    return SaveLog();
}
