#pragma once
// Writes a whole file so that the target only ever holds its old bytes or all of the new
// ones: the bytes go to a new temporary file in the target's folder, are flushed, and the
// temporary file then takes the target's place. A failure anywhere leaves the target as it
// was (a replacement the system left half-done is undone), removes the temporary file, and
// keeps the failing call's last error. Only when the earlier file could not be put back at the
// target's name is nothing of the two versions removed: the temporary file then holds the only
// copy of the new bytes, and the backup beside it the only copy of the earlier ones. A target
// that another program holds for a moment, or is replacing, is tried again for about a second;
// one marked read-only, or a folder, is refused at once.
#include "WideString.h"

#include <windows.h>

#include <vector>

// The files a failed write left as the only copies of the two versions; empty names where
// nothing was kept. An earlier file is only ever kept together with the new bytes' file.
struct CKeptFiles
{
    CString newTextPath;     // the temporary file holding the new bytes
    CString earlierFilePath; // the backup holding the target's earlier bytes
};

// The earlier files' backups that successful writes could not delete at once: another program
// (a virus scanner, a sync client) had them open. Each write tries again, and so does the
// destructor; a backup that still cannot be deleted is only remembered, never reported.
class CStrayBackups
{
public:
    CStrayBackups() = default;
    CStrayBackups(const CStrayBackups&) = delete;
    CStrayBackups& operator=(const CStrayBackups&) = delete;
    ~CStrayBackups() { Remove(); }

    // Deletes every remembered backup it can, and forgets those that are gone.
    void Remove() noexcept;
    // Deletes path now, or remembers it for a later try. Keeps the thread's last error.
    void Discard(CString&& path) noexcept;

private:
    std::vector<CString> m_paths;
};

// Replaces (or creates) path with exactly size bytes. TRUE on success; FALSE with the
// thread's last error set otherwise. A write that reports fewer bytes than asked for is a
// failure (ERROR_WRITE_FAULT). kept, when given, receives the files kept by a failure (and is
// emptied otherwise); strays, when given, owns a backup that a success could not delete,
// and gets its earlier ones deleted first.
BOOL WriteFileAtomically(const wchar_t* path, const void* bytes, DWORD size, CKeptFiles* kept = nullptr,
                         CStrayBackups* strays = nullptr);
