#pragma once
// A broadcast record seen through its own dbch_size. A record sent by another process is
// copied only that far, so nothing beyond it may be read: every field read here is checked
// against the size first, and strings end at the record's end when they have no terminator.
// The record may sit at any address, so fields are copied out rather than dereferenced.
#include <windows.h>

#include <cstddef>
#include <cstring>

class CString;

class RecordSpan
{
public:
    // dbch_size is read from a non-null record; a null record spans nothing.
    explicit RecordSpan(const void* record) noexcept;

    // True when the 12-byte header lies inside the record.
    [[nodiscard]] bool HasHeader() const noexcept;

    // Copies the field of type T at offset; false (value untouched) if it does not fit.
    template <typename T> bool TryRead(size_t offset, T& value) const noexcept
    {
        if (!Holds(offset, sizeof(T)))
            return false;
        std::memcpy(&value, m_bytes + offset, sizeof(T));
        return true;
    }

    // Reads the wide string that starts at offset, up to its NUL or the record's end.
    // False when not even one whole character lies inside the record.
    bool TryReadWideString(size_t offset, CString& text) const;
    // The same for a narrow string, widened with the ANSI code page.
    bool TryReadNarrowString(size_t offset, CString& text) const;

private:
    [[nodiscard]] bool Holds(size_t offset, size_t width) const noexcept
    {
        return offset <= m_size && width <= m_size - offset;
    }

    const unsigned char* m_bytes;
    DWORD m_size;
};
