#pragma once
// Driving the program's save dialog from outside, as a user would: find it, read the name it
// proposes, type a path into its file-name field and press Save, or cancel it. Both of the
// system's save dialogs are dialogs of class "#32770"; the shell's one under Wine holds the
// file name in an edit control (id 1152), the classic one in a combo box (id 1148) whose edit
// takes the text.
#include <windows.h>

#include <string>

class OrvaneProcess;

// Waits for a visible save dialog of process processId: a "#32770" with a file-name field.
// Null when none showed within timeoutMs. Message boxes, which have no such field, are skipped.
HWND WaitForSaveDialog(DWORD processId, DWORD timeoutMs);

// True while processId shows any dialog or message box ("#32770").
bool HasOpenDialog(DWORD processId);

// The edit control that takes the file name, or null when dialog has none.
HWND FindFileNameField(HWND dialog);

// The name in the file-name field; empty when it cannot be read.
std::wstring ProposedFileName(HWND dialog);

// Types path into the file-name field, presses Save and waits for the dialog to go away.
bool SaveUnderName(HWND dialog, const std::wstring& path, DWORD timeoutMs);

// Presses Cancel and waits for the dialog to go away.
bool CancelSaveDialog(HWND dialog, DWORD timeoutMs);

// Completes a Save As that orvane was asked for (by its menu or a posted command): waits for the
// dialog, deletes a file already at path (so no overwrite question comes up), saves under path
// and waits until the program no longer marks its log modified and the file is there.
HRESULT CompleteSaveAs(OrvaneProcess& orvane, const std::wstring& path, DWORD timeoutMs);
