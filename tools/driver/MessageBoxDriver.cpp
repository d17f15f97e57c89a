#include "MessageBoxDriver.h"

#include "OrvaneProcess.h"
#include "ProbeClient.h"
#include "Wait.h"
#include "WindowQuery.h"

namespace
{
constexpr wchar_t kDialogClass[] = L"#32770";

bool IsIconStatic(HWND control)
{
    return WindowClassName(control) == L"Static" &&
           (::GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}
} // namespace

std::vector<int> MessageBoxInfo::ButtonIds() const
{
    std::vector<int> ids;
    for (const auto& button : buttons)
        ids.push_back(button.id);
    return ids;
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs)
{
    HWND box = nullptr;
    WaitUntil(
        [&] {
            const auto boxes = FindTopLevelWindows(processId, kDialogClass);
            box = boxes.empty() ? nullptr : boxes.front();
            return box != nullptr;
        },
        timeoutMs);
    return box;
}

bool WaitForAndReadMessageBox(OrvaneProcess& orvane, MessageBoxInfo& info, DWORD timeoutMs)
{
    HWND box = WaitForMessageBox(orvane.ProcessId(), timeoutMs);
    return box != nullptr && ReadMessageBox(box, orvane.Probe(), info);
}

bool ReadMessageBox(HWND box, ProbeClient& probe, MessageBoxInfo& info)
{
    info = {};
    info.window = box;
    info.owner = ::GetWindow(box, GW_OWNER);
    info.rect = WindowRect(box);
    if (!ReadWindowText(box, info.title))
        return false;
    info.icon = L"none";
    for (HWND control : ChildWindows(box))
    {
        const std::wstring className = WindowClassName(control);
        if (IsIconStatic(control))
        {
            if (!probe.Query(box, ProbeRequest::StaticIcon, reinterpret_cast<LPARAM>(control), info.icon))
                return false;
        }
        else if (className == L"Static")
        {
            // The message is the one text static; a box has no other.
            if (!ReadWindowText(control, info.text))
                return false;
        }
        else if (className == L"Button" && ::IsWindowVisible(control))
        {
            MessageBoxButton button;
            button.id = ::GetDlgCtrlID(control);
            if (!ReadWindowText(control, button.text))
                return false;
            info.buttons.push_back(std::move(button));
        }
    }
    return true;
}

bool PressMessageBoxButton(HWND box, int id, DWORD timeoutMs)
{
    HWND button = ::GetDlgItem(box, id);
    if (button == nullptr)
        return false;
    // BM_CLICK is posted so that this thread does not wait inside the program's answer.
    if (!::PostMessageW(button, BM_CLICK, 0, 0))
        return false;
    return WaitUntil([box] { return !::IsWindow(box) || !::IsWindowVisible(box); }, timeoutMs);
}
