#pragma once
// CUpdateUI<T>: enabled/checked states of commands, kept in a table and applied to the menu
// items of the same id whenever a popup menu opens. T provides the table:
//   static const CUpdateUIElement* GetUpdateUIMap();   // ends with an element of id 0
#include <windows.h>

#include <vector>

// Where an element's state is shown: the items of popup menus are the only place.
enum : WORD
{
    UPDUI_MENUPOPUP = 0x0001,
};

// The state bits.
enum : WORD
{
    UPDUI_DISABLED = 0x0100,
    UPDUI_CHECKED = 0x0200,
};

struct CUpdateUIElement
{
    WORD id;
    WORD type;
};

template <class T>
class CUpdateUI
{
public:
    CUpdateUI()
    {
        for (const CUpdateUIElement* e = T::GetUpdateUIMap(); e->id != 0; ++e)
            m_states.push_back(0);
    }
    CUpdateUI(const CUpdateUI&) = delete;
    CUpdateUI& operator=(const CUpdateUI&) = delete;

    BOOL UISetCheck(int id, bool checked) { return SetState(id, UPDUI_CHECKED, checked); }
    BOOL UIEnable(int id, bool enabled) { return SetState(id, UPDUI_DISABLED, !enabled); }

    // Kept: the frame registers its hidden toolbar, though no element of its table is shown there.
    bool UIAddToolBar(HWND toolBar)
    {
        if (toolBar == nullptr)
            return false;
        m_toolBars.push_back(toolBar);
        return true;
    }

    // Kept: the frame's idle step calls it; with no element on a toolbar there is nothing to push.
    void UIUpdateToolBar() {}

    // The update-UI layer of the message routing: applies popup-menu elements when a popup
    // opens and always lets the message go on.
    BOOL ProcessUpdateUIMessage(UINT message, WPARAM wParam, LPARAM)
    {
        if (message == WM_INITMENUPOPUP && wParam != 0)
            ApplyToMenu(reinterpret_cast<HMENU>(wParam));
        return FALSE;
    }

    void ApplyToMenu(HMENU menu) const
    {
        const CUpdateUIElement* map = T::GetUpdateUIMap();
        for (size_t i = 0; map[i].id != 0; ++i)
        {
            if ((map[i].type & UPDUI_MENUPOPUP) == 0)
                continue;
            const WORD state = m_states[i];
            ::EnableMenuItem(menu, map[i].id, MF_BYCOMMAND | ((state & UPDUI_DISABLED) ? (MF_GRAYED | MF_DISABLED) : MF_ENABLED));
            ::CheckMenuItem(menu, map[i].id, MF_BYCOMMAND | ((state & UPDUI_CHECKED) ? MF_CHECKED : MF_UNCHECKED));
        }
    }

private:
    std::vector<WORD> m_states;
    std::vector<HWND> m_toolBars;

    [[nodiscard]] int IndexOf(int id) const
    {
        const CUpdateUIElement* map = T::GetUpdateUIMap();
        for (int i = 0; map[i].id != 0; ++i)
        {
            if (map[i].id == id)
                return i;
        }
        return -1;
    }

    BOOL SetState(int id, WORD flag, bool on)
    {
        const int index = IndexOf(id);
        if (index < 0)
            return FALSE;
        WORD& state = m_states[static_cast<size_t>(index)];
        state = on ? static_cast<WORD>(state | flag) : static_cast<WORD>(state & ~flag);
        return TRUE;
    }
};
