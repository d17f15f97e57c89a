#include "AboutDlg.h"

#include "AboutText.h"
#include "VersionInfo.h"
#include "CenterWindow.h"

#include <shellapi.h>

BOOL CAboutDlg::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_INITDIALOG:
        result = OnInitDialog();
        return TRUE;
    case WM_NOTIFY:
    {
        BOOL handled = TRUE;
        result = OnNotify(static_cast<int>(wParam), reinterpret_cast<const NMHDR*>(lParam), handled);
        return handled;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
        {
            result = OnCloseCmd(LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

LRESULT CAboutDlg::OnInitDialog()
{
    // Read once, as the reader is made. Without the record the dialog stays as the template
    // drew it, placeholders and all.
    const CAppVersionInfo info;
    if (!info.IsLoaded())
        return FALSE;

    ShowVersionRecord(info);
    CenterWindow(m_hWnd, GetParent());
    return TRUE;
}

void CAboutDlg::ShowVersionRecord(const CVersionInfo& info)
{
    // Every text is built before the first control changes.
    CString description;
    const bool hasDescription = FormatAboutDescription(info, description);
    CString version;
    FormatAboutVersion(info, version);
    CString copyright;
    const bool hasCopyright = info.GetStringValue(L"LegalCopyright", copyright);

    if (hasDescription)
        SetDlgItemText(IDC_ABOUT_DESCRIPTION, description);
    SetDlgItemText(IDC_ABOUT_VERSION, version);
    if (hasCopyright)
        SetDlgItemText(IDC_ABOUT_COPYRIGHT, copyright);
}

LRESULT CAboutDlg::OnNotify(int controlId, const NMHDR* header, BOOL& handled)
{
    if (controlId == IDC_ABOUT_LINK && (header->code == NM_CLICK || header->code == NM_RETURN))
    {
        const auto* link = reinterpret_cast<const NMLINK*>(header);
        if (link->item.iLink == 0)
            ::ShellExecuteW(nullptr, L"open", link->item.szUrl, nullptr, nullptr, SW_SHOW);
    }
    // The dialog manager's default processing follows in every case.
    handled = FALSE;
    return 0;
}

LRESULT CAboutDlg::OnCloseCmd(WORD commandId)
{
    EndDialog(commandId);
    return 0;
}
