#pragma once
// A folder of the test's own under the system's temporary folder, unique per run and per
// test, removed with everything in it when the object goes; and the file reads the saving
// tests compare with.
#include <windows.h>

#include <string>
#include <vector>

class TestFolder
{
public:
    TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;
    ~TestFolder();

    // False when the folder could not be created; Path() is then empty.
    [[nodiscard]] bool IsValid() const noexcept { return !m_path.empty(); }
    [[nodiscard]] const std::wstring& Path() const noexcept { return m_path; }
    // The full path of name inside the folder.
    [[nodiscard]] std::wstring File(const wchar_t* name) const;
    // The names of everything in the folder, sorted.
    [[nodiscard]] std::vector<std::wstring> Names() const;

private:
    std::wstring m_path;
};

// The whole content of the file at path; false (with the last error) when it cannot be read.
bool ReadFileBytes(const std::wstring& path, std::string& bytes);

// The bytes of text as UTF-16 little-endian, two per code unit, low byte first.
std::string Utf16LeBytes(const std::wstring& text);
