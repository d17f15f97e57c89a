// The bare window program the benchmark measures Orvane against: one top-level window that
// answers every WM_DEVICECHANGE with TRUE and does nothing else. Asked for it on the command
// line, it also holds an EDIT control in the log view's styles and font at a given place on
// the screen, into which the benchmark inserts the log's text to find the control's limit;
// the control takes the focus whenever the window does, as a frame's view does.
#include "BareWindow.h"
#include "UniqueHandle.h"

#include <windows.h>

#include <cwchar>

namespace
{
constexpr wchar_t kClassName[] = L"OrvaneBenchBareWindow";

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_DEVICECHANGE:
        return TRUE;
    case WM_SETFOCUS:
        // As a frame gives the focus to its view: the control then keeps a caret, as
        // Orvane's log view does, and pays for moving it.
        if (HWND control = ::GetDlgItem(window, kBareEditId))
            ::SetFocus(control);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(1);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

struct EditRequest
{
    RECT rect{};
    DWORD style = 0;
    DWORD exStyle = 0;
    LOGFONTW font{};
};

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

// Reads the LOGFONTW's bytes from their hexadecimal digits at text.
bool ParseFont(const wchar_t* text, LOGFONTW& font)
{
    while (*text == L' ')
        ++text;
    auto* bytes = reinterpret_cast<BYTE*>(&font);
    for (size_t i = 0; i < sizeof(font); ++i)
    {
        const int high = HexDigit(text[2 * i]);
        const int low = high < 0 ? -1 : HexDigit(text[2 * i + 1]);
        if (low < 0)
            return false;
        bytes[i] = static_cast<BYTE>(high << 4 | low);
    }
    return true;
}

// Reads "--edit x y width height style exstyle font" from the command line; false when it is
// not there or not whole.
bool ParseEditRequest(const wchar_t* commandLine, EditRequest& request)
{
    const wchar_t* at = ::wcsstr(commandLine, kBareEditOption);
    if (at == nullptr)
        return false;
    at += ::wcslen(kBareEditOption);
    long numbers[4] = {};
    for (long& number : numbers)
    {
        wchar_t* end = nullptr;
        number = std::wcstol(at, &end, 10);
        if (end == at)
            return false;
        at = end;
    }
    request.rect = {numbers[0], numbers[1], numbers[0] + numbers[2], numbers[1] + numbers[3]};
    for (DWORD* style : {&request.style, &request.exStyle})
    {
        wchar_t* end = nullptr;
        *style = std::wcstoul(at, &end, 16);
        if (end == at)
            return false;
        at = end;
    }
    return numbers[2] > 0 && numbers[3] > 0 && ParseFont(at, request.font);
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &BareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (::RegisterClassExW(&windowClass) == 0)
        return 0;

    EditRequest edit{};
    const bool withEdit = ::wcsstr(commandLine, kBareEditOption) != nullptr;
    if (withEdit && !ParseEditRequest(commandLine, edit))
        return 0;
    const RECT& editRect = edit.rect;
    // The frame is placed so that its client area is exactly the control's rectangle.
    RECT frameRect = withEdit ? editRect : RECT{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};
    if (withEdit)
        ::AdjustWindowRectEx(&frameRect, WS_OVERLAPPEDWINDOW, FALSE, 0);
    HWND frame = ::CreateWindowExW(0, kClassName, kBareWindowTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                   frameRect.left, frameRect.top,
                                   withEdit ? frameRect.right - frameRect.left : CW_USEDEFAULT,
                                   withEdit ? frameRect.bottom - frameRect.top : CW_USEDEFAULT, nullptr, nullptr,
                                   instance, nullptr);
    if (frame == nullptr)
        return 0;

    unique_hfont font;
    if (withEdit)
    {
        HWND control = ::CreateWindowExW(edit.exStyle, L"EDIT", nullptr, edit.style, 0, 0,
                                         editRect.right - editRect.left, editRect.bottom - editRect.top, frame,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBareEditId)), instance, nullptr);
        font.reset(::CreateFontIndirectW(&edit.font));
        if (control == nullptr || !font)
            return 0;
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
        ::SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
    }
    ::ShowWindow(frame, showCommand);

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
    {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
