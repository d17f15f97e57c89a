// The frame's resources as the system loads them from the program's image: the menu's texts and
// states, the accelerator table's keys in order, the toolbar layout, its button strip and the
// icon's images.
#include "res/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace
{
HINSTANCE Image()
{
    return ::GetModuleHandleW(nullptr);
}

struct ItemState
{
    UINT id;
    std::wstring text;
    bool grayed;
    bool checked;
};

std::vector<ItemState> PopupItems(HMENU menu, int position)
{
    std::vector<ItemState> items;
    HMENU popup = ::GetSubMenu(menu, position);
    for (int i = 0; popup != nullptr && i < ::GetMenuItemCount(popup); ++i)
    {
        wchar_t text[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = static_cast<UINT>(std::size(text));
        ::GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR)
            items.push_back({0, L"-", false, false});
        else
            items.push_back({info.wID, text, (info.fState & MFS_DISABLED) != 0, (info.fState & MFS_CHECKED) != 0});
    }
    return items;
}

bool operator==(const ItemState& a, const ItemState& b)
{
    return a.id == b.id && a.text == b.text && a.grayed == b.grayed && a.checked == b.checked;
}

void PrintTo(const ItemState& item, std::ostream* os)
{
    *os << item.id << " '" << std::string(item.text.begin(), item.text.end()) << "'" << (item.grayed ? " grayed" : "")
        << (item.checked ? " checked" : "");
}

class FrameMenu : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_NE(m_menu, nullptr); }
    void TearDown() override { ::DestroyMenu(m_menu); }
    HMENU m_menu = ::LoadMenuW(Image(), MAKEINTRESOURCEW(IDR_MAINFRAME));
};
} // namespace

TEST_F(FrameMenu, TopLevelPopupsInOrder)
{
    ASSERT_EQ(::GetMenuItemCount(m_menu), 4);
    const wchar_t* expected[] = {L"&File", L"&Notifications", L"&View", L"&Help"};
    for (int i = 0; i < 4; ++i)
    {
        wchar_t text[64] = {};
        ::GetMenuStringW(m_menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, expected[i]);
        EXPECT_NE(::GetSubMenu(m_menu, i), nullptr) << i;
    }
}

TEST_F(FrameMenu, FileItemsWithOpenAndPrintingGrayed)
{
    const std::vector<ItemState> expected = {
        {ID_FILE_NEW, L"&New\tCtrl+N", false, false},
        {ID_FILE_OPEN, L"&Open...\tCtrl+O", true, false},
        {ID_FILE_SAVE, L"&Save\tCtrl+S", false, false},
        {ID_FILE_SAVE_AS, L"Save &As...", false, false},
        {0, L"-", false, false},
        {ID_FILE_PRINT, L"&Print...\tCtrl+P", true, false},
        {ID_FILE_PRINT_PREVIEW, L"Print Pre&view", true, false},
        {ID_FILE_PRINT_SETUP, L"P&rint Setup...", true, false},
        {0, L"-", false, false},
        {ID_APP_EXIT, L"E&xit", false, false},
    };
    EXPECT_EQ(PopupItems(m_menu, 0), expected);
}

TEST_F(FrameMenu, NotificationsWithPortAndVolumeCheckedAndGrayed)
{
    const std::vector<ItemState> expected = {
        {ID_NOTIFICATIONS_DEVICE, L"&Device", false, false},
        {ID_NOTIFICATIONS_PORT, L"&Port", true, true},
        {ID_NOTIFICATIONS_VOLUME, L"&Volume", true, true},
    };
    EXPECT_EQ(PopupItems(m_menu, 1), expected);
}

TEST_F(FrameMenu, ViewAndHelpHoldOneItemEach)
{
    EXPECT_EQ(PopupItems(m_menu, 2), (std::vector<ItemState>{{ID_VIEW_STATUS_BAR, L"&Status Bar", false, false}}));
    EXPECT_EQ(PopupItems(m_menu, 3), (std::vector<ItemState>{{ID_APP_ABOUT, L"&About...", false, false}}));
}

TEST_F(FrameMenu, NoItemCarriesTheToolbarCommand)
{
    EXPECT_EQ(::GetMenuState(m_menu, ID_VIEW_TOOLBAR, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST(FrameAccelerators, KeysInTableOrderAllVirtual)
{
    HACCEL table = ::LoadAcceleratorsW(Image(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    ACCEL keys[32] = {};
    const int count = ::CopyAcceleratorTableW(table, keys, 32);
    const ACCEL expected[] = {
        {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},      {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN},
        {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE},     {FVIRTKEY | FCONTROL, 'P', ID_FILE_PRINT},
        {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},     {FVIRTKEY | FCONTROL, 'X', ID_EDIT_CUT},
        {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},     {FVIRTKEY | FCONTROL, 'V', ID_EDIT_PASTE},
        {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO},     {FVIRTKEY | FSHIFT, VK_DELETE, ID_EDIT_CUT},
        {FVIRTKEY | FCONTROL, VK_INSERT, ID_EDIT_COPY}, {FVIRTKEY | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
        {FVIRTKEY, VK_F6, ID_NEXT_PANE},              {FVIRTKEY | FSHIFT, VK_F6, ID_PREV_PANE},
    };
    ASSERT_EQ(count, static_cast<int>(std::size(expected)));
    for (int i = 0; i < count; ++i)
    {
        // The last entry's end mark is the table's business, not the key's.
        EXPECT_EQ(keys[i].fVirt & 0x7F, expected[i].fVirt) << i;
        EXPECT_EQ(keys[i].key, expected[i].key) << i;
        EXPECT_EQ(keys[i].cmd, expected[i].cmd) << i;
    }
    ::DestroyAcceleratorTable(table);
}

TEST(FrameToolbar, LayoutHasTenEntriesOfSixteenByFifteen)
{
    HRSRC found = ::FindResourceW(Image(), MAKEINTRESOURCEW(IDR_MAINFRAME), MAKEINTRESOURCEW(241));
    ASSERT_NE(found, nullptr);
    const auto* words = static_cast<const WORD*>(::LockResource(::LoadResource(Image(), found)));
    ASSERT_NE(words, nullptr);
    const std::vector<WORD> layout(words, words + ::SizeofResource(Image(), found) / sizeof(WORD));
    const std::vector<WORD> expected = {1,         16,          15,           10,           ID_FILE_NEW,
                                        ID_FILE_OPEN, ID_FILE_SAVE, 0,           ID_EDIT_CUT,  ID_EDIT_COPY,
                                        ID_EDIT_PASTE, 0,          ID_FILE_PRINT, ID_APP_ABOUT};
    EXPECT_EQ(layout, expected);
}

TEST(FrameToolbar, BitmapHoldsEightButtonImagesAtFourBitsPerPixel)
{
    auto bitmap = static_cast<HBITMAP>(
        ::LoadImageW(Image(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION dib{};
    ASSERT_EQ(::GetObjectW(bitmap, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
    EXPECT_EQ(dib.dsBm.bmWidth, 8 * 16);
    EXPECT_EQ(dib.dsBm.bmHeight, 15);
    EXPECT_EQ(dib.dsBmih.biBitCount, 4);
    ::DeleteObject(bitmap);
}

TEST(FrameIcon, HasImagesForEverySizeAndDepth)
{
    HRSRC group = ::FindResourceW(Image(), MAKEINTRESOURCEW(IDR_MAINFRAME), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const BYTE* directory = static_cast<const BYTE*>(::LockResource(::LoadResource(Image(), group)));
    ASSERT_NE(directory, nullptr);
    // The group directory: three words, then 14-byte entries (width, height, colours, reserved,
    // planes, bit count, byte count, image id).
    WORD count = 0;
    std::memcpy(&count, directory + 4, sizeof(count));
    std::set<std::pair<int, int>> found;
    for (WORD i = 0; i < count; ++i)
    {
        const BYTE* entry = directory + 6 + 14 * i;
        WORD bits = 0;
        WORD id = 0;
        std::memcpy(&bits, entry + 6, sizeof(bits));
        std::memcpy(&id, entry + 12, sizeof(id));
        found.insert({entry[0], bits});

        HRSRC image = ::FindResourceW(Image(), MAKEINTRESOURCEW(id), RT_ICON);
        ASSERT_NE(image, nullptr) << id;
        const auto* header = static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(Image(), image)));
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->biWidth, entry[0]) << id;
        EXPECT_EQ(header->biHeight, 2 * entry[1]) << id; // colour image and mask
        EXPECT_EQ(header->biBitCount, bits) << id;
    }
    std::set<std::pair<int, int>> expected;
    for (int size : {16, 22, 24, 32})
    {
        for (int bits : {4, 8, 32})
            expected.insert({size, bits});
    }
    EXPECT_EQ(found, expected);
}

TEST(FrameIcon, LoadsAtTheSystemsSmallAndLargeSizes)
{
    for (int size : {::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CXICON)})
    {
        auto icon = static_cast<HICON>(::LoadImageW(Image(), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ::DestroyIcon(icon);
    }
}
