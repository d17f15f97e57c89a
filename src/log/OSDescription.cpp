// The operating system's display name, asked of WMI's Win32_OperatingSystem class.
#include "OSDescription.h"

#include "ComPtr.h"
#include "UniqueHandle.h"

#include <wbemidl.h>

namespace
{
// A broken WMI service must not freeze the program: each object gets this long to arrive.
constexpr long kObjectWaitMilliseconds = 10000;

// One property value, cleared (and its string freed) when it goes out of scope.
class CPropertyValue
{
public:
    CPropertyValue() noexcept { ::VariantInit(&m_value); }
    CPropertyValue(const CPropertyValue&) = delete;
    CPropertyValue& operator=(const CPropertyValue&) = delete;
    ~CPropertyValue() { ::VariantClear(&m_value); }

    // Reads a property; false when it cannot be read or is not a string.
    bool ReadString(IWbemClassObject* object, LPCWSTR name) noexcept
    {
        ::VariantClear(&m_value);
        return SUCCEEDED(object->Get(name, 0, &m_value, nullptr, nullptr)) && m_value.vt == VT_BSTR;
    }
    [[nodiscard]] LPCWSTR StringOrNull() const noexcept { return m_value.vt == VT_BSTR ? m_value.bstrVal : nullptr; }

private:
    VARIANT m_value;
};

// Appends to a fixed buffer, dropping whatever does not fit; always terminated.
class CBoundedText
{
public:
    CBoundedText(LPWSTR buffer, size_t capacity) noexcept : m_buffer(buffer), m_capacity(capacity)
    {
        m_buffer[0] = L'\0';
    }
    void Append(LPCWSTR text) noexcept
    {
        for (; *text != L'\0' && m_length + 1 < m_capacity; ++text)
            m_buffer[m_length++] = *text;
        m_buffer[m_length] = L'\0';
    }
    [[nodiscard]] bool EndsInTextOtherThanSpace() const noexcept
    {
        return m_length > 0 && m_buffer[m_length - 1] != L' ';
    }

private:
    LPWSTR m_buffer;
    size_t m_capacity;
    size_t m_length = 0;
};

HRESULT ConnectToCimV2(CComPtr<IWbemServices>& services) noexcept
{
    CComPtr<IWbemLocator> locator;
    HRESULT hr = ::CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                    locator.PutVoid());
    if (FAILED(hr))
        return hr;
    unique_bstr cimV2(::SysAllocString(L"ROOT\\CIMV2"));
    if (!cimV2)
        return E_OUTOFMEMORY;
    // A WMI service that hangs must not hold up the window either: the system gives up on the
    // connection within two minutes.
    hr = locator->ConnectServer(cimV2.get(), nullptr, nullptr, nullptr, WBEM_FLAG_CONNECT_USE_MAX_WAIT, nullptr,
                                nullptr, &services);
    if (FAILED(hr))
        return hr;
    return ::CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr, RPC_C_AUTHN_LEVEL_CALL,
                               RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE);
}

HRESULT QueryOperatingSystems(IWbemServices* services, CComPtr<IEnumWbemClassObject>& objects) noexcept
{
    unique_bstr language(::SysAllocString(L"WQL"));
    unique_bstr query(::SysAllocString(L"SELECT * FROM Win32_OperatingSystem"));
    if (!language || !query)
        return E_OUTOFMEMORY;
    return services->ExecQuery(language.get(), query.get(), WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY,
                               nullptr, &objects);
}

} // namespace

HRESULT DescribeOperatingSystems(IEnumWbemClassObject* objects, LPWSTR buffer) noexcept
{
    for (;;)
    {
        CComPtr<IWbemClassObject> object;
        ULONG returned = 0;
        const HRESULT hr = objects->Next(kObjectWaitMilliseconds, 1, &object, &returned);
        if (hr == WBEM_S_TIMEDOUT)
            return HRESULT_FROM_WIN32(ERROR_TIMEOUT);
        if (FAILED(hr))
            return hr;
        if (returned == 0 || !object)
            return S_OK;

        CPropertyValue caption;
        if (!caption.ReadString(object.Get(), L"Caption"))
            return E_FAIL;
        CPropertyValue servicePack;
        servicePack.ReadString(object.Get(), L"CSDVersion");
        CPropertyValue architecture;
        architecture.ReadString(object.Get(), L"OSArchitecture");
        ComposeOSDescription(buffer, caption.StringOrNull(), servicePack.StringOrNull(),
                             architecture.StringOrNull());
    }
}

void ComposeOSDescription(LPWSTR buffer, LPCWSTR caption, LPCWSTR servicePack, LPCWSTR architecture)
{
    CBoundedText text(buffer, kOSDescriptionCapacity);
    if (caption != nullptr)
        text.Append(caption);
    if (servicePack != nullptr)
    {
        if (text.EndsInTextOtherThanSpace())
            text.Append(L" ");
        text.Append(servicePack);
    }
    if (architecture != nullptr)
    {
        text.Append(L" (");
        text.Append(architecture);
        text.Append(L")");
    }
}

HRESULT GetOSDescription(LPWSTR buffer)
{
    if (buffer == nullptr)
        return E_INVALIDARG;

    // The process's COM security can be set once; every later new log finds it already set.
    HRESULT hr = ::CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT,
                                        RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE, nullptr);
    if (FAILED(hr) && hr != RPC_E_TOO_LATE)
        return hr;

    CComPtr<IWbemServices> services;
    hr = ConnectToCimV2(services);
    if (FAILED(hr))
        return hr;
    CComPtr<IEnumWbemClassObject> objects;
    hr = QueryOperatingSystems(services.Get(), objects);
    if (FAILED(hr))
        return hr;
    return DescribeOperatingSystems(objects.Get(), buffer);
}
