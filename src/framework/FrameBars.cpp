#include "FrameBars.h"

#include "FrameIds.h"

#include "UniqueHandle.h"
#include "WideString.h"

#include <vector>

namespace
{
constexpr UINT kFirstBandId = ATL_IDW_BAND_FIRST;
constexpr UINT kFirstSystemPrompt = ATL_IDS_SCSIZE;

// The chevron's popup menu, made for one showing and destroyed after it.
void DestroyMenuHandle(HMENU menu) noexcept { ::DestroyMenu(menu); }
using unique_hmenu = unique_any<handle_traits<HMENU, DestroyMenuHandle>>;

#pragma pack(push, 2)
struct ToolBarResource
{
    WORD version;
    WORD width;
    WORD height;
    WORD count;
    // WORD ids[count]; 0 is a separator
};
#pragma pack(pop)

const ToolBarResource* FindToolBarResource(UINT id)
{
    HINSTANCE instance = GetResourceInstance();
    HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(241));
    if (found == nullptr)
        return nullptr;
    HGLOBAL loaded = ::LoadResource(instance, found);
    if (loaded == nullptr || ::SizeofResource(instance, found) < sizeof(ToolBarResource))
        return nullptr;
    auto* data = static_cast<const ToolBarResource*>(::LockResource(loaded));
    if (data == nullptr || data->version != 1)
        return nullptr;
    if (::SizeofResource(instance, found) < sizeof(ToolBarResource) + data->count * sizeof(WORD))
        return nullptr;
    return data;
}
} // namespace

namespace frame_bars
{
HWND CreateToolBarFromResource(HWND parent, UINT resourceId, DWORD style, UINT controlId)
{
    const ToolBarResource* resource = FindToolBarResource(resourceId);
    if (resource == nullptr)
        return nullptr;
    const auto* ids = reinterpret_cast<const WORD*>(resource + 1);

    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (WORD i = 0; i < resource->count; ++i)
    {
        TBBUTTON button{};
        if (ids[i] == 0)
        {
            button.fsStyle = BTNS_SEP;
        }
        else
        {
            button.iBitmap = image++;
            button.idCommand = ids[i];
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON;
        }
        buttons.push_back(button);
    }

    HWND toolBar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, style, 0, 0, 100, 100, parent,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)),
                                     GetResourceInstance(), nullptr);
    if (toolBar == nullptr)
        return nullptr;
    ::SendMessageW(toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolBar, TB_SETBITMAPSIZE, 0, MAKELPARAM(resource->width, resource->height));
    TBADDBITMAP bitmap{GetResourceInstance(), resourceId};
    ::SendMessageW(toolBar, TB_ADDBITMAP, static_cast<WPARAM>(image), reinterpret_cast<LPARAM>(&bitmap));
    ::SendMessageW(toolBar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    ::SendMessageW(toolBar, TB_AUTOSIZE, 0, 0);
    return toolBar;
}

HWND CreateReBar(HWND parent, DWORD style, UINT controlId)
{
    HWND reBar = ::CreateWindowExW(0, REBARCLASSNAMEW, nullptr, style, 0, 0, 100, 100, parent,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)),
                                   GetResourceInstance(), nullptr);
    if (reBar == nullptr)
        return nullptr;
    REBARINFO info{};
    info.cbSize = sizeof(info);
    if (!::SendMessageW(reBar, RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info)))
    {
        ::DestroyWindow(reBar);
        return nullptr;
    }
    return reBar;
}

bool AddReBarBand(HWND reBar, HWND child)
{
    if (reBar == nullptr || child == nullptr)
        return false;
    const auto bandCount = static_cast<UINT>(::SendMessageW(reBar, RB_GETBANDCOUNT, 0, 0));

    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_ID | RBBIM_SIZE | RBBIM_IDEALSIZE;
    band.fStyle = RBBS_CHILDEDGE;
    band.hwndChild = child;
    band.wID = kFirstBandId + bandCount;

    const int buttons = static_cast<int>(::SendMessageW(child, TB_BUTTONCOUNT, 0, 0));
    if (buttons > 0)
    {
        band.fStyle |= RBBS_USECHEVRON;
        RECT first{};
        RECT last{};
        ::SendMessageW(child, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
        ::SendMessageW(child, TB_GETITEMRECT, static_cast<WPARAM>(buttons - 1), reinterpret_cast<LPARAM>(&last));
        band.cxMinChild = static_cast<UINT>(first.right);
        band.cyMinChild = static_cast<UINT>(HIWORD(::SendMessageW(child, TB_GETBUTTONSIZE, 0, 0)));
        band.cx = static_cast<UINT>(last.right);
        band.cxIdeal = static_cast<UINT>(last.right);
    }
    else
    {
        RECT rc{};
        ::GetWindowRect(child, &rc);
        band.cxMinChild = static_cast<UINT>(rc.right - rc.left);
        band.cyMinChild = static_cast<UINT>(rc.bottom - rc.top);
        band.cx = band.cxMinChild;
        band.cxIdeal = band.cxMinChild;
    }
    return ::SendMessageW(reBar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band)) != 0;
}

void LoadCommandPrompt(UINT id, CString& prompt)
{
    UINT stringId = id;
    if (id >= 0xF000 && id < 0xF1F0)
        stringId = kFirstSystemPrompt + ((id - 0xF000) >> 4);
    prompt.LoadString(stringId);
    prompt.Truncate(255);
    for (int i = 0; i < prompt.GetLength(); ++i)
    {
        if (prompt.GetAt(i) == L'\n')
        {
            prompt.Truncate(i);
            break;
        }
    }
}

void LoadCommandTooltip(UINT id, CString& tooltip)
{
    CString text;
    text.LoadString(id);
    tooltip.Empty();
    for (int i = 0; i < text.GetLength(); ++i)
    {
        if (text.GetAt(i) == L'\n')
        {
            tooltip.Append(text.GetString() + i + 1);
            break;
        }
    }
    tooltip.Truncate(79);
}

void ShowChevronMenu(HWND owner, HWND reBar, const NMREBARCHEVRON& chevron)
{
    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILD;
    if (!::SendMessageW(reBar, RB_GETBANDINFOW, chevron.uBand, reinterpret_cast<LPARAM>(&band)) || band.hwndChild == nullptr)
        return;
    HWND child = band.hwndChild;
    RECT visible{};
    ::GetClientRect(child, &visible);

    unique_hmenu menu(::CreatePopupMenu());
    if (!menu)
        return;
    const int buttons = static_cast<int>(::SendMessageW(child, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < buttons; ++i)
    {
        RECT item{};
        ::SendMessageW(child, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        if (item.right <= visible.right)
            continue;
        TBBUTTON button{};
        ::SendMessageW(child, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        if (button.fsStyle & BTNS_SEP)
        {
            if (::GetMenuItemCount(menu.get()) > 0)
                ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        }
        else
        {
            CString text;
            LoadCommandTooltip(static_cast<UINT>(button.idCommand), text);
            ::AppendMenuW(menu.get(), MF_STRING | ((button.fsState & TBSTATE_ENABLED) ? 0 : MF_GRAYED),
                          static_cast<UINT_PTR>(button.idCommand), text);
        }
    }
    if (::GetMenuItemCount(menu.get()) > 0)
    {
        RECT chevronRect = chevron.rc;
        ::MapWindowPoints(reBar, nullptr, reinterpret_cast<POINT*>(&chevronRect), 2);
        TPMPARAMS params{};
        params.cbSize = sizeof(params);
        params.rcExclude = chevronRect;
        ::TrackPopupMenuEx(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_LEFTBUTTON, chevronRect.left,
                           chevronRect.bottom, owner, &params);
    }
}
} // namespace frame_bars
