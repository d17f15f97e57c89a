// The atomic file write: after each kind of failure the target holds its old or its new
// bytes and no temporary file is left behind, unless it is the only copy of the new bytes.
#include "WriteFileAtomically.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
const std::string kOldBytes = "earlier saved log";
const std::string kNewBytes = "the new text, longer than before";

std::string g_temporaryBytes;
BOOL FailOnceWritten(const wchar_t* temporaryPath, void*)
{
    g_temporaryBytes = ReadBytes(temporaryPath);
    ::SetLastError(ERROR_NETWORK_BUSY);
    return FALSE;
}

BOOL WINAPI WriteHalf(HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    return ::WriteFile(file, bytes, size / 2, written, overlapped);
}

// ReplaceFileW failing with error, leaving the files as the system documents: 1176 without a
// backup name has removed the target, 1177 has moved it to the backup name (or another one),
// other errors (no support for replacing) have changed nothing.
DWORD g_replaceError = 0;
BOOL WINAPI FailingReplace(LPCWSTR replaced, LPCWSTR, LPCWSTR backup, DWORD, LPVOID, LPVOID)
{
    if (g_replaceError == ERROR_UNABLE_TO_MOVE_REPLACEMENT && backup == nullptr)
        ::DeleteFileW(replaced);
    if (g_replaceError == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
    {
        const std::wstring aside = backup != nullptr ? backup : std::wstring(replaced) + L".old";
        ::MoveFileExW(replaced, aside.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    ::SetLastError(g_replaceError);
    return FALSE;
}

// MoveFileExW refusing moves of the temporary file, or every move.
enum class Refused { None, Temporary, All };
Refused g_refused = Refused::None;
std::wstring g_temporaryPath;
BOOL NoteTemporary(const wchar_t* temporaryPath, void*)
{
    g_temporaryPath = temporaryPath;
    return TRUE;
}
BOOL WINAPI RefusingMove(LPCWSTR from, LPCWSTR to, DWORD flags)
{
    if (g_refused == Refused::All || (g_refused == Refused::Temporary && g_temporaryPath == from))
    {
        ::SetLastError(ERROR_SHARING_VIOLATION);
        return FALSE;
    }
    return ::MoveFileExW(from, to, flags);
}

class WriteFileAtomicallyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.IsValid());
        ASSERT_TRUE(WriteBytes(m_target, kOldBytes));
    }
    void ExpectOnly(const std::string& bytes)
    {
        EXPECT_EQ(ReadBytes(m_target), bytes);
        EXPECT_EQ(m_folder.Names(), std::vector<std::wstring>{L"log.txt"});
    }

    CScratchFolder m_folder;
    std::wstring m_target = m_folder.File(L"log.txt");
};
} // namespace

TEST_F(WriteFileAtomicallyTest, FailureAfterTheTemporaryFileOrAShortWriteKeepsTheOldTarget)
{
    AtomicWriteSeams failBeforeReplace;
    failBeforeReplace.beforeReplace = &FailOnceWritten;
    AtomicWriteSeams shortWrite;
    shortWrite.writeFile = &WriteHalf;
    const std::pair<AtomicWriteSeams, DWORD> cases[] = {{failBeforeReplace, ERROR_NETWORK_BUSY},
                                                        {shortWrite, ERROR_WRITE_FAULT}};
    for (const auto& [seams, error] : cases)
    {
        SCOPED_TRACE(error);
        EXPECT_FALSE(WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size(), seams));
        EXPECT_EQ(::GetLastError(), error);
        ExpectOnly(kOldBytes);
    }
    EXPECT_EQ(g_temporaryBytes, kNewBytes); // the injected failure came after a complete temporary file
}

// Where ReplaceFileW cannot replace, or leaves the replacement half-done, the earlier file is
// put back and the new one renamed over it.
TEST_F(WriteFileAtomicallyTest, FailedReplacementIsUndoneAndTheOnlyCopyOfTheNewBytesIsKept)
{
    AtomicWriteSeams seams;
    seams.replaceFile = &FailingReplace;
    seams.moveFile = &RefusingMove;
    seams.beforeReplace = &NoteTemporary;
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
        ASSERT_TRUE(WriteBytes(m_target, kOldBytes));
        CString kept;
        const BOOL written = WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size(), seams, &kept);
        EXPECT_EQ(written ? 0u : ::GetLastError(), &target == &kNewBytes ? 0u : ERROR_SHARING_VIOLATION);
        ExpectOnly(target);
        EXPECT_TRUE(kept.IsEmpty());
    }

    // Neither the earlier file nor the new one can be moved back to the target's name: both
    // stay, and the caller learns where the new bytes are.
    g_replaceError = ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
    g_refused = Refused::All;
    CString kept;
    EXPECT_FALSE(WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size(), seams, &kept));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(kept.GetString(), g_temporaryPath);
    EXPECT_EQ(ReadBytes(g_temporaryPath), kNewBytes);
    std::vector<std::string> contents;
    for (const std::wstring& name : m_folder.Names())
        contents.push_back(ReadBytes(m_folder.File(name.c_str())));
    std::sort(contents.begin(), contents.end());
    EXPECT_EQ(contents, (std::vector<std::string>{kOldBytes, kNewBytes}));
}

// Wine's ReplaceFileW refuses relative names (ERROR_DIRECTORY).
TEST_F(WriteFileAtomicallyTest, RelativePathIsResolvedAgainstTheCurrentFolder)
{
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryW(m_folder.Path().c_str()));
    const BOOL written = WriteFileAtomically(L"log.txt", kNewBytes.data(), kNewBytes.size());
    ::SetCurrentDirectoryW(previous);
    EXPECT_TRUE(written);
    ExpectOnly(kNewBytes);
}
