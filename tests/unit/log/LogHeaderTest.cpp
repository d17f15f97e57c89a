// The header a new log starts with, built with Wine's real WMI and with stand-in descriptions.
#include "ImportPatch.h"
#include "LogHeader.h"

#include <gtest/gtest.h>
#include <wbemidl.h>

#include <string>

namespace
{
// The version line and the hint, each followed by an empty line. The numbers come from
// RtlGetVersion, which no manifest changes: GetVersionExW reports the same ones only while the
// program's manifest lists the system, and Windows 8's 6.2 (Build 9200) otherwise.
std::wstring Tail()
{
    RTL_OSVERSIONINFOW version{sizeof(version), 0, 0, 0, 0, {}};
    reinterpret_cast<LONG(WINAPI*)(RTL_OSVERSIONINFOW*)>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")))(&version);
    return L"Version " + std::to_wstring(version.dwMajorVersion) + L"." + std::to_wstring(version.dwMinorVersion) +
           L" (Build " + std::to_wstring(version.dwBuildNumber) +
           L")\r\n\r\nClick Notifications > Device to enable plug-and-play device notifications.\r\n\r\n";
}

// The header from source, or from the program's own description without one.
std::wstring Header(HRESULT (*source)(LPWSTR) = nullptr)
{
    CString header;
    source != nullptr ? BuildLogHeader(header, source) : BuildLogHeader(header);
    return header.Str();
}

// A WMI service that hangs: it gives up on a connection only when asked to wait for a bounded
// time, and its query's next object never arrives in the time it is given. COM interfaces have
// no virtual destructor; this one outlives every use.
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class CHungWmi : public IWbemLocator, public IEnumWbemClassObject
{
public:
    long m_waited = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override { return *object = nullptr, E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE ConnectServer(const BSTR, const BSTR, const BSTR, const BSTR, long flags, const BSTR,
                                            IWbemContext*, IWbemServices** services) override
    {
        EXPECT_NE(flags & WBEM_FLAG_CONNECT_USE_MAX_WAIT, 0) << "the connection would wait for ever";
        return *services = nullptr, WBEM_E_TIMED_OUT;
    }
    HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Next(long timeout, ULONG, IWbemClassObject** objects, ULONG* returned) override
    {
        m_waited = timeout;
        *objects = nullptr;
        *returned = 0;
        return WBEM_S_TIMEDOUT;
    }
    HRESULT STDMETHODCALLTYPE NextAsync(ULONG, IWbemObjectSink*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumWbemClassObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Skip(long, ULONG) override { return E_NOTIMPL; }
} g_hungWmi;

HRESULT WINAPI CreateHungLocator(REFCLSID, LPUNKNOWN, DWORD, REFIID, void** object)
{
    return *object = static_cast<IWbemLocator*>(&g_hungWmi), S_OK;
}
} // namespace

TEST(LogHeader, WmiDescriptionComesFirstAndAServiceThatHangsIsLeftOut)
{
    ASSERT_TRUE(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    wchar_t description[kOSDescriptionCapacity] = {};
    ASSERT_EQ(GetOSDescription(description), S_OK);
    const std::wstring text = description;
    EXPECT_NE(text.find(L"Windows"), std::wstring::npos);
    EXPECT_TRUE(text.ends_with(L")") && text.find(L" (") != std::wstring::npos) << text;
    // A second query in the process, with COM security already set.
    EXPECT_EQ(Header(), text + L"\r\n" + Tail());
    {
        // A service that hangs keeps neither the connection nor the header waiting; the header
        // goes without the description.
        const CImportPatch hung("ole32.dll", "CoCreateInstance", reinterpret_cast<const void*>(&CreateHungLocator));
        EXPECT_TRUE(hung.IsActive());
        EXPECT_EQ(Header(GetOSDescription), Tail());
    }
    ::CoUninitialize();
}

TEST(LogHeader, OnlyAnS_OKDescriptionIsUsedAndAnEmptyOneLeavesAnEmptyLine)
{
    EXPECT_EQ(Header([](LPWSTR buffer) { return ::lstrcpyW(buffer, L"X"), S_FALSE; }), Tail());
    EXPECT_EQ(Header([](LPWSTR buffer) { return buffer[0] = L'\0', S_OK; }), L"\r\n" + Tail());
}

TEST(OSDescription, CaptionServicePackAndArchitectureInParenthesesCutAt128)
{
    const std::wstring caption(120, L'c');
    const struct
    {
        LPCWSTR caption, servicePack, architecture;
        std::wstring expected;
    } cases[] = {
        {L"Microsoft Windows 10 Pro", nullptr, L"64-bit", L"Microsoft Windows 10 Pro (64-bit)"},
        {L"Windows 7", L"Service Pack 1", L"64-bit", L"Windows 7 Service Pack 1 (64-bit)"},
        {L"Windows 7 ", L"Service Pack 1", nullptr, L"Windows 7 Service Pack 1"},
        {L"", L"Service Pack 1", nullptr, L"Service Pack 1"},
        {caption.c_str(), L"Service Pack 3", L"64-bit", caption + L" Service"},
    };
    for (const auto& c : cases)
    {
        wchar_t buffer[kOSDescriptionCapacity];
        ComposeOSDescription(buffer, c.caption, c.servicePack, c.architecture);
        EXPECT_EQ(buffer, c.expected) << "row " << &c - cases;
    }
}

TEST(OSDescription, AnObjectThatDoesNotArriveInTenSecondsFailsTheDescription)
{
    wchar_t buffer[kOSDescriptionCapacity] = L"unchanged";
    EXPECT_EQ(DescribeOperatingSystems(&g_hungWmi, buffer), HRESULT_FROM_WIN32(ERROR_TIMEOUT));
    EXPECT_EQ(g_hungWmi.m_waited, 10000);
    EXPECT_STREQ(buffer, L"unchanged");
}
