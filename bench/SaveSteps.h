#pragma once
// Where the time of one save goes: the program's own SaveToFile, run in this process on a log
// view that holds the log's text, with each system call it makes timed through its import
// table entry and put down to the step it belongs to.
#include <windows.h>

#include <string>
#include <vector>

enum class SaveStep : size_t
{
    Text,      // the view's length and text copied out (GetWindowTextLengthW, GetWindowTextW)
    FullPath,  // the target's absolute path (GetFullPathNameW)
    Create,    // the temporary file beside the target (CreateFileW CREATE_NEW)
    Write,     // one WriteFile of the text
    Flush,     // FlushFileBuffers
    Close,     // the temporary file closed
    Probe,     // the target opened for deletion and closed again, to see whether it can go
    Replace,   // ReplaceFileW, the earlier file going to a backup name; MoveFileExW for a new target
    Cleanup,   // the backup, holding the earlier text, deleted
    Marks,     // the log's modified mark cleared (EM_SETMODIFY), as the frame does after a save
    Rest,      // the program's own work between the calls
    Count
};

inline constexpr const char* kSaveStepNames[] = {
    "getting the text", "full path", "creating the temporary file", "the write", "the flush",
    "closing it", "probing the target", "the replace",
    "deleting the backup", "clearing the modified mark", "the rest (own code)",
};

// The median time of each step over repeats saves of text to path, in milliseconds; the
// total of each save is the last element. A failed save gives a failed HRESULT.
HRESULT TimeSaveSteps(const std::wstring& text, const std::wstring& path, int repeats, std::vector<double>& stepsMs);
