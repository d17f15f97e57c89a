#include "Demonstration.h"

#include "OrvaneProcess.h"
#include "Records.h"
#include "RegisteredDevice.h"
#include "SaveDialogDriver.h"
#include "ScreenImage.h"
#include "WindowQuery.h"
#include "resource.h"

#include <initguid.h>
#include <devguid.h>
#include <ntddstor.h>

#include <algorithm>

namespace
{
constexpr DWORD kDriveE = 1u << ('E' - 'A');
// The device id under ROOT; the system appends a free four-digit instance number.
constexpr wchar_t kDriveDeviceId[] = L"ORVANEDEMO";
const DeviceNames kDriveNames{L"Orvane Demo USB Flash Drive", L"Disk drive", L"(Standard disk drives)"};

// Room for the widest lines the demonstration logs: a time stamp and a device path.
constexpr int kFrameWidth = 1000;
constexpr int kFrameHeight = 620;
constexpr int kFrameMargin = 12;

HRESULT Failed(DWORD error = ERROR_TIMEOUT)
{
    return HRESULT_FROM_WIN32(error);
}

HRESULT Send(const OrvaneProcess& orvane, UINT_PTR code, LPARAM data)
{
    return orvane.SendDeviceChange(code, data) ? S_OK : Failed();
}

bool LogEndsWith(const OrvaneProcess& orvane, const std::wstring& line)
{
    std::wstring text;
    const std::wstring ending = line + L"\r\n";
    return orvane.ReadLog(text) && text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

// True once window has been the foreground window for steadyMs in a row: the activation that
// follows a closed dialog has settled.
bool WaitForSteadyForeground(HWND window, DWORD steadyMs = 300)
{
    ULONGLONG since = 0;
    return WaitUntil([&] {
        if (::GetForegroundWindow() != window)
            since = 0;
        else if (since == 0)
            since = ::GetTickCount64();
        return since != 0 && ::GetTickCount64() - since >= steadyMs;
    });
}
} // namespace

HRESULT ChooseMenuCommand(OrvaneProcess& orvane, MenuBarMenu menu, UINT id)
{
    return MenuDriver(orvane).Choose(menu, id) ? S_OK : Failed();
}

HRESULT PlaceFrame(OrvaneProcess& orvane)
{
    RECT work{};
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        return HRESULT_FROM_WIN32(::GetLastError());
    const int width = std::min<int>(kFrameWidth, work.right - work.left - 2 * kFrameMargin);
    const int height = std::min<int>(kFrameHeight, work.bottom - work.top - 2 * kFrameMargin);
    if (!::SetWindowPos(orvane.Frame(), nullptr, work.left + kFrameMargin, work.top + kFrameMargin, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE))
        return HRESULT_FROM_WIN32(::GetLastError());
    return orvane.Sync() ? S_OK : Failed();
}

HRESULT PlayDemonstration(OrvaneProcess& orvane, const Narrator& narrate)
{
    HRESULT hr = S_OK;
    narrate(L"Notifications > Device: the program asks for device-interface broadcasts.");
    if (FAILED(hr = ChooseMenuCommand(orvane, kNotificationsMenu, ID_NOTIFICATIONS_DEVICE)))
        return hr;
    if (!WaitUntil([&] { return LogEndsWith(orvane, L"Device notifications enabled."); }))
        return Failed();

    narrate(L"A serial port, COM3, arrives.");
    if (FAILED(hr = Send(orvane, DBT_DEVICEARRIVAL, PortRecord(L"COM3").Address())))
        return hr;

    RegisteredDevice drive;
    if (FAILED(hr = drive.Register(kDriveDeviceId, GUID_DEVCLASS_DISKDRIVE, GUID_DEVINTERFACE_DISK, kDriveNames)))
        return hr;
    const auto driveInterface = DeviceInterfaceRecord(GUID_DEVINTERFACE_DISK, drive.InterfacePath());
    const auto volume = VolumeRecord(kDriveE, 0);

    narrate(L"A USB flash drive is plugged in: its disk interface arrives...");
    if (FAILED(hr = Send(orvane, DBT_DEVICEARRIVAL, driveInterface.Address())))
        return hr;
    narrate(L"...and then its volume, E:.");
    if (FAILED(hr = Send(orvane, DBT_DEVICEARRIVAL, volume.Address())))
        return hr;

    narrate(L"The drive is pulled out: the volume goes, then the disk interface.");
    if (FAILED(hr = Send(orvane, DBT_DEVICEREMOVECOMPLETE, volume.Address())) ||
        FAILED(hr = Send(orvane, DBT_DEVICEREMOVECOMPLETE, driveInterface.Address())) ||
        FAILED(hr = drive.Remove()))
        return hr;

    narrate(L"The display changes to 1920 x 1080.");
    return Send(orvane, DBT_MONITORCHANGE, MAKELPARAM(1920, 1080));
}

HRESULT SaveLogThroughDialog(OrvaneProcess& orvane, const std::wstring& path)
{
    HRESULT hr = S_OK;
    if (FAILED(hr = ChooseMenuCommand(orvane, kFileMenu, ID_FILE_SAVE_AS)) ||
        FAILED(hr = CompleteSaveAs(orvane, path, kDialogWaitMs)))
        return hr;
    // A menu opened while the frame is still taking the activation back would be closed again.
    WaitForSteadyForeground(orvane.Frame());
    return S_OK;
}

HRESULT SaveFrameScreenshot(const OrvaneProcess& orvane, const std::wstring& path)
{
    CScreenImage image;
    const HRESULT hr = CaptureSettled(WindowRect(orvane.Frame()), image);
    return SUCCEEDED(hr) ? image.SavePng(path.c_str()) : hr;
}
