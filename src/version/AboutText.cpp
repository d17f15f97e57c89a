#include "AboutText.h"

#include "resource.h"

static_assert(sizeof(void*) == 8, "the About box names the program as 64-bit");

bool FormatAboutDescription(const CVersionInfo& info, CString& text)
{
    CString description;
    if (!info.GetStringValue(L"FileDescription", description))
        return false;
    description += L" (64-bit)";
    text = std::move(description);
    return true;
}

void FormatAboutVersion(const VS_FIXEDFILEINFO& info, CString& text)
{
    text.Empty();
    text.AppendFormat(IDS_ABOUT_VERSION, static_cast<int>(HIWORD(info.dwFileVersionMS)),
                      static_cast<int>(LOWORD(info.dwFileVersionMS)), static_cast<int>(HIWORD(info.dwFileVersionLS)));
}
