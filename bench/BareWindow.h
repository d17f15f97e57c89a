#pragma once
// What the benchmark and its bare window program agree on: the window's title, and the
// command line that asks it for an EDIT control like Orvane's log view.
inline constexpr wchar_t kBareWindowTitle[] = L"Orvane Bench Bare Window";
// "--edit x y width height style exstyle font": the EDIT control's rectangle on the screen, its
// styles in hexadecimal and its font as the probe describes it (ProbeRequest::WindowFont), all
// read from the log view of the Orvane under measurement.
inline constexpr wchar_t kBareEditOption[] = L"--edit";
inline constexpr int kBareEditId = 0xE900;
