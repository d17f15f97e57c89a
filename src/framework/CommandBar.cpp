#include "CommandBar.h"

#include <cwctype>
#include <string>
#include <vector>

namespace
{
constexpr UINT_PTR kOwnerSubclassId = 0x436D6442; // "CmdB"

// The command bar whose popup is being tracked on this thread (menus are modal per thread).
thread_local CCommandBarCtrl* t_tracking = nullptr;
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
    if (m_hWnd == nullptr || menu == nullptr)
        return false;
    m_menu.reset(menu);

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
    while (m_nextIndex >= 0 && m_nextIndex < ButtonCount())
    {
        const int current = m_nextIndex;
        const bool keyboard = m_nextFromKeyboard;
        m_nextIndex = -1;
        TrackOnePopup(current, keyboard);
    }
    m_nextIndex = -1;
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
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU && self != nullptr && self->m_hWnd != nullptr)
    {
        // Alt+letter arrives as SC_KEYMENU with the character; Alt or F10 alone with 0.
        const auto ch = static_cast<wchar_t>(lParam);
        const int index = ch == 0 ? 0 : self->FindMnemonic(ch);
        if (index >= 0)
        {
            self->OpenPopup(index, true);
            return 0;
        }
    }
    if (message == WM_NCDESTROY)
        ::RemoveWindowSubclass(hWnd, &CCommandBarCtrl::OwnerSubclassProc, kOwnerSubclassId);
    return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

BOOL CCommandBarCtrl::PreTranslateMessage(const MSG* pMsg)
{
    if (pMsg->message != WM_SYSCHAR || m_hWnd == nullptr || m_owner == nullptr)
        return FALSE;
    if (pMsg->hwnd != m_owner && !::IsChild(m_owner, pMsg->hwnd))
        return FALSE;
    const int index = FindMnemonic(static_cast<wchar_t>(pMsg->wParam));
    if (index < 0)
        return FALSE;
    // Dropped from the queue rather than here, so the filter returns before the menu's loop.
    PostMessage(kOpenPopupMessage, static_cast<WPARAM>(index));
    return TRUE;
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
    default:
        return FALSE;
    }
}
