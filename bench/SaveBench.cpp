// Saving: File > Save of a log of more than 2,000 lines, against the durable floor: the least
// that any save keeping the earlier file intact must do with the same bytes (a temporary file
// beside the target, written, flushed and moved over it). The log is filled while the frame is minimized, which
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
// From outside, File > Save's time cannot be split into its steps; the program's own save is
// run here on a view holding the same text, its system calls timed one by one.
#include "SaveSteps.h"

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

// The durable floor: a new file beside the target, the text written at once and flushed, then
// moved over the target in one rename. Whatever fails, the target keeps its earlier bytes.
bool WriteDurably(const std::wstring& path, const std::wstring& text)
{
    const std::wstring temporary = path + L".new";
    {
        unique_hfile file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        DWORD written = 0;
        const auto bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (!file || !::WriteFile(file.get(), text.data(), bytes, &written, nullptr) || written != bytes ||
            !::FlushFileBuffers(file.get()))
            return false;
    }
    return ::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
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
    return MeasureSaveOf(orvane, text, result);
}

HRESULT MeasureSaveOf(OrvaneProcess& orvane, const std::wstring& text, SaveResult& result)
{
    result = {};
    result.lines = CountLines(text);
    result.bytes = text.size() * sizeof(wchar_t);

    const std::wstring savedPath = TempPath(L"OrvaneBench-save.txt");
    const std::wstring floorPath = TempPath(L"OrvaneBench-floor.txt");
    if (!::PostMessageW(orvane.Frame(), WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE_AS, 0), 0))
        return BenchFailure("File > Save As", HRESULT_FROM_WIN32(::GetLastError()));
    HRESULT hr = CompleteSaveAs(orvane, savedPath, kBenchWaitMs);
    if (FAILED(hr))
        return BenchFailure("save the log through the Save As dialog", hr);

    std::vector<double> saves, floorWrites, roundTrips;
    for (int i = 0; i < kSaveRepeats; ++i)
    {
        DWORD_PTR ignored = 0;
        CStopwatch save;
        if (!::SendMessageTimeoutW(orvane.Frame(), WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE, 0), 0, SMTO_NORMAL,
                                   kBenchWaitMs, &ignored))
            return BenchFailure("File > Save");
        saves.push_back(save.ElapsedMs());

        CStopwatch floor;
        if (!WriteDurably(floorPath, text))
            return BenchFailure("write the file at the durable floor", HRESULT_FROM_WIN32(::GetLastError()));
        floorWrites.push_back(floor.ElapsedMs());

        CStopwatch roundTrip;
        ::SendMessageTimeoutW(orvane.Frame(), WM_NULL, 0, 0, SMTO_NORMAL, kBenchWaitMs, &ignored);
        roundTrips.push_back(roundTrip.ElapsedMs());
    }
    result.saveMs = Median(saves);
    result.floorMs = Median(floorWrites);
    result.roundTripMs = Median(roundTrips);
    result.sameBytes = FileHoldsText(savedPath, text) && FileHoldsText(floorPath, text);

    const std::wstring stepsPath = TempPath(L"OrvaneBench-steps.txt");
    hr = TimeSaveSteps(text, stepsPath, kSaveRepeats, result.stepsMs);
    result.sameBytes = result.sameBytes && FileHoldsText(stepsPath, text);
    ::DeleteFileW(stepsPath.c_str());
    if (FAILED(hr))
        return BenchFailure("time the steps of the program's save", hr);

    orvane.CloseWithoutPrompt();
    ::DeleteFileW(savedPath.c_str());
    ::DeleteFileW(floorPath.c_str());
    return S_OK;
}
