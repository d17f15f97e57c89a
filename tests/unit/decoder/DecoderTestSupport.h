#pragma once
// A real log view for the decoder tests: a hidden top-level parent with the view as its
// child in the program's view style (hidden, so appends stay fast under Wine), and the log
// read back as lines marked by their prefix.
#include "decoder/DeviceChange.h"
#include "log/OrvaneView.h"

#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <vector>

using Lines = std::vector<std::wstring>;

// A record of dbch_size bytes: the header, then body at offset 12 (cut or zero-padded).
inline std::vector<BYTE> MakeRecord(DWORD deviceType, const void* body, size_t bodyBytes, size_t size)
{
    std::vector<BYTE> record(size < 4 ? 4 : size);
    const DWORD header[3] = {static_cast<DWORD>(size), deviceType, 0};
    std::memcpy(record.data(), header, std::min(record.size(), sizeof(header)));
    if (size > 12 && body != nullptr)
        std::memcpy(record.data() + 12, body, std::min(bodyBytes, size - 12));
    return record;
}
// A record whose body is a string with its terminator; an interface path follows the
// 16-byte class GUID of its record.
inline std::vector<BYTE> StringRecord(DWORD deviceType, const std::wstring& text)
{
    const size_t skip = deviceType == DBT_DEVTYP_DEVICEINTERFACE ? sizeof(GUID) : 0;
    std::vector<BYTE> body(skip + (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(body.data() + skip, text.c_str(), body.size() - skip);
    return MakeRecord(deviceType, body.data(), body.size(), 12 + body.size());
}

class DecoderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_parent = ::CreateWindowExW(0, L"STATIC", nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                     nullptr, nullptr);
        ASSERT_NE(m_parent, nullptr);
        ASSERT_NE(m_view.Create(m_parent, CWindow::rcDefault, nullptr, 0x563001C4, WS_EX_CLIENTEDGE), nullptr);
        m_view.SetLimitText(0);
    }
    void TearDown() override { ::DestroyWindow(m_parent); }

    // Clears the log, decodes one event (which must answer TRUE) and returns its lines.
    Lines Decode(UINT code, DWORD_PTR data)
    {
        m_view.SetWindowText(L"");
        EXPECT_EQ(OnDeviceChange(m_view, code, data), TRUE);
        return ReadLines();
    }
    Lines Decode(UINT code, const void* record) { return Decode(code, reinterpret_cast<DWORD_PTR>(record)); }
    Lines Decode(UINT code, const std::vector<BYTE>& record) { return Decode(code, record.data()); }

    // Each line as "T|text" after a well-formed time stamp, "-|text" after 26 blanks, or
    // "?|line" otherwise; a last line without CR LF is marked "!|".
    Lines ReadLines() const
    {
        std::wstring text(static_cast<size_t>(m_view.GetWindowTextLength()) + 1, L'\0');
        text.resize(static_cast<size_t>(m_view.GetWindowText(text.data(), static_cast<int>(text.size()))));
        static const std::wregex stamp(LR"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d\.\d{3} - )");
        const std::wstring indent(COrvaneView::kPrefixLength, L' ');
        Lines lines;
        for (size_t start = 0; start < text.size();)
        {
            const size_t end = text.find(L"\r\n", start);
            const std::wstring line = text.substr(start, end == std::wstring::npos ? end : end - start);
            const std::wstring prefix = line.substr(0, COrvaneView::kPrefixLength);
            const std::wstring rest = line.size() < prefix.size() ? L"" : line.substr(prefix.size());
            std::wstring mark = std::regex_match(prefix, stamp) ? L"T|" : prefix == indent ? L"-|" : L"?|";
            lines.push_back((end == std::wstring::npos ? L"!|" : L"") + mark + (mark == L"?|" ? line : rest));
            start = end == std::wstring::npos ? text.size() : end + 2;
        }
        return lines;
    }

    HWND m_parent = nullptr;
    COrvaneView m_view;
};
