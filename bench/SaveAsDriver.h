#pragma once
// Saving the log of a running Orvane.exe the first time, as a user would: File > Save As,
// the proposed name replaced by path in the save dialog, then the dialog's default button.
// Afterwards File > Save writes to that path without asking.
#include <windows.h>

#include <string>

// True once the dialog has closed and path holds expectedBytes bytes.
bool SaveAsThroughDialog(DWORD processId, HWND frame, const std::wstring& path, ULONGLONG expectedBytes,
                         DWORD timeoutMs = 30000);
