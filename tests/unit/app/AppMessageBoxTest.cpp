// The program's message boxes, shown for real and read back while they are on screen: text,
// icon, title, place and the button that closed them.
#include "app/AppMessageBox.h"

#include "framework/UniqueHandle.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// The text control of the system's message box; its icon is the one static with SS_ICON.
constexpr int kBoxTextId = 0xFFFF;

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

BOOL CALLBACK FindIconControl(HWND control, LPARAM found)
{
    if ((::GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = control;
    return FALSE;
}

HICON BoxIcon(HWND box)
{
    HWND control = nullptr;
    ::EnumChildWindows(box, FindIconControl, reinterpret_cast<LPARAM>(&control));
    return control != nullptr && ::IsWindowVisible(control)
               ? reinterpret_cast<HICON>(::SendMessageW(control, STM_GETICON, 0, 0))
               : nullptr;
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

// Watches this thread for a message box from a timer (the box's own loop dispatches it),
// records what it shows and presses the given button.
class CBoxAnswerer
{
public:
    explicit CBoxAnswerer(int button)
    {
        s_seen = SeenBox{};
        s_button = button;
        m_timer = ::SetTimer(nullptr, 0, 20, &OnTimer);
    }
    CBoxAnswerer(const CBoxAnswerer&) = delete;
    CBoxAnswerer& operator=(const CBoxAnswerer&) = delete;
    ~CBoxAnswerer() { ::KillTimer(nullptr, m_timer); }

    static const SeenBox& Seen() { return s_seen; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND box = nullptr;
        if (s_seen.shown)
            return;
        ::EnumThreadWindows(::GetCurrentThreadId(), FindVisibleDialog, reinterpret_cast<LPARAM>(&box));
        if (box == nullptr)
            return;
        s_seen.shown = true;
        s_seen.title = WindowText(box);
        s_seen.text = WindowText(::GetDlgItem(box, kBoxTextId));
        s_seen.icon = BoxIcon(box);
        ::GetWindowRect(box, &s_seen.rect);
        ::PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(s_button), 0);
    }

    static inline SeenBox s_seen;
    static inline int s_button = IDOK;
    UINT_PTR m_timer = 0;
};

int ShowFormatted(LPCWSTR format, UINT type, HRESULT hr, ...)
{
    va_list args;
    va_start(args, hr);
    const int result = AppMessageBoxV(format, type, hr, args);
    va_end(args);
    return result;
}

HICON SystemIcon(LPCWSTR id)
{
    return ::LoadIconW(nullptr, id);
}

std::wstring Description(HRESULT hr)
{
    wchar_t buffer[kErrorDescriptionLength];
    return GetErrorDescription(hr, buffer) ? buffer : L"";
}

// An active top-level window for the boxes to belong to (a popup: without a window manager,
// Wine spends two seconds taking down every captioned window); it reaches past the screen's left
// edge, where the system's own placement would keep a box on screen and ours does not.
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
        ASSERT_TRUE(m_owner);
        ::SetForegroundWindow(m_owner.get());
        ::SetActiveWindow(m_owner.get());
        ASSERT_EQ(::GetActiveWindow(), m_owner.get());
    }

    unique_hwnd m_owner;
};

void ExpectCentredOver(const RECT& box, const RECT& area)
{
    const LONG width = box.right - box.left;
    const LONG height = box.bottom - box.top;
    EXPECT_EQ(box.left, area.left + (area.right - area.left - width) / 2);
    EXPECT_EQ(box.top, area.top + (area.bottom - area.top - height) / 2);
}
} // namespace

TEST_F(AppMessageBoxTest, FailureWithLastErrorShowsDescriptionAfterBlankLineAndErrorIcon)
{
    CBoxAnswerer answerer(IDOK);
    ::SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_EQ(AppMessageBox(IDS_SAVE_FAILED, MB_OK, -1), IDOK);
    const SeenBox& box = CBoxAnswerer::Seen();
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(box.text, L"Unable to save the file.\n\n" + Description(static_cast<HRESULT>(0x80070005)));
    EXPECT_EQ(box.icon, SystemIcon(IDI_ERROR));
}

TEST_F(AppMessageBoxTest, IsTitledOrvaneAndCentredOverItsOwner)
{
    CBoxAnswerer answerer(IDOK);
    ShowFormatted(L"Centred", MB_OK, 0);
    const SeenBox& box = CBoxAnswerer::Seen();
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(box.title, L"Orvane");
    EXPECT_STREQ(GetAppTitle(), L"Orvane");
    ExpectCentredOver(box.rect, kOwnerRect);
}

TEST_F(AppMessageBoxTest, ArgumentsFillTheFormat)
{
    CBoxAnswerer answerer(IDOK);
    ShowFormatted(L"%s has %d parts", MB_OK, 0, L"Box", 3);
    EXPECT_EQ(CBoxAnswerer::Seen().text, L"Box has 3 parts");
}

TEST_F(AppMessageBoxTest, CodeWithoutSystemTextEndsTheMessageInHex)
{
    CBoxAnswerer answerer(IDOK);
    ShowFormatted(L"Failed", MB_OK, static_cast<HRESULT>(0xE0001234));
    EXPECT_EQ(CBoxAnswerer::Seen().text, L"Failed (0xE0001234)");
    EXPECT_EQ(CBoxAnswerer::Seen().icon, SystemIcon(IDI_ERROR));
}

TEST_F(AppMessageBoxTest, LastErrorOfZeroShowsTheBareMessageWithInformationIcon)
{
    CBoxAnswerer answerer(IDOK);
    ::SetLastError(0);
    ShowFormatted(L"Nothing went wrong", MB_OK, -1);
    EXPECT_EQ(CBoxAnswerer::Seen().text, L"Nothing went wrong");
    EXPECT_EQ(CBoxAnswerer::Seen().icon, SystemIcon(IDI_INFORMATION));
}

TEST_F(AppMessageBoxTest, WarningCodeGetsWarningIconAndNoDescription)
{
    CBoxAnswerer answerer(IDOK);
    ShowFormatted(L"Careful", MB_OK, S_FALSE);
    EXPECT_EQ(CBoxAnswerer::Seen().text, L"Careful");
    EXPECT_EQ(CBoxAnswerer::Seen().icon, SystemIcon(IDI_WARNING));
}

TEST_F(AppMessageBoxTest, CallersIconWinsAndTheButtonPressedIsReturned)
{
    CBoxAnswerer answerer(IDNO);
    EXPECT_EQ(AppMessageBox(IDS_SAVE_CHANGES, MB_YESNOCANCEL | MB_ICONQUESTION, E_FAIL), IDNO);
    EXPECT_EQ(CBoxAnswerer::Seen().text, L"Do you want to save the changes?\n\n" + Description(E_FAIL));
    EXPECT_EQ(CBoxAnswerer::Seen().icon, SystemIcon(IDI_QUESTION));
}

TEST_F(AppMessageBoxTest, PercentInTheSystemTextIsShownUnchanged)
{
    // The system's text for error 107 carries an insert, "%1".
    const HRESULT hr = HRESULT_FROM_WIN32(107);
    ASSERT_NE(Description(hr).find(L'%'), std::wstring::npos);
    CBoxAnswerer answerer(IDOK);
    ShowFormatted(L"Disk", MB_OK, hr);
    EXPECT_EQ(CBoxAnswerer::Seen().text, L"Disk\n\n" + Description(hr));
}

TEST_F(AppMessageBoxTest, WindowActivatedAfterTheBoxIsNotMoved)
{
    {
        CBoxAnswerer answerer(IDOK);
        ShowFormatted(L"First", MB_OK, 0);
        ASSERT_TRUE(CBoxAnswerer::Seen().shown);
    }
    unique_hwnd later(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 7, 9, 100, 50, m_owner.get(), nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(later);
    ::ShowWindow(later.get(), SW_SHOW);
    ::SetActiveWindow(later.get());
    RECT rect{};
    ::GetWindowRect(later.get(), &rect);
    EXPECT_EQ(rect.left, 7);
    EXPECT_EQ(rect.top, 9);
}
