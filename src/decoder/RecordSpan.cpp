#include "RecordSpan.h"

#include "WideString.h"

#include <dbt.h>

#include <algorithm>
#include <climits>

RecordSpan::RecordSpan(const void* record) noexcept : m_bytes(static_cast<const unsigned char*>(record)), m_size(0)
{
    if (m_bytes != nullptr)
        std::memcpy(&m_size, m_bytes + offsetof(DEV_BROADCAST_HDR, dbch_size), sizeof(m_size));
}

bool RecordSpan::HasHeader() const noexcept
{
    return m_bytes != nullptr && Holds(0, sizeof(DEV_BROADCAST_HDR));
}

bool RecordSpan::TryReadWideString(size_t offset, CString& text) const
{
    if (m_bytes == nullptr || !Holds(offset, sizeof(wchar_t)))
        return false;
    const size_t available = (m_size - offset) / sizeof(wchar_t);
    text.Empty();
    for (size_t i = 0; i < available; ++i)
    {
        wchar_t ch;
        std::memcpy(&ch, m_bytes + offset + i * sizeof(wchar_t), sizeof(ch));
        if (ch == L'\0')
            break;
        text.AppendChar(ch);
    }
    return true;
}

bool RecordSpan::TryReadNarrowString(size_t offset, CString& text) const
{
    if (m_bytes == nullptr || !Holds(offset, 1))
        return false;
    const char* start = reinterpret_cast<const char*>(m_bytes + offset);
    const size_t available = std::min<size_t>(m_size - offset, INT_MAX);
    const void* nul = std::memchr(start, '\0', available);
    const int length = static_cast<int>(nul != nullptr ? static_cast<const char*>(nul) - start : available);
    text.Empty();
    if (length == 0)
        return true;
    // A single-byte code page never yields more characters than bytes; a double-byte one
    // yields fewer.
    wchar_t* buffer = text.GetBuffer(length);
    const int converted = ::MultiByteToWideChar(CP_ACP, 0, start, length, buffer, length);
    text.ReleaseBuffer(converted > 0 ? converted : 0);
    return true;
}
