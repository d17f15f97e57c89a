#include "MainFrame.h"

#include "DeviceChange.h"
#include "LogFont.h"
#include "LogHeader.h"
#include "resource.h"

#include <new>

namespace
{
constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
constexpr DWORD kFrameExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
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
    return CFrameWindowImpl::CreateEx(IDR_MAINFRAME, nullptr, CWindow::rcDefault, kFrameStyle, kFrameExStyle);
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

BOOL CMainFrame::ProcessWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD)
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

LRESULT CMainFrame::OnDeviceChangeMessage(WPARAM wParam, LPARAM lParam)
{
    // The event's lines reach the log as one entry; the decoder's BOOL, sign-extended, is the
    // message result. The decoder throws nothing and answers every query with TRUE, also when
    // memory runs out while it builds the lines.
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

    if (m_loop != nullptr)
    {
        m_loop->AddMessageFilter(this);
        m_loop->AddIdleHandler(this);
    }
    return 0;
}

HWND CMainFrame::CreateBars()
{
    HWND toolBar = frame_bars::CreateToolBarFromResource(m_hWnd, IDR_MAINFRAME, false, kToolBarStyle, ATL_IDW_TOOLBAR);

    m_hWndReBar = frame_bars::CreateReBar(m_hWnd, kReBarStyle, ATL_IDW_TOOLBAR);
    frame_bars::AddReBarBand(m_hWndReBar, toolBar, false);

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
    if (m_loop != nullptr)
    {
        m_loop->RemoveMessageFilter(this);
        m_loop->RemoveIdleHandler(this);
    }
}

void CMainFrame::NewLog()
{
    CString header;
    BuildLogHeader(header);
    m_view.SetWindowText(header);
    m_view.SetModify(FALSE);
}
