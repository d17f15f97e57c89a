#include "Run.h"

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int nCmdShow)
{
    // COM for the save dialog and the header's system query; failures surface there.
    ::CoInitialize(nullptr);

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_LINK_CLASS;
    ::InitCommonControlsEx(&controls);

    g_appModule.Init();
    const int result = Run(nullptr, nCmdShow);
    g_appModule.Term();

    ::CoUninitialize();
    return result;
}
