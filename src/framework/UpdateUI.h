#pragma once
// CUpdateUI<T>: enabled/checked states of commands, kept in a table and applied to the menu
// items of the same id whenever a popup menu opens, and pushed to registered toolbars when
// the thread goes idle. T provides the table:
//   static const CUpdateUIElement* GetUpdateUIMap();   // ends with an element of id 0
#include <windows.h>
#include <commctrl.h>

#include <vector>

// Where an element's state is shown.
enum : WORD
{
    UPDUI_MENUPOPUP = 0x0001,
    UPDUI_TOOLBAR = 0x0008,
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

    [[nodiscard]] WORD UIGetState(int id) const
    {
        const int index = IndexOf(id);
        return index < 0 ? 0 : m_states[static_cast<size_t>(index)];
    }

    bool UIAddToolBar(HWND toolBar)
    {
        if (toolBar == nullptr)
            return false;
        m_toolBars.push_back(toolBar);
        return true;
    }

    // Pushes pending toolbar states to every registered toolbar.
    void UIUpdateToolBar()
    {
        if ((m_pendingTypes & UPDUI_TOOLBAR) == 0)
            return;
        const CUpdateUIElement* map = T::GetUpdateUIMap();
        for (HWND toolBar : m_toolBars)
        {
            for (size_t i = 0; map[i].id != 0; ++i)
            {
                if ((map[i].type & UPDUI_TOOLBAR) == 0)
                    continue;
                const WORD state = m_states[i];
                ::SendMessageW(toolBar, TB_ENABLEBUTTON, map[i].id, MAKELPARAM((state & UPDUI_DISABLED) == 0, 0));
                ::SendMessageW(toolBar, TB_CHECKBUTTON, map[i].id, MAKELPARAM((state & UPDUI_CHECKED) != 0, 0));
            }
        }
        m_pendingTypes &= static_cast<WORD>(~UPDUI_TOOLBAR);
    }

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
    WORD m_pendingTypes = 0;

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
        const WORD updated = on ? static_cast<WORD>(state | flag) : static_cast<WORD>(state & ~flag);
        if (updated != state)
        {
            state = updated;
            m_pendingTypes |= T::GetUpdateUIMap()[index].type;
        }
        return TRUE;
    }
};
