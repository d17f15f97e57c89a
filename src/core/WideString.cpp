#include "WideString.h"
#include "WideFormat.h"

#include <cwchar>
#include <cwctype>

HINSTANCE GetResourceInstance() noexcept
{
    return ::GetModuleHandleW(nullptr);
}

void CString::Format(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const wchar_t* format, va_list args)
{
    std::wstring text;
    ::AppendFormatV(text, format, args);
    m_text.swap(text);
}

void CString::AppendFormat(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

void CString::AppendFormatV(const wchar_t* format, va_list args)
{
    ::AppendFormatV(m_text, format, args);
}

void CString::AppendFormat(UINT formatId, ...)
{
    va_list args;
    va_start(args, formatId);
    AppendFormatV(formatId, args);
    va_end(args);
}

void CString::AppendFormatV(UINT formatId, va_list args)
{
    CString format;
    format.LoadString(formatId);
    ::AppendFormatV(m_text, format, args);
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
    // Code unit by code unit: a combining mark after a blank keeps the blank, although
    // CharNextW would take the two as one character.
    m_text.erase(m_text.find_last_not_of(set != nullptr ? set : L"") + 1);
    return *this;
}

void TrimTrailing(wchar_t* text, const wchar_t* set)
{
    if (text == nullptr || set == nullptr)
        return;
    // Whole characters, as the system steps through text, so a cut never splits one.
    wchar_t* runStart = nullptr;
    for (wchar_t* p = text; *p != L'\0'; p = ::CharNextW(p))
    {
        const bool blank = std::wcschr(set, *p) != nullptr;
        if (!blank)
            runStart = nullptr;
        else if (runStart == nullptr)
            runStart = p;
    }
    if (runStart != nullptr)
        *runStart = L'\0';
}

CString& CString::TrimRight()
{
    size_t end = m_text.size();
    while (end > 0 && std::iswspace(m_text[end - 1]))
        --end;
    m_text.erase(end);
    return *this;
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
