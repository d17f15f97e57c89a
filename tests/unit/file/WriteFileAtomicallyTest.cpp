// The atomic file write: after each kind of failure the target holds its old or new bytes and no
// temporary file stays, unless it or the backup is a version's only copy; a held backup goes later.
#include "WriteFileAtomically.h"
#include "ImportPatch.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace
{
const std::string kOldBytes = "earlier saved log";
const std::string kNewBytes = "the new text, longer than before";

// The system's own functions, for the replacements below that pass calls on.
decltype(&::WriteFile) g_writeFile = nullptr;
decltype(&::MoveFileExW) g_moveFile = nullptr;
decltype(&::ReplaceFileW) g_replaceFile = nullptr;
decltype(&::CreateFileW) g_createFile = nullptr;

enum class Refused { None, Temporary, All };
// Every failure the replacements below inject, and what they note; each test starts from none.
struct Injected
{
    bool shortWrite = false, holdBackup = false;
    DWORD replaceError = 0, pausedMs = 0;
    size_t replaceFailures = SIZE_MAX, namesTaken = 0;
    HANDLE heldBackup = INVALID_HANDLE_VALUE;
    std::wstring temporaryPath, backupPath;
    Refused refused = Refused::None;
    std::vector<std::wstring> newFileNames;
} g;

// WriteFile taking only half the bytes while shortWrite is set.
BOOL WINAPI ShortWrite(HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    return g_writeFile(file, bytes, g.shortWrite ? size / 2 : size, written, overlapped);
}

// ReplaceFileW failing with replaceError (its first replaceFailures calls), leaving the files as
// documented for a call with a backup name: 1177 has moved the target to the backup name, other
// errors have changed nothing; for error 2 the target is away during the call, as another
// program's replace leaves it. After a success, a scanner may hold the backup open.
BOOL WINAPI FailingReplace(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID, LPVOID)
{
    g.temporaryPath = replacement;
    g.backupPath = backup != nullptr ? backup : L"";
    if (g.replaceError == 0 || g.replaceFailures == 0)
    {
        const BOOL replacedOk = g_replaceFile(replaced, replacement, backup, flags, nullptr, nullptr);
        if (g.holdBackup)
            g.heldBackup = ::CreateFileW(backup, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        return replacedOk;
    }
    --g.replaceFailures;
    if (g.replaceError == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        g_moveFile(replaced, backup, MOVEFILE_REPLACE_EXISTING);
    const std::wstring away = std::wstring(replaced) + L"~";
    if (g.replaceError == ERROR_FILE_NOT_FOUND && g_moveFile(replaced, away.c_str(), 0))
    {
        const BOOL replacedOk = g_replaceFile(replaced, replacement, backup, flags, nullptr, nullptr);
        const DWORD error = ::GetLastError();
        g_moveFile(away.c_str(), replaced, 0);
        ::SetLastError(error);
        return replacedOk;
    }
    ::SetLastError(g.replaceError);
    return FALSE;
}

// MoveFileExW refusing moves of the temporary file, or every move.
BOOL WINAPI RefusingMove(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    if (g.refused == Refused::All || (g.refused == Refused::Temporary && g.temporaryPath == from))
    {
        ::SetLastError(ERROR_SHARING_VIOLATION);
        return FALSE;
    }
    return g_moveFile(from, to, flags);
}

// CreateFileW meeting the temporary file's creation (a new file): every name tried is noted; the
// first namesTaken are taken, reported in turn with the two errors the system gives for that.
HANDLE WINAPI NamesTaken(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                         DWORD flags, HANDLE model)
{
    if (disposition == CREATE_NEW)
    {
        g.newFileNames.push_back(path);
        if (g.newFileNames.size() <= g.namesTaken)
        {
            ::SetLastError(g.newFileNames.size() % 2 != 0 ? ERROR_FILE_EXISTS : ERROR_ALREADY_EXISTS);
            return INVALID_HANDLE_VALUE;
        }
    }
    return g_createFile(path, access, share, security, disposition, flags, model);
}

class WriteFileAtomicallyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.IsValid() && m_replace.IsActive() && m_move.IsActive() && m_create.IsActive() &&
                    m_write.IsActive() && m_sleep.IsActive());
        g_writeFile = m_write.Original<decltype(g_writeFile)>(), g_moveFile = m_move.Original<decltype(g_moveFile)>();
        g_replaceFile = m_replace.Original<decltype(g_replaceFile)>(), g_createFile = m_create.Original<decltype(g_createFile)>();
        g = {};
        ASSERT_TRUE(WriteFileBytes(m_target, kOldBytes));
    }
    // The folder holds exactly these names, each with these bytes.
    void ExpectFiles(const std::map<std::wstring, std::string>& expected)
    {
        std::map<std::wstring, std::string> actual;
        for (const std::wstring& name : m_folder.Names())
            actual[name] = FileBytes(m_folder.File(name));
        EXPECT_EQ(actual, expected);
    }
    void ExpectOnly(const std::string& bytes) { ExpectFiles({{L"log.txt", bytes}}); }

    TestFolder m_folder;
    std::wstring m_target = m_folder.File(L"log.txt");
    const CImportPatch m_replace{"kernel32.dll", "ReplaceFileW", reinterpret_cast<const void*>(&FailingReplace)};
    const CImportPatch m_move{"kernel32.dll", "MoveFileExW", reinterpret_cast<const void*>(&RefusingMove)};
    const CImportPatch m_create{"kernel32.dll", "CreateFileW", reinterpret_cast<const void*>(&NamesTaken)};
    const CImportPatch m_write{"kernel32.dll", "WriteFile", reinterpret_cast<const void*>(&ShortWrite)};
    // Sleep notes the pause instead of taking it: no test waits for the save's retries.
    const CImportPatch m_sleep{"kernel32.dll", "Sleep", reinterpret_cast<const void*>(+[](DWORD ms) { g.pausedMs += ms; })};
};
} // namespace

// Where ReplaceFileW cannot replace, or leaves the replacement half-done, the earlier file is put
// back and the new one renamed over it. A target another program holds, or has between names, is
// tried again for about a second, and still busy then is reported as in use, not as missing.
// Other failures of the replacement, and a short write, keep the old target and their error.
TEST_F(WriteFileAtomicallyTest, FailedReplacementIsUndoneOrTriedAgain)
{
    const struct
    {
        DWORD replaceError;
        Refused refused;
        DWORD error; // 0: the new bytes are at the target; otherwise the old ones are
        bool retried; // after a pause; still failing, after pausing about a second in all
        size_t failures = SIZE_MAX;
        bool shortWrite = false;
    } cases[] = {{ERROR_UNABLE_TO_MOVE_REPLACEMENT, Refused::None, 0, false},
                 {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, Refused::None, 0, false},
                 {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, Refused::Temporary, ERROR_SHARING_VIOLATION, true},
                 {ERROR_SHARING_VIOLATION, Refused::None, 0, true, 3},
                 {ERROR_FILE_NOT_FOUND, Refused::None, 0, true, 3},
                 {ERROR_FILE_NOT_FOUND, Refused::None, ERROR_SHARING_VIOLATION, true},
                 {ERROR_NETWORK_BUSY, Refused::None, ERROR_NETWORK_BUSY, false},
                 {0, Refused::None, ERROR_WRITE_FAULT, false, SIZE_MAX, true}};
    for (const auto& [replaceError, refused, error, retried, failures, shortWrite] : cases)
    {
        SCOPED_TRACE(testing::Message() << "row " << replaceError << "/" << static_cast<int>(refused) << "/" << failures);
        g.replaceError = replaceError, g.refused = refused, g.replaceFailures = failures, g.shortWrite = shortWrite;
        ASSERT_TRUE(WriteFileBytes(m_target, kOldBytes));
        CKeptFiles kept;
        const BOOL written = WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size(), &kept);
        EXPECT_EQ(written ? 0u : ::GetLastError(), error);
        ExpectOnly(error == 0 ? kNewBytes : kOldBytes);
        EXPECT_TRUE(kept.newTextPath.IsEmpty() && kept.earlierFilePath.IsEmpty());
        const DWORD pausedMs = std::exchange(g.pausedMs, 0);
        EXPECT_EQ(pausedMs != 0, retried) << pausedMs;
        EXPECT_TRUE(!retried || error == 0 || (pausedMs >= 900 && pausedMs <= 1100)) << pausedMs;
    }
}

// Whoever lets go of them, a read-only target and a folder of its name refuse the save: at once.
TEST_F(WriteFileAtomicallyTest, ARefusalNoWaitCanLiftIsReportedAtOnce)
{
    const std::wstring folder = m_folder.File(L"folder.txt");
    ASSERT_TRUE(::SetFileAttributesW(m_target.c_str(), FILE_ATTRIBUTE_READONLY) &&
                ::CreateDirectoryW(folder.c_str(), nullptr));
    for (const std::wstring& target : {m_target, folder})
        EXPECT_FALSE(WriteFileAtomically(target.c_str(), kNewBytes.data(), kNewBytes.size())) << target.c_str();
    EXPECT_EQ(g.pausedMs, 0u);
    ASSERT_TRUE(::SetFileAttributesW(m_target.c_str(), FILE_ATTRIBUTE_NORMAL));
    ExpectFiles({{L"log.txt", kOldBytes}, {L"folder.txt", ""}});
}

// After 1177 the earlier file cannot go back to the target's name, nor the new bytes go there:
// every move is refused. Both versions stay, each under the name the caller is told.
TEST_F(WriteFileAtomicallyTest, AnEarlierFileNotPutBackIsKeptWithTheNewBytes)
{
    g.replaceError = ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, g.refused = Refused::All;
    CKeptFiles kept;
    EXPECT_FALSE(WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size(), &kept));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(std::pair(std::wstring(kept.newTextPath), std::wstring(kept.earlierFilePath)),
              std::pair(g.temporaryPath, g.backupPath));
    const std::wstring temporaryName = g.temporaryPath.substr(m_folder.Path().size() + 1);
    ExpectFiles({{temporaryName, kNewBytes}, {temporaryName + L".bak", kOldBytes}});
}

// A scanner holds the earlier file's backup open when a successful save deletes it. The save
// still succeeds; the backup goes at the next save, or when its owner ends.
TEST_F(WriteFileAtomicallyTest, ABackupHeldOpenGoesAtTheNextSaveOrWithItsOwner)
{
    {
        CStrayBackups strays;
        for (const auto& [bytes, earlier] : {std::pair{&kNewBytes, &kOldBytes}, std::pair{&kOldBytes, &kNewBytes}})
        {
            g.holdBackup = true;
            EXPECT_TRUE(WriteFileAtomically(m_target.c_str(), bytes->data(), bytes->size(), nullptr, &strays));
            ASSERT_NE(g.heldBackup, INVALID_HANDLE_VALUE);
            ::CloseHandle(std::exchange(g.heldBackup, INVALID_HANDLE_VALUE));
            // The backup held at the save before went when this save began; this one's stays.
            ExpectFiles({{L"log.txt", *bytes}, {g.backupPath.substr(m_folder.Path().size() + 1), *earlier}});
        }
    }
    ExpectOnly(kOldBytes);
}

// Names of earlier temporary files still there (their saves were cut short) are skipped.
TEST_F(WriteFileAtomicallyTest, TakenTemporaryNamesAreSkipped)
{
    g.namesTaken = 2;
    EXPECT_TRUE(WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size()));
    ExpectOnly(kNewBytes);
    ASSERT_EQ(g.newFileNames.size(), 3u);
    EXPECT_TRUE(g.newFileNames[0] != g.newFileNames[1] && g.newFileNames[1] != g.newFileNames[2]);
}

// A long path on a share takes the shares' extended form, "\\?\UNC\server\share\..." ("\\?\\\server"
// names no file). No share is reachable here: creating the temporary file fails, after its path is noted.
TEST_F(WriteFileAtomicallyTest, ALongPathOnAShareGetsTheExtendedForm)
{
    const std::wstring folder = L"\\\\server\\share\\" + std::wstring(MAX_PATH, L'd') + L"\\";
    EXPECT_FALSE(WriteFileAtomically((folder + L"log.txt").c_str(), kNewBytes.data(), kNewBytes.size()));
    ASSERT_EQ(g.newFileNames.size(), 1u);
    EXPECT_TRUE(g.newFileNames[0].starts_with(L"\\\\?\\UNC" + folder.substr(1) + L"~")) << g.newFileNames[0].c_str();
}
