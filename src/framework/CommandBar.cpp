#include "CommandBar.h"

#include <cwctype>
#include <string>
#include <utility>
#include <vector>

namespace
{
constexpr UINT_PTR kOwnerSubclassId = 0x436D6442; // "CmdB"

// The command bar whose popup is being tracked on this thread (menus are modal per thread).
thread_local CCommandBarCtrl* t_tracking = nullptr;

bool IsButtonDown(UINT message) noexcept
{
    switch (message)
    {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_NCXBUTTONDOWN:
        return true;
    default:
        return false;
    }
}
} // namespace

CCommandBarCtrl::~CCommandBarCtrl()
{
    if (m_owner != nullptr && ::IsWindow(m_owner))
        ::RemoveWindowSubclass(m_owner, &CCommandBarCtrl::OwnerSubclassProc, kOwnerSubclassId);
}

HWND CCommandBarCtrl::Create(HWND parent, DWORD style)
{
    RECT none{0, 0, 100, 100};
    HWND hWnd = CWindowImpl::Create(parent, none, nullptr, style);
    if (hWnd == nullptr)
        return nullptr;
    m_owner = parent;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    SendMessage(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_HIDECLIPPEDBUTTONS);
    return hWnd;
}

bool CCommandBarCtrl::AttachMenu(HMENU menu)
{
    m_menu.reset(menu);
    if (m_hWnd == nullptr || menu == nullptr)
        return false;

    const int count = ::GetMenuItemCount(menu);
    std::vector<std::wstring> texts;
    texts.reserve(static_cast<size_t>(count > 0 ? count : 0));
    std::vector<TBBUTTON> buttons;
    for (int i = 0; i < count; ++i)
    {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text));
        ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        texts.emplace_back(text);
    }
    for (int i = 0; i < count; ++i)
    {
        TBBUTTON button{};
        button.iBitmap = I_IMAGENONE;
        button.idCommand = i + 1;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_AUTOSIZE | BTNS_SHOWTEXT;
        button.iString = reinterpret_cast<INT_PTR>(texts[static_cast<size_t>(i)].c_str());
        buttons.push_back(button);
    }
    if (!buttons.empty())
        SendMessage(TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessage(TB_AUTOSIZE);

    if (m_owner != nullptr)
        ::SetWindowSubclass(m_owner, &CCommandBarCtrl::OwnerSubclassProc, kOwnerSubclassId,
                            reinterpret_cast<DWORD_PTR>(this));
    return true;
}

int CCommandBarCtrl::ButtonCount() const
{
    return static_cast<int>(SendMessage(TB_BUTTONCOUNT));
}

int CCommandBarCtrl::FindMnemonic(wchar_t ch) const
{
    if (!m_menu)
        return -1;
    const wchar_t wanted = static_cast<wchar_t>(std::towupper(ch));
    const int count = ::GetMenuItemCount(m_menu.get());
    for (int i = 0; i < count; ++i)
    {
        wchar_t text[128] = {};
        ::GetMenuStringW(m_menu.get(), static_cast<UINT>(i), text, static_cast<int>(std::size(text)), MF_BYPOSITION);
        for (const wchar_t* p = text; *p != L'\0'; ++p)
        {
            if (*p == L'&' && p[1] != L'\0')
            {
                if (p[1] == L'&')
                {
                    ++p;
                    continue;
                }
                if (static_cast<wchar_t>(std::towupper(p[1])) == wanted)
                    return i;
                break;
            }
        }
    }
    return -1;
}

int CCommandBarCtrl::HitTestScreen(POINT screen) const
{
    POINT client = screen;
    ::ScreenToClient(m_hWnd, &client);
    RECT rc{};
    GetClientRect(&rc);
    if (!::PtInRect(&rc, client))
        return -1;
    const int index = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
    return (index >= 0 && index < ButtonCount()) ? index : -1;
}

void CCommandBarCtrl::OpenPopup(int index, bool fromKeyboard)
{
    if (t_tracking != nullptr || !m_menu)
        return;
    m_nextIndex = index;
    m_nextFromKeyboard = fromKeyboard;
    int last = index;
    m_escapeClosedPopup = false;
    while (m_nextIndex >= 0 && m_nextIndex < ButtonCount())
    {
        last = m_nextIndex;
        const bool keyboard = m_nextFromKeyboard;
        m_nextIndex = -1;
        m_escapeClosedPopup = false;
        TrackOnePopup(last, keyboard);
    }
    m_nextIndex = -1;
    // A popup dropped in the keyboard mode and closed with Esc hands the selection back to its
    // button, as a native menu bar does; a command, a click or Alt ends the mode with the menu.
    if (m_keyboardMode)
    {
        if (m_escapeClosedPopup)
            SelectMenu(last);
        else
            LeaveKeyboardMode(true);
    }
}

bool CCommandBarCtrl::ToggleKeyboardMode()
{
    if (ButtonCount() <= 0)
        return false;
    if (t_tracking != nullptr)
        return true; // the menu's own loop answers Alt and F10
    if (m_keyboardMode)
    {
        LeaveKeyboardMode(true);
        return true;
    }
    m_focusBefore = ::GetFocus();
    m_keyboardMode = true;
    // The keys come to the bar while it has the focus; a bar that cannot take it stays out of the mode.
    ::SetFocus(m_hWnd);
    if (::GetFocus() != m_hWnd)
    {
        LeaveKeyboardMode(false);
        return true;
    }
    SelectMenu(0);
    return true;
}

void CCommandBarCtrl::LeaveKeyboardMode(bool restoreFocus)
{
    if (!m_keyboardMode)
        return;
    m_keyboardMode = false;
    SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(-1));
    HWND back = std::exchange(m_focusBefore, nullptr);
    if (restoreFocus && ::GetFocus() == m_hWnd)
        ::SetFocus(back != nullptr && ::IsWindow(back) ? back : m_owner);
}

void CCommandBarCtrl::SelectMenu(int index)
{
    m_selectedIndex = index;
    SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(index));
}

void CCommandBarCtrl::OnKeyboardModeKey(UINT virtualKey)
{
    const int count = ButtonCount();
    switch (virtualKey)
    {
    case VK_LEFT:
    case VK_RIGHT:
        if (count > 0)
            SelectMenu((m_selectedIndex + (virtualKey == VK_LEFT ? count - 1 : 1)) % count);
        break;
    case VK_DOWN:
    case VK_UP:
    case VK_RETURN:
        // Dropped from the queue: Enter's WM_CHAR, posted already, must reach the bar and not
        // the menu's loop, which would choose the first item with it.
        PostMessage(kOpenPopupMessage, static_cast<WPARAM>(m_selectedIndex));
        break;
    case VK_ESCAPE:
        LeaveKeyboardMode(true);
        break;
    default:
        break;
    }
}

void CCommandBarCtrl::TrackOnePopup(int index, bool fromKeyboard)
{
    HMENU popup = ::GetSubMenu(m_menu.get(), index);
    if (popup == nullptr)
        return;

    RECT button{};
    SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&button), 2);
    const int commandId = index + 1;
    SendMessage(TB_PRESSBUTTON, static_cast<WPARAM>(commandId), MAKELPARAM(TRUE, 0));
    ::UpdateWindow(m_hWnd);

    m_openIndex = index;
    m_popupDepth = 0;
    ::GetCursorPos(&m_lastHoverPoint);
    t_tracking = this;
    m_menuHook.reset(::SetWindowsHookExW(WH_MSGFILTER, &CCommandBarCtrl::MenuFilterProc, nullptr, ::GetCurrentThreadId()));
    if (fromKeyboard)
    {
        // The menu's modal loop reads keyboard input from the thread's queue: start on the first item.
        ::PostMessageW(m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
    }

    TPMPARAMS params{};
    params.cbSize = sizeof(params);
    params.rcExclude = button;
    ::TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON, button.left, button.bottom,
                       m_owner, &params);

    m_menuHook.reset();
    t_tracking = nullptr;
    m_openIndex = -1;
    SendMessage(TB_PRESSBUTTON, static_cast<WPARAM>(commandId), MAKELPARAM(FALSE, 0));
}

bool CCommandBarCtrl::OnMenuMessage(MSG& msg)
{
    const int count = ButtonCount();
    if (count <= 0 || m_openIndex < 0)
        return false;
    switch (msg.message)
    {
    case WM_KEYDOWN:
        // Esc in a submenu closes only the submenu.
        if (msg.wParam == VK_ESCAPE && m_popupDepth <= 1)
            m_escapeClosedPopup = true;
        if (msg.wParam == VK_LEFT || msg.wParam == VK_RIGHT)
        {
            const int step = msg.wParam == VK_LEFT ? count - 1 : 1;
            m_nextIndex = (m_openIndex + step) % count;
            m_nextFromKeyboard = true;
            ::EndMenu();
            return true;
        }
        return false;
    case WM_MOUSEMOVE:
    {
        // The menu loop repeats WM_MOUSEMOVE for a still cursor; only real movement switches.
        if (msg.pt.x == m_lastHoverPoint.x && msg.pt.y == m_lastHoverPoint.y)
            return false;
        m_lastHoverPoint = msg.pt;
        const int hovered = HitTestScreen(msg.pt);
        if (hovered >= 0 && hovered != m_openIndex)
        {
            m_nextIndex = hovered;
            m_nextFromKeyboard = false;
            ::EndMenu();
            return true;
        }
        return false;
    }
    case WM_LBUTTONDOWN:
        if (HitTestScreen(msg.pt) == m_openIndex)
        {
            // A click on the open popup's own button closes it and must not reopen it.
            ::EndMenu();
            return true;
        }
        return false;
    default:
        return false;
    }
}

LRESULT CALLBACK CCommandBarCtrl::MenuFilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_MENU && t_tracking != nullptr && lParam != 0)
    {
        try
        {
            if (t_tracking->OnMenuMessage(*reinterpret_cast<MSG*>(lParam)))
                return TRUE;
        }
        catch (...)
        {
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CCommandBarCtrl::OwnerSubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                    UINT_PTR, DWORD_PTR refData)
{
    auto* self = reinterpret_cast<CCommandBarCtrl*>(refData);
    if (self != nullptr && self->m_hWnd != nullptr)
    {
        switch (message)
        {
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_KEYMENU)
            {
                // Alt+letter arrives as SC_KEYMENU with the character; Alt or F10 alone with 0.
                const auto ch = static_cast<wchar_t>(lParam);
                if (ch == 0 && self->ToggleKeyboardMode())
                    return 0;
                const int index = ch == 0 ? -1 : self->FindMnemonic(ch);
                if (index >= 0)
                {
                    self->OpenPopup(index, true);
                    return 0;
                }
            }
            break;
        case WM_INITMENUPOPUP:
        case WM_UNINITMENUPOPUP:
            if (t_tracking == self)
                self->m_popupDepth += message == WM_INITMENUPOPUP ? 1 : -1;
            break;
        case WM_NOTIFY:
        {
            // The toolbar's hot item is the keyboard's selection: the pointer moving over the
            // bar moves it, the pointer leaving the bar does not clear it.
            const auto* hot = reinterpret_cast<const NMTBHOTITEM*>(lParam);
            if (self->m_keyboardMode && hot != nullptr && hot->hdr.hwndFrom == self->m_hWnd &&
                hot->hdr.code == TBN_HOTITEMCHANGE)
            {
                if ((hot->dwFlags & HICF_LEAVING) != 0)
                    return TRUE;
                const auto index = static_cast<int>(self->SendMessage(TB_COMMANDTOINDEX, hot->idNew));
                if (index >= 0)
                    self->m_selectedIndex = index;
            }
            break;
        }
        default:
            break;
        }
    }
    if (message == WM_NCDESTROY)
        ::RemoveWindowSubclass(hWnd, &CCommandBarCtrl::OwnerSubclassProc, kOwnerSubclassId);
    return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

BOOL CCommandBarCtrl::PreTranslateMessage(const MSG* pMsg)
{
    if (m_hWnd == nullptr || m_owner == nullptr)
        return FALSE;
    if (pMsg->message == WM_SYSCHAR && (pMsg->hwnd == m_owner || ::IsChild(m_owner, pMsg->hwnd)))
    {
        const int index = FindMnemonic(static_cast<wchar_t>(pMsg->wParam));
        if (index >= 0)
        {
            // Dropped from the queue rather than here, so the filter returns before the menu's loop.
            PostMessage(kOpenPopupMessage, static_cast<WPARAM>(index));
            return TRUE;
        }
    }
    if (!m_keyboardMode)
        return FALSE;
    if (IsButtonDown(pMsg->message))
    {
        // A click anywhere ends the selection and then does what it does.
        LeaveKeyboardMode(true);
        return FALSE;
    }
    if (pMsg->hwnd == m_hWnd && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        ::TranslateMessage(pMsg);
        ::DispatchMessageW(pMsg);
        return TRUE;
    }
    return FALSE;
}

BOOL CCommandBarCtrl::ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD)
{
    switch (message)
    {
    case kOpenPopupMessage:
        OpenPopup(static_cast<int>(wParam), true);
        result = 0;
        return TRUE;
    case WM_LBUTTONDOWN:
    {
        POINT client{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const int index = static_cast<int>(SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
        if (index >= 0 && index < ButtonCount())
        {
            OpenPopup(index, false);
            result = 0;
            return TRUE;
        }
        return FALSE;
    }
    case WM_LBUTTONDBLCLK:
        result = 0;
        return TRUE;
    case WM_KEYDOWN:
    case WM_KEYUP:
        // The toolbar's own keyboard handling would press buttons: the bar answers the keys itself.
        if (!m_keyboardMode)
            return FALSE;
        if (message == WM_KEYDOWN)
            OnKeyboardModeKey(static_cast<UINT>(wParam));
        result = 0;
        return TRUE;
    case WM_CHAR:
    {
        if (!m_keyboardMode)
            return FALSE;
        // While a menu is selected its mnemonic needs no Alt.
        const int index = FindMnemonic(static_cast<wchar_t>(wParam));
        if (index >= 0)
            PostMessage(kOpenPopupMessage, static_cast<WPARAM>(index));
        result = 0;
        return TRUE;
    }
    case WM_KILLFOCUS:
        LeaveKeyboardMode(false);
        return FALSE;
    default:
        return FALSE;
    }
}
