// Identifiers of the launcher's own resources. Read by the C++ sources and by
// windres, so everything here is a plain #define.
#pragma once

// Resource type of the WebBrowser controls' stored state; the Windows headers
// do not name it.
#define RT_DLGINIT 240

// Icon group: window icons and the notification-area icon.
#define IDR_MAINFRAME 128

// Dialog templates.
#define IDD_LOGIN_DIALOG 102
#define IDD_GAME_DIALOG 131
#define IDD_LOGIN_ACTIVE_DIALOG 132
#define IDD_CONFIRM_DIALOG 172
#define IDD_CLEAN_CACHE_DIALOG 173

// PNG images (resource type "PNG"); all but IDB_LOGIN_BG are four-frame sprites.
#define IDB_LOGIN_BG 155
#define IDB_LOGIN_CLOSE 160
#define IDB_LOGIN_MIN 162
#define IDB_GAME_BOSS 164
#define IDB_GAME_CLOSE 166
#define IDB_GAME_FULLSCREEN 167
#define IDB_GAME_MAX 168
#define IDB_GAME_MIN 169
#define IDB_GAME_REFRESH 170
#define IDB_GAME_SERVER 171
#define IDB_CONFIRM_OK 175
#define IDB_CONFIRM_CANCEL 176
#define IDB_GAME_RESTORE 189
#define IDB_GAME_CLEAN 1000

// Bitmaps (RT_BITMAP).
#define IDB_GAME_TITLE_BG 136
#define IDB_GAME_LOGO 141
#define IDB_CONFIRM_BG 177
#define IDB_CLEAN_BG 187

// Busy spinner (resource type "GIF").
#define IDR_CLEAN_ANIMATION 185

// Controls. Identifiers repeat across templates with different meanings.
#define IDC_EXPLORER 1000

#define IDC_GAME_CLOSE 1001
#define IDC_GAME_TITLE 1002
#define IDC_GAME_MIN 1003
#define IDC_GAME_FULLSCREEN 1004
#define IDC_GAME_BOSS 1005
#define IDC_GAME_CLEAN 1006
#define IDC_GAME_REFRESH 1007
#define IDC_GAME_SERVER 1008
#define IDC_GAME_MAX 1009
#define IDC_GAME_RESTORE 1011

#define IDC_LOGIN_CLOSE 1005
#define IDC_LOGIN_MIN 1006

#define IDC_CONFIRM_TITLE 1002
#define IDC_CONFIRM_TEXT 1003
#define IDC_CONFIRM_OK 1008
#define IDC_CONFIRM_CANCEL 1009

#define IDC_CLEAN_TEXT 1002
#define IDC_CLEAN_ANIMATION 1009
