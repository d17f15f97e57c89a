// The program's message boxes, shown for real and read back while on screen: text, icon,
// title, place and the button that closed them.
#include "app/AppMessageBox.h"

#include "framework/UniqueHandle.h"
#include "res/resource.h"

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
};

std::wstring WindowText(HWND window)
{
    wchar_t text[1024] = {};
    ::GetWindowTextW(window, text, 1024);
    return text;
}

// The box's icon is its one static control with SS_ICON (id 0x14 on Windows, 0x440 in Wine).
BOOL CALLBACK FindIcon(HWND control, LPARAM icon)
{
    if ((::GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK) != SS_ICON || !::IsWindowVisible(control))
        return TRUE;
    *reinterpret_cast<HICON*>(icon) = reinterpret_cast<HICON>(::SendMessageW(control, STM_GETICON, 0, 0));
    return FALSE;
}

BOOL CALLBACK FindVisibleDialog(HWND window, LPARAM found)
{
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    if (std::wstring(className) != L"#32770" || !::IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// Looks for this thread's message box from a timer (the box's own loop dispatches it),
// records what it shows and presses the given button.
class CBoxAnswerer
{
public:
    explicit CBoxAnswerer(int button) : m_timer(::SetTimer(nullptr, 0, 20, &OnTimer))
    {
        s_seen = SeenBox{};
        s_button = button;
    }
    CBoxAnswerer(const CBoxAnswerer&) = delete;
    CBoxAnswerer& operator=(const CBoxAnswerer&) = delete;
    ~CBoxAnswerer() { ::KillTimer(nullptr, m_timer); }

    static inline SeenBox s_seen;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND box = nullptr;
        if (!s_seen.shown)
            ::EnumThreadWindows(::GetCurrentThreadId(), FindVisibleDialog, reinterpret_cast<LPARAM>(&box));
        if (box == nullptr)
            return;
        s_seen.shown = true;
        s_seen.title = WindowText(box);
        s_seen.text = WindowText(::GetDlgItem(box, 0xFFFF));
        ::EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&s_seen.icon));
        ::GetWindowRect(box, &s_seen.rect);
        ::PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(s_button), 0);
    }

    static inline int s_button = IDOK;
    UINT_PTR m_timer;
};

// Shows a box answered with OK and gives what it showed.
SeenBox Show(LPCWSTR format, UINT type, HRESULT hr, ...)
{
    CBoxAnswerer answerer(IDOK);
    va_list args;
    va_start(args, hr);
    EXPECT_EQ(AppMessageBoxV(format, type, hr, args), IDOK);
    va_end(args);
    EXPECT_TRUE(CBoxAnswerer::s_seen.shown);
    return CBoxAnswerer::s_seen;
}

std::wstring Description(HRESULT hr)
{
    wchar_t buffer[kErrorDescriptionLength];
    return GetErrorDescription(hr, buffer) ? buffer : L"";
}

// An active window for the boxes to belong to. It reaches past the screen's left edge, where
// the system would keep a box on screen and the program does not. A popup, because without a
// window manager Wine spends two seconds taking down every captioned window.
class AppMessageBoxTest : public testing::Test
{
protected:
    static constexpr RECT kOwnerRect{-400, 150, 240, 630};

    void SetUp() override
    {
        m_owner.reset(::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, kOwnerRect.left,
                                        kOwnerRect.top, kOwnerRect.right - kOwnerRect.left,
                                        kOwnerRect.bottom - kOwnerRect.top, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr));
        ::SetForegroundWindow(m_owner.get());
        ::SetActiveWindow(m_owner.get());
        ASSERT_EQ(::GetActiveWindow(), m_owner.get());
    }

    unique_hwnd m_owner;
};
} // namespace

TEST_F(AppMessageBoxTest, FailureWithLastErrorShowsDescriptionAfterBlankLineAndErrorIcon)
{
    CBoxAnswerer answerer(IDOK);
    ::SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(AppMessageBox(IDS_SAVE_FAILED, MB_OK, -1), IDOK);
    EXPECT_EQ(CBoxAnswerer::s_seen.text, L"Unable to save the file.\n\n" + Description(HRESULT_FROM_WIN32(5)));
    EXPECT_EQ(CBoxAnswerer::s_seen.icon, ::LoadIconW(nullptr, IDI_ERROR));
}

TEST_F(AppMessageBoxTest, IsTitledOrvaneAndCentredOverItsOwner)
{
    const SeenBox box = Show(L"Centred", MB_OK, 0);
    EXPECT_EQ(box.title, L"Orvane");
    const LONG width = box.rect.right - box.rect.left;
    const LONG height = box.rect.bottom - box.rect.top;
    EXPECT_EQ(box.rect.left, kOwnerRect.left + (640 - width) / 2);
    EXPECT_EQ(box.rect.top, kOwnerRect.top + (480 - height) / 2);
}

TEST_F(AppMessageBoxTest, CodeWithoutSystemTextEndsTheMessageInHex)
{
    const SeenBox box = Show(L"Failed %d", MB_OK, static_cast<HRESULT>(0xE0001234), 7);
    EXPECT_EQ(box.text, L"Failed 7 (0xE0001234)");
    EXPECT_EQ(box.icon, ::LoadIconW(nullptr, IDI_ERROR));
}

TEST_F(AppMessageBoxTest, LastErrorOfZeroShowsTheBareMessageWithInformationIcon)
{
    ::SetLastError(0);
    const SeenBox box = Show(L"Nothing went wrong", MB_OK, -1);
    EXPECT_EQ(box.text, L"Nothing went wrong");
    EXPECT_EQ(box.icon, ::LoadIconW(nullptr, IDI_INFORMATION));
}

TEST_F(AppMessageBoxTest, WarningCodeGetsWarningIconAndNoDescription)
{
    const SeenBox box = Show(L"Careful", MB_OK, S_FALSE);
    EXPECT_EQ(box.text, L"Careful");
    EXPECT_EQ(box.icon, ::LoadIconW(nullptr, IDI_WARNING));
}

TEST_F(AppMessageBoxTest, CallersIconWinsAndTheButtonPressedIsReturned)
{
    CBoxAnswerer answerer(IDNO);
    EXPECT_EQ(AppMessageBox(IDS_SAVE_CHANGES, MB_YESNOCANCEL | MB_ICONQUESTION, E_FAIL), IDNO);
    EXPECT_EQ(CBoxAnswerer::s_seen.text, L"Do you want to save the changes?\n\n" + Description(E_FAIL));
    EXPECT_EQ(CBoxAnswerer::s_seen.icon, ::LoadIconW(nullptr, IDI_QUESTION));
}

TEST_F(AppMessageBoxTest, PercentInTheSystemTextIsShownUnchanged)
{
    const HRESULT hr = HRESULT_FROM_WIN32(107); // its text carries the insert "%1"
    ASSERT_NE(Description(hr).find(L"%1"), std::wstring::npos);
    EXPECT_EQ(Show(L"Disk", MB_OK, hr).text, L"Disk\n\n" + Description(hr));
}

TEST_F(AppMessageBoxTest, WindowActivatedAfterTheBoxIsNotMoved)
{
    Show(L"First", MB_OK, 0);
    unique_hwnd later(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 7, 9, 100, 50, m_owner.get(), nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr));
    ::ShowWindow(later.get(), SW_SHOW);
    ::SetActiveWindow(later.get());
    RECT rect{};
    ::GetWindowRect(later.get(), &rect);
    EXPECT_EQ(rect.left, 7);
    EXPECT_EQ(rect.top, 9);
}
