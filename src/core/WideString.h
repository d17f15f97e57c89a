#pragma once
// CString: the growable wide string used to build every line and message. It owns its
// buffer; running out of memory throws std::bad_alloc, the one exception the program's
// code lets travel, which is why every text is finished before any window is touched.
// GetAt also throws std::out_of_range for an index outside the text.
#include <windows.h>
#include <cstdarg>
#include <string>

class CString
{
public:
    CString() = default;
    CString(const wchar_t* text) : m_text(text ? text : L"") {}
    CString(const wchar_t* text, int length) : m_text(text, static_cast<size_t>(length)) {}

    [[nodiscard]] int GetLength() const noexcept { return static_cast<int>(m_text.size()); }
    [[nodiscard]] bool IsEmpty() const noexcept { return m_text.empty(); }
    [[nodiscard]] const wchar_t* GetString() const noexcept { return m_text.c_str(); }
    operator const wchar_t*() const noexcept { return m_text.c_str(); }
    [[nodiscard]] wchar_t GetAt(int index) const { return m_text.at(static_cast<size_t>(index)); }
    bool operator==(const CString& other) const noexcept { return m_text == other.m_text; }

    void Empty() noexcept { m_text.clear(); }
    void Preallocate(int length) { m_text.reserve(static_cast<size_t>(length)); }
    void Truncate(int length)
    {
        if (length >= 0 && static_cast<size_t>(length) < m_text.size())
            m_text.resize(static_cast<size_t>(length));
    }

    CString& Append(const wchar_t* text) { m_text.append(text ? text : L""); return *this; }
    CString& Append(const wchar_t* text, int length) { m_text.append(text, static_cast<size_t>(length)); return *this; }
    CString& AppendChar(wchar_t ch) { m_text.push_back(ch); return *this; }
    CString& operator+=(const wchar_t* text) { return Append(text); }
    CString& operator+=(const CString& text) { m_text.append(text.m_text); return *this; }
    CString& operator+=(wchar_t ch) { return AppendChar(ch); }

    // False when the format holds a conversion the formatter refuses (core/WideFormat.h): the
    // text then ends with the rest of the format as it stands. The format and the arguments may
    // be this string's own text, as it was when the call began.
    bool Format(const wchar_t* format, ...);
    bool AppendFormat(const wchar_t* format, ...);
    bool AppendFormatV(const wchar_t* format, va_list args);
    // The format is string resource formatId of the program; a missing string formats nothing.
    bool AppendFormat(UINT formatId, ...);
    bool AppendFormatV(UINT formatId, va_list args);

    // Replaces the text with string resource id of the program; false (and empty) if absent.
    bool LoadString(UINT id);

    // Removes the trailing code units found in set (TrimTrailingLength); TrimLeft, and TrimRight
    // without a set, take what iswspace calls white space.
    CString& TrimRight(const wchar_t* set = nullptr);
    CString& TrimLeft();
    CString& Trim() { return TrimRight().TrimLeft(); }

    // Direct buffer access for system calls: room for at least minLength characters plus
    // the terminator. ReleaseBuffer ends the text at newLength, or at the first NUL when -1.
    wchar_t* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

private:
    std::wstring m_text;
};

// The length of text's first length code units without the run at their end of code units
// found in set, or, for a null set, of those iswspace calls white space. Code units, not
// characters: a combining mark after a blank is not white space, and keeps the blank.
size_t TrimTrailingLength(const wchar_t* text, size_t length, const wchar_t* set) noexcept;

// Module whose resources the program's strings, menus and dialogs come from.
HINSTANCE GetResourceInstance() noexcept;
