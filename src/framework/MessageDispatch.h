#pragma once
// What the window procedure of CWindowImpl and the dialog procedure of CDialogImpl share:
// tying a window to its C++ object on the window's first message and untying it when the object
// dies first, and calling the object's message map without letting an exception out into the
// system.
#include <windows.h>

namespace window_detail
{
// The object stored in hWnd's slot at index (GWLP_USERDATA, DWLP_USER); on the window's
// first message that is the object waiting in creating, which is then taken.
template <class TImpl>
TImpl* FindOrClaimObject(HWND hWnd, int index, void*& creating) noexcept
{
    auto* self = reinterpret_cast<TImpl*>(::GetWindowLongPtrW(hWnd, index));
    if (self == nullptr && creating != nullptr)
    {
        self = static_cast<TImpl*>(creating);
        creating = nullptr;
        self->m_hWnd = hWnd;
        ::SetWindowLongPtrW(hWnd, index, reinterpret_cast<LONG_PTR>(self));
    }
    return self;
}

// The C++ side of a window whose slot at Index holds the object's address: not copyable (the
// window knows one address), and untied when the object dies first, so that later messages
// reach the class's default handling instead of freed memory.
template <class TBase, int Index>
class CTiedWindow : public TBase
{
public:
    CTiedWindow() = default;
    CTiedWindow(const CTiedWindow&) = delete;
    CTiedWindow& operator=(const CTiedWindow&) = delete;

    virtual ~CTiedWindow()
    {
        if (this->m_hWnd != nullptr && ::IsWindow(this->m_hWnd))
            ::SetWindowLongPtrW(this->m_hWnd, Index, 0);
    }
};

template <class T>
BOOL CallMessageMap(T& object, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) noexcept
{
    try
    {
        return object.ProcessWindowMessage(hWnd, message, wParam, lParam, result);
    }
    catch (...)
    {
        // A handler that could not finish (out of memory) is answered as handled with 0, or
        // with -1 for WM_CREATE: a window whose creation did not finish is not made at all.
        result = message == WM_CREATE ? -1 : 0;
        return TRUE;
    }
}
} // namespace window_detail
