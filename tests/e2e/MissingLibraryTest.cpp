// A system that cannot load one of the libraries Orvane uses refuses to start it: every library
// is in the import table, so the loader ends the process before its first line runs, and there
// is never a log that a later first use could lose. Only Wine can take a system library away
// from one program, so these run under Wine alone.
#include "OrvaneProcess.h"
#include "ProgramPaths.h"
#include "WineOnly.h"

#include <gtest/gtest.h>

namespace
{
// The loader's exit code for a process whose imports cannot be resolved.
constexpr DWORD kStatusDllNotFound = 0xC0000135;

// Wine's per-program override that disables a DLL for Orvane.exe alone: an empty string value
// named after the DLL. Wine reads it at every load, so it stays set while the program starts.
class DisabledLibrary
{
public:
    explicit DisabledLibrary(const wchar_t* dll) : m_dll(dll)
    {
        m_active = ::RegSetKeyValueW(HKEY_CURRENT_USER, kOverrides, m_dll, REG_SZ, L"", sizeof(wchar_t)) ==
                   ERROR_SUCCESS;
    }
    DisabledLibrary(const DisabledLibrary&) = delete;
    DisabledLibrary& operator=(const DisabledLibrary&) = delete;
    ~DisabledLibrary()
    {
        if (m_active)
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kOverrides, m_dll);
    }
    [[nodiscard]] bool IsActive() const noexcept { return m_active; }

private:
    static constexpr wchar_t kOverrides[] = L"Software\\Wine\\AppDefaults\\Orvane.exe\\DllOverrides";
    const wchar_t* m_dll;
    bool m_active = false;
};

class MissingLibrary : public ::testing::TestWithParam<const wchar_t*>
{
};

std::string LibraryName(const ::testing::TestParamInfo<const wchar_t*>& library)
{
    const std::wstring dll = library.param;
    return std::string(dll.begin(), dll.end());
}
} // namespace

TEST_P(MissingLibrary, StopsOrvaneBeforeItsFirstWindow)
{
    if (!RunningUnderWine())
        GTEST_SKIP() << "needs Wine: the library is disabled through Wine's per-program DLL override";
    const DisabledLibrary disabled(GetParam());
    ASSERT_TRUE(disabled.IsActive());
    OrvaneProcess orvane;
    ASSERT_EQ(orvane.Launch(PathBesideThisProgram(L"Orvane.exe")), S_OK);
    DWORD exitCode = 0;
    ASSERT_TRUE(orvane.WaitForExit(exitCode, kStartWaitMs)) << "Orvane started without the library";
    EXPECT_EQ(exitCode, kStatusDllNotFound);
}

// The libraries that only some commands and events need: the interface lookup, the save
// dialogs and their paths, and the About box.
INSTANTIATE_TEST_SUITE_P(LoadedOnlyByLaterFeatures, MissingLibrary,
                         ::testing::Values(L"setupapi", L"shlwapi", L"comdlg32", L"shell32", L"version"),
                         LibraryName);
