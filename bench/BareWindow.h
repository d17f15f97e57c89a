#pragma once
// What the benchmark and its bare window program agree on: the window's title, and the
// command line that asks it for an EDIT control in the log view's styles and font.
inline constexpr wchar_t kBareWindowTitle[] = L"Orvane Bench Bare Window";
// "--edit x y width height": the EDIT control's rectangle on the screen.
inline constexpr wchar_t kBareEditOption[] = L"--edit";
inline constexpr int kBareEditId = 0xE900;
// The log view's styles: WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_HSCROLL |
// WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL, and a client edge.
inline constexpr unsigned long kLogViewStyle = 0x563001C4;
inline constexpr unsigned long kLogViewExStyle = 0x00000200;
