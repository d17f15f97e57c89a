#pragma once
// The marks that OrvaneStartupParts.exe sets on its way from process start to the first
// device change it answers, in the order they are set. The child writes one line per mark,
// "<index> <performance counter>", to the file named on its command line as soon as the first
// WM_DEVICECHANGE reaches its frame; the benchmark turns neighbouring marks into the parts of
// start-up. The performance counter is the same in every process of the machine.
#include <cstddef>
#include <iterator>

enum class StartupMark : size_t
{
    Entry,        // wWinMain entered: the process, its DLLs and the runtime are ready
    Com,          // CoInitialize returned
    Controls,     // InitCommonControlsEx returned
    Frame,        // the frame window is being created
    ToolBar,      // the toolbar is being created (its bitmap loaded from the resources)
    ReBar,        // the rebar is being created
    StatusBar,    // the status bar is being created
    View,         // the log view is being created
    ViewReady,    // the last message to the view before the header went in
    Header,       // the header reaches the view (WM_SETTEXT)
    Created,      // the frame is shown (WM_SHOWWINDOW): creation is over
    Painted,      // the last message of the first painting before the first event
    FirstEvent,   // the first WM_DEVICECHANGE reaches the frame
    Count
};

// What the time between a mark and the one before it was spent on (the first: since the
// benchmark called CreateProcessW).
inline constexpr const char* kStartupPartNames[] = {
    "process, DLLs and runtime",
    "COM (CoInitialize)",
    "common controls",
    "module, loop, system description (WMI), frame class, menu",
    "frame window",
    "toolbar and its bitmap",
    "rebar and bands",
    "status bar",
    "log view and its font",
    "header: version",
    "rest of creation",
    "show and first paint",
    "wait for the first event",
};
static_assert(std::size(kStartupPartNames) == static_cast<size_t>(StartupMark::Count));
