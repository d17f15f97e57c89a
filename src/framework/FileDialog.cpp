#include "FileDialog.h"

#include "UniqueHandle.h"

#include <cwchar>
#include <iterator>

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

CFileDialog::CFileDialog(const wchar_t* defaultExtension, const wchar_t* fileName, DWORD flags, const wchar_t* filter,
                         HWND parent) noexcept
{
    if (fileName != nullptr)
    {
        wcsncpy(m_szFileName, fileName, MAX_PATH - 1);
        m_szFileName[MAX_PATH - 1] = L'\0';
    }
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = parent;
    m_ofn.hInstance = ::GetModuleHandleW(nullptr);
    m_ofn.lpstrFilter = filter;
    m_ofn.nFilterIndex = 0;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = static_cast<DWORD>(std::size(m_szFileTitle));
    m_ofn.lpstrDefExt = defaultExtension;
    m_ofn.Flags = flags | kFrameworkFlags;
    m_ofn.lpfnHook = &CFileDialog::HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
}

INT_PTR CFileDialog::DoModal(HWND parent) noexcept
{
    if (m_ofn.hwndOwner == nullptr)
        m_ofn.hwndOwner = parent;
    const BOOL chosen = ::GetSaveFileNameW(&m_ofn);
    m_hWnd = nullptr;
    return chosen ? IDOK : IDCANCEL;
}

// With OFN_EXPLORER the hook belongs to an empty child dialog inside the real one; its
// parent is the dialog the user sees. Returning 0 leaves every message to the dialog.
UINT_PTR CALLBACK CFileDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) noexcept
{
    if (message == WM_INITDIALOG)
    {
        const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
        auto* self = ofn != nullptr ? reinterpret_cast<CFileDialog*>(ofn->lCustData) : nullptr;
        if (self != nullptr)
        {
            self->m_hWnd = ::GetParent(hWnd);
            ::SetWindowLongPtrW(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        }
    }
    else if (message == WM_DESTROY)
    {
        auto* self = reinterpret_cast<CFileDialog*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
        if (self != nullptr)
            self->m_hWnd = nullptr;
    }
    return 0;
}
