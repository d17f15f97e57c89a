// The program's message boxes, shown for real and read back while on screen: text, icon,
// title, place and the button that closed them.
#include "AppMessageBox.h"

#include "UniqueHandle.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
struct SeenBox
{
    bool shown = false;
    std::wstring title;
    std::wstring text;
    HICON icon = nullptr;
    RECT rect{};
} g_seen;
int g_button = IDOK;

std::wstring WindowText(HWND window)
{
    wchar_t text[1024] = {};
    ::GetWindowTextW(window, text, 1024);
    return text;
}

// Runs from the box's own message loop: records this thread's visible dialog and presses g_button.
void CALLBACK ReadAndAnswer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM found) {
            wchar_t className[32] = {};
            ::GetClassNameW(window, className, 32);
            if (std::wstring(className) != L"#32770" || !::IsWindowVisible(window))
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&box));
    if (box == nullptr || g_seen.shown)
        return;
    g_seen = {true, WindowText(box), WindowText(::GetDlgItem(box, 0xFFFF)), nullptr, {}};
    // The icon is the box's one visible SS_ICON static (its id differs between Windows and Wine).
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        if ((::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && ::IsWindowVisible(child))
            g_seen.icon = reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0));
    ::GetWindowRect(box, &g_seen.rect);
    ::PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(g_button), 0);
}

template <class ShowBox> SeenBox Answer(int button, ShowBox show)
{
    g_seen = {};
    g_button = button;
    const DWORD lastError = ::GetLastError();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &ReadAndAnswer);
    ::SetLastError(lastError);
    EXPECT_EQ(show(), button);
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(g_seen.shown);
    return g_seen;
}

SeenBox Show(LPCWSTR format, HRESULT hr, ...)
{
    va_list args;
    va_start(args, hr);
    const SeenBox box = Answer(IDOK, [&] { return AppMessageBoxV(format, MB_OK, hr, args); });
    va_end(args);
    return box;
}

std::wstring Description(HRESULT hr)
{
    wchar_t buffer[kErrorDescriptionLength];
    return GetErrorDescription(hr, buffer) ? buffer : L"";
}

// The active owner reaches past the screen's left edge, where the system would keep a box on
// screen and the program does not. A popup: without a window manager Wine spends two seconds
// taking down every captioned window.
class AppMessageBoxTest : public testing::Test
{
protected:
    static constexpr RECT kOwnerRect{-400, 150, 240, 630};

    void SetUp() override
    {
        ::SetForegroundWindow(m_owner.get());
        ::SetActiveWindow(m_owner.get());
        ASSERT_EQ(::GetActiveWindow(), m_owner.get());
    }

    unique_hwnd m_owner{::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, kOwnerRect.left,
                                          kOwnerRect.top, 640, 480, nullptr, nullptr, nullptr, nullptr)};
};
} // namespace

TEST_F(AppMessageBoxTest, TextAndIconFollowTheCode)
{
    const HRESULT withInsert = HRESULT_FROM_WIN32(107); // the system's text carries "%1", shown unchanged
    ASSERT_NE(Description(withInsert).find(L"%1"), std::wstring::npos);
    const struct
    {
        HRESULT hr;
        DWORD lastError;
        std::wstring text;
        LPCWSTR icon;
    } cases[] = {
        {-1, ERROR_ACCESS_DENIED, L"Failed 7\n\n" + Description(HRESULT_FROM_WIN32(5)), IDI_ERROR},
        {-1, 0, L"Failed 7", IDI_INFORMATION},
        {static_cast<HRESULT>(0xE0001234), 0, L"Failed 7 (0xE0001234)", IDI_ERROR},
        {S_FALSE, 0, L"Failed 7", IDI_WARNING},
        {withInsert, 0, L"Failed 7\n\n" + Description(withInsert), IDI_ERROR},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.hr);
        ::SetLastError(c.lastError);
        const SeenBox box = Show(L"Failed %d", c.hr, 7);
        EXPECT_EQ(box.text, c.text);
        EXPECT_EQ(box.icon, ::LoadIconW(nullptr, c.icon));
    }
}

TEST_F(AppMessageBoxTest, CallersIconWinsAndTheButtonPressedIsReturned)
{
    const SeenBox box =
        Answer(IDNO, [] { return AppMessageBox(IDS_SAVE_CHANGES, MB_YESNOCANCEL | MB_ICONQUESTION, E_FAIL); });
    EXPECT_EQ(box.text, L"Do you want to save the changes?\n\n" + Description(E_FAIL));
    EXPECT_EQ(box.icon, ::LoadIconW(nullptr, IDI_QUESTION));
}

TEST_F(AppMessageBoxTest, IsTitledOrvaneAndCentredOverItsOwner)
{
    const SeenBox box = Show(L"Centred", 0);
    EXPECT_EQ(box.title, L"Orvane");
    EXPECT_EQ(box.rect.left, kOwnerRect.left + (640 - (box.rect.right - box.rect.left)) / 2);
    EXPECT_EQ(box.rect.top, kOwnerRect.top + (480 - (box.rect.bottom - box.rect.top)) / 2);
}

// Catches a centring hook that outlives its box.
TEST_F(AppMessageBoxTest, WindowActivatedAfterTheBoxIsNotMoved)
{
    Show(L"First", 0);
    unique_hwnd later(
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 7, 9, 100, 50, m_owner.get(), nullptr, nullptr, nullptr));
    ::ShowWindow(later.get(), SW_SHOW);
    ::SetActiveWindow(later.get());
    RECT rect{};
    ::GetWindowRect(later.get(), &rect);
    EXPECT_EQ(rect.left, 7);
    EXPECT_EQ(rect.top, 9);
}
