// Saving: File > Save of a log of more than 2,000 lines, against one raw write of the same
// bytes to a file in the same folder. The log is filled while the frame is minimized, which
// spares the drawing that the burst measures.
#include "BenchDevices.h"
#include "Benchmarks.h"
#include "LogEvents.h"
#include "LogFill.h"
#include "MeasuredPrograms.h"
#include "Records.h"
#include "SaveDialogDriver.h"
#include "Stats.h"
#include "Stopwatch.h"
#include "resource.h"
// The program's own atomic write, timed here with the log's bytes: from outside, File > Save's
// time cannot be split into the write and the rest (the round trip, the copy out of the view).
#include "WriteFileAtomically.h"

#include <string>

namespace
{
constexpr size_t kMinimumLines = 2000;

// The benchmark's files go into the temporary folder and are deleted at the end.
std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

// One complete write of a file: create, write everything at once, (flush,) close.
bool WriteRaw(const std::wstring& path, const std::wstring& text, bool flush)
{
    unique_hfile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    DWORD written = 0;
    const auto bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    return file && ::WriteFile(file.get(), text.data(), bytes, &written, nullptr) && written == bytes &&
           (!flush || ::FlushFileBuffers(file.get()));
}

bool FileHoldsText(const std::wstring& path, const std::wstring& text)
{
    unique_hfile file(
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || static_cast<ULONGLONG>(size.QuadPart) != text.size() * sizeof(wchar_t))
        return false;
    std::wstring content(text.size(), L'\0');
    DWORD read = 0;
    return ::ReadFile(file.get(), content.data(), static_cast<DWORD>(size.QuadPart), &read, nullptr) &&
           read == size.QuadPart && content == text;
}
} // namespace

HRESULT MeasureSave(const BenchConfig& config, const CBenchDevices& devices, SaveResult& result)
{
    result = {};
    OrvaneProcess orvane;
    HRESULT hr = StartOrvane(orvane, config.orvaneExe, SW_SHOWMINNOACTIVE);
    if (FAILED(hr))
        return BenchFailure("start Orvane", hr);
    std::wstring text;
    hr = FillLogTo(orvane, devices, kMinimumLines, text);
    if (FAILED(hr))
        return hr;
    result.lines = CountLines(text);
    result.bytes = text.size() * sizeof(wchar_t);

    const std::wstring savedPath = TempPath(L"OrvaneBench-save.txt");
    const std::wstring rawPath = TempPath(L"OrvaneBench-raw.txt");
    if (!::PostMessageW(orvane.Frame(), WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE_AS, 0), 0))
        return BenchFailure("File > Save As", HRESULT_FROM_WIN32(::GetLastError()));
    hr = CompleteSaveAs(orvane, savedPath, kBenchWaitMs);
    if (FAILED(hr))
        return BenchFailure("save the log through the Save As dialog", hr);

    const std::wstring atomicPath = TempPath(L"OrvaneBench-atomic.txt");
    std::vector<double> saves, rawWrites, flushedWrites, atomicWrites, roundTrips;
    for (int i = 0; i < kSaveRepeats; ++i)
    {
        DWORD_PTR ignored = 0;
        CStopwatch save;
        if (!::SendMessageTimeoutW(orvane.Frame(), WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE, 0), 0, SMTO_NORMAL,
                                   kBenchWaitMs, &ignored))
            return BenchFailure("File > Save");
        saves.push_back(save.ElapsedMs());

        CStopwatch raw;
        if (!WriteRaw(rawPath, text, false))
            return BenchFailure("write the raw file", HRESULT_FROM_WIN32(::GetLastError()));
        rawWrites.push_back(raw.ElapsedMs());

        CStopwatch flushed;
        if (!WriteRaw(rawPath, text, true))
            return BenchFailure("write and flush the raw file", HRESULT_FROM_WIN32(::GetLastError()));
        flushedWrites.push_back(flushed.ElapsedMs());

        CStopwatch atomic;
        if (!WriteFileAtomically(atomicPath.c_str(), text.data(), static_cast<DWORD>(result.bytes)))
            return BenchFailure("write the file atomically", HRESULT_FROM_WIN32(::GetLastError()));
        atomicWrites.push_back(atomic.ElapsedMs());

        CStopwatch roundTrip;
        ::SendMessageTimeoutW(orvane.Frame(), WM_NULL, 0, 0, SMTO_NORMAL, kBenchWaitMs, &ignored);
        roundTrips.push_back(roundTrip.ElapsedMs());
    }
    result.saveMs = Median(saves);
    result.rawWriteMs = Median(rawWrites);
    result.flushedWriteMs = Median(flushedWrites);
    result.atomicWriteMs = Median(atomicWrites);
    result.roundTripMs = Median(roundTrips);
    result.sameBytes = FileHoldsText(savedPath, text) && FileHoldsText(rawPath, text);

    orvane.CloseWithoutPrompt();
    ::DeleteFileW(savedPath.c_str());
    ::DeleteFileW(rawPath.c_str());
    ::DeleteFileW(atomicPath.c_str());
    return S_OK;
}
