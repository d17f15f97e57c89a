#pragma once
// What the end-to-end tests and the probe library loaded into the program under test say to
// each other. Some state of another process cannot be read from outside under Wine: menus and
// icons are handles private to their process, and a status bar's text needs a buffer in the
// target. So the tests hook the program's user-interface thread with a small library and ask it.
//
// A query is a registered message (one per request kind) sent to any window of that thread:
// wParam is the test's window that takes the answer, lParam the request's argument. The probe
// answers, before the send returns, with WM_COPYDATA to that window: dwData is the request kind,
// lpData UTF-16 text without a terminator.
#include <windows.h>

enum class ProbeRequest : ULONG_PTR
{
    // lParam: a menu handle of the target. Answer: one line per item, "id\ttype\tstate\ttext\n",
    // the numbers in decimal (type and state as GetMenuItemInfoW gives fType and fState).
    DescribeMenu = 1,
    // lParam: a status bar of the target. Answer: "1\t" or "0\t" (simple mode or not), then the
    // text the bar shows: the simple text in simple mode, part 0 otherwise.
    StatusBarText = 2,
    // lParam: a static control. Answer: the name of the system icon it shows ("IDI_QUESTION",
    // "IDI_ERROR", "IDI_WARNING", "IDI_INFORMATION"), "none" without one, "other" otherwise.
    StaticIcon = 3,
    // lParam: a window of the target. Answer: the LOGFONTW of the font it draws with
    // (WM_GETFONT), its bytes in hexadecimal; empty when it has none. A font handle is private
    // to its process, its description is not.
    WindowFont = 5,
};

inline const wchar_t* ProbeRequestMessageName(ProbeRequest request)
{
    switch (request)
    {
    case ProbeRequest::DescribeMenu: return L"OrvaneE2E.Probe.DescribeMenu";
    case ProbeRequest::StatusBarText: return L"OrvaneE2E.Probe.StatusBarText";
    case ProbeRequest::StaticIcon: return L"OrvaneE2E.Probe.StaticIcon";
    case ProbeRequest::WindowFont: return L"OrvaneE2E.Probe.WindowFont";
    }
    return L"OrvaneE2E.Probe.Unknown";
}

// Posted, not sent: when the target's thread takes it from its queue, every message posted to
// that thread before it has been taken and dispatched. The probe then posts kProbeSyncDone to
// the window in wParam, passing lParam back.
inline constexpr wchar_t kProbeSyncMessageName[] = L"OrvaneE2E.Probe.Sync";
inline constexpr UINT kProbeSyncDone = WM_APP + 0x51;

inline constexpr char kProbeCallWndProcExport[] = "ProbeCallWndProc";
inline constexpr char kProbeGetMessageExport[] = "ProbeGetMessage";
