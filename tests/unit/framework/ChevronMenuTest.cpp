// The rebar's chevron on the menu bar's band offers the popups that do not fit. They are only
// lent to the chevron's menu: taking it down must leave them the menu bar's, or they die with it
// and the menu bar's own menu is destroyed with dead popups in it when the frame closes.
#include "FrameWindow.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// A frame too narrow for its menu bar's buttons, noting the popups each chevron menu offers.
class ChevronFrame : public CFrameWindowImpl<ChevronFrame>
{
public:
    ChevronFrame() { m_pChevronCommandBar = &bar; }
    CCommandBarCtrl bar;
    std::vector<HMENU> offered;

    BOOL ProcessWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD = 0)
    {
        if (message == WM_INITMENUPOPUP && offered.empty())
        {
            for (int i = 0; i < ::GetMenuItemCount(reinterpret_cast<HMENU>(wParam)); ++i)
                offered.push_back(::GetSubMenu(reinterpret_cast<HMENU>(wParam), i));
        }
        if (message == WM_ENTERIDLE && wParam == MSGF_MENU)
            ::EndMenu(); // as a click elsewhere would
        return ProcessFrameMessage(hWnd, message, wParam, lParam, result);
    }
};
} // namespace

TEST(ChevronMenu, OpenedTwiceLeavesTheMenuBarItsPopups)
{
    ChevronFrame frame;
    ASSERT_NE(frame.Create(nullptr, RECT{0, 0, 150, 200}, L"chevron", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN), nullptr);
    ASSERT_NE(frame.bar.Create(frame, WS_CHILD | WS_VISIBLE | TBSTYLE_LIST | TBSTYLE_FLAT | CCS_NODIVIDER |
                                          CCS_NORESIZE | CCS_NOPARENTALIGN),
              nullptr);
    ASSERT_TRUE(frame.bar.AttachMenu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))));
    frame.m_hWndReBar = frame_bars::CreateReBar(frame, WS_CHILD | WS_VISIBLE | RBS_VARHEIGHT, ATL_IDW_TOOLBAR);
    ASSERT_TRUE(frame_bars::AddReBarBand(frame.m_hWndReBar, frame.bar, false));
    frame.UpdateLayout();
    frame.ShowWindow(SW_SHOWNOACTIVATE);
    HMENU menu = frame.bar.GetMenu();
    const std::vector<HMENU> popups = {::GetSubMenu(menu, 0), ::GetSubMenu(menu, 1), ::GetSubMenu(menu, 2),
                                       ::GetSubMenu(menu, 3)};
    for (int round = 0; round < 2; ++round)
    {
        frame.offered.clear();
        NMREBARCHEVRON chevron{};
        chevron.hdr = {frame.m_hWndReBar, ATL_IDW_TOOLBAR, RBN_CHEVRONPUSHED};
        frame.SendMessage(WM_NOTIFY, ATL_IDW_TOOLBAR, reinterpret_cast<LPARAM>(&chevron));
        // The bar's own popups from the first one that does not fit; the last never fits.
        ASSERT_GE(frame.offered.size(), 2u) << "the chevron offered no popups of the bar";
        EXPECT_TRUE(std::equal(frame.offered.begin(), frame.offered.end(), popups.end() - frame.offered.size()));
        for (int i = 0; i < 4; ++i)
        {
            EXPECT_EQ(::GetSubMenu(menu, i), popups[i]) << round;
            EXPECT_TRUE(::IsMenu(popups[i])) << "popup " << i << " was destroyed with the chevron's menu";
        }
    }
    frame.DestroyWindow();
    MSG quit; // the destroyed frame's, which would end the next test's modal loop
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}
