#include "SaveSteps.h"

#include "ImportPatch.h"
#include "OrvaneView.h"
#include "Stats.h"
#include "Stopwatch.h"
#include "DriverHandles.h"

#include <array>
#include <iterator>
#include <memory>

static_assert(std::size(kSaveStepNames) == static_cast<size_t>(SaveStep::Count));

namespace
{
std::array<double, static_cast<size_t>(SaveStep::Count)> g_spent{};
SaveStep g_current = SaveStep::Text;

// Each timed call charges its time to a step; CloseHandle goes to the step of the call before.
template <typename F, typename... Args>
auto Timed(SaveStep step, F original, Args... args)
{
    g_current = step;
    const CStopwatch stopwatch;
    const auto result = original(args...);
    g_spent[static_cast<size_t>(step)] += stopwatch.ElapsedMs();
    return result;
}

// The patches, in one place so the replacements can reach their originals.
struct Patches
{
    CImportPatch length{"user32.dll", "GetWindowTextLengthW", reinterpret_cast<const void*>(&GetLength)};
    CImportPatch text{"user32.dll", "GetWindowTextW", reinterpret_cast<const void*>(&GetText)};
    CImportPatch fullPath{"kernel32.dll", "GetFullPathNameW", reinterpret_cast<const void*>(&FullPath)};
    CImportPatch create{"kernel32.dll", "CreateFileW", reinterpret_cast<const void*>(&Create)};
    CImportPatch write{"kernel32.dll", "WriteFile", reinterpret_cast<const void*>(&Write)};
    CImportPatch flush{"kernel32.dll", "FlushFileBuffers", reinterpret_cast<const void*>(&Flush)};
    CImportPatch close{"kernel32.dll", "CloseHandle", reinterpret_cast<const void*>(&Close)};
    CImportPatch replace{"kernel32.dll", "ReplaceFileW", reinterpret_cast<const void*>(&Replace)};
    CImportPatch move{"kernel32.dll", "MoveFileExW", reinterpret_cast<const void*>(&Move)};
    CImportPatch remove{"kernel32.dll", "DeleteFileW", reinterpret_cast<const void*>(&Remove)};

    [[nodiscard]] bool AllActive() const
    {
        for (const CImportPatch* patch : {&length, &text, &fullPath, &create, &write, &flush, &close, &replace, &move, &remove})
        {
            if (!patch->IsActive())
                return false;
        }
        return true;
    }

    static int WINAPI GetLength(HWND window)
    {
        return Timed(SaveStep::Text, s_active->length.Original<decltype(&::GetWindowTextLengthW)>(), window);
    }
    static int WINAPI GetText(HWND window, LPWSTR buffer, int capacity)
    {
        return Timed(SaveStep::Text, s_active->text.Original<decltype(&::GetWindowTextW)>(), window, buffer, capacity);
    }
    static DWORD WINAPI FullPath(LPCWSTR path, DWORD capacity, LPWSTR buffer, LPWSTR* part)
    {
        return Timed(SaveStep::FullPath, s_active->fullPath.Original<decltype(&::GetFullPathNameW)>(), path, capacity,
                     buffer, part);
    }
    static HANDLE WINAPI Create(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                                DWORD flags, HANDLE templateFile)
    {
        // The save creates its temporary file; opening the target is the probe.
        const SaveStep step = disposition == CREATE_NEW ? SaveStep::Create : SaveStep::Probe;
        return Timed(step, s_active->create.Original<decltype(&::CreateFileW)>(), path, access, share, security,
                     disposition, flags, templateFile);
    }
    static BOOL WINAPI Write(HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written, LPOVERLAPPED overlapped)
    {
        return Timed(SaveStep::Write, s_active->write.Original<decltype(&::WriteFile)>(), file, bytes, size, written,
                     overlapped);
    }
    static BOOL WINAPI Flush(HANDLE file)
    {
        return Timed(SaveStep::Flush, s_active->flush.Original<decltype(&::FlushFileBuffers)>(), file);
    }
    static BOOL WINAPI Close(HANDLE handle)
    {
        const SaveStep step = g_current == SaveStep::Flush ? SaveStep::Close : g_current;
        return Timed(step, s_active->close.Original<decltype(&::CloseHandle)>(), handle);
    }
    static BOOL WINAPI Replace(LPCWSTR target, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID, LPVOID)
    {
        return Timed(SaveStep::Replace, s_active->replace.Original<decltype(&::ReplaceFileW)>(), target, replacement,
                     backup, flags, nullptr, nullptr);
    }
    static BOOL WINAPI Move(LPCWSTR from, LPCWSTR to, DWORD flags)
    {
        return Timed(SaveStep::Replace, s_active->move.Original<decltype(&::MoveFileExW)>(), from, to, flags);
    }
    static BOOL WINAPI Remove(LPCWSTR path)
    {
        return Timed(SaveStep::Cleanup, s_active->remove.Original<decltype(&::DeleteFileW)>(), path);
    }

    static inline Patches* s_active = nullptr;
};

// A hidden top-level window holding a log view with text, as the frame holds Orvane's.
class CHiddenView
{
public:
    HRESULT Create(const std::wstring& text)
    {
        m_parent.reset(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr));
        if (!m_parent)
            return HRESULT_FROM_WIN32(::GetLastError());
        RECT rect{0, 0, 800, 600};
        if (m_view.Create(m_parent.get(), rect, nullptr, COrvaneView::kStyle | ES_READONLY, WS_EX_CLIENTEDGE) == nullptr)
            return E_FAIL;
        m_view.SetLimitText(0);
        m_view.SetWindowText(text.c_str());
        return m_view.GetWindowTextLength() == static_cast<int>(text.size()) ? S_OK : E_FAIL;
    }
    ~CHiddenView()
    {
        if (m_view.IsWindow())
            m_view.DestroyWindow();
    }
    COrvaneView& View() { return m_view; }

private:
    unique_hwnd m_parent;
    COrvaneView m_view;
};
} // namespace

HRESULT TimeSaveSteps(const std::wstring& text, const std::wstring& path, int repeats, std::vector<double>& stepsMs)
{
    CHiddenView hidden;
    HRESULT hr = hidden.Create(text);
    if (FAILED(hr))
        return hr;
    // The target exists, as for every File > Save after the first.
    if (!hidden.View().SaveToFile(path.c_str()))
        return HRESULT_FROM_WIN32(::GetLastError());

    auto patches = std::make_unique<Patches>();
    if (!patches->AllActive())
        return E_NOINTERFACE;
    Patches::s_active = patches.get();
    std::vector<std::vector<double>> runs(static_cast<size_t>(SaveStep::Count) + 1);
    for (int i = 0; i < repeats && SUCCEEDED(hr); ++i)
    {
        g_spent.fill(0);
        const CStopwatch total;
        if (!hidden.View().SaveToFile(path.c_str()))
            hr = HRESULT_FROM_WIN32(::GetLastError());
        const CStopwatch marks;
        hidden.View().SetModify(FALSE);
        g_spent[static_cast<size_t>(SaveStep::Marks)] = marks.ElapsedMs();
        const double totalMs = total.ElapsedMs();
        double calls = 0;
        for (size_t step = 0; step + 1 < static_cast<size_t>(SaveStep::Count); ++step)
        {
            runs[step].push_back(g_spent[step]);
            calls += g_spent[step];
        }
        runs[static_cast<size_t>(SaveStep::Rest)].push_back(totalMs - calls);
        runs.back().push_back(totalMs);
    }
    patches.reset();
    Patches::s_active = nullptr;
    stepsMs.clear();
    for (const std::vector<double>& values : runs)
        stepsMs.push_back(Median(values));
    return hr;
}
