#pragma once
// The system's two save dialogs. CShellFileSaveDialog wraps the shell's IFileSaveDialog
// object; CFileDialog the older common save dialog (GetSaveFileNameW), for
// systems where the shell object cannot be created. Both are modal to an owner window.
#include "ComPtr.h"

#include <windows.h>
#include <commdlg.h>
#include <shobjidl.h>

class CShellFileSaveDialog
{
public:
    CShellFileSaveDialog() noexcept = default;

    // Creates the shell's dialog object; every other call fails with E_POINTER before this
    // has succeeded.
    HRESULT Create() noexcept;

    HRESULT SetFileName(const wchar_t* name) noexcept;
    // Replaces the dialog's options as a whole (FOS_* flags).
    HRESULT SetOptions(FILEOPENDIALOGOPTIONS options) noexcept;
    HRESULT SetDefaultExtension(const wchar_t* extension) noexcept;
    HRESULT SetFileTypes(UINT count, const COMDLG_FILTERSPEC* types) noexcept;

    // Runs the dialog modally. Cancelling is a failure: HRESULT_FROM_WIN32(ERROR_CANCELLED).
    HRESULT Show(HWND owner) noexcept;

    // Copies the chosen file's file-system path into buffer when it fits with its
    // terminator; otherwise DISP_E_BUFFERTOOSMALL and buffer is left as it was. Any answer
    // of the dialog other than S_OK is returned as a failure.
    HRESULT GetFilePath(wchar_t* buffer, size_t capacity) noexcept;

private:
    CComPtr<IFileSaveDialog> m_dialog;
};

class CFileDialog
{
public:
    // The classic dialog always gets the Explorer look, a hook and resizing, on top of the
    // caller's flags. A hooked dialog is the common dialog library's own, which does not rest
    // on the shell's save-dialog object: this dialog is the one used when that object cannot
    // be created.
    static constexpr DWORD kFrameworkFlags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;

    // filter: "Name\0Pattern\0...\0\0". fileName: the proposed name (cut to MAX_PATH - 1).
    CFileDialog(const wchar_t* defaultExtension, const wchar_t* fileName, DWORD flags, const wchar_t* filter) noexcept;
    // m_ofn points into the object itself.
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK with the chosen path in m_szFileName, IDCANCEL when the user cancelled or the dialog
    // failed (CommDlgExtendedError tells which).
    INT_PTR DoModal(HWND owner) noexcept;

    wchar_t m_szFileName[MAX_PATH]{};

private:
    OPENFILENAMEW m_ofn{};
};
