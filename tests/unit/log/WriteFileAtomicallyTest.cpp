// The atomic file write: what the target holds after each kind of failure, and that no
// temporary file is left behind.
#include "log/WriteFileAtomically.h"
#include "ImportPatch.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const std::string kOldBytes = "earlier saved log";
const std::string kNewBytes = "the new text, longer than before";

BOOL Write(const std::wstring& path, const std::string& bytes, const AtomicWriteSeams& seams = {})
{
    return WriteFileAtomically(path.c_str(), bytes.data(), static_cast<DWORD>(bytes.size()), seams);
}

// What the temporary file looked like when the replacement was about to happen.
struct TemporarySeen
{
    std::wstring path;
    std::string bytes;
    DWORD failWith = ERROR_SUCCESS; // non-zero: fail the write at this point
};

BOOL InspectTemporary(const wchar_t* temporaryPath, void* context)
{
    auto* seen = static_cast<TemporarySeen*>(context);
    seen->path = temporaryPath;
    seen->bytes = ReadBytes(temporaryPath);
    if (seen->failWith == ERROR_SUCCESS)
        return TRUE;
    ::SetLastError(seen->failWith);
    return FALSE;
}

AtomicWriteSeams Inspecting(TemporarySeen& seen)
{
    AtomicWriteSeams seams;
    seams.beforeReplace = &InspectTemporary;
    seams.context = &seen;
    return seams;
}

// Writes only half of what it is asked for and says so.
BOOL WINAPI WriteHalf(HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
{
    return ::WriteFile(file, bytes, size / 2, written, overlapped);
}

BOOL WINAPI FailDiskFull(HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED)
{
    *written = 0;
    ::SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

// ReplaceFileW as a file system that cannot replace, or refuses, would answer.
DWORD g_replaceError = ERROR_SUCCESS;
BOOL WINAPI RefuseReplace(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID)
{
    ::SetLastError(g_replaceError);
    return FALSE;
}

class WriteFileAtomicallyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.IsValid());
        m_target = m_folder.File(L"log.txt");
    }

    void CreateOldTarget() { ASSERT_TRUE(WriteBytes(m_target, kOldBytes)); }
    [[nodiscard]] std::vector<std::wstring> TargetOnly() const { return {L"log.txt"}; }

    // Writes the new bytes over the old target through seams and expects the write to fail
    // with error, leaving the old target as it was and nothing else in the folder.
    void ExpectFailureKeepsOldTarget(const AtomicWriteSeams& seams, DWORD error)
    {
        const BOOL written = Write(m_target, kNewBytes, seams);
        const DWORD lastError = ::GetLastError();
        EXPECT_FALSE(written);
        EXPECT_EQ(lastError, error);
        EXPECT_EQ(ReadBytes(m_target), kOldBytes);
        EXPECT_EQ(m_folder.Names(), TargetOnly());
    }

    CScratchFolder m_folder;
    std::wstring m_target;
};
} // namespace

TEST_F(WriteFileAtomicallyTest, CreatesAMissingTarget)
{
    EXPECT_TRUE(Write(m_target, kNewBytes));
    EXPECT_EQ(ReadBytes(m_target), kNewBytes);
    EXPECT_EQ(m_folder.Names(), TargetOnly());
}

TEST_F(WriteFileAtomicallyTest, ReplacesAnExistingTargetWhole)
{
    CreateOldTarget();
    EXPECT_TRUE(Write(m_target, "short"));
    EXPECT_EQ(ReadBytes(m_target), "short");
    EXPECT_EQ(m_folder.Names(), TargetOnly());
}

TEST_F(WriteFileAtomicallyTest, TemporaryFileSitsBesideTheTargetWithAllBytes)
{
    CreateOldTarget();
    TemporarySeen seen;
    ASSERT_TRUE(Write(m_target, kNewBytes, Inspecting(seen)));

    EXPECT_EQ(seen.path.substr(0, m_folder.Path().size() + 1), m_folder.Path() + L"\\");
    EXPECT_EQ(seen.bytes, kNewBytes);
    EXPECT_EQ(::GetFileAttributesW(seen.path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(WriteFileAtomicallyTest, FailureAfterTheTemporaryFileKeepsTheOldTarget)
{
    CreateOldTarget();
    TemporarySeen seen;
    seen.failWith = ERROR_NETWORK_BUSY;
    ExpectFailureKeepsOldTarget(Inspecting(seen), ERROR_NETWORK_BUSY);
    EXPECT_EQ(seen.bytes, kNewBytes); // the failure came after a complete temporary file
}

TEST_F(WriteFileAtomicallyTest, FailureWithoutAnOldTargetLeavesNoFile)
{
    TemporarySeen seen;
    seen.failWith = ERROR_NETWORK_BUSY;
    EXPECT_FALSE(Write(m_target, kNewBytes, Inspecting(seen)));
    EXPECT_TRUE(m_folder.Names().empty());
}

TEST_F(WriteFileAtomicallyTest, ShortWriteIsAFailure)
{
    CreateOldTarget();
    AtomicWriteSeams seams;
    seams.writeFile = &WriteHalf;
    ExpectFailureKeepsOldTarget(seams, ERROR_WRITE_FAULT);
}

TEST_F(WriteFileAtomicallyTest, FailedWriteKeepsItsError)
{
    CreateOldTarget();
    AtomicWriteSeams seams;
    seams.writeFile = &FailDiskFull;
    ExpectFailureKeepsOldTarget(seams, ERROR_DISK_FULL);
}

TEST_F(WriteFileAtomicallyTest, TargetHeldWithoutSharingFailsAndStaysAsItWas)
{
    CreateOldTarget();
    HANDLE holder = ::CreateFileW(m_target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    const BOOL written = Write(m_target, kNewBytes);
    const DWORD error = ::GetLastError();
    ::CloseHandle(holder);

    EXPECT_FALSE(written);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(ReadBytes(m_target), kOldBytes);
    EXPECT_EQ(m_folder.Names(), TargetOnly());
}

TEST_F(WriteFileAtomicallyTest, MissingFolderFailsWithPathNotFound)
{
    const BOOL written = Write(m_folder.File(L"missing\\log.txt"), kNewBytes);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(written);
    EXPECT_TRUE(m_folder.Names().empty());
}

TEST_F(WriteFileAtomicallyTest, RelativePathIsResolvedAgainstTheCurrentFolder)
{
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryW(m_folder.Path().c_str()));
    CreateOldTarget();
    const BOOL written = Write(L"log.txt", kNewBytes);
    ::SetCurrentDirectoryW(previous);

    EXPECT_TRUE(written);
    EXPECT_EQ(ReadBytes(m_target), kNewBytes);
}

TEST_F(WriteFileAtomicallyTest, EmptyPathIsInvalid)
{
    const BOOL written = WriteFileAtomically(L"", "x", 1);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(written);
}

TEST_F(WriteFileAtomicallyTest, ReplaceNotSupportedFallsBackToARename)
{
    CreateOldTarget();
    const CImportPatch patch("kernel32.dll", "ReplaceFileW", reinterpret_cast<const void*>(&RefuseReplace));
    ASSERT_TRUE(patch.IsActive());
    g_replaceError = ERROR_NOT_SUPPORTED;

    EXPECT_TRUE(Write(m_target, kNewBytes));
    EXPECT_EQ(ReadBytes(m_target), kNewBytes);
    EXPECT_EQ(m_folder.Names(), TargetOnly());
}

TEST_F(WriteFileAtomicallyTest, ReplaceRefusedIsAFailureThatKeepsTheTarget)
{
    CreateOldTarget();
    const CImportPatch patch("kernel32.dll", "ReplaceFileW", reinterpret_cast<const void*>(&RefuseReplace));
    ASSERT_TRUE(patch.IsActive());
    g_replaceError = ERROR_ACCESS_DENIED;
    ExpectFailureKeepsOldTarget({}, ERROR_ACCESS_DENIED);
}
