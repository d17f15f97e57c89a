#include "WideFormat.h"

#include <cstdint>
#include <cwchar>

namespace
{
struct FieldFormat
{
    bool zeroPad = false;
    unsigned width = 0;
    bool low16Bits = false; // h, on %u %x %X
};

// Right-aligns sign and body in the field's width: blanks before them, or zeros between them.
void AppendPadded(std::wstring& out, const FieldFormat& field, const wchar_t* sign, const wchar_t* body, size_t length)
{
    const size_t signLength = wcslen(sign);
    const size_t pad = signLength + length < field.width ? field.width - signLength - length : 0;
    if (field.zeroPad)
        out.append(sign, signLength).append(pad, L'0');
    else
        out.append(pad, L' ').append(sign, signLength);
    out.append(body, length);
}

void AppendDigits(std::wstring& out, const FieldFormat& field, const wchar_t* sign, uint64_t value, unsigned base,
                  bool upper, size_t minDigits = 1)
{
    const wchar_t* set = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    constexpr size_t kMaxDigits = 20; // of a 64-bit value in decimal
    wchar_t digits[kMaxDigits];
    size_t count = 0;
    do
    {
        digits[kMaxDigits - ++count] = set[value % base];
        value /= base;
    } while (value != 0 || count < minDigits);
    AppendPadded(out, field, sign, digits + kMaxDigits - count, count);
}

// The text out held when the call began. Appending overwrites its terminator and, as out grows,
// moves it, so an argument that points into it is read from out by its offset, no further than
// where it ended then. The memory such an argument points to may be gone: its address is only
// compared, as a number.
class COwnText
{
public:
    explicit COwnText(const std::wstring& out) noexcept
        : m_begin(reinterpret_cast<uintptr_t>(out.data())), m_length(out.size())
    {
    }

    [[nodiscard]] bool Holds(const wchar_t* text) const noexcept
    {
        const uintptr_t at = reinterpret_cast<uintptr_t>(text);
        return at >= m_begin && at <= m_begin + m_length * sizeof(wchar_t);
    }
    // The text that text pointed to in it: up to its first NUL from there, or its end.
    [[nodiscard]] std::wstring From(const std::wstring& out, const wchar_t* text) const
    {
        const size_t offset = (reinterpret_cast<uintptr_t>(text) - m_begin) / sizeof(wchar_t);
        return {out.data() + offset, wcsnlen(out.data() + offset, m_length - offset)};
    }

private:
    uintptr_t m_begin;
    size_t m_length;
};

// Reads the flag, width and length of one conversion at p (just after its '%') and returns
// where its conversion character stands, or null for a width above kMaxFieldWidth.
const wchar_t* ParseFieldFormat(const wchar_t* p, FieldFormat& field)
{
    for (; *p == L'0'; ++p)
        field.zeroPad = true;
    for (; *p >= L'0' && *p <= L'9'; ++p)
    {
        field.width = field.width * 10 + static_cast<unsigned>(*p - L'0');
        if (field.width > kMaxFieldWidth)
            return nullptr;
    }
    if (*p == L'h')
    {
        field.low16Bits = true;
        ++p;
    }
    else if (*p == L'l')
    {
        ++p;
    }
    return p;
}

// Appends one converted argument; false, with no argument read, for a conversion this
// formatter does not perform.
bool AppendConversion(std::wstring& out, const COwnText& own, wchar_t conversion, FieldFormat field, va_list& args)
{
    if (conversion == L'u' || conversion == L'x' || conversion == L'X')
    {
        const unsigned value = va_arg(args, unsigned);
        AppendDigits(out, field, L"", field.low16Bits ? value & 0xFFFFu : value, conversion == L'u' ? 10 : 16,
                     conversion == L'X');
        return true;
    }
    if (field.low16Bits)
        return false; // no format of the program has "%hd", and "%hs" or "%hc" would take narrow text
    if (conversion == L'd')
    {
        const int value = va_arg(args, int);
        const unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
        AppendDigits(out, field, value < 0 ? L"-" : L"", magnitude, 10, false);
        return true;
    }
    field.zeroPad = false; // the text conversions pad with blanks
    switch (conversion)
    {
    case L'p': // all 16 digits, as Windows' own printf family shows pointers
        AppendDigits(out, field, L"", reinterpret_cast<uintptr_t>(va_arg(args, void*)), 16, true, 16);
        return true;
    case L'c':
    {
        const wchar_t ch = static_cast<wchar_t>(va_arg(args, unsigned));
        AppendPadded(out, field, L"", &ch, 1);
        return true;
    }
    case L's':
    {
        const wchar_t* text = va_arg(args, const wchar_t*);
        if (text == nullptr)
            text = L"(null)";
        if (own.Holds(text))
        {
            const std::wstring copy = own.From(out, text);
            AppendPadded(out, field, L"", copy.data(), copy.size());
            return true;
        }
        AppendPadded(out, field, L"", text, wcslen(text));
        return true;
    }
    default:
        return false;
    }
}
} // namespace

bool AppendFormatV(std::wstring& out, const wchar_t* format, va_list argsIn)
{
    if (format == nullptr)
        return true;
    const COwnText own(out);
    if (own.Holds(format))
        return AppendFormatV(out, own.From(out, format).c_str(), argsIn);
    va_list args;
    va_copy(args, argsIn);

    bool complete = true;
    const wchar_t* p = format;
    while (*p != L'\0')
    {
        if (*p != L'%')
        {
            const wchar_t* run = p;
            while (*p != L'\0' && *p != L'%')
                ++p;
            out.append(run, static_cast<size_t>(p - run));
            continue;
        }
        const wchar_t* start = p++;
        if (*p == L'%')
        {
            out.push_back(L'%');
            ++p;
            continue;
        }
        FieldFormat field;
        p = ParseFieldFormat(p, field);
        if (p == nullptr || !AppendConversion(out, own, *p, field, args))
        {
            // Refused: whatever argument it stands for, the ones after it would be misread.
            out.append(start);
            complete = false;
            break;
        }
        ++p;
    }
    va_end(args);
    return complete;
}
