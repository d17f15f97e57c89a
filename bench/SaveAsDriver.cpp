#include "SaveAsDriver.h"

#include "OrvaneRun.h"
#include "SaveDialogDriver.h"
#include "Wait.h"

namespace
{
ULONGLONG FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return ~0ULL;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
} // namespace

bool SaveAsThroughDialog(DWORD processId, HWND frame, const std::wstring& path, ULONGLONG expectedBytes,
                         DWORD timeoutMs)
{
    ::DeleteFileW(path.c_str());
    if (!::PostMessageW(frame, WM_COMMAND, MAKEWPARAM(COrvaneRun::kFileSaveAs, 0), 0))
        return false;
    HWND dialog = WaitForSaveDialog(processId, timeoutMs);
    return dialog != nullptr && SaveUnderName(dialog, path, timeoutMs) &&
           WaitUntil([&] { return FileSize(path) == expectedBytes; }, timeoutMs);
}
