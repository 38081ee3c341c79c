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

/* Filter sheet: pages 11000-11800, each control its page's id plus a small
 * number. The mode fields of the settings store the radio ids. */
#define IDD_FILTER_NAME         11000
#define IDC_FILTER_NAME_PATTERN 11001
#define IDD_FILTER_ROM_STATUS   11100
#define IDC_FILTER_ROM_GOOD     11101
#define IDC_FILTER_ROM_BAD      11102
#define IDC_FILTER_ROM_BEST     11103
#define IDC_FILTER_ROM_OTHER    11104
#define IDC_FILTER_ROM_CLONES   11105
#define IDD_FILTER_DRIVER       11200
#define IDC_FILTER_DRIVER_GOOD  11201
#define IDC_FILTER_DRIVER_PRELIM 11202
#define IDC_FILTER_COLOR_GOOD   11203
#define IDC_FILTER_COLOR_IMPERF 11204
#define IDC_FILTER_SOUND_GOOD   11205
#define IDC_FILTER_SOUND_IMPERF 11206
#define IDC_FILTER_COLOR_PRELIM 11207
#define IDC_FILTER_SOUND_PRELIM 11208
#define IDD_FILTER_YEAR         11300
#define IDC_FILTER_YEAR_ALL     11301
#define IDC_FILTER_YEAR_ONE     11302
#define IDC_FILTER_YEAR_RANGE   11303
#define IDC_FILTER_YEAR_ONLY    11304
#define IDC_FILTER_YEAR_ONLY_SPIN 11305
#define IDC_FILTER_YEAR_FROM    11306
#define IDC_FILTER_YEAR_FROM_SPIN 11307
#define IDC_FILTER_YEAR_TO      11308
#define IDC_FILTER_YEAR_TO_SPIN 11309
#define IDD_FILTER_MAKER        11400
#define IDC_FILTER_MAKER_LIST   11401
#define IDC_FILTER_MAKER_CHOOSE 11402
#define IDC_FILTER_MAKER_TYPE   11403
#define IDC_FILTER_MAKER_PATTERN 11404
#define IDD_FILTER_VIDEO        11500
#define IDC_FILTER_RASTER       11503
#define IDC_FILTER_VECTOR       11504
#define IDC_FILTER_VERTICAL     11505
#define IDC_FILTER_HORIZONTAL   11506
#define IDD_FILTER_PALETTE      11600
#define IDC_FILTER_PALETTE_FROM 11601
#define IDC_FILTER_PALETTE_TO   11602
#define IDC_FILTER_PALETTE_ONLY 11603
#define IDC_FILTER_PALETTE_ALL  11604
#define IDC_FILTER_PALETTE_ONE  11605
#define IDC_FILTER_PALETTE_RANGE 11606
#define IDD_FILTER_RESOLUTION   11700
#define IDC_FILTER_RESO_FROM    11701
#define IDC_FILTER_RESO_TO      11702
#define IDC_FILTER_RESO_ONLY    11703
#define IDC_FILTER_RESO_ALL     11704
#define IDC_FILTER_RESO_ONE     11705
#define IDC_FILTER_RESO_RANGE   11706
#define IDD_FILTER_FREQUENCY    11800
#define IDC_FILTER_FREQ_ALL     11801
#define IDC_FILTER_FREQ_ONE     11802
#define IDC_FILTER_FREQ_RANGE   11803
#define IDC_FILTER_FREQ_FROM    11804
#define IDC_FILTER_FREQ_TO      11805
#define IDC_FILTER_FREQ_ONLY    11806

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
