// The modal dialog base with a dialog class of the test's own over the program's About
// template: results, the object's window, default processing and exceptions.
#include "framework/DialogImpl.h"
#include "framework/ModalDialogScript.h"
#include "res/resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <new>

namespace
{
constexpr UINT kAnswer = WM_APP;       // handled, result 42
constexpr UINT kThrow = WM_APP + 1;    // handler throws
constexpr INT_PTR kClosedByOk = 77;

class CProbeDialog : public CDialogImpl<CProbeDialog>
{
public:
    enum { IDD = IDD_ABOUTBOX };

    LPARAM m_initParam = 0;
    HWND m_windowAtInit = nullptr;

    BOOL ProcessWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD = 0)
    {
        switch (message)
        {
        case WM_INITDIALOG:
            m_initParam = lParam;
            m_windowAtInit = m_hWnd == hWnd ? hWnd : nullptr;
            result = TRUE;
            return TRUE;
        case kAnswer:
            result = 42;
            return TRUE;
        case kThrow:
            throw std::bad_alloc();
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK)
            {
                EndDialog(kClosedByOk);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
        }
    }
};

class CMissingTemplateDialog : public CDialogImpl<CMissingTemplateDialog>
{
public:
    enum { IDD = 999 };
};

void PressOk(HWND dialog)
{
    ::SendMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

class DialogImpl : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LINK_CLASS | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&controls);
    }
};
} // namespace

TEST_F(DialogImpl, DoModalReturnsWhatEndDialogWasGiven)
{
    CProbeDialog dlg;
    EXPECT_EQ(CModalDialogScript::Run([&] { return dlg.DoModal(nullptr); }, PressOk), kClosedByOk);
}

TEST_F(DialogImpl, InitDialogGetsTheInitParamAndTheWindow)
{
    CProbeDialog dlg;
    HWND shown = nullptr;
    CModalDialogScript::Run([&] { return dlg.DoModal(nullptr, 0x5EED); }, [&](HWND dialog) {
        shown = dialog;
        PressOk(dialog);
    });
    EXPECT_EQ(dlg.m_initParam, 0x5EED);
    EXPECT_EQ(dlg.m_windowAtInit, shown);
}

TEST_F(DialogImpl, ObjectLetsGoOfTheWindowWhenItEnds)
{
    CProbeDialog dlg;
    CModalDialogScript::Run([&] { return dlg.DoModal(nullptr); }, PressOk);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogImpl, HandledResultReachesTheSender)
{
    CProbeDialog dlg;
    LRESULT answer = 0;
    CModalDialogScript::Run([&] { return dlg.DoModal(nullptr); }, [&](HWND dialog) {
        answer = ::SendMessageW(dialog, kAnswer, 0, 0);
        PressOk(dialog);
    });
    EXPECT_EQ(answer, 42);
}

TEST_F(DialogImpl, UnhandledMessagesGetDefaultProcessing)
{
    CProbeDialog dlg;
    wchar_t caption[32] = {};
    LRESULT defaultId = 0;
    CModalDialogScript::Run([&] { return dlg.DoModal(nullptr); }, [&](HWND dialog) {
        ::SendMessageW(dialog, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(caption));
        defaultId = ::SendMessageW(dialog, DM_GETDEFID, 0, 0);
        PressOk(dialog);
    });
    EXPECT_STREQ(caption, L"About Orvane");
    EXPECT_EQ(LOWORD(defaultId), IDOK);
}

TEST_F(DialogImpl, ExceptionStaysInsideTheDialogProcedure)
{
    CProbeDialog dlg;
    LRESULT thrown = -1;
    const INT_PTR result = CModalDialogScript::Run([&] { return dlg.DoModal(nullptr); }, [&](HWND dialog) {
        thrown = ::SendMessageW(dialog, kThrow, 0, 0);
        PressOk(dialog);
    });
    EXPECT_EQ(thrown, 0);
    EXPECT_EQ(result, kClosedByOk);
}

TEST_F(DialogImpl, MissingTemplateFailsAndTheNextDialogStillWorks)
{
    CMissingTemplateDialog missing;
    EXPECT_EQ(missing.DoModal(nullptr), -1);

    CProbeDialog dlg;
    EXPECT_EQ(CModalDialogScript::Run([&] { return dlg.DoModal(nullptr, 7); }, PressOk), kClosedByOk);
    EXPECT_EQ(dlg.m_initParam, 7);
}
