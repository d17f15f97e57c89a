// The atomic file write: after each kind of failure the old target is byte-identical and
// no temporary file is left behind.
#include "log/WriteFileAtomically.h"
#include "ImportPatch.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

namespace
{
const std::string kOldBytes = "earlier saved log";
const std::string kNewBytes = "the new text, longer than before";

// Sees the complete temporary file, then fails the write there.
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

BOOL WINAPI ReplaceNotSupported(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID)
{
    ::SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
}

class WriteFileAtomicallyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.IsValid());
        ASSERT_TRUE(WriteBytes(m_target, kOldBytes));
    }

    // The write fails with error; the old target and nothing else is in the folder.
    void ExpectFailureKeepsOldTarget(const AtomicWriteSeams& seams, DWORD error)
    {
        const BOOL written = WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size(), seams);
        const DWORD lastError = ::GetLastError();
        EXPECT_FALSE(written);
        EXPECT_EQ(lastError, error);
        EXPECT_EQ(ReadBytes(m_target), kOldBytes);
        EXPECT_EQ(m_folder.Names(), std::vector<std::wstring>{L"log.txt"});
    }

    CScratchFolder m_folder;
    std::wstring m_target = m_folder.File(L"log.txt");
};
} // namespace

TEST_F(WriteFileAtomicallyTest, FailureAfterTheTemporaryFileKeepsTheOldTarget)
{
    AtomicWriteSeams seams;
    seams.beforeReplace = &FailOnceWritten;
    ExpectFailureKeepsOldTarget(seams, ERROR_NETWORK_BUSY);
    EXPECT_EQ(g_temporaryBytes, kNewBytes); // the failure came after a complete temporary file
}

TEST_F(WriteFileAtomicallyTest, ShortWriteIsAFailure)
{
    AtomicWriteSeams seams;
    seams.writeFile = &WriteHalf;
    ExpectFailureKeepsOldTarget(seams, ERROR_WRITE_FAULT);
}

TEST_F(WriteFileAtomicallyTest, TargetWithoutReplaceSupportIsRenamedOver)
{
    const CImportPatch patch("kernel32.dll", "ReplaceFileW", reinterpret_cast<const void*>(&ReplaceNotSupported));
    ASSERT_TRUE(patch.IsActive());
    EXPECT_TRUE(WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size()));
    EXPECT_EQ(ReadBytes(m_target), kNewBytes);
    EXPECT_EQ(m_folder.Names(), std::vector<std::wstring>{L"log.txt"});
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
    EXPECT_EQ(ReadBytes(m_target), kNewBytes);
}
