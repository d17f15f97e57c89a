#pragma once
// A stand-in for WMI's locator and query, patched in for CoCreateInstance: a service that hangs.
// It refuses a connection that would wait for ever, and its next object never arrives. On
// Windows WMI is another process, and an apartment waiting on it is handed what other programs
// send its windows: m_whileWaiting does that inside the connection's wait.
#include <gtest/gtest.h>
#include <wbemidl.h>

// COM interfaces have no virtual destructor; this one outlives every use.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class CHungWmi : public IWbemLocator, public IEnumWbemClassObject
{
public:
    long m_waited = 0;
    void (*m_whileWaiting)() = [] {};

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override { return *object = nullptr, E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE ConnectServer(const BSTR, const BSTR, const BSTR, const BSTR, long flags, const BSTR,
                                            IWbemContext*, IWbemServices** services) override
    {
        EXPECT_NE(flags & WBEM_FLAG_CONNECT_USE_MAX_WAIT, 0) << "the connection would wait for ever";
        m_whileWaiting();
        return *services = nullptr, WBEM_E_TIMED_OUT;
    }
    HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Next(long timeout, ULONG, IWbemClassObject** objects, ULONG* returned) override
    {
        return m_waited = timeout, *objects = nullptr, *returned = 0, WBEM_S_TIMEDOUT;
    }
    HRESULT STDMETHODCALLTYPE NextAsync(ULONG, IWbemObjectSink*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumWbemClassObject**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Skip(long, ULONG) override { return E_NOTIMPL; }
};
#pragma GCC diagnostic pop
inline CHungWmi g_hungWmi;

inline HRESULT WINAPI CreateHungLocator(REFCLSID, LPUNKNOWN, DWORD, REFIID, void** object)
{
    return *object = static_cast<IWbemLocator*>(&g_hungWmi), S_OK;
}
