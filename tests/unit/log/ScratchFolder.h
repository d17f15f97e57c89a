#pragma once
// A new empty folder under the temporary folder, removed with its files at the end; and
// the whole-file reads and writes the save tests compare with.
#include <windows.h>

#include <string>
#include <vector>

inline std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char chunk[4096];
    DWORD read = 0;
    while (file != INVALID_HANDLE_VALUE && ::ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read != 0)
        bytes.append(chunk, read);
    ::CloseHandle(file);
    return bytes;
}

inline bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    ::CloseHandle(file);
    return ok;
}

class CScratchFolder
{
public:
    CScratchFolder()
    {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"orvane-save-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                 std::to_wstring(::GetTickCount64());
        if (!::CreateDirectoryW(m_path.c_str(), nullptr))
            m_path.clear();
    }
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;
    ~CScratchFolder()
    {
        for (const std::wstring& name : Names())
            ::DeleteFileW(File(name.c_str()).c_str());
        ::RemoveDirectoryW(m_path.c_str());
    }

    [[nodiscard]] bool IsValid() const { return !m_path.empty(); }
    [[nodiscard]] const std::wstring& Path() const { return m_path; }
    [[nodiscard]] std::wstring File(const wchar_t* name) const { return m_path + L"\\" + name; }

    // The names of the files in the folder.
    [[nodiscard]] std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found{};
        HANDLE search = ::FindFirstFileW(File(L"*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(search, &found))
        {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                names.emplace_back(found.cFileName);
        }
        ::FindClose(search);
        return names;
    }

private:
    std::wstring m_path;
};
