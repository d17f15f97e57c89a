#include "MainFrame.h"

#include "AppModule.h"
#include "DeviceChange.h"
#include "LogFont.h"
#include "LogHeader.h"
#include "OSDescription.h"
#include "resource.h"

#include <new>

namespace
{
constexpr DWORD kToolBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TBSTYLE_TOOLTIPS |
                                TBSTYLE_FLAT | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
constexpr DWORD kReBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                              RBS_BANDBORDERS | RBS_AUTOSIZE | CCS_NODIVIDER;
constexpr DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | SBARS_SIZEGRIP;

constexpr CUpdateUIElement kUpdateUIMap[] = {
    {ID_NOTIFICATIONS_DEVICE, UPDUI_MENUPOPUP},
    {ID_VIEW_TOOLBAR, UPDUI_MENUPOPUP},
    {ID_VIEW_STATUS_BAR, UPDUI_MENUPOPUP},
    {0, 0},
};

// One step of creating the frame; a step that runs out of memory leaves what it built and
// nothing else.
template <class TStep>
void CreationStep(TStep&& step)
{
    try
    {
        step();
    }
    catch (const std::bad_alloc&)
    {
    }
}
} // namespace

CWndClassInfo& CMainFrame::GetWndClassInfo()
{
    return GetFrameClassInfo(IDR_MAINFRAME);
}

const CUpdateUIElement* CMainFrame::GetUpdateUIMap()
{
    return kUpdateUIMap;
}

CMainFrame::~CMainFrame() = default;

HWND CMainFrame::CreateEx()
{
    // On Windows WMI is another process, and while this single-threaded apartment waits on it
    // COM hands the thread's windows what other programs send them: a device change logged
    // there would be wiped by the header a moment later, a log-off query would ask about a log
    // the user has just dropped. The description cannot change while the program runs, so it
    // is asked once, while the frame cannot receive anything.
    m_bHasOSDescription = GetOSDescription(m_szOSDescription) == S_OK;
    m_szOSDescription[kOSDescriptionCapacity - 1] = L'\0';
    return CFrameWindowImpl::CreateEx(IDR_MAINFRAME);
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (m_hAccel == nullptr || m_hWnd == nullptr)
        return FALSE;
    return ::TranslateAcceleratorW(m_hWnd, m_hAccel, pMsg);
}

void CMainFrame::OnIdle()
{
    UIUpdateToolBar();
}

// Where these handlers run inside a wait of this thread. A modal loop, or a COM call into another
// process, dispatches what other programs send the frame: device changes, a log-off query, a
// close, even a command. Input does not reach a frame that its own box or dialog has disabled.
//
// Wait (who waits)                  | What arrives                 | Why log, mark, path and question hold
// ----------------------------------+------------------------------+-----------------------------------------
// save question (PromptSaveChanges),| device change                | logged; a save reads the text after the
// failed-save and path-too-long     |                              | question and the dialog, so it writes the
// boxes, save dialogs (SaveLog,     |                              | line before it clears the mark; No drops
// SaveLogAs): all under m_bSaveBusy |                              | it with the log the question was about
//                                   | log-off, close, New, Exit    | refused or ignored without asking: the
//                                   |                              | open question's answer alone decides
//                                   | Save, Save As from the menu, | a save of its own: the mark and the path
//                                   | which a box or dialog without| follow it; Yes then saves once more
//                                   | owner (the frame was inactive|
//                                   | as it opened) leaves usable  |
// notification error box            | all of the above             | its handler does nothing after the box
// About box, and ShellExecuteW for  | all of the above             | a close or log-off asks as anywhere; a
// its link (a COM call that may     |                              | close that goes on takes the box with the
// wait on the browser)              |                              | frame; OnAppAbout touches nothing after
// the system's menu loop (menu bar, | WM_INITMENUPOPUP and         | they only read state into the menu and the
// TrackPopupMenu, the log's own     | WM_MENUSELECT (update-UI,    | status bar; the chosen command runs once the
// context menu)                     | prompts); device change,     | loop is over; a logged line collapses the
//                                   | close                        | log's selection, as every append does
//
// No other COM call waits on another process while the window exists: WMI is asked by CreateEx
// before. No wait lies between reading the log and changing the log, the mark or the path:
// NewLog, the save's file calls and pauses, and the decoder's SetupAPI look-ups dispatch nothing.
BOOL CMainFrame::ProcessWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_CREATE:
        result = OnCreate();
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        break; // the base layer posts the quit message
    case WM_DEVICECHANGE:
        result = OnDeviceChangeMessage(wParam, lParam);
        return TRUE;
    case WM_CLOSE:
        if (OnClose())
        {
            result = 0;
            return TRUE;
        }
        return FALSE;
    case WM_QUERYENDSESSION:
        result = OnQueryEndSession();
        return TRUE;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam)))
        {
            result = 0;
            return TRUE;
        }
        break;
    default:
        break;
    }
    if (ProcessUpdateUIMessage(message, wParam, lParam))
        return TRUE;
    return ProcessFrameMessage(hWnd, message, wParam, lParam, result);
}

LRESULT CMainFrame::OnDeviceChangeMessage(WPARAM wParam, LPARAM lParam) noexcept
{
    // The event's lines reach the log as one entry; the decoder's BOOL, sign-extended, is the
    // message result. Nothing here throws: the entry is made whatever memory does, and the
    // decoder answers every query with TRUE, also when memory runs out while it builds the lines.
    CLogEntry entry;
    const BOOL answer = OnDeviceChange(entry, static_cast<UINT>(wParam), static_cast<DWORD_PTR>(lParam));
    m_view.AppendEntry(entry);
    return static_cast<LRESULT>(static_cast<LONG>(answer));
}

// Creation always completes: each step stands on its own, so one that runs out of memory
// (the log's header) leaves the others whole, above all the accelerators and the idle step.
LRESULT CMainFrame::OnCreate()
{
    HWND toolBar = nullptr;
    CreationStep([&] { toolBar = CreateBars(); });
    CreationStep([&] { CreateLogView(); });
    CreationStep([&] { NewLog(); });
    CreationStep([&] { UIAddToolBar(toolBar); });

    // The toolbar's band, the rebar's only one: hidden, it leaves the rebar no height.
    if (m_hWndReBar != nullptr)
        ::SendMessageW(m_hWndReBar, RB_SHOWBAND, 0, FALSE);
    UISetCheck(ID_VIEW_TOOLBAR, false);
    UIEnable(ID_VIEW_TOOLBAR, false);
    UISetCheck(ID_VIEW_STATUS_BAR, true);

    if (CMessageLoop* loop = g_appModule.GetMessageLoop(::GetCurrentThreadId()))
    {
        loop->AddMessageFilter(this);
        loop->AddIdleHandler(this);
    }
    return 0;
}

HWND CMainFrame::CreateBars()
{
    HWND toolBar = frame_bars::CreateToolBarFromResource(m_hWnd, IDR_MAINFRAME, kToolBarStyle, ATL_IDW_TOOLBAR);

    m_hWndReBar = frame_bars::CreateReBar(m_hWnd, kReBarStyle, ATL_IDW_TOOLBAR);
    frame_bars::AddReBarBand(m_hWndReBar, toolBar);

    wchar_t ready[128] = {};
    ::LoadStringW(GetResourceInstance(), IDS_IDLE_MESSAGE, ready, 128);
    m_hWndStatusBar = ::CreateStatusWindowW(kStatusBarStyle, ready, m_hWnd, ATL_IDW_STATUS_BAR);
    return toolBar;
}

void CMainFrame::CreateLogView()
{
    m_hWndClient =
        m_view.Create(m_hWnd, CWindow::rcDefault, nullptr, COrvaneView::kStyle, WS_EX_CLIENTEDGE, ATL_IDW_CLIENT);
    m_font = CreateLogFont();
    if (m_font)
        m_view.SetFont(m_font.get(), TRUE);
    m_view.SetReadOnly(TRUE);
    m_view.SetLimitText(0);
}

void CMainFrame::OnDestroy()
{
    m_deviceNotification.Unregister();
    if (CMessageLoop* loop = g_appModule.GetMessageLoop(::GetCurrentThreadId()))
    {
        loop->RemoveMessageFilter(this);
        loop->RemoveIdleHandler(this);
    }
}

void CMainFrame::NewLog()
{
    CString header;
    BuildLogHeader(header, m_bHasOSDescription ? m_szOSDescription : nullptr);
    m_view.SetWindowText(header);
    m_view.SetModify(FALSE);
}
