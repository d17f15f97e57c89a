#include "BenchOptions.h"

#include <cwchar>

namespace
{
bool SelectOnly(const std::wstring& list, BenchOptions& options, std::wstring& error)
{
    options.burst = options.startup = options.save = options.lookup = options.longLog = false;
    size_t start = 0;
    for (;;)
    {
        const size_t comma = list.find(L',', start);
        const std::wstring name = list.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
        if (name == L"burst")
            options.burst = true;
        else if (name == L"startup")
            options.startup = true;
        else if (name == L"save")
            options.save = true;
        else if (name == L"lookup")
            options.lookup = true;
        else if (name == L"longlog")
            options.longLog = true;
        else
        {
            error = L"unknown measurement \"" + name + L"\" (burst, startup, save, lookup, longlog)";
            return false;
        }
        if (comma == std::wstring::npos)
            return true;
        start = comma + 1;
    }
}
} // namespace

bool ParseBenchOptions(const std::vector<std::wstring>& arguments, BenchOptions& options, std::wstring& error)
{
    options = {};
    for (size_t i = 0; i < arguments.size(); ++i)
    {
        const std::wstring& name = arguments[i];
        if (i + 1 >= arguments.size())
        {
            error = L"\"" + name + L"\" is not an option with a value";
            return false;
        }
        const std::wstring& value = arguments[++i];
        if (name == L"--orvane")
            options.orvaneExe = value;
        else if (name == L"--bare")
            options.bareExe = value;
        else if (name == L"--rounds")
        {
            wchar_t* end = nullptr;
            const long rounds = std::wcstol(value.c_str(), &end, 10);
            if (end == value.c_str() || *end != L'\0' || rounds < 1 || rounds > 99)
            {
                error = L"--rounds takes a number from 1 to 99";
                return false;
            }
            options.rounds = static_cast<int>(rounds);
        }
        else if (name == L"--only")
        {
            if (!SelectOnly(value, options, error))
                return false;
        }
        else
        {
            error = L"unknown option \"" + name + L"\"";
            return false;
        }
    }
    return true;
}
