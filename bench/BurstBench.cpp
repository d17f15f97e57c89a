// A storm of device-change events, as a docking station delivers it: interface arrivals and
// removals of registered devices, each with the full lookup and six record lines, between
// plain events. Measured against a bare EDIT control in the log view's size, styles and font
// that receives the same final text, one insert per event: the most the control allows.
//
// The machine is shared and its load changes by the second, so the two sides take turns in
// chunks of a few events, each shown while the other is minimized: both meet the same load,
// the same growing text and the same scrolling.
//
// A plan may have Orvane's log filled first, minimized, and the control take the same filling
// event by event, minimized too: the same storm then shows what a long log costs per event.
// Under Wine the way the text came matters: an EDIT control that took 50,000 lines event by
// event answers EM_SETSEL, EM_SCROLLCARET and EM_REPLACESEL two to three times slower, and
// paints up to twice as slowly, as one that took the same text in a few large pieces (its
// records of the lines, it seems, end up spread over the heap). Filled in the steps Orvane's
// view was, the control is in the state any log grown event by event is in.
#include "BareWindow.h"
#include "BenchDevices.h"
#include "Benchmarks.h"
#include "ChildProcess.h"
#include "LogEvents.h"
#include "LogFill.h"
#include "MeasuredPrograms.h"
#include "ProbeClient.h"
#include "Records.h"
#include "Stats.h"
#include "Stopwatch.h"
#include "WindowQuery.h"
#include "WideString.h"

#include <algorithm>
#include <cstdio>

namespace
{
struct BurstEvent
{
    UINT eventType;
    const BroadcastRecord* record;
};

// Per cycle: an interface arrives, the device tree changes, the interface goes, the tree changes.
std::vector<BurstEvent> PlanBurst(const std::vector<BroadcastRecord>& records, size_t cycles)
{
    std::vector<BurstEvent> events;
    for (size_t cycle = 0; cycle < cycles; ++cycle)
    {
        const BroadcastRecord* record = &records[cycle % records.size()];
        events.push_back({DBT_DEVICEARRIVAL, record});
        events.push_back({DBT_DEVNODES_CHANGED, nullptr});
        events.push_back({DBT_DEVICEREMOVECOMPLETE, record});
        events.push_back({DBT_DEVNODES_CHANGED, nullptr});
    }
    return events;
}

// Brings frame back on screen and has it paint before anything is timed.
void ShowForMeasuring(HWND frame)
{
    ::ShowWindow(frame, SW_RESTORE);
    FlushPainting(frame);
}

void PutAside(HWND frame)
{
    ::ShowWindow(frame, SW_MINIMIZE);
    FlushPainting(frame);
}

// The font of Orvane's log view, described by the probe inside Orvane. The probe is attached
// only for the question: hooked, it would see every message of the burst.
bool ReadViewFont(const OrvaneProcess& orvane, std::wstring& font)
{
    ProbeClient probe;
    return SUCCEEDED(probe.Attach(orvane.ThreadId())) &&
           probe.Query(orvane.View(), ProbeRequest::WindowFont, reinterpret_cast<LPARAM>(orvane.View()), font) &&
           !font.empty();
}

// The bare window's EDIT control over the same screen rectangle as Orvane's log view, in its
// styles and font, holding the text Orvane's log started with, the caret at its end.
class CLimitControl
{
public:
    HRESULT Start(const BenchConfig& config, const OrvaneProcess& orvane, const std::wstring& startText)
    {
        std::wstring font;
        if (!ReadViewFont(orvane, font))
            return E_FAIL;
        const RECT rect = WindowRect(orvane.View());
        CString arguments;
        arguments.Format(L"%s %ld %ld %ld %ld %lX %lX %s", kBareEditOption, rect.left, rect.top,
                         rect.right - rect.left, rect.bottom - rect.top,
                         static_cast<unsigned long>(::GetWindowLongPtrW(orvane.View(), GWL_STYLE)),
                         static_cast<unsigned long>(::GetWindowLongPtrW(orvane.View(), GWL_EXSTYLE)), font.c_str());
        const HRESULT hr = m_process.Start(config.bareExe, static_cast<const wchar_t*>(arguments), SW_SHOWMINNOACTIVE);
        if (FAILED(hr))
            return hr;
        WaitUntil(
            [this] {
                m_frame = FindMainWindow(m_process.Id(), kBareWindowTitle);
                return m_frame != nullptr || !m_process.IsRunning();
            },
            kBenchWaitMs);
        m_edit = m_frame != nullptr ? FindChild(m_frame, kBareEditId) : nullptr;
        if (m_edit == nullptr)
            return HRESULT_FROM_WIN32(ERROR_TIMEOUT);
        const auto end = static_cast<WPARAM>(startText.size());
        return Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(startText.c_str())) &&
                       Send(EM_SETSEL, end, static_cast<LPARAM>(end)) && Send(EM_SCROLLCARET, 0, 0)
                   ? S_OK
                   : E_FAIL;
    }
    ~CLimitControl() { m_process.CloseOrKill(m_frame); }

    [[nodiscard]] HWND Frame() const noexcept { return m_frame; }
    [[nodiscard]] SIZE_T CommittedBytes() const { return PrivateCommittedBytes(m_process.Handle()); }
    bool Insert(const std::wstring& text) { return Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str())); }
    bool ReadText(std::wstring& text) const { return ReadWindowText(m_edit, text, kBenchWaitMs); }

private:
    bool Send(UINT message, WPARAM wParam, LPARAM lParam)
    {
        DWORD_PTR ignored = 0;
        return ::SendMessageTimeoutW(m_edit, message, wParam, lParam, SMTO_NORMAL, kBenchWaitMs, &ignored) != 0;
    }

    ChildProcess m_process;
    HWND m_frame = nullptr;
    HWND m_edit = nullptr;
};

HRESULT TallyLines(const std::vector<BurstEvent>& burst, const std::vector<std::wstring>& eventTexts,
                   BurstResult& result)
{
    if (eventTexts.size() != burst.size())
        return BenchFailure("find every event in Orvane's log", E_UNEXPECTED);
    result.events = eventTexts.size();
    for (size_t i = 0; i < burst.size(); ++i)
    {
        const size_t lines = CountLines(eventTexts[i]);
        result.lines += lines;
        if (burst[i].record == nullptr)
            continue;
        ++result.interfaceEvents;
        if (lines < kInterfaceEventLines)
            ++result.shortInterfaceEvents;
    }
    return S_OK;
}
} // namespace

HRESULT MeasureBurst(const BenchConfig& config, const CBenchDevices& devices, const BurstPlan& plan,
                     BurstResult& result)
{
    result = {};
    const std::vector<BroadcastRecord> records = InterfaceRecords(devices);
    if (records.empty() || plan.eventsPerChunk == 0)
        return BenchFailure("burst without devices or chunks", E_INVALIDARG);
    const std::vector<BurstEvent> burst = PlanBurst(records, plan.cycles);

    CStopwatch elapsed;
    OrvaneProcess orvane;
    HRESULT hr = StartOrvane(orvane, config.orvaneExe);
    if (FAILED(hr))
        return BenchFailure("start Orvane", hr);
    std::wstring orvaneText;
    if (!orvane.ReadLog(orvaneText, kBenchWaitMs))
        return BenchFailure("read Orvane's log");
    const std::wstring header = orvaneText;
    std::vector<std::wstring> fillTexts;
    if (plan.prefillLines > 0)
    {
        // Filled in the same process that is then measured, so the view holds the lines as a
        // user's long session leaves them; back on screen before the limit copies its place.
        PutAside(orvane.Frame());
        CStopwatch fill;
        hr = FillLogTo(orvane, devices, plan.prefillLines, orvaneText);
        if (FAILED(hr))
            return hr;
        result.fillMs = fill.ElapsedMs();
        if (!SplitAddedEvents(header, orvaneText, fillTexts))
            return BenchFailure("read the filling's events from Orvane's log");
        ShowForMeasuring(orvane.Frame());
    }
    result.startLines = CountLines(orvaneText);
    result.startCommitBytes = PrivateCommittedBytes(orvane.Process());
    CLimitControl limit;
    hr = limit.Start(config, orvane, header);
    if (FAILED(hr))
        return BenchFailure("start the bare window with its EDIT control", hr);
    // The control starts minimized; the filling goes in there, one insert per event.
    CStopwatch limitFill;
    for (const std::wstring& text : fillTexts)
    {
        if (!limit.Insert(text))
            return BenchFailure("fill the bare EDIT control");
    }
    result.limitFillMs = limitFill.ElapsedMs();

    const SIZE_T limitStartCommit = limit.CommittedBytes();
    std::vector<std::wstring> eventTexts;
    for (size_t first = 0; first < burst.size(); first += plan.eventsPerChunk)
    {
        const size_t last = std::min(first + plan.eventsPerChunk, burst.size());
        ShowForMeasuring(orvane.Frame());
        CStopwatch orvaneTime;
        for (size_t i = first; i < last; ++i)
        {
            const BroadcastRecord* record = burst[i].record;
            if (!orvane.SendDeviceChange(burst[i].eventType, record != nullptr ? record->Address() : 0, kBenchWaitMs))
                return BenchFailure("send an event to Orvane");
        }
        FlushPainting(orvane.Frame());
        const double orvaneMs = orvaneTime.ElapsedMs();
        result.orvaneMs += orvaneMs;
        PutAside(orvane.Frame());

        std::wstring previous = std::move(orvaneText);
        std::vector<std::wstring> chunk;
        if (!orvane.ReadLog(orvaneText, kBenchWaitMs) || !SplitAddedEvents(previous, orvaneText, chunk))
            return BenchFailure("read the events' lines from Orvane's log");

        ShowForMeasuring(limit.Frame());
        CStopwatch limitTime;
        for (const std::wstring& text : chunk)
        {
            if (!limit.Insert(text))
                return BenchFailure("insert into the bare EDIT control");
        }
        FlushPainting(limit.Frame());
        const double limitMs = limitTime.ElapsedMs();
        result.limitMs += limitMs;
        result.chunkRatios.push_back(Ratio(orvaneMs, limitMs));
        PutAside(limit.Frame());
        eventTexts.insert(eventTexts.end(), chunk.begin(), chunk.end());
    }

    result.commitBytes = PrivateCommittedBytes(orvane.Process());
    result.workingSetBytes = WorkingSetBytes(orvane.Process());
    if (result.workingSetBytes == 0)
        return BenchFailure("read Orvane's memory");
    result.logBytes = orvaneText.size() * sizeof(wchar_t);

    result.limitGrowthBytes = limit.CommittedBytes() - std::min(limit.CommittedBytes(), limitStartCommit);
    std::wstring limitText;
    result.sameText = limit.ReadText(limitText) && limitText == orvaneText;
    hr = TallyLines(burst, eventTexts, result);
    if (SUCCEEDED(hr) && plan.save != nullptr)
    {
        PutAside(orvane.Frame());
        hr = MeasureSaveOf(orvane, orvaneText, *plan.save);
    }
    result.elapsedMs = elapsed.ElapsedMs();
    return hr;
}

HRESULT BenchFailure(const char* step, HRESULT hr)
{
    std::fprintf(stderr, "benchmark step failed: %s (0x%08lX)\n", step, static_cast<unsigned long>(hr));
    return hr;
}
