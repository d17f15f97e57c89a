#include "TestFolder.h"

#include "UniqueHandle.h"

#include <algorithm>
#include <atomic>
#include <filesystem>

namespace
{
std::atomic<unsigned> g_folderSequence{0};
}

TestFolder::TestFolder()
{
    wchar_t temporary[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(static_cast<DWORD>(std::size(temporary)), temporary);
    if (length == 0 || length >= std::size(temporary))
        return;
    // The process id tells apart test programs running side by side; the sequence and the
    // tick count tell apart folders of one program and of reruns with a recycled id.
    for (int attempt = 0; attempt < 16; ++attempt)
    {
        const std::wstring candidate = std::wstring(temporary) + L"OrvaneE2E-" + std::to_wstring(::GetCurrentProcessId()) +
                                       L"-" + std::to_wstring(++g_folderSequence) + L"-" +
                                       std::to_wstring(::GetTickCount64() % 1000000);
        if (::CreateDirectoryW(candidate.c_str(), nullptr))
        {
            m_path = candidate;
            return;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            return;
    }
}

TestFolder::~TestFolder()
{
    if (m_path.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(m_path), ignored);
}

std::wstring TestFolder::File(const wchar_t* name) const
{
    return m_path + L"\\" + name;
}

std::vector<std::wstring> TestFolder::Names() const
{
    std::vector<std::wstring> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(std::filesystem::path(m_path), error), end; !error && entry != end;
         entry.increment(error))
        names.push_back(entry->path().filename().wstring());
    std::sort(names.begin(), names.end());
    return names;
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes)
{
    const unique_hfile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > 64 * 1024 * 1024)
        return false;
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return false;
    bytes.resize(read);
    return true;
}

std::string Utf16LeBytes(const std::wstring& text)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const wchar_t unit : text)
    {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
    }
    return bytes;
}
