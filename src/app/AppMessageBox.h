#pragma once
// Every message box of the program: a string resource as the format, the system's text for a
// failure code, an icon chosen from the code when the caller gave none, the program's title,
// and the box centred over its owner (or over a monitor) as it activates.
#include <windows.h>

struct CKeptFiles;

// hr: 0 no error (information icon), positive a warning (warning icon), negative a failure
// (error icon, the system's description appended); -1 stands for the calling thread's last error,
// read as E_FAIL when the failed call left none.
// Returns the id of the button pressed, or 0 when no box could be shown.
int AppMessageBox(UINT nID, UINT uType, HRESULT hr, ...);

// A failed save, with the thread's last error: string 133, or 138 or 139 naming the files it
// kept as the only copies of the new text and of the earlier file. Rewrites kept's paths into
// the form the user knows (no extended-length prefix).
int ShowSaveFailed(CKeptFiles& kept);
