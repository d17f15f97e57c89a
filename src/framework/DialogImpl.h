#pragma once
// CDialogImpl<T, TBase>: a modal dialog from the program's dialog template T::IDD, tied to
// one C++ object of type T. Every message the dialog procedure sees goes to
// T::ProcessWindowMessage; a handled message's result reaches its sender, an unhandled one
// gets the dialog manager's default processing. No exception leaves the dialog procedure.
#include "MessageDispatch.h"
#include "Window.h"
#include "WideString.h"

namespace dialog_detail
{
// The object whose dialog DoModal is creating on this thread; claimed by its first message.
inline thread_local void* t_creatingDialog = nullptr;

// Messages whose result is the dialog procedure's return value rather than DWLP_MSGRESULT.
constexpr bool ReturnsResultDirectly(UINT message) noexcept
{
    switch (message)
    {
    case WM_INITDIALOG:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}
} // namespace dialog_detail

template <class T, class TBase = CWindow>
class CDialogImpl : public window_detail::CTiedWindow<TBase, DWLP_USER>
{
public:
    // Runs the dialog until EndDialog; returns the value given to it, or -1 (last error set)
    // when the dialog could not be created.
    INT_PTR DoModal(HWND owner) noexcept
    {
        dialog_detail::t_creatingDialog = this;
        const INT_PTR result =
            ::DialogBoxParamW(GetResourceInstance(), MAKEINTRESOURCEW(T::IDD), owner, &CDialogImpl::DialogProc, 0);
        // Still set if the template could not even be loaded.
        dialog_detail::t_creatingDialog = nullptr;
        return result;
    }

    BOOL EndDialog(INT_PTR result) const noexcept { return ::EndDialog(this->m_hWnd, result); }

    // T hides this with its own message map.
    BOOL ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) { return FALSE; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = window_detail::FindOrClaimObject<CDialogImpl>(hWnd, DWLP_USER, dialog_detail::t_creatingDialog);
        if (self == nullptr)
            return FALSE;

        LRESULT result = 0;
        const BOOL handled = window_detail::CallMessageMap(*static_cast<T*>(self), hWnd, message, wParam, lParam, result);

        if (message == WM_NCDESTROY)
        {
            ::SetWindowLongPtrW(hWnd, DWLP_USER, 0);
            self->m_hWnd = nullptr;
        }
        if (!handled)
            return FALSE;
        if (dialog_detail::ReturnsResultDirectly(message))
            return static_cast<INT_PTR>(result);
        ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
};
