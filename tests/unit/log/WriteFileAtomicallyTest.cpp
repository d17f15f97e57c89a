// The atomic file write: after each kind of failure the target holds its old or its new
// bytes and no temporary file is left behind, unless it or the backup is the only copy of a
// version; a backup that cannot be deleted at once goes later.
#include "WriteFileAtomically.h"
#include "ImportPatch.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace
{
const std::string kOldBytes = "earlier saved log";
const std::string kNewBytes = "the new text, longer than before";

// The system's own functions, for the replacements below that pass calls on.
decltype(&::WriteFile) g_writeFile = nullptr;
decltype(&::MoveFileExW) g_moveFile = nullptr;
decltype(&::ReplaceFileW) g_replaceFile = nullptr;

BOOL WINAPI WriteHalf(HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    return g_writeFile(file, bytes, size / 2, written, overlapped);
}

// ReplaceFileW failing with error, leaving the files as the system documents: 1176 without a
// backup name has removed the target, 1177 has moved it to the backup name (or another one),
// other errors (no support for replacing) have changed nothing. Another program may then
// re-create the target's name; or, after a success, hold the backup open as a scanner would.
// The temporary file is complete and closed when the replacement is asked for; remember it.
DWORD g_replaceError = 0;
bool g_recreateTarget = false;
bool g_holdBackup = false;
HANDLE g_heldBackup = INVALID_HANDLE_VALUE;
std::wstring g_temporaryPath, g_backupPath;
std::string g_temporaryBytes;
const std::string kOtherProgramsBytes = "another program's file";
BOOL WINAPI FailingReplace(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID, LPVOID)
{
    g_temporaryPath = replacement;
    g_backupPath = backup != nullptr ? backup : L"";
    if (g_replaceError == 0)
    {
        const BOOL replacedOk = g_replaceFile(replaced, replacement, backup, flags, nullptr, nullptr);
        if (g_holdBackup)
            g_heldBackup = ::CreateFileW(backup, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        return replacedOk;
    }
    g_temporaryBytes = FileBytes(replacement);
    if (g_replaceError == ERROR_UNABLE_TO_MOVE_REPLACEMENT && backup == nullptr)
        ::DeleteFileW(replaced);
    if (g_replaceError == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
    {
        const std::wstring aside = backup != nullptr ? backup : std::wstring(replaced) + L".old";
        g_moveFile(replaced, aside.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    if (g_recreateTarget)
        WriteFileBytes(replaced, kOtherProgramsBytes);
    ::SetLastError(g_replaceError);
    return FALSE;
}

// MoveFileExW refusing moves of the temporary file, or every move.
enum class Refused { None, Temporary, All };
Refused g_refused = Refused::None;
BOOL WINAPI RefusingMove(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    if (g_refused == Refused::All || (g_refused == Refused::Temporary && g_temporaryPath == from))
    {
        ::SetLastError(ERROR_SHARING_VIOLATION);
        return FALSE;
    }
    return g_moveFile(from, to, flags);
}

class WriteFileAtomicallyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.IsValid() && m_replace.IsActive() && m_move.IsActive());
        g_moveFile = m_move.Original<decltype(&::MoveFileExW)>();
        g_replaceFile = m_replace.Original<decltype(&::ReplaceFileW)>();
        g_replaceError = 0;
        g_recreateTarget = false;
        g_refused = Refused::None;
        ASSERT_TRUE(WriteFileBytes(m_target, kOldBytes));
    }
    void ExpectOnly(const std::string& bytes)
    {
        EXPECT_EQ(FileBytes(m_target), bytes);
        EXPECT_EQ(m_folder.Names(), std::vector<std::wstring>{L"log.txt"});
    }
    // The folder holds exactly these names, each with these bytes.
    void ExpectFiles(std::vector<std::pair<std::wstring, std::string>> expected)
    {
        std::vector<std::pair<std::wstring, std::string>> actual;
        for (const std::wstring& name : m_folder.Names())
            actual.emplace_back(name, FileBytes(m_folder.File(name)));
        std::sort(actual.begin(), actual.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(actual, expected);
    }

    TestFolder m_folder;
    std::wstring m_target = m_folder.File(L"log.txt");
    const CImportPatch m_replace{"kernel32.dll", "ReplaceFileW", reinterpret_cast<const void*>(&FailingReplace)};
    const CImportPatch m_move{"kernel32.dll", "MoveFileExW", reinterpret_cast<const void*>(&RefusingMove)};
};
} // namespace

TEST_F(WriteFileAtomicallyTest, FailureAfterTheTemporaryFileOrAShortWriteKeepsTheOldTarget)
{
    // A replacement that fails outright (nothing moved) after a complete temporary file.
    g_replaceError = ERROR_NETWORK_BUSY;
    EXPECT_FALSE(WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size()));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NETWORK_BUSY));
    ExpectOnly(kOldBytes);
    EXPECT_EQ(g_temporaryBytes, kNewBytes);

    BOOL written = TRUE;
    DWORD error = 0;
    {
        const CImportPatch shortWrite("kernel32.dll", "WriteFile", reinterpret_cast<const void*>(&WriteHalf));
        ASSERT_TRUE(shortWrite.IsActive());
        g_writeFile = shortWrite.Original<decltype(&::WriteFile)>();
        written = WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size());
        error = ::GetLastError();
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_WRITE_FAULT));
    ExpectOnly(kOldBytes);
}

// Where ReplaceFileW cannot replace, or leaves the replacement half-done, the earlier file is
// put back and the new one renamed over it.
TEST_F(WriteFileAtomicallyTest, FailedReplacementIsUndone)
{
    const struct
    {
        DWORD replaceError;
        Refused refused;
        const std::string& target;
    } cases[] = {{ERROR_NOT_SUPPORTED, Refused::None, kNewBytes},
                 {ERROR_UNABLE_TO_MOVE_REPLACEMENT, Refused::None, kNewBytes},
                 {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, Refused::None, kNewBytes},
                 {ERROR_UNABLE_TO_MOVE_REPLACEMENT, Refused::Temporary, kOldBytes},
                 {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, Refused::Temporary, kOldBytes},
                 {ERROR_NOT_SUPPORTED, Refused::Temporary, kOldBytes}};
    for (const auto& [replaceError, refused, target] : cases)
    {
        SCOPED_TRACE(testing::Message() << replaceError << " refused " << static_cast<int>(refused));
        g_replaceError = replaceError;
        g_refused = refused;
        ASSERT_TRUE(WriteFileBytes(m_target, kOldBytes));
        CKeptFiles kept;
        const BOOL written = WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size(), &kept);
        EXPECT_EQ(written ? 0u : ::GetLastError(), &target == &kNewBytes ? 0u : ERROR_SHARING_VIOLATION);
        ExpectOnly(target);
        EXPECT_TRUE(kept.newText.IsEmpty() && kept.earlierFile.IsEmpty());
    }
}

// After 1177 the earlier file cannot go back to the target's name: every move is refused, or
// another program re-created the name. The new bytes cannot go there either. Both versions stay,
// each under the name the caller is told.
TEST_F(WriteFileAtomicallyTest, AnEarlierFileNotPutBackIsKeptWithTheNewBytes)
{
    g_replaceError = ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
    for (const bool recreated : {false, true})
    {
        SCOPED_TRACE(recreated ? "target re-created" : "every move refused");
        g_recreateTarget = recreated;
        g_refused = recreated ? Refused::Temporary : Refused::All;
        ASSERT_TRUE(WriteFileBytes(m_target, kOldBytes));
        CKeptFiles kept;
        EXPECT_FALSE(WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size(), &kept));
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
        EXPECT_EQ(kept.newText.Str(), g_temporaryPath);
        EXPECT_EQ(kept.earlierFile.Str(), g_backupPath);
        const std::wstring temporaryName = g_temporaryPath.substr(m_folder.Path().size() + 1);
        std::vector<std::pair<std::wstring, std::string>> files{{temporaryName, kNewBytes},
                                                                {temporaryName + L".bak", kOldBytes}};
        if (recreated)
            files.emplace_back(L"log.txt", kOtherProgramsBytes);
        ExpectFiles(files);
        ::DeleteFileW(g_temporaryPath.c_str());
        ::DeleteFileW(g_backupPath.c_str());
    }
}

// A scanner holds the earlier file's backup open when a successful save deletes it. The save
// still succeeds; the backup goes at the next save, or when its owner ends.
TEST_F(WriteFileAtomicallyTest, ABackupHeldOpenGoesAtTheNextSaveOrWithItsOwner)
{
    for (const bool saveAgain : {true, false})
    {
        SCOPED_TRACE(saveAgain ? "next save" : "owner's end");
        ASSERT_TRUE(WriteFileBytes(m_target, kOldBytes));
        {
            CStrayBackups strays;
            g_holdBackup = true;
            EXPECT_TRUE(WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size(), nullptr, &strays));
            g_holdBackup = false;
            ASSERT_NE(g_heldBackup, INVALID_HANDLE_VALUE);
            ::CloseHandle(std::exchange(g_heldBackup, INVALID_HANDLE_VALUE));
            ExpectFiles({{L"log.txt", kNewBytes}, {g_backupPath.substr(m_folder.Path().size() + 1), kOldBytes}});
            if (saveAgain)
            {
                EXPECT_TRUE(WriteFileAtomically(m_target.c_str(), kOldBytes.data(), kOldBytes.size(), nullptr, &strays));
                ExpectOnly(kOldBytes);
            }
        }
        ExpectOnly(saveAgain ? kOldBytes : kNewBytes);
    }
}
