#include "WideString.h"
#include "WideFormat.h"

#include <cwchar>
#include <cwctype>

HINSTANCE GetResourceInstance() noexcept
{
    return ::GetModuleHandleW(nullptr);
}

bool CString::Format(const wchar_t* format, ...)
{
    // Built aside, so that an argument may be this string's own text.
    std::wstring text;
    va_list args;
    va_start(args, format);
    const bool complete = ::AppendFormatV(text, format, args);
    va_end(args);
    m_text.swap(text);
    return complete;
}

bool CString::AppendFormat(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    const bool complete = AppendFormatV(format, args);
    va_end(args);
    return complete;
}

bool CString::AppendFormatV(const wchar_t* format, va_list args)
{
    return ::AppendFormatV(m_text, format, args);
}

bool CString::AppendFormat(UINT formatId, ...)
{
    va_list args;
    va_start(args, formatId);
    const bool complete = AppendFormatV(formatId, args);
    va_end(args);
    return complete;
}

bool CString::AppendFormatV(UINT formatId, va_list args)
{
    CString format;
    format.LoadString(formatId);
    return ::AppendFormatV(m_text, format, args);
}

bool CString::LoadString(UINT id)
{
    // With a zero buffer size LoadStringW hands back a pointer into the loaded resource.
    const wchar_t* resource = nullptr;
    const int length = ::LoadStringW(GetResourceInstance(), id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || resource == nullptr)
    {
        m_text.clear();
        return false;
    }
    m_text.assign(resource, static_cast<size_t>(length));
    return true;
}

CString& CString::TrimRight(const wchar_t* set)
{
    m_text.erase(TrimTrailingLength(m_text.data(), m_text.size(), set));
    return *this;
}

namespace
{
bool IsTrimmed(wchar_t unit, const wchar_t* set) noexcept
{
    if (set == nullptr)
        return std::iswspace(unit) != 0;
    return unit != L'\0' && std::wcschr(set, unit) != nullptr; // wcschr also finds set's terminator
}
} // namespace

size_t TrimTrailingLength(const wchar_t* text, size_t length, const wchar_t* set) noexcept
{
    while (length > 0 && IsTrimmed(text[length - 1], set))
        --length;
    return length;
}

CString& CString::TrimLeft()
{
    size_t begin = 0;
    while (begin < m_text.size() && std::iswspace(m_text[begin]))
        ++begin;
    m_text.erase(0, begin);
    return *this;
}

wchar_t* CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_text.resize(static_cast<size_t>(minLength));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
    {
        const size_t nul = m_text.find(L'\0');
        if (nul != std::wstring::npos)
            m_text.resize(nul);
    }
    else if (static_cast<size_t>(newLength) <= m_text.size())
    {
        m_text.resize(static_cast<size_t>(newLength));
    }
}
