// The built Orvane.exe as Windows loads it: a 64-bit GUI program with relocatable, high-entropy
// addresses and DEP, importing every DLL it uses, all of them the system's, with a manifest
// asking for the version 6 common controls, the invoker's rights and DPI awareness.
#include "ProgramPaths.h"
#include "DriverHandles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <regex>
#include <set>
#include <string>

TEST(PeConventions, OrvaneExeKeepsTheConventionsOfAWindowsProgram)
{
    const std::wstring exe = PathBesideThisProgram(L"Orvane.exe");
    // Mapped as an image, not run: the headers and tables sit at their relative addresses.
    const unique_hmodule image(::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(image) << ::GetLastError();
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(image.get()) & ~ULONG_PTR{3});
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
    ASSERT_EQ(nt->Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
    ASSERT_EQ(nt->OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC);
    EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
    constexpr WORD kRequired = IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE | IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA |
                               IMAGE_DLLCHARACTERISTICS_NX_COMPAT;
    EXPECT_EQ(nt->OptionalHeader.DllCharacteristics & kRequired, kRequired);
    // Without relocations the loader cannot move the image, whatever the flag says.
    EXPECT_GT(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_BASERELOC].Size, 0u);

    // Every imported DLL is one the loader finds in the system directory, where neither the
    // program's own DLLs nor the compiler's runtime live.
    wchar_t system[MAX_PATH] = {};
    const std::wstring systemDirectory(system, ::GetSystemDirectoryW(system, MAX_PATH));
    const DWORD imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    std::set<std::string> names;
    for (auto* dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports); imports != 0 && dll->Name != 0;
         ++dll)
    {
        std::string name = reinterpret_cast<const char*>(base + dll->Name);
        const std::wstring file = systemDirectory + L"\\" + std::wstring(name.begin(), name.end());
        EXPECT_NE(::GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << name << " is no system DLL";
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
        names.insert(name);
    }
    // So is every library that only some commands and events use (the interface lookup, the save
    // dialogs and their paths, the About box), and none is loaded on first use: a system that
    // cannot load one refuses to start the program before there is a log that a later use could lose.
    for (const char* later : {"setupapi.dll", "shlwapi.dll", "comdlg32.dll", "shell32.dll", "version.dll"})
        EXPECT_EQ(names.count(later), 1u) << later << " is not imported";
    EXPECT_EQ(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT].Size, 0u);

    HRSRC found = ::FindResourceW(image.get(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr) << "Orvane.exe carries no manifest";
    const std::string manifest(static_cast<const char*>(::LockResource(::LoadResource(image.get(), found))),
                               ::SizeofResource(image.get(), found));
    // What Windows honours, whatever the namespace prefixes, spacing and attribute order.
    for (const char* pattern :
         {R"(<(\w+:)?assemblyIdentity[^>]*(Microsoft\.Windows\.Common-Controls"[^>]*version\s*=\s*"6\.|)"
          R"(version\s*=\s*"6\.[^>]*"Microsoft\.Windows\.Common-Controls"))",
          R"(<(\w+:)?requestedExecutionLevel[^>]*level\s*=\s*"asInvoker")",
          R"(<(\w+:)?dpiAware(\s[^>]*)?>\s*(true|true/pm|per monitor)\s*<|)"
          R"(<(\w+:)?dpiAwareness(\s[^>]*)?>\s*(permonitor|system))"})
        EXPECT_TRUE(std::regex_search(manifest, std::regex(pattern, std::regex::icase))) << pattern;
}
