#pragma once
// A new folder under the temporary folder, removed with everything in it at the end; and the
// whole-file reads and writes the saving tests compare with. Shared by the unit and end-to-end
// tests.
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class TestFolder
{
public:
    // Unique per process, per folder of the process, and per run under a recycled process id.
    TestFolder()
    {
        static std::atomic<unsigned> sequence{0};
        const auto path = std::filesystem::temp_directory_path(m_error) /
                          (L"orvane-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                           std::to_wstring(++sequence) + L"-" + std::to_wstring(::GetTickCount64()));
        if (!m_error && std::filesystem::create_directory(path, m_error))
            m_path = path.wstring();
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    ~TestFolder() { std::filesystem::remove_all(m_path, m_error); }

    [[nodiscard]] bool IsValid() const { return !m_path.empty(); }
    [[nodiscard]] const std::wstring& Path() const { return m_path; }
    [[nodiscard]] std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }
    [[nodiscard]] std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path, m_error))
            names.push_back(entry.path().filename().wstring());
        return names;
    }

private:
    std::wstring m_path;
    mutable std::error_code m_error;
};

inline std::string FileBytes(const std::wstring& path) // empty when unreadable
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline bool WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream file(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    return static_cast<bool>(file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
}
