// The About box as a real modal dialog in this process, driven from inside its own loop: OK,
// Escape and the caption's close button end it.
#include "ModalDialogScript.h"
#include "AboutDlg.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace
{
INT_PTR ShowAbout(const std::function<void(HWND)>& script)
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LINK_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    CAboutDlg dlg;
    return CModalDialogScript::Run([&] { return dlg.DoModal(nullptr); }, script);
}
} // namespace

TEST(AboutDlg, OkEscapeAndTheCloseButtonEndIt)
{
    EXPECT_EQ(ShowAbout([](HWND dialog) { ::SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0); }), IDOK);
    EXPECT_EQ(ShowAbout([](HWND dialog) { ::PostMessageW(::GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0); }),
              IDCANCEL);
    EXPECT_EQ(ShowAbout([](HWND dialog) { ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }), IDCANCEL);
}
