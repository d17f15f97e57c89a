#pragma once
// CFrameWindowImpl<T>: a top-level frame with a rebar along the top, a status bar along the
// bottom and a client window filling the rest. T routes its messages through its own
// handlers first and hands what is left to ProcessFrameMessage (the frame's base layer).
#include "FrameBars.h"
#include "WideString.h"
#include "WindowImpl.h"

#include <commctrl.h>

template <class T, class TBase = CWindow, class TWinTraits = CFrameWinTraits>
class CFrameWindowImpl : public CWindowImpl<T, TBase, TWinTraits>
{
public:
    HWND m_hWndReBar = nullptr;
    HWND m_hWndStatusBar = nullptr;
    HWND m_hWndClient = nullptr;
    HACCEL m_hAccel = nullptr;

    // Frame class: arrow cursor, window background, large and small icon of resource id.
    static CWndClassInfo& GetFrameClassInfo(UINT iconId)
    {
        static CWndClassInfo info(reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr, iconId);
        return info;
    }

    // Creates the top-level window, with TWinTraits' styles at the system's default place and
    // size, and the title, menu and accelerators of resource resourceId. The menu is the window's
    // menu bar: the window holds it and the system destroys it with the window, also when the
    // creation fails once the window exists.
    HWND CreateEx(UINT resourceId)
    {
        wchar_t title[256] = {};
        ::LoadStringW(GetResourceInstance(), resourceId, title, 256);
        HMENU menu = ::LoadMenuW(GetResourceInstance(), MAKEINTRESOURCEW(resourceId));
        HWND hWnd = this->Create(nullptr, CWindow::rcDefault, title, 0, 0, reinterpret_cast<UINT_PTR>(menu));
        if (hWnd == nullptr)
            return nullptr;
        m_hAccel = ::LoadAcceleratorsW(GetResourceInstance(), MAKEINTRESOURCEW(resourceId));
        return hWnd;
    }

    void UpdateLayout(bool resizeBars = true)
    {
        RECT rect{};
        this->GetClientRect(&rect);
        if (m_hWndReBar != nullptr && (::GetWindowLongPtrW(m_hWndReBar, GWL_STYLE) & WS_VISIBLE))
        {
            if (resizeBars)
            {
                ::SendMessageW(m_hWndReBar, WM_SIZE, 0, 0);
                ::InvalidateRect(m_hWndReBar, nullptr, TRUE);
            }
            RECT bar{};
            ::GetWindowRect(m_hWndReBar, &bar);
            rect.top += bar.bottom - bar.top;
        }
        if (m_hWndStatusBar != nullptr && (::GetWindowLongPtrW(m_hWndStatusBar, GWL_STYLE) & WS_VISIBLE))
        {
            if (resizeBars)
                ::SendMessageW(m_hWndStatusBar, WM_SIZE, 0, 0);
            RECT bar{};
            ::GetWindowRect(m_hWndStatusBar, &bar);
            rect.bottom -= bar.bottom - bar.top;
        }
        if (m_hWndClient != nullptr)
        {
            ::SetWindowPos(m_hWndClient, nullptr, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    // The base layer of the frame's message routing.
    BOOL ProcessFrameMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
    {
        switch (message)
        {
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED)
                static_cast<T*>(this)->UpdateLayout(true);
            return FALSE;
        case WM_ERASEBKGND:
            if (m_hWndClient != nullptr)
            {
                result = 1;
                return TRUE;
            }
            return FALSE;
        case WM_SETFOCUS:
            if (m_hWndClient != nullptr)
                ::SetFocus(m_hWndClient);
            return FALSE;
        case WM_MENUSELECT:
            OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            return FALSE;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<NMHDR*>(lParam), result);
        case WM_DESTROY:
            if ((this->GetStyle() & (WS_CHILD | WS_POPUP)) == 0)
                ::PostQuitMessage(1);
            return FALSE;
        default:
            return FALSE;
        }
    }

private:
    void OnMenuSelect(UINT id, UINT flags, HMENU menu)
    {
        if (m_hWndStatusBar == nullptr)
            return;
        if (flags == 0xFFFF && menu == nullptr)
        {
            ::SendMessageW(m_hWndStatusBar, SB_SIMPLE, FALSE, 0);
            return;
        }
        ::SendMessageW(m_hWndStatusBar, SB_SIMPLE, TRUE, 0);
        CString prompt;
        if ((flags & MF_POPUP) == 0)
            frame_bars::LoadCommandPrompt(id, prompt);
        ::SendMessageW(m_hWndStatusBar, SB_SETTEXTW, 255 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(prompt.GetString()));
    }

    BOOL OnNotify(const NMHDR& header, LRESULT& result)
    {
        switch (header.code)
        {
        case RBN_AUTOSIZE:
            static_cast<T*>(this)->UpdateLayout(false);
            result = 0;
            return TRUE;
        case RBN_CHEVRONPUSHED:
        {
            const auto& chevron = reinterpret_cast<const NMREBARCHEVRON&>(header);
            frame_bars::ShowChevronMenu(this->m_hWnd, m_hWndReBar, chevron);
            result = 1;
            return TRUE;
        }
        case TTN_GETDISPINFOW:
        {
            auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
            if ((info.uFlags & TTF_IDISHWND) == 0)
            {
                CString tooltip;
                frame_bars::LoadCommandTooltip(static_cast<UINT>(header.idFrom), tooltip);
                lstrcpynW(info.szText, tooltip, static_cast<int>(std::size(info.szText)));
                info.lpszText = info.szText;
                info.uFlags |= TTF_DI_SETITEM;
            }
            result = 0;
            return TRUE;
        }
        case TTN_GETDISPINFOA: // Kept: a tooltip that works in ANSI text asks this way
        {
            auto& info = const_cast<NMTTDISPINFOA&>(reinterpret_cast<const NMTTDISPINFOA&>(header));
            if ((info.uFlags & TTF_IDISHWND) == 0)
            {
                CString tooltip;
                frame_bars::LoadCommandTooltip(static_cast<UINT>(header.idFrom), tooltip);
                ::WideCharToMultiByte(CP_ACP, 0, tooltip, -1, info.szText, static_cast<int>(std::size(info.szText)),
                                      nullptr, nullptr);
                info.lpszText = info.szText;
                info.uFlags |= TTF_DI_SETITEM;
            }
            result = 0;
            return TRUE;
        }
        default:
            return FALSE;
        }
    }
};
