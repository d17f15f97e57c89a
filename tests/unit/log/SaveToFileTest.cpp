// COrvaneView::SaveToFile on a real view window: the file's bytes, and a target that
// another holder keeps open.
#include "OrvaneView.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

namespace
{
class SaveToFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.IsValid());
        ASSERT_NE(m_view.Create(m_parent, RECT{0, 0, 400, 300}, nullptr, WS_CHILD | ES_MULTILINE), nullptr);
    }
    void TearDown() override { ::DestroyWindow(m_parent); }

    CScratchFolder m_folder;
    std::wstring m_path = m_folder.File(L"log.txt");
    HWND m_parent = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    COrvaneView m_view;
};
} // namespace

TEST_F(SaveToFileTest, FileIsTheTextInUtf16LeWithoutByteOrderMarkOrTerminator)
{
    m_view.SetWindowText(L"a longer first text\r\n");
    ASSERT_TRUE(m_view.SaveToFile(m_path.c_str()));
    m_view.SetWindowText(L"Ab\r\n\u00C4\u20AC\r\n");
    ASSERT_TRUE(m_view.SaveToFile(m_path.c_str())); // replaces the longer file
    EXPECT_EQ(ReadBytes(m_path), std::string("A\0b\0\r\0\n\0\xC4\0\xAC\x20\r\0\n\0", 16));
}

TEST_F(SaveToFileTest, TargetHeldOpenWithoutSharingFailsAndStaysByteIdentical)
{
    ASSERT_TRUE(WriteBytes(m_path, "earlier log"));
    HANDLE holder = ::CreateFileW(m_path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    m_view.SetWindowText(L"new text\r\n");
    const BOOL saved = m_view.SaveToFile(m_path.c_str());
    const DWORD error = ::GetLastError();
    ::CloseHandle(holder);
    EXPECT_FALSE(saved);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(ReadBytes(m_path), "earlier log");
    EXPECT_EQ(m_folder.Names(), std::vector<std::wstring>{L"log.txt"});
}
