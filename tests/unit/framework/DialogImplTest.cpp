// The modal dialog base, with a class of the test's own over the About template: the object owns its
// window from WM_INITDIALOG to the end, handled results reach the sender, unhandled messages get
// the default processing, and no exception leaves the procedure.
#include "DialogImpl.h"
#include "ModalDialogScript.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <new>

namespace
{
class CProbeDialog : public CDialogImpl<CProbeDialog>
{
public:
    enum { IDD = IDD_ABOUTBOX };
    static constexpr UINT kAnswer = WM_APP, kThrow = WM_APP + 1;
    LPARAM m_initParam = 0;
    HWND m_windowAtInit = nullptr;

    BOOL ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD = 0)
    {
        switch (message)
        {
        case WM_INITDIALOG:
            m_initParam = lParam;
            m_windowAtInit = m_hWnd;
            result = TRUE;
            return TRUE;
        case kAnswer:
            result = 42;
            return TRUE;
        case kThrow:
            throw std::bad_alloc();
        default:
            return message == WM_COMMAND && LOWORD(wParam) == IDOK && EndDialog(77);
        }
    }
};
} // namespace

TEST(DialogImpl, RunsOnItsOwnWindowAndContainsExceptions)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LINK_CLASS};
    ::InitCommonControlsEx(&controls);
    CProbeDialog dlg;
    HWND shown = nullptr;
    LRESULT answer = 0, thrown = -1;
    wchar_t caption[32] = {};
    const INT_PTR result = CModalDialogScript::Run([&] { return dlg.DoModal(nullptr, 0x5EED); }, [&](HWND dialog) {
        shown = dialog;
        answer = ::SendMessageW(dialog, CProbeDialog::kAnswer, 0, 0);
        ::SendMessageW(dialog, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(caption));
        thrown = ::SendMessageW(dialog, CProbeDialog::kThrow, 0, 0);
        ::SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, 77);
    EXPECT_EQ(dlg.m_initParam, 0x5EED);
    EXPECT_EQ(dlg.m_windowAtInit, shown);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(answer, 42);
    EXPECT_STREQ(caption, L"About Orvane");
    EXPECT_EQ(thrown, 0);
}
