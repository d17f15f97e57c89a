#pragma once
// A new empty folder under the temporary folder, removed with its files at the end; and
// the whole-file reads and writes the save tests compare with. Shared by the unit and
// end-to-end tests.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::string ReadBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline bool WriteBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
}

class CScratchFolder
{
public:
    CScratchFolder()
    {
        m_path = std::filesystem::temp_directory_path(m_error) /
                 (L"orvane-save-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount64()));
        if (!std::filesystem::create_directory(m_path, m_error))
            m_path.clear();
    }
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;
    ~CScratchFolder() { std::filesystem::remove_all(m_path, m_error); }

    [[nodiscard]] bool IsValid() const { return !m_path.empty(); }
    [[nodiscard]] std::wstring Path() const { return m_path.wstring(); }
    [[nodiscard]] std::wstring File(const wchar_t* name) const { return (m_path / name).wstring(); }

    [[nodiscard]] std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path, m_error))
            names.push_back(entry.path().filename().wstring());
        return names;
    }

private:
    std::filesystem::path m_path;
    mutable std::error_code m_error;
};
