#include "Run.h"

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int nCmdShow)
{
    // COM for the save dialog and the header's system query; failures surface there. Only a
    // successful call (S_FALSE included) is balanced by CoUninitialize.
    const HRESULT com = ::CoInitialize(nullptr);

    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_LINK_CLASS;
    ::InitCommonControlsEx(&controls);

    // Without its loop map the module cannot run the frame: end as when it cannot be created.
    const int result = SUCCEEDED(g_appModule.Init()) ? Run(nullptr, nCmdShow) : 0;
    g_appModule.Term();

    if (SUCCEEDED(com))
        ::CoUninitialize();
    return result;
}
