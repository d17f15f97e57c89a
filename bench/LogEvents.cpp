#include "LogEvents.h"

#include "LogText.h"

bool SplitAddedEvents(const std::wstring& before, const std::wstring& after, std::vector<std::wstring>& events)
{
    events.clear();
    if (after.compare(0, before.size(), before) != 0)
        return false;
    const std::wstring added = after.substr(before.size());
    bool complete = false;
    const std::vector<std::wstring> lines = SplitLogLines(added, &complete);
    if (!complete)
        return false;
    for (const std::wstring& line : lines)
    {
        LogLine parsed;
        if (!ParseLogLine(line, parsed))
            return false;
        if (parsed.timestamped)
            events.emplace_back();
        else if (events.empty())
            return false;
        events.back() += line;
        events.back() += L"\r\n";
    }
    return true;
}

size_t CountLines(const std::wstring& text)
{
    size_t count = 0;
    for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at + 2))
        ++count;
    return count;
}
