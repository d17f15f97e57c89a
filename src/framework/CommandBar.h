#pragma once
// CCommandBarCtrl: a menu bar drawn as a flat toolbar, one button per top-level popup of the
// menu it owns. A click on a button, or Alt with the popup's mnemonic, drops that popup under
// the button; while a popup is open, Left/Right and hovering over another button move to the
// neighbouring popup. The popups are tracked on behalf of the owner window, so it receives
// WM_INITMENUPOPUP, WM_MENUSELECT and the chosen WM_COMMAND exactly as for a native menu.
// Alt or F10 alone selects the first menu without dropping it, as a native menu bar does: the
// bar takes the focus and the keys until Esc, Alt again, a click or the loss of the focus.
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

    // Takes ownership of menu, also when it fails: one button per top-level popup, texts with
    // their mnemonics. Also watches the owner window for Alt and F10 (SC_KEYMENU). A menu still
    // attached to a window is destroyed with that window: detach it (SetMenu) before.
    bool AttachMenu(HMENU menu);
    [[nodiscard]] HMENU GetMenu() const noexcept { return m_menu.get(); }

    // For the owner's message filter: Alt+mnemonic typed in any window of the owner drops
    // that popup (the system delivers the key to the focused child, not to the owner). While a
    // menu is selected from the keyboard, the bar takes every key (no accelerator of the owner
    // fires) and a click anywhere ends the selection.
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
    // Keyboard mode: a menu is selected (the toolbar's hot item) and none is dropped.
    bool m_keyboardMode = false;
    int m_selectedIndex = -1;
    HWND m_focusBefore = nullptr; // gets the focus back when the mode ends
    int m_popupDepth = 0;         // popups open while tracking: the dropped one and its submenus
    bool m_escapeClosedPopup = false;

    // Drops popup index (0-based) as a user would; fromKeyboard selects its first item.
    void OpenPopup(int index, bool fromKeyboard);
    // Index of the popup whose mnemonic is ch, or -1.
    [[nodiscard]] int FindMnemonic(wchar_t ch) const;
    [[nodiscard]] int ButtonCount() const;
    [[nodiscard]] int HitTestScreen(POINT screen) const;
    void TrackOnePopup(int index, bool fromKeyboard);
    bool OnMenuMessage(MSG& msg);
    // Alt or F10 alone: enters the keyboard mode, or leaves it. False when there is no menu.
    bool ToggleKeyboardMode();
    void LeaveKeyboardMode(bool restoreFocus);
    void SelectMenu(int index);
    void OnKeyboardModeKey(UINT virtualKey);

    static LRESULT CALLBACK MenuFilterProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OwnerSubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
};
