#pragma once
// CMainFrame: the program's one top-level window, with menu 128 as its menu bar. Owns the log
// view, the log font, the device-notification registration and the save path; routes every
// message: its own handlers, then update-UI, then the frame base layer.
#include "FrameWindow.h"
#include "MessageLoop.h"
#include "UniqueHandle.h"
#include "UpdateUI.h"
#include "OrvaneView.h"
#include "OSDescription.h"
#include "DeviceNotification.h"

class CMainFrame : public CFrameWindowImpl<CMainFrame>,
                   public CUpdateUI<CMainFrame>,
                   public CMessageFilter,
                   public CIdleHandler
{
public:
    static CWndClassInfo& GetWndClassInfo();
    static const CUpdateUIElement* GetUpdateUIMap();

    // While the window exists the frame is a message filter and idle handler of the loop that
    // g_appModule holds for its thread; without one it has no accelerators and no idle step.
    CMainFrame() noexcept = default;
    ~CMainFrame() override;

    // Reads the system's description for the log's headers, then creates the window (title, menu
    // and accelerators 128); null on failure.
    HWND CreateEx();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnIdle() override;

    BOOL ProcessWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Replaces the log with the header of a new log and clears the modified mark.
    void NewLog();
    // Saves to m_szFilePath, or asks for a path first when there is none.
    bool SaveLog();
    // Asks for a path with the save dialog, remembers it, then saves.
    bool SaveLogAs();
    // Asks whether to save unsaved lines; true when the caller may go on. False without asking
    // while a question, a save dialog or a save is already running.
    bool PromptSaveChanges();

private:
    COrvaneView m_view;
    unique_hfont m_font;
    CDeviceNotification m_deviceNotification;
    wchar_t m_szFilePath[MAX_PATH] = {};
    // The first line of every new log's header, asked of WMI once by CreateEx; not used unless
    // m_bHasOSDescription.
    wchar_t m_szOSDescription[kOSDescriptionCapacity] = {};
    bool m_bHasOSDescription = false;
    bool m_bDeviceNotifications = false;
    bool m_bToolBarVisible = false;
    // True while the save question, a save dialog or a save runs. Their modal loops dispatch
    // what other programs send the frame (a log-off query, a close, a command): a new close,
    // New or Exit must not start a second question or dialog inside the open one.
    bool m_bSaveBusy = false;

    // Sets m_bSaveBusy for its lifetime; nests.
    class CSaveBusy
    {
    public:
        explicit CSaveBusy(bool& busy) noexcept : m_busy(busy), m_previous(busy) { busy = true; }
        CSaveBusy(const CSaveBusy&) = delete;
        CSaveBusy& operator=(const CSaveBusy&) = delete;
        ~CSaveBusy() { m_busy = m_previous; }

    private:
        bool& m_busy;
        bool m_previous;
    };

    LRESULT OnCreate();
    LRESULT OnDeviceChangeMessage(WPARAM wParam, LPARAM lParam) noexcept;
    void OnDestroy();
    BOOL OnClose();
    BOOL OnQueryEndSession();
    BOOL OnCommand(UINT id);

    void OnFileNew();
    void OnFileSave();
    void OnFileSaveAs();
    void OnAppExit();
    void OnAppAbout();
    void OnViewToolBar();
    void OnViewStatusBar();
    void OnNotificationsDevice();

    HWND CreateBars();
    void CreateLogView();
};
