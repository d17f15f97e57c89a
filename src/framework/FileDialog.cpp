#include "FileDialog.h"

#include "UniqueHandle.h"

#include <cwchar>

namespace
{
// The dialog's success codes other than S_OK (S_FALSE) carry no result to use.
HRESULT OkOrFailure(HRESULT hr) noexcept
{
    return hr == S_OK || FAILED(hr) ? hr : E_FAIL;
}
} // namespace

HRESULT CShellFileSaveDialog::Create() noexcept
{
    return ::CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_ALL, IID_IFileSaveDialog, m_dialog.PutVoid());
}

HRESULT CShellFileSaveDialog::SetFileName(const wchar_t* name) noexcept
{
    return m_dialog ? m_dialog->SetFileName(name) : E_POINTER;
}

HRESULT CShellFileSaveDialog::SetOptions(FILEOPENDIALOGOPTIONS options) noexcept
{
    return m_dialog ? m_dialog->SetOptions(options) : E_POINTER;
}

HRESULT CShellFileSaveDialog::SetDefaultExtension(const wchar_t* extension) noexcept
{
    return m_dialog ? m_dialog->SetDefaultExtension(extension) : E_POINTER;
}

HRESULT CShellFileSaveDialog::SetFileTypes(UINT count, const COMDLG_FILTERSPEC* types) noexcept
{
    return m_dialog ? m_dialog->SetFileTypes(count, types) : E_POINTER;
}

HRESULT CShellFileSaveDialog::Show(HWND owner) noexcept
{
    return m_dialog ? m_dialog->Show(owner) : E_POINTER;
}

HRESULT CShellFileSaveDialog::GetFilePath(wchar_t* buffer, size_t capacity) noexcept
{
    if (!m_dialog)
        return E_POINTER;
    if (buffer == nullptr)
        return E_INVALIDARG;

    CComPtr<IShellItem> item;
    HRESULT hr = OkOrFailure(m_dialog->GetResult(&item));
    if (hr != S_OK)
        return hr;
    if (!item)
        return E_FAIL;

    wchar_t* name = nullptr;
    hr = OkOrFailure(item->GetDisplayName(SIGDN_FILESYSPATH, &name));
    const unique_cotaskmem nameOwner(name);
    if (hr != S_OK)
        return hr;
    if (name == nullptr)
        return E_FAIL;

    const size_t length = wcslen(name);
    if (length >= capacity)
        return DISP_E_BUFFERTOOSMALL;
    wmemcpy(buffer, name, length + 1);
    return S_OK;
}

CFileDialog::CFileDialog(const wchar_t* defaultExtension, const wchar_t* fileName, DWORD flags,
                         const wchar_t* filter) noexcept
{
    if (fileName != nullptr)
    {
        wcsncpy(m_szFileName, fileName, MAX_PATH - 1);
        m_szFileName[MAX_PATH - 1] = L'\0';
    }
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hInstance = ::GetModuleHandleW(nullptr);
    m_ofn.lpstrFilter = filter;
    m_ofn.nFilterIndex = 0;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrDefExt = defaultExtension;
    m_ofn.Flags = flags | kFrameworkFlags;
    m_ofn.lpfnHook = [](HWND, UINT, WPARAM, LPARAM) -> UINT_PTR { return 0; }; // leaves every message to the dialog
}

INT_PTR CFileDialog::DoModal(HWND owner) noexcept
{
    m_ofn.hwndOwner = owner;
    return ::GetSaveFileNameW(&m_ofn) ? IDOK : IDCANCEL;
}
