// The system's text for a failure code, as the program's message boxes show it.
#include "ErrorDescription.h"

#include "LastError.h"
#include "WideString.h"

#include <cwchar>

namespace
{
// Codes of the system-error facility (0x8007xxxx) carry a system error code in their low word.
bool IsSystemErrorCode(HRESULT hr) noexcept
{
    return (static_cast<DWORD>(hr) & 0x1FFF0000) == 0x00070000;
}

// Cuts the run of CR, LF, tab and space at the end of text; leading and inner ones stay.
void TrimTrailingWhitespace(LPWSTR text)
{
    text[TrimTrailingLength(text, std::wcslen(text), L"\r\n\t ")] = L'\0';
}
} // namespace

bool GetErrorDescription(HRESULT hr, LPWSTR buffer)
{
    if (buffer == nullptr)
    {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    const DWORD messageId = IsSystemErrorCode(hr) ? (static_cast<DWORD>(hr) & 0xFFFF) : static_cast<DWORD>(hr);
    if (::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, messageId,
                         LANG_USER_DEFAULT, buffer, kErrorDescriptionLength, nullptr) == 0)
        return false;
    return RunReportingOutOfMemory([&] {
        AppendErrorNumber(hr, buffer);
        return true;
    });
}

void AppendErrorNumber(HRESULT hr, LPWSTR buffer)
{
    TrimTrailingWhitespace(buffer);
    CString number;
    if (!IsSystemErrorCode(hr) && static_cast<DWORD>(hr) >= 0x10000)
        AppendHexErrorCode(number, hr);
    else
        number.Format(L" (%d)", static_cast<int>(hr & 0xFFFF));

    // The number always stays whole; a text too long to share the buffer with it loses its
    // end, never half of a surrogate pair, and the blanks the cut exposes.
    const size_t room = kErrorDescriptionLength - 1 - static_cast<size_t>(number.GetLength());
    size_t length = std::wcslen(buffer);
    if (length > room)
    {
        length = room;
        if (IS_HIGH_SURROGATE(buffer[length - 1]))
            --length;
        buffer[length] = L'\0';
        TrimTrailingWhitespace(buffer);
        length = std::wcslen(buffer);
    }
    std::wmemcpy(buffer + length, number.GetString(), static_cast<size_t>(number.GetLength()) + 1);
}

void AppendHexErrorCode(CString& text, HRESULT hr)
{
    text.AppendFormat(L" (0x%08X)", static_cast<unsigned>(hr));
}
