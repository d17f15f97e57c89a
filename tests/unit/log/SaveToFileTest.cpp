// COrvaneView::SaveToFile on a real view window: the bytes of the file, byte by byte.
#include "log/OrvaneView.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string Utf16Le(const std::wstring& text)
{
    std::string bytes;
    for (wchar_t unit : text)
    {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
    }
    return bytes;
}

class SaveToFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.IsValid());
        m_parent = ::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 400, 300, nullptr, nullptr, nullptr,
                                     nullptr);
        ASSERT_NE(m_parent, nullptr);
        RECT rect{0, 0, 400, 300};
        ASSERT_NE(m_view.Create(m_parent, rect, nullptr, WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL), nullptr);
        m_view.SetLimitText(0);
    }
    void TearDown() override { ::DestroyWindow(m_parent); }

    void SetLog(const wchar_t* text) { ASSERT_TRUE(m_view.SetWindowText(text)); }

    CScratchFolder m_folder;
    HWND m_parent = nullptr;
    COrvaneView m_view;
};
} // namespace

TEST_F(SaveToFileTest, FileIsTheTextInUtf16LeWithoutByteOrderMark)
{
    SetLog(L"Ab\r\n\u00C4\u20AC\r\n");
    const std::wstring path = m_folder.File(L"log.txt");
    ASSERT_TRUE(m_view.SaveToFile(path.c_str()));

    const std::string expected("\x41\x00\x62\x00\x0D\x00\x0A\x00\xC4\x00\xAC\x20\x0D\x00\x0A\x00", 16);
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(SaveToFileTest, SizeIsTwiceTheUnitsWithNoTerminator)
{
    const std::wstring text = L"2026/01/05 03:04:09.007 - DBT_DEVICEARRIVAL\r\n";
    SetLog(text.c_str());
    const std::wstring path = m_folder.File(L"log.txt");
    ASSERT_TRUE(m_view.SaveToFile(path.c_str()));

    const std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.size(), 2 * text.size());
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\x0D\x00\x0A\x00", 4));
}

TEST_F(SaveToFileTest, AppendedLinesAreSavedAsShown)
{
    m_view.m_bTimestamp = false;
    m_view.AppendLine(L"first %s", L"line");
    m_view.AppendLine(L"second");
    const std::wstring path = m_folder.File(L"log.txt");
    ASSERT_TRUE(m_view.SaveToFile(path.c_str()));

    const std::wstring indent(COrvaneView::kPrefixLength, L' ');
    EXPECT_EQ(ReadBytes(path), Utf16Le(indent + L"first line\r\n" + indent + L"second\r\n"));
}

TEST_F(SaveToFileTest, LongLogIsSavedWhole)
{
    std::wstring text;
    for (int i = 0; i < 4000; ++i)
        text += L"                          a line of the log, number " + std::to_wstring(i) + L"\r\n";
    SetLog(text.c_str());
    const std::wstring path = m_folder.File(L"log.txt");
    ASSERT_TRUE(m_view.SaveToFile(path.c_str()));
    EXPECT_EQ(ReadBytes(path), Utf16Le(text));
}

TEST_F(SaveToFileTest, EmptyLogGivesAnEmptyFile)
{
    SetLog(L"");
    const std::wstring path = m_folder.File(L"log.txt");
    ASSERT_TRUE(m_view.SaveToFile(path.c_str()));
    EXPECT_NE(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(ReadBytes(path).empty());
}

TEST_F(SaveToFileTest, SavingAgainReplacesTheFile)
{
    const std::wstring path = m_folder.File(L"log.txt");
    SetLog(L"a longer first text\r\n");
    ASSERT_TRUE(m_view.SaveToFile(path.c_str()));
    SetLog(L"short\r\n");
    ASSERT_TRUE(m_view.SaveToFile(path.c_str()));
    EXPECT_EQ(ReadBytes(path), Utf16Le(L"short\r\n"));
}

TEST_F(SaveToFileTest, TargetHeldOpenFailsAndStaysByteIdentical)
{
    const std::wstring path = m_folder.File(L"log.txt");
    const std::string earlier = Utf16Le(L"earlier log\r\n");
    ASSERT_TRUE(WriteBytes(path, earlier));
    HANDLE holder = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    SetLog(L"new text\r\n");

    const BOOL saved = m_view.SaveToFile(path.c_str());
    const DWORD error = ::GetLastError();
    ::CloseHandle(holder);

    EXPECT_FALSE(saved);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(ReadBytes(path), earlier);
    EXPECT_EQ(m_folder.Names(), std::vector<std::wstring>{L"log.txt"});
}
