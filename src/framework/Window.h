#pragma once
// CWindow: a non-owning HWND with the calls the program makes on it. CEdit adds the
// edit-control messages. Neither destroys the window: CWindowImpl and the system do.
#include <windows.h>

class CWindow
{
public:
    HWND m_hWnd = nullptr;

    CWindow(HWND hWnd = nullptr) noexcept : m_hWnd(hWnd) {}
    operator HWND() const noexcept { return m_hWnd; }

    static constexpr RECT rcDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const noexcept
    {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    [[nodiscard]] BOOL IsWindow() const noexcept { return ::IsWindow(m_hWnd); }
    BOOL ShowWindow(int command) const noexcept { return ::ShowWindow(m_hWnd, command); }
    BOOL DestroyWindow() noexcept
    {
        if (!::DestroyWindow(m_hWnd))
            return FALSE;
        m_hWnd = nullptr;
        return TRUE;
    }
    [[nodiscard]] DWORD GetStyle() const noexcept { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    [[nodiscard]] HWND GetParent() const noexcept { return ::GetParent(m_hWnd); }
    BOOL SetDlgItemText(int id, const wchar_t* text) const noexcept { return ::SetDlgItemTextW(m_hWnd, id, text); }
    BOOL SetWindowText(const wchar_t* text) const noexcept { return ::SetWindowTextW(m_hWnd, text); }
    [[nodiscard]] int GetWindowTextLength() const noexcept { return ::GetWindowTextLengthW(m_hWnd); }
    int GetWindowText(wchar_t* buffer, int count) const noexcept { return ::GetWindowTextW(m_hWnd, buffer, count); }
    BOOL GetClientRect(RECT* rect) const noexcept { return ::GetClientRect(m_hWnd, rect); }
    void SetFont(HFONT font, BOOL redraw = TRUE) const noexcept
    {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw, 0));
    }
};

// Edit-control messages on a CWindow.
template <class TBase = CWindow>
class CEditT : public TBase
{
public:
    CEditT(HWND hWnd = nullptr) noexcept : TBase(hWnd) {}

    void SetSel(int start, int end) const noexcept { this->SendMessage(EM_SETSEL, start, end); }
    void ScrollCaret() const noexcept { this->SendMessage(EM_SCROLLCARET); }
    void ReplaceSel(const wchar_t* text, BOOL canUndo = FALSE) const noexcept
    {
        this->SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    [[nodiscard]] BOOL GetModify() const noexcept { return this->SendMessage(EM_GETMODIFY) != 0; }
    void SetModify(BOOL modified = TRUE) const noexcept { this->SendMessage(EM_SETMODIFY, modified); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) const noexcept { return this->SendMessage(EM_SETREADONLY, readOnly) != 0; }
    void SetLimitText(UINT max) const noexcept { this->SendMessage(EM_SETLIMITTEXT, max); }
};
using CEdit = CEditT<CWindow>;
