// The frame's resources as the system loads them from the program's image: the menu's texts and
// states, the accelerator table's keys in order, the toolbar layout, its button strip and the
// icon's images.
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

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
    bool operator==(const ItemState&) const = default;
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

void PrintTo(const ItemState& item, std::ostream* os)
{
    *os << item.id << " '" << std::string(item.text.begin(), item.text.end()) << "'" << (item.grayed ? " grayed" : "")
        << (item.checked ? " checked" : "");
}
} // namespace

// Every popup's items with their texts and states; no item carries the hidden toolbar command.
TEST(FrameMenu, PopupsItemsTextsAndStates)
{
    HMENU menu = ::LoadMenuW(Image(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(menu, nullptr);
    const wchar_t* popups[] = {L"&File", L"&Notifications", L"&View", L"&Help"};
    const ItemState separator{0, L"-", false, false};
    const std::vector<ItemState> items[] = {
        {{ID_FILE_NEW, L"&New\tCtrl+N", false, false},
         {ID_FILE_OPEN, L"&Open...\tCtrl+O", true, false},
         {ID_FILE_SAVE, L"&Save\tCtrl+S", false, false},
         {ID_FILE_SAVE_AS, L"Save &As...", false, false},
         separator,
         {ID_FILE_PRINT, L"&Print...\tCtrl+P", true, false},
         {ID_FILE_PRINT_PREVIEW, L"Print Pre&view", true, false},
         {ID_FILE_PRINT_SETUP, L"P&rint Setup...", true, false},
         separator,
         {ID_APP_EXIT, L"E&xit", false, false}},
        {{ID_NOTIFICATIONS_DEVICE, L"&Device", false, false},
         {ID_NOTIFICATIONS_PORT, L"&Port", true, true},
         {ID_NOTIFICATIONS_VOLUME, L"&Volume", true, true}},
        {{ID_VIEW_STATUS_BAR, L"&Status Bar", false, false}},
        {{ID_APP_ABOUT, L"&About...", false, false}},
    };
    ASSERT_EQ(::GetMenuItemCount(menu), 4);
    for (int i = 0; i < 4; ++i)
    {
        wchar_t text[64] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, popups[i]);
        EXPECT_EQ(PopupItems(menu, i), items[i]) << i;
    }
    EXPECT_EQ(::GetMenuState(menu, ID_VIEW_TOOLBAR, MF_BYCOMMAND), static_cast<UINT>(-1));
    ::DestroyMenu(menu);
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
    // The group directory: three words, then 14-byte entries (width, height, colours,
    // reserved, planes, bit count, ...).
    std::set<std::pair<int, int>> found, expected;
    for (WORD i = 0; i < directory[4]; ++i)
        found.insert({directory[6 + 14 * i], directory[6 + 14 * i + 6]});
    for (int size : {16, 22, 24, 32})
    {
        for (int bits : {4, 8, 32})
            expected.insert({size, bits});
    }
    EXPECT_EQ(found, expected);
}
