// OrvaneStartupParts.exe: Orvane's own start-up (the same modules, resources, manifest and
// imports as Orvane.exe) with a mark set between its steps, so that the benchmark can tell
// where the time to the first answered device change goes. The first steps, CoInitialize and
// InitCommonControlsEx, are marked as they return, through this program's import table
// (CImportPatch). The marks inside the frame's creation come from hooks on this thread: a window
// being created (WH_CBT) and messages sent to the frame and the view (WH_CALLWNDPROC). The hooks
// add a little to each message; the benchmark prints the total beside Orvane's own start-up.
#include "Run.h"
#include "StartupMarks.h"
#include "UniqueHandle.h"
#include "FrameIds.h"
#include "ImportPatch.h"

#include <commctrl.h>
#include <dbt.h>

#include <cstdio>
#include <cwchar>
#include <iterator>

namespace
{
LONGLONG g_marks[static_cast<size_t>(StartupMark::Count)] = {};
const wchar_t* g_outputPath = nullptr;
HWND g_frame = nullptr;
HWND g_view = nullptr;
bool g_headerIn = false;
bool g_written = false;
unique_hhook g_creationHook;
unique_hhook g_messageHook;

LONGLONG Now()
{
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

void Mark(StartupMark mark)
{
    g_marks[static_cast<size_t>(mark)] = Now();
}

void MarkOnce(StartupMark mark)
{
    if (g_marks[static_cast<size_t>(mark)] == 0)
        Mark(mark);
}

void WriteMarks()
{
    g_written = true;
    unique_hfile file(::CreateFileW(g_outputPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    char text[64 * static_cast<size_t>(StartupMark::Count)] = {};
    int length = 0;
    for (size_t i = 0; i < static_cast<size_t>(StartupMark::Count); ++i)
        length += std::snprintf(text + length, sizeof(text) - static_cast<size_t>(length), "%zu %lld\n", i, g_marks[i]);
    DWORD written = 0;
    ::WriteFile(file.get(), text, static_cast<DWORD>(length), &written, nullptr);
}

bool ClassIs(const CREATESTRUCTW* create, const wchar_t* name)
{
    const auto atom = reinterpret_cast<ULONG_PTR>(create->lpszClass);
    return atom > 0xFFFF && ::_wcsicmp(create->lpszClass, name) == 0;
}

LRESULT CALLBACK OnCreateWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND)
    {
        const CREATESTRUCTW* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if ((create->style & WS_CHILD) == 0)
        {
            if (g_frame == nullptr)
                g_frame = reinterpret_cast<HWND>(wParam), Mark(StartupMark::Frame);
        }
        else if (ClassIs(create, TOOLBARCLASSNAMEW))
            MarkOnce(StartupMark::ToolBar);
        else if (ClassIs(create, REBARCLASSNAMEW))
            MarkOnce(StartupMark::ReBar);
        else if (ClassIs(create, STATUSCLASSNAMEW))
            MarkOnce(StartupMark::StatusBar);
        else if (reinterpret_cast<UINT_PTR>(create->hMenu) == ATL_IDW_CLIENT)
            g_view = reinterpret_cast<HWND>(wParam), MarkOnce(StartupMark::View);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK OnSentMessage(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && !g_written)
    {
        if (sent->hwnd == g_view && sent->message == WM_SETTEXT && !g_headerIn)
            g_headerIn = true, Mark(StartupMark::Header);
        else if (sent->hwnd == g_view && !g_headerIn)
            Mark(StartupMark::ViewReady);
        else if (sent->hwnd == g_frame && sent->message == WM_SHOWWINDOW && sent->wParam)
            MarkOnce(StartupMark::Created);
        else if (sent->hwnd == g_frame && sent->message == WM_DEVICECHANGE)
        {
            Mark(StartupMark::FirstEvent);
            WriteMarks();
        }
        else if (g_marks[static_cast<size_t>(StartupMark::Created)] != 0)
            Mark(StartupMark::Painted); // whatever the painting sends: erasing, colours, frames
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Orvane's first steps, passed on to the system: a mark as each returns, and after the common
// controls the hooks that mark the steps of the frame's creation, which comes next.
using CoInitializeFunction = HRESULT(WINAPI*)(LPVOID);
using InitControlsFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
CoInitializeFunction g_coInitialize = nullptr;
InitControlsFunction g_initControls = nullptr;

HRESULT WINAPI MarkedCoInitialize(LPVOID reserved)
{
    const HRESULT hr = g_coInitialize(reserved);
    Mark(StartupMark::Com);
    return hr;
}

BOOL WINAPI MarkedInitCommonControlsEx(const INITCOMMONCONTROLSEX* controls)
{
    const BOOL done = g_initControls(controls);
    Mark(StartupMark::Controls);
    const DWORD thread = ::GetCurrentThreadId();
    g_creationHook.reset(::SetWindowsHookExW(WH_CBT, &OnCreateWindow, nullptr, thread));
    g_messageHook.reset(::SetWindowsHookExW(WH_CALLWNDPROC, &OnSentMessage, nullptr, thread));
    return done;
}
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int nCmdShow)
{
    Mark(StartupMark::Entry);
    // The one argument, the file for the marks, may come quoted.
    if (*commandLine == L'"')
    {
        ++commandLine;
        if (wchar_t* closing = std::wcschr(commandLine, L'"'))
            *closing = L'\0';
    }
    g_outputPath = commandLine;
    const CImportPatch com("ole32.dll", "CoInitialize", reinterpret_cast<const void*>(&MarkedCoInitialize));
    const CImportPatch controls("comctl32.dll", "InitCommonControlsEx",
                                reinterpret_cast<const void*>(&MarkedInitCommonControlsEx));
    if (!com.IsActive() || !controls.IsActive())
        return 0; // no marks written: the benchmark reports the parts missing
    g_coInitialize = com.Original<CoInitializeFunction>();
    g_initControls = controls.Original<InitControlsFunction>();
    return RunProgram(nCmdShow);
}
