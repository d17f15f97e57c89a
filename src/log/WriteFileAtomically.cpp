#include "WriteFileAtomically.h"

#include "LastError.h"
#include "UniqueHandle.h"
#include "WideString.h"

#include <cwchar>
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

// Paths of MAX_PATH characters or more only work with the extended-length prefix. The
// temporary name can cross that line even when the target's path does not.
void AllowLongPath(CString& path)
{
    if (path.GetLength() < MAX_PATH || wcsncmp(path, L"\\\\?\\", 4) == 0)
        return;
    CString extended;
    if (wcsncmp(path, L"\\\\", 2) == 0)
        extended.Format(L"\\\\?\\UNC\\%s", path.GetString() + 2);
    else
        extended.Format(L"\\\\?\\%s", path.GetString());
    path = extended;
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
            AllowLongPath(m_path);
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
        const DWORD lastError = ::GetLastError();
        m_file.reset(); // the file was opened without sharing: close it before deleting it
        ::DeleteFileW(m_path);
        ::SetLastError(lastError);
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
        temporary.Keep(kept != nullptr ? &kept->newText : nullptr);
        if (earlierAside)
            backup.Keep(kept != nullptr ? &kept->earlierFile : nullptr);
    }
    ::SetLastError(error);
    return FALSE;
}

// ReplaceFileW keeps what belongs to the target (attributes, security, creation time); a
// target that does not exist yet is simply renamed into place. The earlier file goes to a
// backup name on the way, so that a replacement the system leaves half-done can be undone
// (1177: the target is gone, its bytes are only under the backup name) before the plain
// rename is tried. Once the new bytes are at the target, the backup goes, or is left to strays
// while another program holds it.
BOOL MoveIntoPlace(CTemporaryFile& temporary, const wchar_t* target, CKeptFiles* kept, CStrayBackups* strays)
{
    const TargetState state = ProbeTarget(target);
    if (state == TargetState::Unavailable)
        return FALSE;
    DWORD flags = MOVEFILE_WRITE_THROUGH;
    CTemporaryFile backup;
    if (state == TargetState::Replaceable)
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
            return KeepOnlyCopies(temporary, backup, state, target, kept, error);
        flags |= MOVEFILE_REPLACE_EXISTING;
    }
    if (::MoveFileExW(temporary.Path(), target, flags))
    {
        temporary.Forget();
        backup.DiscardInto(strays); // an earlier file that was not put back has been replaced all the same
        return TRUE;
    }
    return KeepOnlyCopies(temporary, backup, state, target, kept, ::GetLastError());
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
    const DWORD lastError = ::GetLastError();
    std::erase_if(m_paths, [](const CString& path) { return ::DeleteFileW(path) || IsGone(::GetLastError()); });
    ::SetLastError(lastError);
}

void CStrayBackups::Discard(CString&& path) noexcept
{
    const DWORD lastError = ::GetLastError();
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
    ::SetLastError(lastError);
}

BOOL WriteFileAtomically(const wchar_t* path, const void* bytes, DWORD size, CKeptFiles* kept, CStrayBackups* strays)
{
    if (kept != nullptr)
    {
        kept->newText.Empty();
        kept->earlierFile.Empty();
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
