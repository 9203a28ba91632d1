/* Resource and control ids of qbx15, shared by the .rc scripts and the code. */
#pragma once

/* String table */
#define IDS_SETTINGS_FILE 4
#define IDS_TEMP_MIXDOWN_FILE 5
#define IDS_HELP_FILE 6

/* Popup menu and its commands */
#define IDM_POPUP 161
#define IDM_OPEN 101
#define IDM_EFFECTS_PATCH 104
#define IDM_MIXDOWN 105
#define IDM_ABOUT 107
#define IDM_PREFERENCES 111
#define IDM_HELP 115
#define IDM_EXIT 118

/* Dialogs */
#define IDD_PREFERENCES 173
#define IDD_EFFECTS_PATCH 174
#define IDD_ABOUT 178
#define IDD_PROGRESS 212

/* Preferences controls */
#define IDC_DEVICE_BOX 1038
#define IDC_LATENCY_BOX 1039
#define IDC_BYTES_VALUE 1040

/* Effects Patch controls */
#define IDC_ADD 3
#define IDC_REMOVE 4
#define IDC_CLEAR 5
#define IDC_AVAILABLE_LIST 1003
#define IDC_PATCH_LIST 1004
#define IDC_PATCH_LABEL 1005

/* Progress controls */
#define IDC_PROGRESS_BAR 1016
#define IDC_PROGRESS_CANCEL 1019
