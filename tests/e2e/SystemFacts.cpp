#include "SystemFacts.h"

#include "UniqueHandle.h"
#include "WideString.h"

#include <vector>

namespace
{
using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);

std::wstring Trim(const std::wstring& text)
{
    const size_t first = text.find_first_not_of(L" \t\r\n");
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L" \t\r\n") - first + 1);
}

// Runs commandLine and returns what it wrote to its standard output.
bool CaptureOutput(std::wstring commandLine, std::string& output)
{
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    unique_handle readEnd;
    unique_handle writeEnd;
    if (!::CreatePipe(readEnd.put(), writeEnd.put(), &inherit, 0) ||
        !::SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0))
        return false;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd.get();
    startup.hStdError = writeEnd.get();
    startup.hStdInput = nullptr;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &info))
        return false;
    unique_handle process(info.hProcess);
    unique_handle thread(info.hThread);
    writeEnd.reset();
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(readEnd.get(), buffer, sizeof(buffer), &read, nullptr) && read != 0)
        output.append(buffer, read);
    ::WaitForSingleObject(process.get(), 30000);
    return true;
}
} // namespace

std::wstring RealVersionNumbers()
{
    const auto getVersion = reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (getVersion == nullptr || getVersion(&version) != 0)
        return {};
    CString text;
    text.Format(L"%hu.%hu (Build %hu)", static_cast<WORD>(version.dwMajorVersion),
                static_cast<WORD>(version.dwMinorVersion), static_cast<WORD>(version.dwBuildNumber));
    return text.Str();
}

std::wstring OperatingSystemProperty(const wchar_t* property)
{
    std::string output;
    if (!CaptureOutput(std::wstring(L"wmic os get ") + property, output))
        return {};
    // The tool writes UTF-16 with a byte-order mark; a header line, then the value.
    std::wstring text;
    if (output.size() >= 2 && static_cast<unsigned char>(output[0]) == 0xFF &&
        static_cast<unsigned char>(output[1]) == 0xFE)
    {
        text.assign(reinterpret_cast<const wchar_t*>(output.data() + 2), (output.size() - 2) / sizeof(wchar_t));
    }
    else
    {
        text.assign(output.begin(), output.end());
    }
    const size_t headerEnd = text.find(L'\n');
    if (headerEnd == std::wstring::npos || Trim(text.substr(0, headerEnd)) != property)
        return {};
    return Trim(text.substr(headerEnd + 1));
}
