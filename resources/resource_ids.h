/* Resource, control, command and timer ids of qbx15, shared by the .rc scripts and the code. */
#pragma once

/* String table */
#define IDS_SETTINGS_FILE 4
#define IDS_TEMP_MIXDOWN_FILE 5
#define IDS_HELP_FILE 6

/* The main window's panel controls. The knobs' ids follow their knob numbers (Freq to Feed) and
   the five buttons' ids run from IDC_PLAY to IDC_DOWN; the buttons' ids are also their commands. */
#define IDC_KNOB_FREQ 1
#define IDC_KNOB_DEPTH 2
#define IDC_KNOB_RATE 3
#define IDC_KNOB_MIX 4
#define IDC_KNOB_DEGREE 5
#define IDC_KNOB_FEED 6
#define IDC_VOLUME_SLIDER 7
#define IDC_GREEN_LED 8
#define IDC_RED_LED 9
#define IDC_DISPLAY 10
#define IDC_PLAY 20
#define IDC_PAUSE 21
#define IDC_STOP 22
#define IDC_UP 23
#define IDC_DOWN 24
#define IDC_ONOFF_LED 25

/* The display's timers: the intro's steps and the blinking right-click prompt */
#define IDT_DISPLAY_INTRO 1
#define IDT_DISPLAY_PROMPT 2

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
