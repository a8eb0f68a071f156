// Every number that names a resource, a control, a command or a private message: the .rc files,
// the code and the end-to-end driver all read them from here. Plain #defines, so that the
// resource compiler can read them too.
#pragma once

// Icon, bitmap, menu and dialog templates.
#define IDI_TANDREL 100
#define IDD_MAIN 110
#define IDD_ABOUT 111
#define IDD_PREFERENCES 112
#define IDD_PASSWORD 113
#define IDD_FILTERS 114
#define IDD_FILTER_EDIT 115
#define IDD_TARGETS 117
#define IDD_OPEN_SESSIONS 116
#define IDB_DONATE 134
#define IDR_TRAY_MENU 139

// Controls shared by several templates.
#define IDC_CLOSE 1208
#define IDC_OK 1209
#define IDC_FIND 1211

// The main window (template 110).
#define IDC_FILTER_COMBO 1001
#define IDC_CASCADE 1002
#define IDC_TILE 1003
#define IDC_MINIMIZE 1004
#define IDC_HIDE 1005
#define IDC_FILTERS 1006
#define IDC_RETURN_TOGGLE 1007
#define IDC_HISTORY_OLDER 1008
#define IDC_HISTORY_NEWER 1009
#define IDC_HISTORY_CLEAR 1010
#define IDC_COMMAND_BOX 1011
#define IDC_KEY_UP 1012
#define IDC_KEY_LEFT 1013
#define IDC_KEY_RIGHT 1014
#define IDC_KEY_DOWN 1015
#define IDC_KEY_CENTRE 1016
#define IDC_KEY_CTRL_C 1017
#define IDC_KEY_CTRL_BRACKET 1018
#define IDC_KEY_ESC 1019
#define IDC_KEY_ENTER 1020
#define IDC_PASSWORD 1021
#define IDC_SCRIPT 1022
#define IDC_PREFERENCES 1023
#define IDC_SEND 1024
#define IDC_INC 1025
#define IDC_CTRL 1026
#define IDC_KEY_CTRL_D 1027
#define IDC_KEY_CTRL_R 1028
#define IDC_KEY_BACKSPACE 1030
#define IDC_KEY_DELETE 1035

// The preferences (template 112).
#define IDC_SAVE_PASSWORD 1100
#define IDC_ARRANGE_OFF 1101
#define IDC_ARRANGE_TILE 1102
#define IDC_ARRANGE_CASCADE 1103
#define IDC_AUTO_MINIMIZE 1104
#define IDC_ARRANGE_ON_STARTUP 1105
#define IDC_UNHIDE_ON_EXIT 1106
#define IDC_ALWAYS_ON_TOP 1107
#define IDC_TOOL_WINDOW 1108
#define IDC_TRANSITION 1109
#define IDC_EMULATE_COPY_PASTE 1110
#define IDC_MINIMIZE_TO_TRAY 1111
#define IDC_TAB_COMPLETION 1112
#define IDC_CASCADE_WIDTH 1113
#define IDC_CASCADE_HEIGHT 1114
#define IDC_SCROLL_THROUGH 1115
#define IDC_RUN_ON_STARTUP 1116
#define IDC_CHECK_FOR_UPDATES 1117
#define IDC_RANGE_NOTE 1118
#define IDC_TYPE_IN_BACKGROUND 1119
#define IDC_OPACITY_SLIDER 1601
#define IDC_OPACITY_PERCENT 1602
#define IDC_OPACITY_LABEL 1603
#define IDC_PUTTY_PATH 1700
#define IDC_PUTTY_BROWSE 1701

// The filter list (template 114) and the filter editor (115).
#define IDC_FILTER_LIST 1200
#define IDC_FILTER_ADD 1201
#define IDC_FILTER_COPY 1202
#define IDC_FILTER_REMOVE 1203
#define IDC_FILTER_REMOVE_ALL 1204
#define IDC_FILTER_EDIT 1205
#define IDC_FILTER_MOVE_UP 1206
#define IDC_FILTER_MOVE_DOWN 1207
#define IDC_FILTERS_CANCEL 1210
#define IDC_FILTERS_APPLY 1212
#define IDC_FILTER_NAME 1300
#define IDC_FILTER_RULES 1301

// The password (template 113) and about (111) dialogs.
#define IDC_PASSWORD_EDIT 1400
#define IDC_ABOUT_LINE1 1501
#define IDC_ABOUT_LINE2 1502
#define IDC_VISIT_WEB_SITE 1503
#define IDC_DONATE 1610

// The Targets window (template 117).
#define IDC_TARGETS_LIST 1750
// Open Sessions (template 116).
#define IDC_SESSION_LIST 1710
#define IDC_SESSION_PATTERN 1711
#define IDC_THEN_TILE 1712
#define IDC_THEN_CASCADE 1713
#define IDC_THEN_LEAVE 1714
#define IDC_PUTTY_NOTE 1715
#define IDC_OPEN_SESSIONS 1716

// The tray menu (menu 139).
#define IDM_TRAY_OPEN 32771
#define IDM_TRAY_CASCADE 32772
#define IDM_TRAY_ABOUT 32773
#define IDM_TRAY_EXIT 32774
#define IDM_TRAY_MINIMIZE 32777
#define IDM_TRAY_HIDE 32778
#define IDM_TRAY_TILE 32779
#define IDM_TRAY_PREFERENCES 32780
#define IDM_TRAY_CHECK_FOR_UPDATES 32781
#define IDM_TRAY_SHOW_TARGETS 32782
#define IDM_TRAY_TYPE_IN_BACKGROUND 32783
#define IDM_TRAY_TARGETS 32795
#define IDM_TRAY_OPEN_SESSIONS 32790

// Private messages of the main window: a second instance hands over (WM_USER + 1), and the
// notification-area icon calls back (WM_USER + 2).
#define TANDREL_MSG_ACTIVATE 1025
#define TANDREL_MSG_TRAY_NOTIFY 1026

// The id of the main window's icon in the notification area.
#define TANDREL_TRAY_ICON_ID 1
