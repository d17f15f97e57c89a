#include "WriteFileAtomically.h"

#include "LastError.h"
#include "LongPath.h"
#include "UniqueHandle.h"
#include "WideString.h"

#include <cwchar>
#include <iterator>
#include <new>
#include <utility>

namespace
{
// The absolute form of path. Relative names are resolved here because ReplaceFileW does
// not accept them everywhere (Wine refuses them with ERROR_DIRECTORY).
BOOL GetFullPath(const wchar_t* path, CString& full)
{
    DWORD capacity = ::GetFullPathNameW(path, 0, nullptr, nullptr);
    while (capacity != 0)
    {
        const DWORD length = ::GetFullPathNameW(path, capacity, full.GetBuffer(static_cast<int>(capacity)), nullptr);
        if (length == 0)
            break;
        if (length < capacity)
        {
            full.ReleaseBuffer(static_cast<int>(length));
            return TRUE;
        }
        capacity = length; // the path changed between the two calls (current directory)
    }
    full.Empty();
    return FALSE;
}

// A new file beside the target, open for writing without sharing. Deleted on destruction
// unless it was moved into the target's place or is kept.
class CTemporaryFile
{
public:
    CTemporaryFile() = default;
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;
    ~CTemporaryFile() { Discard(); }

    BOOL CreateBeside(const CString& target)
    {
        const wchar_t* lastSeparator = wcsrchr(target, L'\\');
        const int folderLength = lastSeparator != nullptr ? static_cast<int>(lastSeparator - target.GetString()) + 1 : 0;
        const CString folder(target, folderLength);

        static volatile LONG sequence = 0;
        const DWORD seed = (::GetCurrentProcessId() * 2654435761u) ^ ::GetTickCount();
        for (int attempt = 0; attempt < 64; ++attempt)
        {
            const DWORD suffix = seed + static_cast<DWORD>(::InterlockedIncrement(&sequence)) * 0x9E3779B9u;
            m_path.Format(L"%s~%08X.tmp", folder.GetString(), suffix);
            AllowLongPath(m_path); // the temporary name can reach MAX_PATH where the target's does not
            m_file.reset(::CreateFileW(m_path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_ARCHIVE | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
            if (m_file)
                return TRUE;
            const DWORD error = ::GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
                break;
        }
        m_path.Empty();
        return FALSE;
    }

    [[nodiscard]] HANDLE Handle() const noexcept { return m_file.get(); }
    [[nodiscard]] const CString& Path() const noexcept { return m_path; }

    // Closes the handle and reports whether the system took every byte.
    BOOL Close() noexcept { return ::CloseHandle(m_file.release()); }

    // The file now has another name, or must stay: there is nothing left to delete.
    void Forget() noexcept { m_path.Empty(); }
    // Names a file that is not created here: the name of the reserved file other, with suffix.
    // Creating nothing spares the file system two round trips. Only this program makes names
    // of that shape, and other's random part was free when it was reserved, so a file of this
    // name can only be one an interrupted save of ours left behind; ReplaceFileW overwrites it.
    void NameAfter(const CTemporaryFile& other, const wchar_t* suffix)
    {
        m_path = other.m_path;
        m_path += suffix;
        AllowLongPath(m_path);
    }

    // The file must stay; its path goes to keptPath (when given).
    void Keep(CString* keptPath) noexcept
    {
        if (keptPath != nullptr)
            std::swap(*keptPath, m_path);
        m_path.Empty();
    }
    // Deletes the file now, or leaves it to strays (when given) if it cannot be deleted yet.
    void DiscardInto(CStrayBackups* strays) noexcept
    {
        if (strays == nullptr || m_path.IsEmpty())
            return; // the destructor deletes it
        m_file.reset();
        strays->Discard(std::move(m_path));
        m_path.Empty();
    }
    // A file of this name is there (the name of a file forgotten or never named is not).
    [[nodiscard]] bool Exists() const noexcept
    {
        return !m_path.IsEmpty() && ::GetFileAttributesW(m_path) != INVALID_FILE_ATTRIBUTES;
    }

private:
    void Discard() noexcept
    {
        if (m_path.IsEmpty())
            return;
        const CKeepLastError keepLastError;
        m_file.reset(); // the file was opened without sharing: close it before deleting it
        ::DeleteFileW(m_path);
    }

    unique_hfile m_file;
    CString m_path;
};

// ReplaceFileW errors after which a plain rename is still worth trying: the file system
// cannot replace, or the target was already moved aside and the new file must follow.
bool IsReplaceUnusable(DWORD error) noexcept
{
    switch (error)
    {
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
    case ERROR_CALL_NOT_IMPLEMENTED:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT:
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
        return true;
    default:
        return false;
    }
}

enum class TargetState
{
    Missing,
    Replaceable,
    Unavailable, // the last error says why
};

// Opens the target the way replacing it will (delete access, every kind of sharing). This
// finds a target held open by another process before anything is moved: ReplaceFileW
// would fail there too, but Wine's leaves a stray "rf*.tmp" file in the folder behind.
TargetState ProbeTarget(const wchar_t* target)
{
    const unique_hfile probe(::CreateFileW(target, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                           nullptr, OPEN_EXISTING, 0, nullptr));
    if (probe)
        return TargetState::Replaceable;
    return ::GetLastError() == ERROR_FILE_NOT_FOUND ? TargetState::Missing : TargetState::Unavailable;
}

// After a failure, keeps every file that holds the only copy of a version: the backup when the
// earlier file could not be put back at the target's name, and then the temporary file too, since
// its bytes are not at the target either; the temporary file alone when the target's name lost its
// earlier file some other way. The destructors delete the rest. Returns FALSE with error set.
BOOL KeepOnlyCopies(CTemporaryFile& temporary, CTemporaryFile& backup, TargetState state, const wchar_t* target,
                    CKeptFiles* kept, DWORD error)
{
    const bool earlierAside = backup.Exists();
    if (earlierAside || (state == TargetState::Replaceable && ProbeTarget(target) == TargetState::Missing))
    {
        temporary.Keep(kept != nullptr ? &kept->newTextPath : nullptr);
        if (earlierAside)
            backup.Keep(kept != nullptr ? &kept->earlierFilePath : nullptr);
    }
    ::SetLastError(error);
    return FALSE;
}

// Errors that another program's brief hold on the files explains, and that a later try can
// overcome once it lets go:
// - ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION: a virus scanner, the search indexer or a
//   sync client has a file open without the sharing that renaming it needs, or locks a part;
// - ERROR_ACCESS_DENIED: what the system answers for a file that is being deleted or replaced
//   (its deletion is pending), or that is held open while a rename would replace it, as well as
//   for one the user may not change: a read-only file or a folder is told apart and answered at
//   once (RefusesForGood); one that only its permissions close costs the pauses before the same
//   answer;
// - ERROR_UNABLE_TO_REMOVE_REPLACED: ReplaceFileW could not move a held target aside;
// - ERROR_FILE_NOT_FOUND, ERROR_ALREADY_EXISTS, ERROR_FILE_EXISTS: the target was between
//   names while another program replaced it: gone for a replace, back again for a rename.
bool IsPassing(DWORD error) noexcept
{
    switch (error)
    {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_ACCESS_DENIED:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return true;
    default:
        return false;
    }
}

// A target that no program's letting go makes writable: a file marked read-only, or a folder.
bool RefusesForGood(const wchar_t* target) noexcept
{
    const DWORD attributes = ::GetFileAttributesW(target);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

// The error to report when the other program still had not let go: one that only says the
// target was between names reads as what it is while the target is there, a file in use.
DWORD StillBusyError(DWORD error, const wchar_t* target)
{
    const bool betweenNames = error == ERROR_FILE_NOT_FOUND || error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
    return betweenNames && ProbeTarget(target) != TargetState::Missing ? ERROR_SHARING_VIOLATION : error;
}

// Pauses between tries, growing, about a second in all. The save runs on the user-interface
// thread and pauses without handling messages: a device change sent meanwhile waits, as for
// any busy window, instead of being logged after the text was taken and then marked saved by
// this save's success. A second is far below the five after which a window counts as hung.
constexpr DWORD kPausesMs[] = {10, 20, 40, 80, 160, 300, 390};

// One try at putting the new bytes at the target's name. ReplaceFileW keeps what belongs to the
// target (attributes, security, creation time); a target that does not exist is simply renamed
// into place. The earlier file goes to a backup name on the way, so that a replacement the
// system leaves half-done can be undone (1177: the target is gone, its bytes are only under the
// backup name) before the plain rename is tried. An earlier file that a previous try left under
// the backup name stays there (ReplaceFileW would overwrite it): the new file is then renamed
// over whatever the target's name holds. Once the new bytes are at the target, the backup goes,
// or is left to strays while another program holds it. state receives what the probe found.
BOOL TryMoveIntoPlace(CTemporaryFile& temporary, CTemporaryFile& backup, const wchar_t* target, TargetState& state,
                      CStrayBackups* strays)
{
    state = ProbeTarget(target);
    if (state == TargetState::Unavailable)
        return FALSE;
    DWORD flags = MOVEFILE_WRITE_THROUGH;
    if (state == TargetState::Replaceable && !backup.Exists())
    {
        backup.NameAfter(temporary, L".bak");
        if (::ReplaceFileW(target, temporary.Path(), backup.Path(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        {
            temporary.Forget();
            backup.DiscardInto(strays);
            return TRUE;
        }
        const DWORD error = ::GetLastError();
        if (ProbeTarget(target) == TargetState::Missing &&
            ::MoveFileExW(backup.Path(), target, MOVEFILE_WRITE_THROUGH))
            backup.Forget(); // put back: the earlier bytes are at the target's name again
        if (!IsReplaceUnusable(error) && ProbeTarget(target) != TargetState::Missing)
        {
            ::SetLastError(error);
            return FALSE;
        }
    }
    if (state == TargetState::Replaceable)
        flags |= MOVEFILE_REPLACE_EXISTING;
    if (::MoveFileExW(temporary.Path(), target, flags))
    {
        temporary.Forget();
        backup.DiscardInto(strays); // an earlier file that was not put back has been replaced all the same
        return TRUE;
    }
    return FALSE;
}

// Tries again after each pause while the failure is one that passes, the new bytes' file is
// still there to try with, and the target is not one that refuses for good; then keeps the only
// copies.
BOOL MoveIntoPlace(CTemporaryFile& temporary, const wchar_t* target, CKeptFiles* kept, CStrayBackups* strays)
{
    CTemporaryFile backup;
    for (size_t tries = 1;; ++tries)
    {
        TargetState state = TargetState::Missing;
        if (TryMoveIntoPlace(temporary, backup, target, state, strays))
            return TRUE;
        const DWORD error = ::GetLastError();
        const bool passing = IsPassing(error) && temporary.Exists() && !RefusesForGood(target);
        if (passing && tries <= std::size(kPausesMs))
        {
            ::Sleep(kPausesMs[tries - 1]);
            continue;
        }
        return KeepOnlyCopies(temporary, backup, state, target, kept, passing ? StillBusyError(error, target) : error);
    }
}

BOOL WriteAndReplace(const wchar_t* path, const void* bytes, DWORD size, CKeptFiles* kept, CStrayBackups* strays)
{
    CString target;
    if (!GetFullPath(path, target))
        return FALSE;
    AllowLongPath(target);

    CTemporaryFile temporary;
    if (!temporary.CreateBeside(target))
        return FALSE;

    DWORD written = 0;
    if (!::WriteFile(temporary.Handle(), bytes, size, &written, nullptr))
        return FALSE;
    if (written != size)
    {
        ::SetLastError(ERROR_WRITE_FAULT);
        return FALSE;
    }
    if (!::FlushFileBuffers(temporary.Handle()) || !temporary.Close())
        return FALSE;
    return MoveIntoPlace(temporary, target, kept, strays);
}

// The file to delete is no longer there, nor its folder.
bool IsGone(DWORD error) noexcept
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}
} // namespace

void CStrayBackups::Remove() noexcept
{
    const CKeepLastError keepLastError;
    std::erase_if(m_paths, [](const CString& path) { return ::DeleteFileW(path) || IsGone(::GetLastError()); });
}

void CStrayBackups::Discard(CString&& path) noexcept
{
    const CKeepLastError keepLastError;
    if (!::DeleteFileW(path) && !IsGone(::GetLastError()))
    {
        try
        {
            m_paths.push_back(std::move(path));
        }
        catch (const std::bad_alloc&)
        {
            // Nothing to remember it in: that backup stays, and the save has still succeeded.
        }
    }
}

BOOL WriteFileAtomically(const wchar_t* path, const void* bytes, DWORD size, CKeptFiles* kept, CStrayBackups* strays)
{
    if (kept != nullptr)
    {
        kept->newTextPath.Empty();
        kept->earlierFilePath.Empty();
    }
    if (strays != nullptr)
        strays->Remove();
    if (path == nullptr || *path == L'\0' || (bytes == nullptr && size != 0))
    {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return RunReportingOutOfMemory([&] { return WriteAndReplace(path, bytes, size, kept, strays); });
}
