/* Resource, command, string and message numbers shared by the program, the
 * language modules and the tests. Plain #defines only: windres and windmc
 * read this file too. */
#ifndef QUILLET_RESOURCE_IDS_H
#define QUILLET_RESOURCE_IDS_H

/* Program resources (Quillet.exe) */
#define IDI_QUILLET             100
#define IDB_TOOLBAR             101   /* six 16x16 images, 96x16, 16 colours */
#define IDB_SORT_DOWN           102   /* 11x11 arrows, 16 colours */
#define IDB_SORT_UP             103

#define IDD_PROGRESS            13200
#define IDC_PROGRESS_TASK       13201
#define IDC_PROGRESS_STEP       13202
#define IDC_PROGRESS_COUNT      13203

#define IDD_DOCUMENT_VIEWER     13210
#define IDC_DOCUMENT_TEXT       13211

/* Language module resources */
#define IDM_MAIN                1000
#define IDD_ABOUT               13100
#define IDC_ABOUT_ICON          13101
#define IDC_ABOUT_TEXT          13102

/* Preferences page, first-start wizard and about box (language module) */
#define IDD_PREFERENCES         10000
#define IDC_PREF_MAME_PATH      10001
#define IDC_PREF_BROWSE         10002
#define IDC_PREF_ICONS          10003
#define IDC_PREF_LANGUAGE       10004
#define IDD_WIZARD_WELCOME      13000
#define IDC_WIZARD_WELCOME_TITLE 13001  /* shown in the wizard's title font */
#define IDD_WIZARD_EMULATOR     13010
#define IDC_WIZARD_MAME_PATH    13011
#define IDC_WIZARD_BROWSE       13012
#define IDD_WIZARD_FINISH       13020
#define IDC_WIZARD_FINISH_TITLE 13021
#define IDC_ABOUT_WEB_LINK      13103  /* class WEBLINK */
#define IDC_ABOUT_MAIL_LINK     13104  /* class MAILLINK */

/* Commands (WM_COMMAND low word) */
#define IDM_REBUILD             1001
#define IDM_VERIFY              1002
#define IDM_EXIT                1003
#define IDM_RUN                 1010
#define IDM_GAME_OPTIONS        1011
#define IDM_GAME_INFO           1012
#define IDM_GAME_HISTORY        1013
#define IDM_ROM_DOWNLOAD        1015
#define IDM_FILTER_FIRST        1020  /* 1020-1028: filter pages 0-8 */
#define IDM_FILTER_LAST         1028
#define IDM_RELOAD              1029
#define IDM_OPTIONS_FIRST       1040  /* 1040-1048: emulator option pages 0-8 */
#define IDM_OPTIONS_LAST        1048
#define IDM_PREFERENCES         1049
#define IDM_VIEW_LARGE          1060
#define IDM_VIEW_SMALL          1061
#define IDM_VIEW_LIST           1062
#define IDM_VIEW_DETAILS        1063
#define IDM_ABOUT               1070

#define IDC_TOOLBAR             30000

/* Strings of the language module */
#define IDS_CAPTION_OPTIONS     2003
#define IDS_CAPTION_PREFS       2004
#define IDS_CAPTION_FILTER      2005
#define IDS_COLUMN_FIRST        2010  /* 2010-2025: the sixteen column headers */
#define IDS_COLUMN_LAST         2025
#define IDS_EXE_FILTER          2030
#define IDS_ALL_MANUFACTURERS   2031
#define IDS_VIDEO_RASTER        2035
#define IDS_VIDEO_VECTOR        2036
#define IDS_ORIENT_HORIZONTAL   2037
#define IDS_ORIENT_VERTICAL     2038
#define IDS_STATUS_GOOD         2039
#define IDS_STATUS_BEST         2040
#define IDS_STATUS_BAD          2041
#define IDS_STATUS_OTHER        2042
#define IDS_STATUS_UNKNOWN      2043  /* not used by the program */
#define IDS_EMU_IMPERFECT       2044
#define IDS_EMU_PRELIMINARY     2045
#define IDS_DRIVER_IMPERFECT    2046  /* driver status imperfect or test */
#define IDS_NOT_A_CLONE         2047  /* Original column: the game is no clone */
#define IDS_A_CLONE             2048
#define IDS_TASK_RELOAD         2060
#define IDS_TASK_REBUILD        2061
#define IDS_TASK_VERIFY         2062
#define IDS_TASK_CATEGORIES     2063
#define IDS_STEP_QUERY          2064
#define IDS_STEP_PROCESSING     2070
#define IDS_STEP_RUNNING        2071
#define IDS_CAPTION_MAMEINFO    2078
#define IDS_CAPTION_HISTORY     2079
#define IDS_ABOUT_TEXT          2080
#define IDS_WIZARD_TITLE        2081
#define IDS_WIZARD_SUBTITLE     2082

/* Message table numbers (severity in bits 31-30) */
#define MSG_NO_EMULATOR         0x80000001
#define MSG_NO_MAMEINFO_ENTRY   0x80000002
#define MSG_NO_HISTORY_ENTRY    0x80000003
#define MSG_ODBC_ENVIRONMENT    0xC0000001
#define MSG_ODBC_CONNECTION     0xC0000002
#define MSG_ODBC_STATEMENT      0xC0000003
#define MSG_ODBC_EXECUTE        0xC0000004
#define MSG_MAMEINFO_OPEN       0xC0000005
#define MSG_HISTORY_OPEN        0xC0000006
#define MSG_NO_GAME_LIST        0xC0000007  /* the emulator printed no game list */
#define MSG_GAME_LIST_FORMAT    0xC0000008  /* one insert: %1, the game where reading stopped */
#define MSG_CAPTURE_CUT         0x80000004  /* output larger than the capture region */
#define MSG_COMMAND_TOO_LONG    0x80000005  /* emulator path too long for its command line */

#endif
