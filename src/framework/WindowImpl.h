#pragma once
// CWindowImpl<T, TBase, TWinTraits>: a window class of the program's own, tied to one C++
// object of type T. The object takes its HWND on the window's first message and hands every
// message to T::ProcessWindowMessage; what T leaves unhandled goes to the class's default
// procedure (DefWindowProcW, or the original procedure of a superclassed system class such
// as "EDIT"). No exception leaves the window procedure.
#include "MessageDispatch.h"
#include "Window.h"

#include <cwchar>

template <DWORD t_dwStyle = 0, DWORD t_dwExStyle = 0>
struct CWinTraits
{
    static constexpr DWORD GetWndStyle(DWORD style) noexcept { return style == 0 ? t_dwStyle : style; }
    static constexpr DWORD GetWndExStyle(DWORD exStyle) noexcept { return exStyle == 0 ? t_dwExStyle : exStyle; }
};
using CControlWinTraits = CWinTraits<WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0>;
using CFrameWinTraits = CWinTraits<WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                   WS_EX_APPWINDOW | WS_EX_WINDOWEDGE>;

// The window class of one CWindowImpl type, registered on its first Create. It is called
// "ATL:%p" after this record's address, so its name is unique to the process.
struct CWndClassInfo
{
    WNDCLASSEXW wc{};
    const wchar_t* superclassOf = nullptr; // system class to take the procedure from
    UINT iconId = 0;                       // large and small class icons from this resource
    WNDPROC originalProc = nullptr;        // the superclassed class's own procedure
    ATOM atom = 0;
    wchar_t autoName[24] = {};

    // One per window class, registered once: a copy would register the class again.
    // superclassOf: a system class whose procedure and class settings the class takes.
    explicit CWndClassInfo(HBRUSH background, const wchar_t* superclass = nullptr, UINT icon = 0) noexcept
        : superclassOf(superclass), iconId(icon)
    {
        wc.cbSize = sizeof(wc);
        wc.hbrBackground = background;
    }
    CWndClassInfo(const CWndClassInfo&) = delete;
    CWndClassInfo& operator=(const CWndClassInfo&) = delete;

    // Registers the class once with windowProc as its procedure; returns the atom or 0.
    ATOM Register(WNDPROC windowProc) noexcept
    {
        if (atom != 0)
            return atom;
        HINSTANCE instance = ::GetModuleHandleW(nullptr);
        if (superclassOf != nullptr)
        {
            WNDCLASSEXW system{};
            system.cbSize = sizeof(system);
            if (!::GetClassInfoExW(nullptr, superclassOf, &system))
                return 0;
            originalProc = system.lpfnWndProc;
            wc = system;
            wc.cbSize = sizeof(wc);
            wc.style = system.style & ~CS_GLOBALCLASS;
        }
        else
        {
            wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        }
        if (iconId != 0)
        {
            wc.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                                       ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON),
                                                       LR_DEFAULTCOLOR | LR_SHARED));
            wc.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                                         ::GetSystemMetrics(SM_CXSMICON),
                                                         ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR | LR_SHARED));
        }
        // "ATL:" and the record's address in 16 upper-case hex digits.
        const wchar_t* digits = L"0123456789ABCDEF";
        auto address = reinterpret_cast<UINT_PTR>(this);
        wcscpy(autoName, L"ATL:");
        for (int i = 0; i < 16; ++i)
            autoName[4 + i] = digits[(address >> (60 - 4 * i)) & 0xF];
        autoName[20] = L'\0';
        wc.lpszClassName = autoName;
        wc.hInstance = instance;
        wc.lpfnWndProc = windowProc;
        atom = ::RegisterClassExW(&wc);
        return atom;
    }
};

namespace window_detail
{
// The object whose window is being created on this thread; claimed by its first message.
inline thread_local void* t_creatingWindow = nullptr;
} // namespace window_detail

template <class T, class TBase = CWindow, class TWinTraits = CControlWinTraits>
class CWindowImpl : public window_detail::CTiedWindow<TBase, GWLP_USERDATA>
{
public:
    static CWndClassInfo& GetWndClassInfo()
    {
        static CWndClassInfo info(reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        return info;
    }

    HWND Create(HWND parent, const RECT& rect = CWindow::rcDefault, const wchar_t* name = nullptr,
                DWORD style = 0, DWORD exStyle = 0, UINT_PTR menuOrId = 0)
    {
        CWndClassInfo& info = T::GetWndClassInfo();
        if (info.Register(&CWindowImpl::WindowProc) == 0)
            return nullptr;
        m_pfnSuperWindowProc = info.originalProc != nullptr ? info.originalProc : ::DefWindowProcW;

        const DWORD finalStyle = TWinTraits::GetWndStyle(style);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        const bool useDefault = rect.left == CW_USEDEFAULT;
        window_detail::t_creatingWindow = this;
        HWND hWnd = ::CreateWindowExW(TWinTraits::GetWndExStyle(exStyle), MAKEINTATOM(info.atom), name, finalStyle,
                                      rect.left, rect.top, useDefault ? CW_USEDEFAULT : width,
                                      useDefault ? CW_USEDEFAULT : height, parent,
                                      reinterpret_cast<HMENU>(menuOrId), ::GetModuleHandleW(nullptr), nullptr);
        window_detail::t_creatingWindow = nullptr;
        return hWnd;
    }

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) noexcept
    {
        return ::CallWindowProcW(m_pfnSuperWindowProc, this->m_hWnd, message, wParam, lParam);
    }

    // T hides this with its own message map.
    BOOL ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) { return FALSE; }

protected:
    WNDPROC m_pfnSuperWindowProc = ::DefWindowProcW;

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = window_detail::FindOrClaimObject<CWindowImpl>(hWnd, GWLP_USERDATA, window_detail::t_creatingWindow);
        if (self == nullptr)
        {
            WNDPROC fallback = T::GetWndClassInfo().originalProc;
            return ::CallWindowProcW(fallback != nullptr ? fallback : ::DefWindowProcW, hWnd, message, wParam, lParam);
        }

        LRESULT result = 0;
        const BOOL handled = window_detail::CallMessageMap(*static_cast<T*>(self), hWnd, message, wParam, lParam, result);
        if (!handled)
            result = self->DefWindowProc(message, wParam, lParam);

        if (message == WM_NCDESTROY)
        {
            ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
            self->m_hWnd = nullptr;
        }
        return result;
    }
};
