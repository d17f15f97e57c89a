// The Windows conventions of the built Orvane.exe, read from the file itself: a 64-bit GUI
// program with ASLR, high-entropy addresses and DEP, importing only system DLLs, with the
// manifest and version record that Windows reads. A counterexample built beside it breaks each
// convention, so every check is also seen to fail.
#include "PeFile.h"

#include "UniqueHandle.h"
#include "version.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace
{
std::wstring NextToThisProgram(const wchar_t* name)
{
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    path.resize(path.find_last_of(L'\\') + 1);
    return path + name;
}

const std::wstring& OrvanePath()
{
    static const std::wstring path = NextToThisProgram(L"Orvane.exe");
    return path;
}

const std::wstring& CounterexamplePath()
{
    static const std::wstring path = NextToThisProgram(L"pe_counterexample.exe");
    return path;
}

// A DLL the system provides: the loader finds it in the system directory, where no program's
// own DLLs (nor the compiler's runtime DLLs) live.
bool IsSystemDll(const std::string& name)
{
    wchar_t system[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    const std::wstring path = std::wstring(system) + L"\\" + std::wstring(name.begin(), name.end());
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::vector<std::string> NonSystemImports(const std::wstring& path)
{
    CPeFile file;
    std::vector<std::string> names;
    EXPECT_TRUE(file.Load(path) && file.ImportedDlls(names));
    std::vector<std::string> foreign;
    for (const std::string& name : names)
    {
        if (!IsSystemDll(name))
            foreign.push_back(name);
    }
    return foreign;
}

// The manifest Windows applies when it starts the program: RT_MANIFEST resource 1.
std::string ManifestOf(const std::wstring& path)
{
    unique_hmodule image(
        ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!image)
        return {};
    HRSRC resource = ::FindResourceW(image.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    HGLOBAL loaded = resource != nullptr ? ::LoadResource(image.get(), resource) : nullptr;
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return {};
    return std::string(static_cast<const char*>(bytes), ::SizeofResource(image.get(), resource));
}

// What Windows honours in the manifest, whatever the namespace prefixes and spacing.
bool Matches(const std::string& manifest, const char* pattern)
{
    return std::regex_search(manifest, std::regex(pattern, std::regex::icase));
}

bool AsksForCommonControls6(const std::string& manifest)
{
    return Matches(manifest, R"(<(\w+:)?assemblyIdentity[^>]*name\s*=\s*"Microsoft\.Windows\.Common-Controls"[^>]*version\s*=\s*"6\.)") ||
           Matches(manifest, R"(<(\w+:)?assemblyIdentity[^>]*version\s*=\s*"6\.[^>]*name\s*=\s*"Microsoft\.Windows\.Common-Controls")");
}

bool RunsAsInvoker(const std::string& manifest)
{
    return Matches(manifest, R"(<(\w+:)?requestedExecutionLevel[^>]*level\s*=\s*"asInvoker")");
}

bool DeclaresDpiAwareness(const std::string& manifest)
{
    return Matches(manifest, R"(<(\w+:)?dpiAware(\s[^>]*)?>\s*(true|true/pm|per monitor)\s*<)") ||
           Matches(manifest, R"(<(\w+:)?dpiAwareness(\s[^>]*)?>\s*(permonitor|system))");
}

class PeConventions : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_orvane.Load(OrvanePath())) << "no PE file at " << testing::PrintToString(OrvanePath());
        ASSERT_TRUE(m_counterexample.Load(CounterexamplePath()));
    }

    CPeFile m_orvane;
    CPeFile m_counterexample;
};
} // namespace

TEST_F(PeConventions, OrvaneIsA64BitGuiProgram)
{
    EXPECT_EQ(m_orvane.Machine(), IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(m_orvane.OptionalHeaderMagic(), IMAGE_NT_OPTIONAL_HDR64_MAGIC);
    EXPECT_EQ(m_orvane.Subsystem(), IMAGE_SUBSYSTEM_WINDOWS_GUI);
    EXPECT_EQ(m_counterexample.Subsystem(), IMAGE_SUBSYSTEM_WINDOWS_CUI);
}

TEST_F(PeConventions, AddressSpaceRandomisationWithHighEntropyAndDataExecutionPrevention)
{
    constexpr WORD kRequired = IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE | IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA |
                               IMAGE_DLLCHARACTERISTICS_NX_COMPAT;
    EXPECT_EQ(m_orvane.DllCharacteristics() & kRequired, kRequired);
    // Without relocations the loader cannot move the image, whatever the flag says.
    EXPECT_GT(m_orvane.Directory(IMAGE_DIRECTORY_ENTRY_BASERELOC).Size, 0u);
    EXPECT_EQ(m_counterexample.DllCharacteristics() & kRequired, 0);
}

TEST_F(PeConventions, ImportsOnlySystemDlls)
{
    std::vector<std::string> names;
    ASSERT_TRUE(m_orvane.ImportedDlls(names));
    bool kernel = false;
    for (const std::string& name : names)
        kernel = kernel || _stricmp(name.c_str(), "KERNEL32.dll") == 0;
    EXPECT_TRUE(kernel) << "the import table was not read";
    EXPECT_EQ(NonSystemImports(OrvanePath()), std::vector<std::string>{});
    EXPECT_EQ(NonSystemImports(CounterexamplePath()), std::vector<std::string>{"pe_counterexample_library.dll"});
}

TEST_F(PeConventions, ManifestAsksForCommonControls6AsInvokerAndDpiAware)
{
    const std::string manifest = ManifestOf(OrvanePath());
    ASSERT_FALSE(manifest.empty()) << "Orvane.exe carries no manifest";
    EXPECT_TRUE(AsksForCommonControls6(manifest));
    EXPECT_TRUE(RunsAsInvoker(manifest));
    EXPECT_TRUE(DeclaresDpiAwareness(manifest));
    EXPECT_EQ(ManifestOf(CounterexamplePath()), "");
}

TEST_F(PeConventions, VersionRecordCarriesTheProjectVersion)
{
    CVersionInfo record;
    ASSERT_TRUE(record.Load(OrvanePath().c_str()));
    EXPECT_EQ(record.dwFileVersionMS, static_cast<DWORD>(MAKELONG(ORVANE_VERSION_MINOR, ORVANE_VERSION_MAJOR)));
    EXPECT_EQ(record.dwFileVersionLS, static_cast<DWORD>(MAKELONG(ORVANE_VERSION_BUILD, ORVANE_VERSION_PATCH)));
    EXPECT_EQ(record.dwFileType, static_cast<DWORD>(VFT_APP));
    CString fileVersion, productName;
    EXPECT_TRUE(record.GetStringValue(L"FileVersion", fileVersion));
    EXPECT_TRUE(record.GetStringValue(L"ProductName", productName));
    EXPECT_EQ(fileVersion, CString(L"" ORVANE_FILE_VERSION_TEXT));
    EXPECT_EQ(productName, CString(L"Orvane"));
    EXPECT_FALSE(record.Load(CounterexamplePath().c_str()));
}
