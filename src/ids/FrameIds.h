#pragma once
// The ids a frame window and its resources share with the framework: the standard commands,
// the frame's child windows and bands, the title and idle prompt strings, and the prompts of
// the system menu. Plain #defines, so that resource scripts can include them.

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
