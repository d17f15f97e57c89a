// orvane_demo: starts Orvane.exe (next to this program) and shows it working, as the system and
// a user would drive it.
//   orvane_demo play FOLDER         plays the demonstration, saves a screenshot and the log (via
//                                   File > Save As) into FOLDER, then File > Exit.
//   orvane_demo screenshots FOLDER  plays the demonstration and saves the pictures of the
//                                   README: the main window, the Notifications menu, the About
//                                   box and the save question.
#include "Demonstration.h"
#include "MenuDriver.h"
#include "MessageBoxDriver.h"
#include "OrvaneProcess.h"
#include "WideString.h"
#include "resource.h"

#include <cstdio>
#include <string>

namespace
{
constexpr DWORD kNormalExitCode = 1;

void Print(FILE* stream, const CString& text)
{
    std::fputws(text, stream);
    std::fputws(L"\n", stream);
    std::fflush(stream);
}

void Narrate(const wchar_t* text)
{
    CString line;
    line.Format(L"  %s", text);
    Print(stdout, line);
}

// Reports a failed step and passes its result on.
HRESULT Check(HRESULT hr, const wchar_t* step)
{
    if (FAILED(hr))
    {
        CString line;
        line.Format(L"orvane_demo: %s failed (0x%08X)", step, static_cast<unsigned>(hr));
        Print(stderr, line);
    }
    return hr;
}

std::wstring InFolder(const std::wstring& folder, const wchar_t* name)
{
    return folder + (folder.empty() || folder.back() == L'\\' ? L"" : L"\\") + name;
}

HRESULT WaitForNormalExit(OrvaneProcess& orvane)
{
    DWORD exitCode = 0;
    if (!orvane.WaitForExit(exitCode, kDialogWaitMs))
        return HRESULT_FROM_WIN32(ERROR_TIMEOUT);
    return exitCode == kNormalExitCode ? S_OK : E_UNEXPECTED;
}

// Starts the program, places its frame and plays the demonstration.
HRESULT StartAndPlay(OrvaneProcess& orvane)
{
    HRESULT hr = S_OK;
    if (FAILED(hr = Check(orvane.Start(), L"starting Orvane.exe")) ||
        FAILED(hr = Check(PlaceFrame(orvane), L"placing the window")))
        return hr;
    return Check(PlayDemonstration(orvane, Narrate), L"the demonstration");
}

HRESULT Play(const std::wstring& folder)
{
    OrvaneProcess orvane;
    const std::wstring picture = InFolder(folder, L"orvane-demo.png");
    const std::wstring log = InFolder(folder, L"orvane-demo-log.txt");
    HRESULT hr = S_OK;
    if (FAILED(hr = StartAndPlay(orvane)))
        return hr;
    Narrate(L"A screenshot of the window is taken.");
    if (FAILED(hr = Check(SaveFrameScreenshot(orvane, picture), L"the screenshot")))
        return hr;
    Narrate(L"File > Save As: the log goes into a file.");
    if (FAILED(hr = Check(SaveLogThroughDialog(orvane, log), L"saving the log")))
        return hr;
    Narrate(L"File > Exit.");
    if (FAILED(hr = Check(ChooseMenuCommand(orvane, kFileMenu, ID_APP_EXIT), L"File > Exit")))
        return hr;
    return Check(WaitForNormalExit(orvane), L"closing Orvane");
}

HRESULT Screenshots(const std::wstring& folder)
{
    OrvaneProcess orvane;
    MenuDriver menus(orvane);
    HRESULT hr = StartAndPlay(orvane);
    if (FAILED(hr) || FAILED(hr = Check(SaveFrameScreenshot(orvane, InFolder(folder, L"main-window.png")),
                                        L"the main window's picture")))
        return hr;

    if (!menus.Open(kNotificationsMenu) || !menus.Highlight(ID_NOTIFICATIONS_DEVICE))
        return Check(HRESULT_FROM_WIN32(ERROR_TIMEOUT), L"opening the Notifications menu");
    if (FAILED(hr = Check(SaveFrameScreenshot(orvane, InFolder(folder, L"notifications-menu.png")),
                          L"the Notifications menu's picture")))
        return hr;
    if (!menus.CloseAll())
        return Check(HRESULT_FROM_WIN32(ERROR_TIMEOUT), L"closing the menu");

    if (FAILED(hr = Check(ChooseMenuCommand(orvane, kHelpMenu, ID_APP_ABOUT), L"Help > About")))
        return hr;
    HWND about = WaitForMessageBox(orvane.ProcessId(), kDialogWaitMs);
    if (about == nullptr)
        return Check(HRESULT_FROM_WIN32(ERROR_TIMEOUT), L"waiting for the About box");
    if (FAILED(hr = Check(SaveFrameScreenshot(orvane, InFolder(folder, L"about-box.png")), L"the About box's picture")))
        return hr;
    if (!PressMessageBoxButton(about, IDOK, kDialogWaitMs))
        return Check(HRESULT_FROM_WIN32(ERROR_TIMEOUT), L"closing the About box");

    // Closing with unsaved lines brings up the save question; No lets the program end.
    if (!::PostMessageW(orvane.Frame(), WM_CLOSE, 0, 0))
        return Check(HRESULT_FROM_WIN32(::GetLastError()), L"closing the window");
    HWND question = WaitForMessageBox(orvane.ProcessId(), kDialogWaitMs);
    if (question == nullptr)
        return Check(HRESULT_FROM_WIN32(ERROR_TIMEOUT), L"waiting for the save question");
    if (FAILED(hr = Check(SaveFrameScreenshot(orvane, InFolder(folder, L"save-prompt.png")),
                          L"the save question's picture")))
        return hr;
    if (!PressMessageBoxButton(question, IDNO, kDialogWaitMs))
        return Check(HRESULT_FROM_WIN32(ERROR_TIMEOUT), L"answering No");
    return Check(WaitForNormalExit(orvane), L"closing Orvane");
}

int Usage()
{
    Print(stderr, L"usage: orvane_demo play FOLDER | orvane_demo screenshots FOLDER");
    return 2;
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3)
        return Usage();
    const std::wstring mode = argv[1];
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = ::GetFullPathNameW(argv[2], MAX_PATH, folder, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return Usage();
    if (!::CreateDirectoryW(folder, nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
    {
        Check(HRESULT_FROM_WIN32(::GetLastError()), L"creating the output folder");
        return 1;
    }

    // The picture encoder is a COM object.
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    HRESULT hr = E_INVALIDARG;
    if (mode == L"play")
        hr = Play(folder);
    else if (mode == L"screenshots")
        hr = Screenshots(folder);
    else
    {
        ::CoUninitialize();
        return Usage();
    }
    ::CoUninitialize();
    return SUCCEEDED(hr) ? 0 : 1;
}
