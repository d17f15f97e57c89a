// Records that end exactly where readable memory ends: whatever their type, size and
// content, decoding them reads nothing beyond dbch_size and every line has an allowed shape.
#include "DecoderTestSupport.h"

#include <cstdio>
#include <random>

namespace
{
// The last readable bytes before a page that faults on any access.
class GuardedPage
{
public:
    GuardedPage()
    {
        SYSTEM_INFO info{};
        ::GetSystemInfo(&info);
        m_pageSize = info.dwPageSize;
        m_base = static_cast<BYTE*>(::VirtualAlloc(nullptr, 2 * m_pageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        DWORD old = 0;
        EXPECT_TRUE(m_base && ::VirtualProtect(m_base + m_pageSize, m_pageSize, PAGE_NOACCESS, &old));
    }
    ~GuardedPage() { ::VirtualFree(m_base, 0, MEM_RELEASE); }
    BYTE* Tail(size_t bytes) const { return m_base + m_pageSize - bytes; }

private:
    BYTE* m_base = nullptr;
    DWORD m_pageSize = 0;
};

// A read beyond a record must fail the run at once rather than wait on the system's crash
// handling (under Wine, the debugger it starts).
LONG WINAPI EndOnAccessViolation(EXCEPTION_POINTERS* info)
{
    std::fprintf(stderr, "exception %08lX at %p\n", info->ExceptionRecord->ExceptionCode,
                 info->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

const UINT kRecordEvents[] = {0x8000, 0x8001, 0x8002, 0x8003, 0x8004, 0x8005, 0x8006,
                              0x8041, 0x8042, 0x8043, 0x8044, 0x8045, 0x8046, 0xFFFF};

// The detail line an event may give for a record of this type, and the size it needs.
struct DetailShape
{
    size_t minimumSize;
    const wchar_t* pattern;
};

DetailShape AllowedDetail(UINT code, DWORD type)
{
    if (code == DBT_USERDEFINED)
        return {13, LR"(  Message=[^\0]*)"};
    if (code >= DBT_VOLLOCKQUERYLOCK)
        return {20, LR"( Drive=[^\0]? Owner=0x[0-9a-f]{8} \((Allow|Fail) writes,(Fail|Allow) memory mappings,)"
                    LR"((Level 0 lock|Allow) format,(Physical|Logical) lock\))"};
    switch (type)
    {
    case DBT_DEVTYP_OEM: return {20, LR"(  Device ID=-?\d+, Function value=-?\d+)"};
    case DBT_DEVTYP_DEVNODE: return {16, LR"(  Node=-?\d+)"};
    case DBT_DEVTYP_VOLUME:
        return {18, LR"(  Unit\(s\):( [A-Z]:)*, changes affect (media|physical device)/(network|local) volume\.)"};
    case DBT_DEVTYP_PORT: return {14, LR"(  Port=[^\0]*)"};
    case DBT_DEVTYP_DEVICEINTERFACE: return {30, LR"(  Device path: [^\0]*)"};
    case DBT_DEVTYP_HANDLE: return {32, LR"(  Handle=[0-9A-F]{8} \(hDevNotify=[0-9A-F]{16}\))"};
    default: return {SIZE_MAX, L""};
    }
}
} // namespace

TEST_F(DecoderTest, RecordBoundsRandomRecordsAtThePageEnd)
{
    GuardedPage page;
    const LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = ::SetUnhandledExceptionFilter(EndOnAccessViolation);
    std::mt19937 random(20261205);
    const std::wregex stamp(LR"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d\.\d{3} - DBT_[A-Z_]+\r\n)");
    const std::wstring indent(COrvaneView::kPrefixLength, L' ');
    for (int i = 0; i < 4000; ++i)
    {
        const UINT code = kRecordEvents[random() % std::size(kRecordEvents)];
        const DWORD type = random() % 4 == 0 ? static_cast<DWORD>(random()) : static_cast<DWORD>(random() % 8);
        const DWORD size = random() % 8 == 0 ? static_cast<DWORD>(random() % 12) : 12 + random() % 48;
        const size_t bytes = std::max<size_t>(size, 4);
        BYTE* record = page.Tail(bytes);
        for (size_t b = 0; b < bytes; ++b)
            record[b] = random() % 3 == 0 ? 0 : static_cast<BYTE>(random());
        std::memcpy(record, &size, 4);
        if (bytes >= 8)
            std::memcpy(record + 4, &type, 4);

        m_view.SetWindowText(L"");
        ASSERT_EQ(OnDeviceChange(m_view, code, reinterpret_cast<DWORD_PTR>(record)), TRUE);
        std::wstring text(static_cast<size_t>(m_view.GetWindowTextLength()) + 1, L'\0');
        text.resize(static_cast<size_t>(m_view.GetWindowText(text.data(), static_cast<int>(text.size()))));

        const size_t eventEnd = text.find(L"\r\n") + 2;
        ASSERT_TRUE(std::regex_match(text.substr(0, eventEnd), stamp)) << i;
        const DetailShape detail = AllowedDetail(code, bytes >= 8 ? type : DWORD{0xFFFFFFFF});
        const std::wstring rest = text.substr(eventEnd);
        if (size < detail.minimumSize)
        {
            EXPECT_EQ(rest, L"") << "event " << code << " type " << type << " size " << size;
            continue;
        }
        // A device path may be followed by the lines of a device that happens to match.
        const std::wregex line(indent + detail.pattern + LR"(\r\n([ ]{26}    [^\0]*\r\n)*)");
        EXPECT_TRUE(std::regex_match(rest, line)) << "event " << code << " type " << type << " size " << size;
    }
    ::SetUnhandledExceptionFilter(previousFilter);
}
