// The frame's commands and the save prompt that guards closing and starting a new log.
#include "AppMessageBox.h"
#include "MainFrame.h"
#include "resource.h"
#include "AboutDlg.h"

BOOL CMainFrame::OnCommand(UINT id)
{
    switch (id)
    {
    case ID_FILE_NEW: OnFileNew(); return TRUE;
    case ID_FILE_SAVE: OnFileSave(); return TRUE;
    case ID_FILE_SAVE_AS: OnFileSaveAs(); return TRUE;
    case ID_APP_EXIT: OnAppExit(); return TRUE;
    case ID_APP_ABOUT: OnAppAbout(); return TRUE;
    case ID_VIEW_TOOLBAR: OnViewToolBar(); return TRUE;
    case ID_VIEW_STATUS_BAR: OnViewStatusBar(); return TRUE;
    case ID_NOTIFICATIONS_DEVICE: OnNotificationsDevice(); return TRUE;
    default:
        // Open, Print, the edit keys and the pane keys have no handler: they do nothing.
        return FALSE;
    }
}

bool CMainFrame::PromptSaveChanges()
{
    if (m_bSaveBusy)
        return false;
    if (!m_view.GetModify())
        return true;
    const CSaveBusy busy(m_bSaveBusy);
    switch (AppMessageBox(IDS_SAVE_CHANGES, MB_YESNOCANCEL | MB_ICONQUESTION, S_OK))
    {
    case IDCANCEL:
        return false;
    case IDYES:
        return SaveLog();
    default:
        return true;
    }
}

// True when the close is refused (the message is then handled with result 0).
BOOL CMainFrame::OnClose()
{
    return PromptSaveChanges() ? FALSE : TRUE;
}

// Logging off or shutting down asks like a close; Cancel or a failed save refuses it.
BOOL CMainFrame::OnQueryEndSession()
{
    return PromptSaveChanges() ? TRUE : FALSE;
}

void CMainFrame::OnFileNew()
{
    if (!PromptSaveChanges())
        return;
    NewLog();
    m_szFilePath[0] = L'\0';
}

void CMainFrame::OnFileSave()
{
    SaveLog();
}

void CMainFrame::OnFileSaveAs()
{
    SaveLogAs();
}

void CMainFrame::OnAppExit()
{
    if (!m_bSaveBusy)
        PostMessage(WM_CLOSE);
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg dialog;
    dialog.DoModal(::GetActiveWindow());
}

// Kept: the hidden toolbar's command; no menu item carries it, but a WM_COMMAND still shows it.
void CMainFrame::OnViewToolBar()
{
    m_bToolBarVisible = !m_bToolBarVisible;
    if (m_hWndReBar != nullptr)
    {
        const LRESULT band = ::SendMessageW(m_hWndReBar, RB_IDTOINDEX, ATL_IDW_BAND_FIRST, 0);
        ::SendMessageW(m_hWndReBar, RB_SHOWBAND, static_cast<WPARAM>(band), m_bToolBarVisible);
    }
    UISetCheck(ID_VIEW_TOOLBAR, m_bToolBarVisible);
    UpdateLayout(true);
}

void CMainFrame::OnViewStatusBar()
{
    if (m_hWndStatusBar == nullptr)
        return;
    const bool show = !::IsWindowVisible(m_hWndStatusBar);
    ::ShowWindow(m_hWndStatusBar, show ? SW_SHOWNOACTIVATE : SW_HIDE);
    UISetCheck(ID_VIEW_STATUS_BAR, show);
    UpdateLayout(true);
}

void CMainFrame::OnNotificationsDevice()
{
    const bool turnOn = !m_bDeviceNotifications;
    const HRESULT hr = turnOn ? m_deviceNotification.Register(m_hWnd) : m_deviceNotification.Unregister();
    if (hr != S_OK)
    {
        AppMessageBox(turnOn ? IDS_NOTIFICATIONS_START_FAILED : IDS_NOTIFICATIONS_STOP_FAILED, 0, hr);
        return;
    }
    // The state follows the registration before the status line is built, which can run out of
    // memory: the next toggle then still goes the other way.
    m_bDeviceNotifications = turnOn;
    UISetCheck(ID_NOTIFICATIONS_DEVICE, turnOn);
    // A status line always opens an entry of its own, never indented under an event.
    CLogEntry status;
    status.AppendLine(turnOn ? IDS_NOTIFICATIONS_ENABLED : IDS_NOTIFICATIONS_DISABLED);
    m_view.AppendEntry(status);
}
