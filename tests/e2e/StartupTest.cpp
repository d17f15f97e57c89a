// The program as it shows itself right after start-up: the header of a new log, the frame's
// bars and view, and the menus' marks and gray items.
#include "LogText.h"
#include "MenuDriver.h"
#include "OrvaneTestFixture.h"
#include "SystemFacts.h"
#include "WindowQuery.h"

namespace
{
const MenuItem* FindItem(const std::vector<MenuItem>& items, UINT id)
{
    for (const MenuItem& item : items)
    {
        if (item.id == id && !item.IsSeparator())
            return &item;
    }
    return nullptr;
}

std::vector<std::wstring> Texts(const std::vector<MenuItem>& items)
{
    std::vector<std::wstring> texts;
    for (const MenuItem& item : items)
        texts.push_back(item.IsSeparator() ? L"-" : item.text);
    return texts;
}

class StartUp : public OrvaneTest
{
};

class MenusAfterStartUp : public OrvaneTest
{
protected:
    // Drops the popup at index of the menu bar with a click and reads its items.
    std::vector<MenuItem> OpenAndRead(int index)
    {
        std::vector<MenuItem> items;
        EXPECT_TRUE(m_menus.OpenWithClick(index)) << "no popup after clicking button " << index;
        EXPECT_TRUE(m_menus.ReadOpenPopup(items));
        EXPECT_TRUE(m_menus.CloseAll());
        return items;
    }

    MenuDriver m_menus{m_orvane};
};
} // namespace

TEST_F(StartUp, LogBeginsWithTheHeaderOfANewLog)
{
    const auto lines = LogLines();
    ASSERT_EQ(lines.size(), kHeaderLineCount);
    EXPECT_EQ(lines[1], L"Version " + RealVersionNumbers());
    EXPECT_EQ(lines[2], L"");
    EXPECT_EQ(lines[3], kNotificationsHint);
    EXPECT_EQ(lines[4], L"");
}

TEST_F(StartUp, HeaderDescribesTheOperatingSystemAsWmiDoes)
{
    const std::wstring caption = OperatingSystemProperty(L"Caption");
    const std::wstring architecture = OperatingSystemProperty(L"OSArchitecture");
    ASSERT_FALSE(caption.empty());
    ASSERT_FALSE(architecture.empty());
    const auto lines = LogLines();
    ASSERT_FALSE(lines.empty());
    const std::wstring& description = lines[0];
    EXPECT_EQ(description.rfind(caption, 0), 0u) << "description: " << description.c_str();
    const std::wstring ending = L" (" + architecture + L")";
    ASSERT_GE(description.size(), ending.size());
    EXPECT_EQ(description.substr(description.size() - ending.size()), ending);
}

TEST_F(StartUp, FreshLogIsNotMarkedModified)
{
    DWORD_PTR modified = 1;
    ASSERT_TRUE(::SendMessageTimeoutW(m_orvane.View(), EM_GETMODIFY, 0, 0, SMTO_NORMAL, kDefaultWaitMs, &modified));
    EXPECT_EQ(modified, 0u);
}

TEST_F(StartUp, StatusBarReadsReady)
{
    std::wstring text;
    bool simple = true;
    ASSERT_TRUE(m_orvane.ReadStatusBar(text, &simple));
    EXPECT_EQ(text, L"Ready");
    EXPECT_FALSE(simple);
}

TEST_F(StartUp, ViewFillsTheSpaceBetweenMenuBarAndStatusBar)
{
    HWND rebar = m_orvane.ReBar();
    HWND statusBar = m_orvane.StatusBar();
    ASSERT_NE(rebar, nullptr);
    ASSERT_NE(statusBar, nullptr);
    ASSERT_NE(m_orvane.CommandBar(), nullptr);
    const RECT client = ClientRectOnScreen(m_orvane.Frame());
    const RECT view = WindowRect(m_orvane.View());
    EXPECT_EQ(view.top, WindowRect(rebar).bottom);
    EXPECT_EQ(view.bottom, WindowRect(statusBar).top);
    EXPECT_EQ(view.left, client.left);
    EXPECT_EQ(view.right, client.right);
    EXPECT_EQ(WindowRect(statusBar).bottom, client.bottom);
}

TEST_F(StartUp, FrameShowsNoNativeMenuBar)
{
    EXPECT_EQ(::GetMenu(m_orvane.Frame()), nullptr);
}

TEST_F(StartUp, LogViewIsReadOnly)
{
    EXPECT_NE(::GetWindowLongPtrW(m_orvane.View(), GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(MenusAfterStartUp, FileMenuHasItsItemsWithOpenAndPrintGrayed)
{
    const auto items = OpenAndRead(0);
    const std::vector<std::wstring> expected = {
        L"&New\tCtrl+N",   L"&Open...\tCtrl+O", L"&Save\tCtrl+S",   L"Save &As...", L"-",
        L"&Print...\tCtrl+P", L"Print Pre&view", L"P&rint Setup...", L"-",          L"E&xit"};
    EXPECT_EQ(Texts(items), expected);
    for (UINT grayed : {57601u, 57607u, 57609u, 57606u})
    {
        const MenuItem* item = FindItem(items, grayed);
        ASSERT_NE(item, nullptr) << grayed;
        EXPECT_TRUE(item->IsGrayed()) << grayed;
    }
    for (UINT enabled : {57600u, 57603u, 57604u, 57665u})
    {
        const MenuItem* item = FindItem(items, enabled);
        ASSERT_NE(item, nullptr) << enabled;
        EXPECT_FALSE(item->IsGrayed()) << enabled;
    }
}

TEST_F(MenusAfterStartUp, NotificationsShowDeviceUnmarkedPortAndVolumeMarkedAndGrayed)
{
    const auto items = OpenAndRead(1);
    const MenuItem* device = FindItem(items, 32777);
    const MenuItem* port = FindItem(items, 32778);
    const MenuItem* volume = FindItem(items, 32779);
    ASSERT_NE(device, nullptr);
    ASSERT_NE(port, nullptr);
    ASSERT_NE(volume, nullptr);
    EXPECT_EQ(device->text, L"&Device");
    EXPECT_FALSE(device->IsChecked());
    EXPECT_FALSE(device->IsGrayed());
    EXPECT_TRUE(port->IsChecked());
    EXPECT_TRUE(port->IsGrayed());
    EXPECT_TRUE(volume->IsChecked());
    EXPECT_TRUE(volume->IsGrayed());
}

TEST_F(MenusAfterStartUp, ViewShowsStatusBarMarked)
{
    const auto items = OpenAndRead(2);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].id, 59393u);
    EXPECT_EQ(items[0].text, L"&Status Bar");
    EXPECT_TRUE(items[0].IsChecked());
    EXPECT_FALSE(items[0].IsGrayed());
}

TEST_F(MenusAfterStartUp, HelpHoldsAbout)
{
    const auto items = OpenAndRead(3);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].id, 57664u);
    EXPECT_EQ(items[0].text, L"&About...");
}

TEST_F(MenusAfterStartUp, HighlightedSaveShowsItsPromptAndClosingRestoresReady)
{
    ASSERT_TRUE(m_menus.OpenWithClick(0));
    ASSERT_TRUE(m_menus.Highlight(57603));
    std::wstring text;
    bool simple = false;
    ASSERT_TRUE(m_orvane.ReadStatusBar(text, &simple));
    EXPECT_EQ(text, L"Save the active document");
    EXPECT_TRUE(simple);

    ASSERT_TRUE(m_menus.CloseAll());
    ASSERT_TRUE(m_orvane.ReadStatusBar(text, &simple));
    EXPECT_EQ(text, L"Ready");
    EXPECT_FALSE(simple);
}

// The key goes to the focused log view, not to the frame that owns the menu bar.
TEST_F(MenusAfterStartUp, AltWithTheFileMnemonicInTheLogDropsTheFilePopup)
{
    ASSERT_TRUE(m_menus.OpenWithMnemonic(L'F'));
    std::vector<MenuItem> items;
    ASSERT_TRUE(m_menus.ReadOpenPopup(items));
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items.front().id, 57600u);
    EXPECT_TRUE(m_menus.CloseAll());
}
