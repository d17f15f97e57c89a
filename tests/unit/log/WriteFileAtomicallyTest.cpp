// The atomic file write: after each kind of failure the old target is byte-identical and
// no temporary file is left behind.
#include "WriteFileAtomically.h"
#include "ImportPatch.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

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

TEST_F(WriteFileAtomicallyTest, TargetWithoutReplaceSupportIsRenamedOver)
{
    const CImportPatch patch("kernel32.dll", "ReplaceFileW", reinterpret_cast<const void*>(&ReplaceNotSupported));
    ASSERT_TRUE(patch.IsActive());
    EXPECT_TRUE(WriteFileAtomically(m_target.c_str(), kNewBytes.data(), kNewBytes.size()));
    ExpectOnly(kNewBytes);
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
