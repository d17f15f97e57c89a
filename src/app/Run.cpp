#include "Run.h"

#include "AppModule.h"
#include "MainFrame.h"

#include <commctrl.h>
#include <objbase.h>

// The process's one module: its map holds the loop of the thread that runs the frame.
CAppModule g_appModule;

namespace
{
// Creates and shows the main frame and runs the message loop.
int RunMainFrame(int nCmdShow)
{
    CMessageLoop loop;
    g_appModule.AddMessageLoop(&loop);
    int result = 0;
    {
        CMainFrame frame;
        if (frame.CreateEx() != nullptr)
        {
            frame.ShowWindow(nCmdShow);
            result = loop.Run();
        }
        g_appModule.RemoveMessageLoop();
    }
    return result;
}
} // namespace

int RunProgram(int nCmdShow)
{
    // COM for the save dialog and the header's system query; failures surface there. Only a
    // successful call (S_FALSE included) is balanced by CoUninitialize.
    const HRESULT com = ::CoInitialize(nullptr);

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_LINK_CLASS;
    ::InitCommonControlsEx(&controls);

    // Without its loop map the module cannot run the frame: end as when it cannot be created.
    const int result = SUCCEEDED(g_appModule.Init()) ? RunMainFrame(nCmdShow) : 0;
    g_appModule.Term();

    if (SUCCEEDED(com))
        ::CoUninitialize();
    return result;
}
