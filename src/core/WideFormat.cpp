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
bool AppendConversion(std::wstring& out, wchar_t conversion, FieldFormat field, va_list& args)
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
        if (p == nullptr || !AppendConversion(out, *p, field, args))
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
