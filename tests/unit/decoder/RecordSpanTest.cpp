// Records read only as far as their own dbch_size: random records that end where readable memory
// ends, null records, strings that the size cuts.
#include "DecoderTestSupport.h"

#include <cstring>
#include <random>
#include <regex>

// Whatever their type, size and content, decoding reads nothing beyond dbch_size (a read there
// ends the program with the system's report of the fault), and a detail line is indented.
TEST(Decoder, RecordBoundsRandomRecordsAtThePageEnd)
{
    SYSTEM_INFO system{};
    ::GetSystemInfo(&system);
    const size_t page = system.dwPageSize;
    BYTE* pages = static_cast<BYTE*>(::VirtualAlloc(nullptr, 2 * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD old = 0;
    ASSERT_TRUE(pages && ::VirtualProtect(pages + page, page, PAGE_NOACCESS, &old));

    const UINT events[] = {0x8000, 0x8001, 0x8002, 0x8003, 0x8004, 0x8005, 0x8006,
                           0x8041, 0x8042, 0x8043, 0x8044, 0x8045, 0x8046, 0xFFFF};
    const std::wregex eventLine(LR"(2026/01/02 03:04:05\.006 - DBT_[A-Z_]+\r\n)");
    std::mt19937 random(20261205);
    for (int i = 0; i < 100000; ++i)
    {
        const UINT code = events[random() % std::size(events)];
        const DWORD type = random() % 4 == 0 ? static_cast<DWORD>(random()) : static_cast<DWORD>(random() % 8);
        const DWORD size = random() % 8 == 0 ? static_cast<DWORD>(random() % 12) : 12 + random() % 48;
        const size_t readable = std::max<size_t>(size, 4); // dbch_size itself is always readable
        BYTE* record = pages + page - readable;
        for (size_t b = 0; b < readable; ++b)
            record[b] = random() % 3 == 0 ? 0 : static_cast<BYTE>(random());
        std::memcpy(record, &size, 4);
        if (readable >= 8)
            std::memcpy(record + 4, &type, 4);

        CLogEntry entry(&FixedClock);
        ASSERT_EQ(OnDeviceChange(entry, code, reinterpret_cast<DWORD_PTR>(record)), TRUE);
        const std::wstring text = entry.GetText().GetString();
        const size_t detailStart = text.find(L"\r\n") + 2;
        ASSERT_TRUE(std::regex_match(text.substr(0, detailStart), eventLine)) << i;
        const std::wstring detail = text.substr(detailStart);
        ASSERT_TRUE(detail.empty() || detail.starts_with(std::wstring(CLogEntry::kPrefixLength, L' ')))
            << "event " << code << " type " << type << " size " << size;
    }
    ::VirtualFree(pages, 0, MEM_RELEASE);
}

// A null record gives the event line only.
TEST(Decoder, RecordBoundsNullRecords)
{
    for (UINT code : {DBT_DEVICEQUERYREMOVE, DBT_VOLLOCKLOCKTAKEN, DBT_USERDEFINED})
        EXPECT_EQ(Decode(code, DWORD_PTR{0}).size(), 1u) << code;
}

// A string that dbch_size cuts ends with the record.
TEST(Decoder, RecordBoundsUnterminatedStrings)
{
    EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, CutTo(12 + 2, PortRecord(L"LPT1XYZ"))), (Lines{L"T|DBT_DEVICEARRIVAL", L"-|  Port=L"}));
    EXPECT_EQ(Decode(DBT_USERDEFINED, CutTo(12 + 2, UserDefinedRecord("MY_MESSAGE")))[1], L"-|  Message=MY");
    EXPECT_EQ(Decode(DBT_DEVICEARRIVAL, CutTo(12 + 16 + 10, DeviceInterfaceRecord(GUID{}, L"\\\\?\\abc")))[1],
              L"-|  Device path: \\\\?\\a");
}
