#pragma once
// CAboutDlg: the modal About box (dialog template 100). It shows the program's description,
// version and copyright from its own version record and opens the web-site link with the
// system's handler for web addresses.
#include "DialogImpl.h"
#include "resource.h"

#include <commctrl.h>

class CVersionInfo;

class CAboutDlg : public CDialogImpl<CAboutDlg>
{
public:
    enum { IDD = IDD_ABOUTBOX };

    BOOL ProcessWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Fills the three text lines from info; a line whose value is missing keeps its placeholder.
    void ShowVersionRecord(const CVersionInfo& info);

private:
    LRESULT OnInitDialog();
    LRESULT OnNotify(int controlId, const NMHDR* header, BOOL& handled);
    LRESULT OnCloseCmd(WORD commandId);
};
