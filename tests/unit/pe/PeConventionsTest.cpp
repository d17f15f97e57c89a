// The Windows conventions of the built Orvane.exe, read from the file itself: a 64-bit GUI
// program with ASLR, high-entropy addresses and DEP, importing only system DLLs, with the
// manifest and version record that Windows reads. A counterexample built beside it breaks each
// convention, so every check is also seen to fail.
#include "PeFile.h"

#include "framework/UniqueHandle.h"
#include "version.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
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

using Attributes = std::map<std::string, std::string>;

// The attributes of every start tag of the element (any namespace prefix) in xml.
std::vector<Attributes> TagsNamed(const std::string& xml, const std::string& element)
{
    const std::regex tag("<(?:[A-Za-z0-9_]+:)?" + element + R"(((?:\s+[^\s=>]+\s*=\s*"[^"]*")*)\s*/?>)");
    const std::regex attribute(R"(([^\s=]+)\s*=\s*"([^"]*)\")");
    std::vector<Attributes> tags;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), tag); it != std::sregex_iterator(); ++it)
    {
        Attributes attributes;
        const std::string list = (*it)[1];
        for (auto a = std::sregex_iterator(list.begin(), list.end(), attribute); a != std::sregex_iterator(); ++a)
            attributes[(*a)[1]] = (*a)[2];
        tags.push_back(std::move(attributes));
    }
    return tags;
}

// The trimmed text inside every element of that name.
std::vector<std::string> TextsOf(const std::string& xml, const std::string& element)
{
    const std::regex whole("<(?:[A-Za-z0-9_]+:)?" + element + R"((?:\s[^>]*)?>\s*([^<]*?)\s*</)");
    std::vector<std::string> texts;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), whole); it != std::sregex_iterator(); ++it)
        texts.push_back((*it)[1]);
    return texts;
}

bool AsksForCommonControls6(const std::string& manifest)
{
    for (const Attributes& identity : TagsNamed(manifest, "assemblyIdentity"))
    {
        const auto name = identity.find("name");
        const auto version = identity.find("version");
        if (name != identity.end() && name->second == "Microsoft.Windows.Common-Controls" &&
            version != identity.end() && version->second.rfind("6.", 0) == 0)
            return true;
    }
    return false;
}

bool RunsAsInvoker(const std::string& manifest)
{
    const auto levels = TagsNamed(manifest, "requestedExecutionLevel");
    return levels.size() == 1 && levels[0].count("level") == 1 && levels[0].at("level") == "asInvoker";
}

bool DeclaresDpiAwareness(const std::string& manifest)
{
    for (std::string text : TextsOf(manifest, "dpiAware"))
    {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (text == "true" || text == "true/pm" || text == "per monitor")
            return true;
    }
    for (const std::string& text : TextsOf(manifest, "dpiAwareness"))
    {
        if (!text.empty() && text.find("unaware") == std::string::npos)
            return true;
    }
    return false;
}

struct VersionRecord
{
    VS_FIXEDFILEINFO fixed{};
    std::wstring fileVersion;
    std::wstring productName;
};

bool ReadVersionRecord(const std::wstring& path, VersionRecord& record)
{
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !::GetFileVersionInfoW(path.c_str(), 0, size, block.data()))
        return false;
    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO))
        return false;
    record.fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
    if (!::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) || length < 4)
        return false;
    const auto* translation = static_cast<const WORD*>(value);
    wchar_t language[9] = {};
    for (int i = 0; i < 4; ++i)
        language[i] = L"0123456789abcdef"[(translation[0] >> (12 - 4 * i)) & 0xF];
    for (int i = 0; i < 4; ++i)
        language[4 + i] = L"0123456789abcdef"[(translation[1] >> (12 - 4 * i)) & 0xF];
    const std::wstring table = std::wstring(L"\\StringFileInfo\\") + language + L"\\";
    for (auto [name, target] : {std::pair{L"FileVersion", &record.fileVersion}, {L"ProductName", &record.productName}})
    {
        if (!::VerQueryValueW(block.data(), (table + name).c_str(), &value, &length) || length == 0)
            return false;
        target->assign(static_cast<const wchar_t*>(value));
    }
    return true;
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

TEST(ManifestReading, RecognisesOnlyWhatWindowsHonours)
{
    const std::string comctl5 = R"(<assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="5.82.0.0"/>)";
    const std::string comctl6 = R"(<asmv1:assemblyIdentity name = "Microsoft.Windows.Common-Controls" version="6.0.0.0"/>)";
    EXPECT_FALSE(AsksForCommonControls6(comctl5));
    EXPECT_TRUE(AsksForCommonControls6(comctl6));
    EXPECT_FALSE(RunsAsInvoker(R"(<requestedExecutionLevel level="requireAdministrator" uiAccess="false"/>)"));
    EXPECT_TRUE(RunsAsInvoker(R"(<v3:requestedExecutionLevel level="asInvoker"/>)"));
    EXPECT_FALSE(DeclaresDpiAwareness(R"(<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">false</dpiAware>)"));
    EXPECT_TRUE(DeclaresDpiAwareness(R"(<dpiAware> True/PM </dpiAware>)"));
    EXPECT_TRUE(DeclaresDpiAwareness(R"(<dpiAwareness>PerMonitorV2, PerMonitor</dpiAwareness>)"));
}

TEST_F(PeConventions, VersionRecordCarriesTheProjectVersion)
{
    VersionRecord record;
    ASSERT_TRUE(ReadVersionRecord(OrvanePath(), record));
    EXPECT_EQ(record.fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(record.fixed.dwFileVersionMS, static_cast<DWORD>(MAKELONG(ORVANE_VERSION_MINOR, ORVANE_VERSION_MAJOR)));
    EXPECT_EQ(record.fixed.dwFileVersionLS, static_cast<DWORD>(MAKELONG(ORVANE_VERSION_BUILD, ORVANE_VERSION_PATCH)));
    EXPECT_EQ(record.fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(record.fileVersion, L"" ORVANE_FILE_VERSION_TEXT);
    EXPECT_EQ(record.productName, L"Orvane");
    EXPECT_FALSE(ReadVersionRecord(CounterexamplePath(), record));
}
