#pragma once
// Finding and reading windows of another process from outside, as any program may.
#include <windows.h>

#include <string>
#include <vector>

// Visible top-level windows of process processId whose class is className (any class when
// null) and whose title is title (any title when null).
std::vector<HWND> FindTopLevelWindows(DWORD processId, const wchar_t* className, const wchar_t* title = nullptr);

// The visible, unowned top-level window of process processId titled title that is no dialog.
HWND FindMainWindow(DWORD processId, const wchar_t* title);

// Direct children of parent, in z-order.
std::vector<HWND> ChildWindows(HWND parent);

// The direct child of parent with control id id and class className (any class when null).
HWND FindChild(HWND parent, int id, const wchar_t* className = nullptr);

std::wstring WindowClassName(HWND window);

// The window's text through WM_GETTEXT, which the system copies across processes. False when the
// window did not answer in time.
bool ReadWindowText(HWND window, std::wstring& text, DWORD timeoutMs = 10000);

// Window and client rectangles in screen coordinates.
RECT WindowRect(HWND window);
RECT ClientRectOnScreen(HWND window);

// The window with the keyboard focus in thread threadId's input state, or null.
HWND FocusOfThread(DWORD threadId);
