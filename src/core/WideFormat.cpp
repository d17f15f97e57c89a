#include "WideFormat.h"

#include <windows.h>
#include <cstdint>

namespace
{
struct FieldFormat
{
    bool leftAlign = false;
    bool zeroPad = false;
    bool plusSign = false;
    bool spaceSign = false;
    bool alternate = false;
    int width = 0;
    int precision = -1;
    int lengthBits = 32; // 8, 16, 32 or 64
    bool narrow = false; // h on %s / %c
};

void Pad(std::wstring& out, size_t count, wchar_t ch)
{
    out.append(count, ch);
}

// Writes body (already without sign) with sign/prefix, honouring width, '-' and '0'.
void EmitNumber(std::wstring& out, const FieldFormat& field, const wchar_t* sign, const wchar_t* prefix,
                const std::wstring& digits)
{
    std::wstring body = digits;
    if (field.precision >= 0 && body.size() < static_cast<size_t>(field.precision))
        body.insert(0, static_cast<size_t>(field.precision) - body.size(), L'0');
    const size_t head = wcslen(sign) + wcslen(prefix);
    const size_t total = head + body.size();
    const size_t width = field.width > 0 ? static_cast<size_t>(field.width) : 0;
    if (total >= width)
    {
        out.append(sign).append(prefix).append(body);
    }
    else if (field.leftAlign)
    {
        out.append(sign).append(prefix).append(body);
        Pad(out, width - total, L' ');
    }
    else if (field.zeroPad && field.precision < 0)
    {
        out.append(sign).append(prefix);
        Pad(out, width - total, L'0');
        out.append(body);
    }
    else
    {
        Pad(out, width - total, L' ');
        out.append(sign).append(prefix).append(body);
    }
}

void EmitText(std::wstring& out, const FieldFormat& field, const wchar_t* text, size_t length)
{
    if (field.precision >= 0 && length > static_cast<size_t>(field.precision))
        length = static_cast<size_t>(field.precision);
    const size_t width = field.width > 0 ? static_cast<size_t>(field.width) : 0;
    if (!field.leftAlign && length < width)
        Pad(out, width - length, L' ');
    out.append(text, length);
    if (field.leftAlign && length < width)
        Pad(out, width - length, L' ');
}

std::wstring ToDigits(uint64_t value, unsigned base, bool upper)
{
    const wchar_t* set = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    wchar_t buffer[65];
    size_t pos = sizeof(buffer) / sizeof(buffer[0]);
    do
    {
        buffer[--pos] = set[value % base];
        value /= base;
    } while (value != 0);
    return std::wstring(buffer + pos, buffer + sizeof(buffer) / sizeof(buffer[0]));
}

uint64_t TakeUnsigned(va_list& args, int bits)
{
    switch (bits)
    {
    case 8: return static_cast<uint8_t>(va_arg(args, unsigned int));
    case 16: return static_cast<uint16_t>(va_arg(args, unsigned int));
    case 64: return va_arg(args, unsigned long long);
    default: return va_arg(args, unsigned int);
    }
}

int64_t TakeSigned(va_list& args, int bits)
{
    switch (bits)
    {
    case 8: return static_cast<int8_t>(va_arg(args, int));
    case 16: return static_cast<int16_t>(va_arg(args, int));
    case 64: return va_arg(args, long long);
    default: return va_arg(args, int);
    }
}

void AppendNarrow(std::wstring& out, const FieldFormat& field, const char* text)
{
    const int length = static_cast<int>(strlen(text));
    std::wstring wide;
    if (length > 0)
    {
        const int needed = ::MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
        if (needed > 0)
        {
            wide.resize(static_cast<size_t>(needed));
            ::MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), needed);
        }
    }
    EmitText(out, field, wide.c_str(), wide.size());
}

// Reads the flags, width, precision and length of one conversion at p (just after its '%');
// '*' takes the value from args. Returns where the conversion character stands.
const wchar_t* ParseFieldFormat(const wchar_t* p, FieldFormat& field, va_list& args)
{
    for (;; ++p)
    {
        if (*p == L'-') field.leftAlign = true;
        else if (*p == L'0') field.zeroPad = true;
        else if (*p == L'+') field.plusSign = true;
        else if (*p == L' ') field.spaceSign = true;
        else if (*p == L'#') field.alternate = true;
        else break;
    }
    if (*p == L'*')
    {
        field.width = va_arg(args, int);
        if (field.width < 0)
        {
            field.leftAlign = true;
            field.width = -field.width;
        }
        ++p;
    }
    else
    {
        while (*p >= L'0' && *p <= L'9')
            field.width = field.width * 10 + (*p++ - L'0');
    }
    if (*p == L'.')
    {
        ++p;
        field.precision = 0;
        if (*p == L'*')
        {
            field.precision = va_arg(args, int);
            ++p;
        }
        else
        {
            while (*p >= L'0' && *p <= L'9')
                field.precision = field.precision * 10 + (*p++ - L'0');
        }
    }
    if (*p == L'h')
    {
        ++p;
        field.narrow = true;
        field.lengthBits = 16;
        if (*p == L'h')
        {
            ++p;
            field.lengthBits = 8;
        }
    }
    else if (*p == L'l')
    {
        ++p;
        if (*p == L'l')
        {
            ++p;
            field.lengthBits = 64;
        }
    }
    else if (*p == L'I' && p[1] == L'6' && p[2] == L'4')
    {
        p += 3;
        field.lengthBits = 64;
    }
    else if (*p == L'I' && p[1] == L'3' && p[2] == L'2')
    {
        p += 3;
    }
    else if (*p == L'z' || *p == L'I')
    {
        ++p;
        field.lengthBits = 64;
    }
    return p;
}

// Appends one converted argument; false for a conversion this formatter does not know.
bool AppendConversion(std::wstring& out, wchar_t conversion, const FieldFormat& field, va_list& args)
{
    switch (conversion)
    {
    case L'd':
    case L'i':
    {
        const int64_t value = TakeSigned(args, field.lengthBits);
        const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
        const wchar_t* sign = value < 0 ? L"-" : field.plusSign ? L"+" : field.spaceSign ? L" " : L"";
        EmitNumber(out, field, sign, L"", ToDigits(magnitude, 10, false));
        return true;
    }
    case L'u':
        EmitNumber(out, field, L"", L"", ToDigits(TakeUnsigned(args, field.lengthBits), 10, false));
        return true;
    case L'o':
        EmitNumber(out, field, L"", L"", ToDigits(TakeUnsigned(args, field.lengthBits), 8, false));
        return true;
    case L'x':
    case L'X':
    {
        const uint64_t value = TakeUnsigned(args, field.lengthBits);
        const bool upper = conversion == L'X';
        const wchar_t* prefix = (field.alternate && value != 0) ? (upper ? L"0X" : L"0x") : L"";
        EmitNumber(out, field, L"", prefix, ToDigits(value, 16, upper));
        return true;
    }
    case L'p':
    {
        // Pointers always show all 16 digits, as Windows' own printf family does.
        std::wstring digits = ToDigits(reinterpret_cast<uintptr_t>(va_arg(args, void*)), 16, true);
        digits.insert(0, 16 - digits.size(), L'0');
        FieldFormat plain = field;
        plain.zeroPad = false;
        plain.precision = -1;
        EmitNumber(out, plain, L"", L"", digits);
        return true;
    }
    case L'c':
    case L'C':
    {
        const bool narrow = field.narrow || conversion == L'C';
        const unsigned int code = va_arg(args, unsigned int);
        wchar_t ch = static_cast<wchar_t>(code);
        if (narrow)
        {
            const char narrowChar = static_cast<char>(code);
            if (::MultiByteToWideChar(CP_ACP, 0, &narrowChar, 1, &ch, 1) != 1)
                ch = L'?';
        }
        FieldFormat text = field;
        text.precision = -1;
        EmitText(out, text, &ch, 1);
        return true;
    }
    case L's':
    case L'S':
    {
        if (field.narrow || conversion == L'S')
        {
            const char* text = va_arg(args, const char*);
            AppendNarrow(out, field, text ? text : "(null)");
        }
        else
        {
            const wchar_t* text = va_arg(args, const wchar_t*);
            if (text == nullptr)
                text = L"(null)";
            EmitText(out, field, text, wcslen(text));
        }
        return true;
    }
    default:
        return false;
    }
}
} // namespace

void AppendFormatV(std::wstring& out, const wchar_t* format, va_list argsIn)
{
    if (format == nullptr)
        return;
    va_list args;
    va_copy(args, argsIn);

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
        p = ParseFieldFormat(p, field, args);
        const wchar_t conversion = *p;
        if (conversion == L'\0')
        {
            out.append(start); // a format cut short is copied as it stands
            break;
        }
        ++p;
        if (!AppendConversion(out, conversion, field, args))
            out.append(start, static_cast<size_t>(p - start)); // unknown conversions too
    }
    va_end(args);
}
