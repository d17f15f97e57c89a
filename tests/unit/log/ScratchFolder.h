#pragma once
// A new empty folder under the system's temporary folder, removed with its files when the
// object goes; plus the file reads the save tests compare with.
#include <windows.h>

#include <string>
#include <vector>

class CScratchFolder
{
public:
    CScratchFolder()
    {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        static LONG sequence = 0;
        for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt)
        {
            std::wstring candidate = std::wstring(temp) + L"orvane-save-" + std::to_wstring(::GetCurrentProcessId()) +
                                     L"-" + std::to_wstring(::InterlockedIncrement(&sequence));
            if (::CreateDirectoryW(candidate.c_str(), nullptr))
                m_path = candidate;
        }
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

    // Names of the files in the folder, in the order the system lists them.
    [[nodiscard]] std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found{};
        HANDLE search = ::FindFirstFileW((m_path + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do
        {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                names.emplace_back(found.cFileName);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
        return names;
    }

private:
    std::wstring m_path;
};

// The whole file as bytes; empty when it cannot be read.
inline std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char chunk[4096];
    DWORD read = 0;
    while (::ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read != 0)
        bytes.append(chunk, read);
    ::CloseHandle(file);
    return bytes;
}

inline bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == bytes.size();
}
