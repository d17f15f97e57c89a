// The program's message boxes: the text and icon a code gives a box; the files a failed save names.
#include "AppMessageBox.h"
#include "ImportPatch.h"
#include "WriteFileAtomically.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::wstring SystemText(DWORD messageId)
{
    wchar_t text[512] = {};
    ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, messageId, 0, text, 512, nullptr);
    std::wstring result = text;
    return result.erase(result.find_last_not_of(L" \t\r\n") + 1);
}

// The box as it would be shown: MessageBoxW is pointed here while a test runs.
std::wstring g_text;
UINT g_type = 0;
int WINAPI SeeBox(HWND, LPCWSTR text, LPCWSTR, UINT type)
{
    g_text = text;
    g_type = type;
    return IDOK;
}

struct AppMessageBoxTest : ::testing::Test
{
    void SetUp() override { ASSERT_TRUE(m_seeBox.IsActive()); }
    const CImportPatch m_seeBox{"user32.dll", "MessageBoxW", reinterpret_cast<const void*>(&SeeBox)};
};
} // namespace

// The number after the system's text is decimal for system error codes, hexadecimal otherwise
// (also for a code without text); hr -1 stands for the last error, E_FAIL when there is none; a
// caller's icon wins over the one the code gives; a "%1" in the system's text is shown as it is.
TEST_F(AppMessageBoxTest, TextAndIconFollowTheCode)
{
    const std::wstring withInsert = SystemText(107) + L" (107)";
    ASSERT_NE(withInsert.find(L"%1"), std::wstring::npos);
    const struct { HRESULT hr; UINT type; std::wstring text; UINT icon; } cases[] = {
        {-1, MB_OK, L"Unable to save the file.\n\n" + SystemText(E_FAIL) + L" (0x80004005)", MB_ICONERROR},
        {static_cast<HRESULT>(0xE0001234), MB_OK, L"Unable to save the file. (0xE0001234)", MB_ICONERROR},
        {S_FALSE, MB_OK, L"Unable to save the file.", MB_ICONWARNING},
        {HRESULT_FROM_WIN32(107), MB_OK, L"Unable to save the file.\n\n" + withInsert, MB_ICONERROR},
        {E_FAIL, MB_ICONQUESTION, L"Unable to save the file.\n\n" + SystemText(E_FAIL) + L" (0x80004005)", MB_ICONQUESTION},
    };
    for (const auto& c : cases)
    {
        ::SetLastError(0);
        EXPECT_EQ(AppMessageBox(IDS_SAVE_FAILED, c.type, c.hr), IDOK);
        EXPECT_EQ(g_text, c.text) << std::hex << c.hr;
        EXPECT_EQ(g_type & MB_ICONMASK, c.icon) << std::hex << c.hr;
    }
}

// A failed save that kept both versions names both files as the user knows their paths, without
// the long-path prefix.
TEST_F(AppMessageBoxTest, AFailedSaveNamesTheKeptFiles)
{
    CKeptFiles kept{L"\\\\?\\C:\\logs\\~1.tmp", L"\\\\?\\UNC\\server\\logs\\~1.tmp.bak"};
    ::SetLastError(ERROR_SHARING_VIOLATION);
    EXPECT_EQ(ShowSaveFailed(kept), IDOK);
    EXPECT_EQ(g_text, L"Unable to save the file. Its new text is kept in C:\\logs\\~1.tmp and the earlier file in "
                      L"\\\\server\\logs\\~1.tmp.bak.\n\n" + SystemText(32) + L" (32)");
}
