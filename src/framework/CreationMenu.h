#pragma once
// The menu a top-level window is created with, and who destroys it. The creator owns it until
// the window exists; from then on the window holds it and the system destroys it with the
// window, also when the creation fails after that point (WM_NCCREATE or WM_CREATE refusing, a
// CBT hook vetoing); a window that detaches it (SetMenu) hands it to whoever takes it.
// Windows attaches the menu to the new window before the CBT hook sees the window
// (HCBT_CREATEWND), so this watches for that moment. Wine attaches it only after that hook and
// leaves it alone when the hook vetoes: under Wine that one path leaks the menu.
#include "UniqueHandle.h"

class CCreationMenu
{
public:
    explicit CCreationMenu(HMENU menu) noexcept : m_menu(menu), m_outer(t_watching)
    {
        if (m_menu)
            m_hook.reset(::SetWindowsHookExW(WH_CBT, &CCreationMenu::CbtProc, nullptr, ::GetCurrentThreadId()));
        t_watching = this;
    }
    CCreationMenu(const CCreationMenu&) = delete;
    CCreationMenu& operator=(const CCreationMenu&) = delete;
    // Destroys the menu unless a window took it. When the hook could not be set, whether one did
    // is unknown: the menu is left alone rather than destroyed a second time.
    ~CCreationMenu()
    {
        t_watching = m_outer;
        if (!m_hook)
            (void)m_menu.release();
    }

    [[nodiscard]] HMENU get() const noexcept { return m_menu.get(); }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND && lParam != 0)
        {
            const CREATESTRUCTW* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs;
            // A child's "menu" is its control id; only a top-level window takes a menu.
            for (CCreationMenu* watch = t_watching; watch != nullptr && create != nullptr; watch = watch->m_outer)
            {
                if (watch->m_menu && create->hMenu == watch->m_menu.get() &&
                    (create->style & (WS_CHILD | WS_POPUP)) != WS_CHILD)
                    (void)watch->m_menu.release();
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline thread_local CCreationMenu* t_watching = nullptr;

    unique_hmenu m_menu;
    unique_hhook m_hook;
    CCreationMenu* m_outer;
};
