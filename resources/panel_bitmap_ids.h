/* Resource ids of the control panel's bitmaps (shared by the .rc script and the code). */
#pragma once

#define IDB_PANEL_BACKGROUND 123
#define IDB_PLAY_UP 135
#define IDB_PLAY_PRESSED 136
#define IDB_PAUSE_UP 137
#define IDB_PAUSE_PRESSED 138
#define IDB_STOP_UP 139
#define IDB_STOP_PRESSED 140
#define IDB_SLIDER_CAP 165
#define IDB_DOWN_UP 166
#define IDB_DOWN_PRESSED 167
#define IDB_UP_UP 168
#define IDB_UP_PRESSED 169
#define IDB_ABOUT 183
#define IDB_KNOB 200
#define IDB_ONOFF_ON 217
#define IDB_ONOFF_OFF 218
