// The modal dialog base, with a class of the test's own over the About template: the object owns its
// window from WM_INITDIALOG to the end, EndDialog's value comes back from DoModal, and no exception
// leaves the procedure.
#include "DialogImpl.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <new>

namespace
{
// Once shown, it is sent a message whose handler throws, then one that ends it.
class CProbeDialog : public CDialogImpl<CProbeDialog>
{
public:
    enum { IDD = IDD_ABOUTBOX };
    static constexpr UINT kThrow = WM_APP, kEnd = WM_APP + 1;
    HWND m_windowAtInit = nullptr;

    BOOL ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result, DWORD = 0)
    {
        switch (message)
        {
        case WM_INITDIALOG:
            m_windowAtInit = m_hWnd;
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

TEST(DialogImpl, RunsOnItsOwnWindowAndContainsExceptions)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LINK_CLASS};
    ::InitCommonControlsEx(&controls);
    CProbeDialog dlg;
    EXPECT_EQ(dlg.DoModal(nullptr), 77);
    EXPECT_NE(dlg.m_windowAtInit, nullptr);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}
