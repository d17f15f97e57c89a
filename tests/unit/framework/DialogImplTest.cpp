// The modal dialog base with a dialog class of the test's own over the program's About
// template: results, the object's window, default processing and exceptions.
#include "DialogImpl.h"
#include "ModalDialogScript.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <new>

namespace
{
constexpr UINT kAnswer = WM_APP;    // handled, result 42
constexpr UINT kThrow = WM_APP + 1; // the handler throws
constexpr INT_PTR kClosedByOk = 77;

class CProbeDialog : public CDialogImpl<CProbeDialog>
{
public:
    enum { IDD = IDD_ABOUTBOX };
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
        case WM_COMMAND:
            return LOWORD(wParam) == IDOK && EndDialog(kClosedByOk);
        default:
            return FALSE;
        }
    }
};

// Runs a probe dialog with initParam; script sends it messages, then OK is pressed.
INT_PTR RunProbe(CProbeDialog& dlg, LPARAM initParam, const std::function<void(HWND)>& script)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LINK_CLASS};
    ::InitCommonControlsEx(&controls);
    return CModalDialogScript::Run([&] { return dlg.DoModal(nullptr, initParam); }, [&](HWND dialog) {
        script(dialog);
        ::SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
    });
}
} // namespace

TEST(DialogImpl, RunsFromInitParamToEndDialogOnItsOwnWindow)
{
    CProbeDialog dlg;
    HWND shown = nullptr;
    EXPECT_EQ(RunProbe(dlg, 0x5EED, [&](HWND dialog) { shown = dialog; }), kClosedByOk);
    EXPECT_EQ(dlg.m_initParam, 0x5EED);
    EXPECT_EQ(dlg.m_windowAtInit, shown);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(DialogImpl, HandledResultsReachTheSenderUnhandledGetDefaultsThrownAreContained)
{
    CProbeDialog dlg;
    LRESULT answer = 0, thrown = -1;
    wchar_t caption[32] = {};
    RunProbe(dlg, 0, [&](HWND dialog) {
        answer = ::SendMessageW(dialog, kAnswer, 0, 0);
        ::SendMessageW(dialog, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(caption));
        thrown = ::SendMessageW(dialog, kThrow, 0, 0);
    });
    EXPECT_EQ(answer, 42);
    EXPECT_STREQ(caption, L"About Orvane");
    EXPECT_EQ(thrown, 0);
}
