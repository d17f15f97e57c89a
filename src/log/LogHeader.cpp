// The text a new log starts with.
#include "LogHeader.h"

#include "resource.h"

namespace
{
// The numbers GetVersionExW reports to this program (the manifest's supported-OS list decides
// them); a major version of 0 means the query failed.
OSVERSIONINFOEXW QuerySystemVersion() noexcept
{
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version)))
        version.dwMajorVersion = 0;
#pragma GCC diagnostic pop
    return version;
}
} // namespace

void BuildLogHeader(CString& header, LPCWSTR osDescription)
{
    header.Empty();
    const OSVERSIONINFOEXW version = QuerySystemVersion();

    if (osDescription != nullptr)
        header.Append(osDescription).Append(L"\r\n");

    if (version.dwMajorVersion != 0)
    {
        CString numbers;
        numbers.AppendFormat(IDS_VERSION_NUMBERS, version.dwMajorVersion, version.dwMinorVersion,
                             version.dwBuildNumber);
        header.AppendFormat(IDS_VERSION_LINE, numbers.GetString());
        header.Append(L"\r\n");
    }

    header.Append(L"\r\n");
    header.AppendFormat(IDS_NOTIFICATIONS_HINT);
    header.Append(L"\r\n\r\n");
}
