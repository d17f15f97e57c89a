#include "DeviceEnumerator.h"

#include "WideString.h"

#include <cstddef>
#include <cwchar>

namespace
{
// Room for the braced span of a path; a GUID in registry form needs 39 characters.
constexpr size_t kBracedSpanCapacity = 256;

wchar_t ToLowerAscii(wchar_t ch) noexcept
{
    return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
}

// Equal when the letters A to Z match a to z and every other character is the same. The
// detail's path is read no further than its block (capacity characters).
bool PathsEqual(const wchar_t* detailPath, size_t capacity, const wchar_t* path) noexcept
{
    for (size_t i = 0; i < capacity; ++i)
    {
        if (ToLowerAscii(detailPath[i]) != ToLowerAscii(path[i]))
            return false;
        if (path[i] == L'\0')
            return true;
    }
    return false;
}
} // namespace

CDeviceEnumerator::CDeviceEnumerator() noexcept : m_devInfoData{}, m_interfaceData{}
{
    m_devInfoData.cbSize = sizeof(m_devInfoData);
    m_interfaceData.cbSize = sizeof(m_interfaceData);
}

CDeviceEnumerator::~CDeviceEnumerator()
{
    // Both owners keep the thread's last error across their close.
    m_hDevInfo.reset();
    m_pDetailData.reset();
}

bool CDeviceEnumerator::GetInterfaceClassGuid(const wchar_t* path, GUID* guid)
{
    if (guid == nullptr)
    {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (path == nullptr)
        return false;
    const wchar_t* open = std::wcschr(path, L'{');
    if (open == nullptr)
        return false;
    const wchar_t* close = std::wcschr(open, L'}');
    if (close == nullptr)
        return false;
    const size_t length = static_cast<size_t>(close - open) + 1;
    if (length >= kBracedSpanCapacity)
        return false;

    wchar_t span[kBracedSpanCapacity];
    std::wmemcpy(span, open, length);
    span[length] = L'\0';
    GUID parsed;
    if (FAILED(::IIDFromString(span, &parsed)))
        return false;
    *guid = parsed;
    return true;
}

bool CDeviceEnumerator::OpenInterfaceClass(const wchar_t* path)
{
    GUID interfaceClass;
    if (!GetInterfaceClassGuid(path, &interfaceClass))
    {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (IsOpen())
    {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    // Without DIGCF_PRESENT, so that a device whose removal is being reported is still found.
    m_hDevInfo.reset(::SetupDiGetClassDevsW(&interfaceClass, nullptr, nullptr, DIGCF_DEVICEINTERFACE));
    if (!IsOpen())
        return false;
    m_interfaceClassGuid = interfaceClass;
    return true;
}

bool CDeviceEnumerator::FindInterface(const wchar_t* path)
{
    m_deviceIndex = 0;
    if (!IsOpen())
    {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    for (;; ++m_deviceIndex)
    {
        if (!::SetupDiEnumDeviceInfo(m_hDevInfo.get(), m_deviceIndex, &m_devInfoData))
            return false;
        m_memberIndex = 0;
        if (::IsEqualGUID(m_interfaceClassGuid, GUID_NULL))
        {
            ::SetLastError(ERROR_INVALID_PARAMETER);
            continue;
        }
        for (;; ++m_memberIndex)
        {
            if (!::SetupDiEnumDeviceInterfaces(m_hDevInfo.get(), &m_devInfoData, &m_interfaceClassGuid, m_memberIndex,
                                               &m_interfaceData))
            {
                break;
            }
            if (InterfacePathMatches(path))
                return true;
        }
    }
}

bool CDeviceEnumerator::ResizeDetailBlock(DWORD size) noexcept
{
    HANDLE heap = ::GetProcessHeap();
    void* block = m_pDetailData ? ::HeapReAlloc(heap, 0, m_pDetailData.get(), size) : ::HeapAlloc(heap, 0, size);
    if (block == nullptr)
    {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    // HeapReAlloc has already given up the old block when it moved it.
    (void)m_pDetailData.release();
    m_pDetailData.reset(block);
    return true;
}

bool CDeviceEnumerator::InterfacePathMatches(const wchar_t* path)
{
    if (!IsOpen() || path == nullptr)
    {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    DWORD size = 0;
    if (!::SetupDiGetDeviceInterfaceDetailW(m_hDevInfo.get(), &m_interfaceData, nullptr, 0, &size, nullptr) &&
        ::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
    {
        return false;
    }
    constexpr DWORD kPathOffset = offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_W, DevicePath);
    if (size < kPathOffset + sizeof(wchar_t))
    {
        ::SetLastError(ERROR_INVALID_DATA);
        return false;
    }
    if (!ResizeDetailBlock(size))
        return false;

    auto* detail = static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(m_pDetailData.get());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!::SetupDiGetDeviceInterfaceDetailW(m_hDevInfo.get(), &m_interfaceData, detail, size, nullptr, nullptr))
        return false;
    return PathsEqual(detail->DevicePath, (size - kPathOffset) / sizeof(wchar_t), path);
}

bool CDeviceEnumerator::GetStringProperty(DWORD property, CString& value)
{
    if (!IsOpen())
    {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (!::SetupDiGetDeviceRegistryPropertyW(m_hDevInfo.get(), &m_devInfoData, property, &type, nullptr, 0, &size) &&
        ::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
    {
        return false;
    }
    if (type != REG_SZ)
    {
        ::SetLastError(ERROR_INVALID_DATA);
        return false;
    }

    // Emptied first, so that the buffer holds nothing of an earlier value: an unterminated
    // value then ends at the buffer's end.
    const int length = static_cast<int>((size + 1) / sizeof(wchar_t));
    value.Empty();
    wchar_t* buffer = value.GetBuffer(length);
    const BOOL fetched = ::SetupDiGetDeviceRegistryPropertyW(m_hDevInfo.get(), &m_devInfoData, property, nullptr,
                                                             reinterpret_cast<BYTE*>(buffer),
                                                             static_cast<DWORD>(length * sizeof(wchar_t)), nullptr);
    const DWORD error = ::GetLastError();
    value.ReleaseBuffer(fetched ? -1 : 0);
    if (!fetched)
    {
        ::SetLastError(error);
        return false;
    }
    value.TrimRight(L"\r\n\t ");
    return true;
}
