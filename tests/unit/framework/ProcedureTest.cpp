// The window and dialog procedures tie each object to its window from the first message on, and
// let no exception out: one escaping the handler of WM_CREATE fails the window's creation instead
// of leaving a half-built window; in a dialog, EndDialog's value still comes back from DoModal.
#include "DialogImpl.h"
#include "WindowImpl.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <new>

namespace
{
class CThrowingWindow : public CWindowImpl<CThrowingWindow>
{
public:
    BOOL ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT&)
    {
        if (message == WM_CREATE)
            throw std::bad_alloc();
        return FALSE;
    }
};

// A dialog over the About template, whose link control it registers: once shown, it is sent a
// message whose handler throws (when asked to), then one that ends it.
class CProbeDialog : public CDialogImpl<CProbeDialog>
{
public:
    enum { IDD = IDD_ABOUTBOX };
    static constexpr UINT kThrow = WM_APP, kEnd = WM_APP + 1;
    static constexpr INITCOMMONCONTROLSEX kLinkControl{sizeof(INITCOMMONCONTROLSEX), ICC_LINK_CLASS};
    const bool m_throws;

    explicit CProbeDialog(bool throws) : m_throws(throws) { ::InitCommonControlsEx(&kLinkControl); }

    BOOL ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result)
    {
        switch (message)
        {
        case WM_INITDIALOG:
            if (m_throws)
                PostMessage(kThrow);
            PostMessage(kEnd);
            result = TRUE;
            return TRUE;
        case kThrow:
            throw std::bad_alloc();
        case kEnd:
            return EndDialog(77);
        default:
            return FALSE;
        }
    }
};
} // namespace

TEST(WindowImpl, ExceptionFromCreateFailsTheCreation)
{
    CThrowingWindow window;
    EXPECT_EQ(window.Create(nullptr, CWindow::rcDefault, nullptr, WS_POPUP), nullptr);
    EXPECT_EQ(window.m_hWnd, nullptr);
}

TEST(DialogImpl, RunsOnItsOwnWindow)
{
    CProbeDialog dlg(false);
    EXPECT_EQ(dlg.DoModal(nullptr), 77);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(DialogImpl, ContainsExceptions)
{
    CProbeDialog dlg(true);
    EXPECT_EQ(dlg.DoModal(nullptr), 77);
}
