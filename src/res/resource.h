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
#define IDS_SAVE_FAILED_KEPT_BOTH       139

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

// The standard commands and the frame's ids.
#include "FrameIds.h"
