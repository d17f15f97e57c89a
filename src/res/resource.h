#pragma once
// Resource ids of Orvane: the frame's resources share IDR_MAINFRAME; a command's string
// resource is its prompt ("status-bar text\ntooltip").

#define IDR_MAINFRAME                   128
#define IDS_ABOUT_VERSION               129
#define IDS_NOTIFICATIONS_HINT          130
#define IDS_NOTIFICATIONS_ENABLED       131
#define IDS_NOTIFICATIONS_DISABLED      132
#define IDS_SAVE_FAILED                 133
#define IDS_FILE_FILTER                 134
#define IDS_NOTIFICATIONS_START_FAILED  135
#define IDS_NOTIFICATIONS_STOP_FAILED   136
#define IDS_SAVE_CHANGES                137
#define IDS_SAVE_FAILED_KEPT            138

#define IDD_ABOUTBOX                    100
#define IDC_ABOUT_DESCRIPTION           1000
#define IDC_ABOUT_COPYRIGHT             1001
#define IDC_ABOUT_VERSION               1002
#define IDC_ABOUT_LINK                  1003

#define IDS_VERSION_LINE                27002
#define IDS_VERSION_NUMBERS             27003

#define ID_NOTIFICATIONS_DEVICE         32777
#define ID_NOTIFICATIONS_PORT           32778
#define ID_NOTIFICATIONS_VOLUME         32779

#define IDS_APP_TITLE                   57344
#define IDS_IDLE_MESSAGE                57345

#define ID_FILE_NEW                     57600
#define ID_FILE_OPEN                    57601
#define ID_FILE_SAVE                    57603
#define ID_FILE_SAVE_AS                 57604
#define ID_FILE_PRINT_SETUP             57606
#define ID_FILE_PRINT                   57607
#define ID_FILE_PRINT_PREVIEW           57609
#define ID_EDIT_COPY                    57634
#define ID_EDIT_CUT                     57635
#define ID_EDIT_PASTE                   57637
#define ID_EDIT_UNDO                    57643
#define ID_APP_ABOUT                    57664
#define ID_APP_EXIT                     57665
#define ID_NEXT_PANE                    57680
#define ID_PREV_PANE                    57681
#define ID_VIEW_TOOLBAR                 59392
#define ID_VIEW_STATUS_BAR              59393

// Control ids of the frame's children. The rebar shares the toolbar's id.
#define ATL_IDW_TOOLBAR                 59392
#define ATL_IDW_STATUS_BAR              59393
#define ATL_IDW_CLIENT                  59648
#define ATL_IDW_BAND_FIRST              60160

// Prompts of the system menu: string 61184 + ((SC_xxx - 0xF000) >> 4).
#define ATL_IDS_SCSIZE                  61184
#define ATL_IDS_SCMOVE                  61185
#define ATL_IDS_SCMINIMIZE              61186
#define ATL_IDS_SCMAXIMIZE              61187
#define ATL_IDS_SCNEXTWINDOW            61188
#define ATL_IDS_SCPREVWINDOW            61189
#define ATL_IDS_SCCLOSE                 61190
#define ATL_IDS_SCRESTORE               61202
#define ATL_IDS_SCTASKLIST              61203
