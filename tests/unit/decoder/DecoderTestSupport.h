#pragma once
// A real log view for the decoder tests: a hidden top-level parent with the view as its
// child in the program's view style (hidden, so appends stay fast under Wine).
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
    std::vector<BYTE> record(std::max<size_t>(size, 16));
    const DWORD header[3] = {static_cast<DWORD>(size), deviceType, 0};
    std::memcpy(record.data(), header, sizeof(header));
    std::memcpy(record.data() + 12, body, std::min(bodyBytes, record.size() - 12));
    return record;
}
// A terminated string record; an interface path follows the record's 16-byte class GUID.
inline std::vector<BYTE> StringRecord(DWORD deviceType, const std::wstring& text)
{
    const size_t skip = deviceType == DBT_DEVTYP_DEVICEINTERFACE ? sizeof(GUID) : 0;
    std::vector<BYTE> body(skip + (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(body.data() + skip, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    return MakeRecord(deviceType, body.data(), body.size(), 12 + body.size());
}

class DecoderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_parent = ::CreateWindowExW(0, L"STATIC", nullptr, WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                     nullptr, nullptr);
        ASSERT_NE(m_view.Create(m_parent, CWindow::rcDefault, nullptr, 0x563001C4, WS_EX_CLIENTEDGE), nullptr);
    }
    void TearDown() override { ::DestroyWindow(m_parent); }

    std::wstring Text() const
    {
        std::wstring text(static_cast<size_t>(m_view.GetWindowTextLength()) + 1, L'\0');
        text.resize(static_cast<size_t>(m_view.GetWindowText(text.data(), static_cast<int>(text.size()))));
        return text;
    }
    // Decodes one event, which must answer TRUE, into an empty log and returns its lines:
    // "T|text" after a time stamp, "-|text" after 26 blanks, "?|rest" for anything else.
    Lines Decode(UINT code, DWORD_PTR data)
    {
        m_view.SetWindowText(L"");
        EXPECT_EQ(OnDeviceChange(m_view, code, data), TRUE);
        static const std::wregex line(LR"((\d{4}/\d\d/\d\d \d\d:\d\d:\d\d\.\d{3} - | {26})([^\r\n]*)\r\n)");
        const std::wstring text = Text();
        Lines lines;
        std::wsmatch match;
        auto next = text.cbegin();
        for (; std::regex_search(next, text.cend(), match, line, std::regex_constants::match_continuous);
             next = match[0].second)
            lines.push_back((match.str(1)[0] == L' ' ? L"-|" : L"T|") + match.str(2));
        if (next != text.cend())
            lines.push_back(L"?|" + std::wstring(next, text.cend()));
        return lines;
    }
    Lines Decode(UINT code, const void* record) { return Decode(code, reinterpret_cast<DWORD_PTR>(record)); }
    Lines Decode(UINT code, const std::vector<BYTE>& record) { return Decode(code, record.data()); }

    HWND m_parent = nullptr;
    COrvaneView m_view;
};
