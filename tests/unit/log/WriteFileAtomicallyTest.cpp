// The atomic file write: after each kind of failure the target holds its old or its new
// bytes and no temporary file is left behind, unless it is the only copy of the new bytes.
#include "WriteFileAtomically.h"
#include "ImportPatch.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

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
// other errors (no support for replacing) have changed nothing.
// The temporary file is complete and closed when the replacement is asked for; remember it.
DWORD g_replaceError = 0;
std::wstring g_temporaryPath;
std::string g_temporaryBytes;
BOOL WINAPI FailingReplace(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID, LPVOID)
{
    if (g_replaceError == 0)
        return g_replaceFile(replaced, replacement, backup, flags, nullptr, nullptr);
    g_temporaryPath = replacement;
    g_temporaryBytes = FileBytes(replacement);
    if (g_replaceError == ERROR_UNABLE_TO_MOVE_REPLACEMENT && backup == nullptr)
        ::DeleteFileW(replaced);
    if (g_replaceError == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
    {
        const std::wstring aside = backup != nullptr ? backup : std::wstring(replaced) + L".old";
        g_moveFile(replaced, aside.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
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
        g_refused = Refused::None;
        ASSERT_TRUE(WriteFileBytes(m_target, kOldBytes));
    }
    void ExpectOnly(const std::string& bytes)
    {
        EXPECT_EQ(FileBytes(m_target), bytes);
        EXPECT_EQ(m_folder.Names(), std::vector<std::wstring>{L"log.txt"});
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
TEST_F(WriteFileAtomicallyTest, FailedReplacementIsUndoneAndTheOnlyCopyOfTheNewBytesIsKept)
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
        CString kept;
        const BOOL written = WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size(), &kept);
        EXPECT_EQ(written ? 0u : ::GetLastError(), &target == &kNewBytes ? 0u : ERROR_SHARING_VIOLATION);
        ExpectOnly(target);
        EXPECT_TRUE(kept.IsEmpty());
    }

    // Neither the earlier file nor the new one can be moved back to the target's name: both
    // stay, and the caller learns where the new bytes are.
    g_replaceError = ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
    g_refused = Refused::All;
    CString kept;
    EXPECT_FALSE(WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size(), &kept));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(kept.GetString(), g_temporaryPath);
    EXPECT_EQ(FileBytes(g_temporaryPath), kNewBytes);
    std::vector<std::string> contents;
    for (const std::wstring& name : m_folder.Names())
        contents.push_back(FileBytes(m_folder.File(name)));
    std::sort(contents.begin(), contents.end());
    EXPECT_EQ(contents, (std::vector<std::string>{kOldBytes, kNewBytes}));
}
