#pragma once
// CCommandBarCtrl: a menu bar drawn as a flat toolbar, one button per top-level popup of the
// menu it owns. A click on a button, or Alt with the popup's mnemonic, drops that popup under
// the button; while a popup is open, Left/Right and hovering over another button move to the
// neighbouring popup. The popups are tracked on behalf of the owner window, so it receives
// WM_INITMENUPOPUP, WM_MENUSELECT and the chosen WM_COMMAND exactly as for a native menu.
#include "UniqueHandle.h"
#include "WindowImpl.h"

#include <commctrl.h>

class CCommandBarCtrl : public CWindowImpl<CCommandBarCtrl, CWindow, CControlWinTraits>
{
public:
    static CWndClassInfo& GetWndClassInfo()
    {
        static CWndClassInfo info(L"Framework_CommandBar", 0, nullptr, TOOLBARCLASSNAMEW);
        return info;
    }

    CCommandBarCtrl() = default;
    ~CCommandBarCtrl() override;

    HWND Create(HWND parent, DWORD style);

    // Takes ownership of menu: one button per top-level popup, texts with their mnemonics.
    // Also watches the owner window for Alt+mnemonic (SC_KEYMENU).
    bool AttachMenu(HMENU menu);
    [[nodiscard]] HMENU GetMenu() const noexcept { return m_menu.get(); }

    // For the owner's message filter: Alt+mnemonic typed in any window of the owner drops
    // that popup (the system delivers the key to the focused child, not to the owner).
    BOOL PreTranslateMessage(const MSG* pMsg);

    BOOL ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD = 0);

private:
    static constexpr UINT kOpenPopupMessage = WM_USER + 0x100; // wParam: popup index

    unique_hmenu m_menu;
    HWND m_owner = nullptr;
    int m_openIndex = -1;
    int m_nextIndex = -1;
    bool m_nextFromKeyboard = false;
    unique_hhook m_menuHook;
    POINT m_lastHoverPoint{-1, -1};

    // Drops popup index (0-based) as a user would; fromKeyboard selects its first item.
    void OpenPopup(int index, bool fromKeyboard);
    // Index of the popup whose mnemonic is ch, or -1.
    [[nodiscard]] int FindMnemonic(wchar_t ch) const;
    [[nodiscard]] int ButtonCount() const;
    [[nodiscard]] int HitTestScreen(POINT screen) const;
    void TrackOnePopup(int index, bool fromKeyboard);
    bool OnMenuMessage(MSG& msg);

    static LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OwnerSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
};
