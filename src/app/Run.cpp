#include "Run.h"

#include "MainFrame.h"

CAppModule g_appModule;

int Run(LPWSTR, int nCmdShow)
{
    CMessageLoop loop;
    g_appModule.AddMessageLoop(&loop);

    int result = 0;
    {
        CMainFrame frame(&loop);
        if (frame.CreateEx() == nullptr)
        {
            g_appModule.RemoveMessageLoop();
            return 0;
        }
        frame.ShowWindow(nCmdShow);
        result = loop.Run();
        g_appModule.RemoveMessageLoop();
    }
    return result;
}
