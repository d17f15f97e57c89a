// The image's load configuration, which the loader finds through the data directory that the
// step after the link points at _load_config_used (tools/point-load-config.py: GNU ld links the
// symbol but leaves the directory empty). The link asks for the symbol (--undefined), so this
// definition is taken before any that a newer MinGW runtime's library holds.
//
// Orvane is unzipped and started wherever the zip landed, a Downloads folder as often as not.
// Windows looks for an imported DLL that is not one of its known DLLs (VERSION.dll, for one) in
// the program's folder first: a library of that name left there would run inside Orvane before
// any of its code. DependentLoadFlags has Windows 10 1607 and later look in the system folder
// only; older systems ignore the field.
#include <windows.h>

#include <cstddef>

// IMAGE_LOAD_CONFIG_DIRECTORY64 through its first version's last field, SEHandlerCount, which
// every 64-bit Windows reads; DependentLoadFlags is that version's Reserved1. The loader reads the
// fields that Size covers and no others.
struct OrvaneLoadConfiguration
{
    DWORD Size;
    DWORD TimeDateStamp;
    WORD MajorVersion;
    WORD MinorVersion;
    DWORD GlobalFlagsClear;
    DWORD GlobalFlagsSet;
    DWORD CriticalSectionDefaultTimeout;
    ULONGLONG DeCommitFreeBlockThreshold;
    ULONGLONG DeCommitTotalFreeThreshold;
    ULONGLONG LockPrefixTable;
    ULONGLONG MaximumAllocationSize;
    ULONGLONG VirtualMemoryThreshold;
    ULONGLONG ProcessAffinityMask;
    DWORD ProcessHeapFlags;
    WORD CSDVersion;
    WORD DependentLoadFlags;
    ULONGLONG EditList;
    ULONGLONG SecurityCookie;
    ULONGLONG SEHandlerTable;
    ULONGLONG SEHandlerCount;
};
static_assert(offsetof(OrvaneLoadConfiguration, DependentLoadFlags) == 0x4E && sizeof(OrvaneLoadConfiguration) == 0x70);

constexpr OrvaneLoadConfiguration LoadConfiguration()
{
    OrvaneLoadConfiguration configuration{};
    configuration.Size = sizeof(configuration);
    configuration.DependentLoadFlags = LOAD_LIBRARY_SEARCH_SYSTEM32;
    return configuration;
}

extern "C" [[gnu::used]] const OrvaneLoadConfiguration _load_config_used = LoadConfiguration();
