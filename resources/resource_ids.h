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
/* The same images for 144 and 192 DPI (drawn by tools/make_images.py) */
#define IDB_TOOLBAR_24          104   /* six 24x24 images, 144x24 */
#define IDB_TOOLBAR_32          105   /* six 32x32 images, 192x32 */
#define IDB_SORT_DOWN_16        106   /* 16x16 arrows */
#define IDB_SORT_UP_16          107
#define IDB_SORT_DOWN_22        108   /* 22x22 arrows */
#define IDB_SORT_UP_22          109

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

/* Preferences page, first-start wizard and about box (language module) */
#define IDD_PREFERENCES         10000
#define IDC_PREF_MAME_PATH      10001
#define IDC_PREF_BROWSE         10002
#define IDC_PREF_ICONS          10003
#define IDC_PREF_LANGUAGE       10004

/* Where the program keeps its files (controls 10005-10019, strings
 * 2200-2219, messages 0x80000020-0x8000002F and 0xC0000020-0xC000002F,
 * program resources 104-109) */
#define IDC_PREF_CATALOGUE      10005  /* read-only: the catalogue in use */
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

/* Emulator option sheet: pages 12000-12600 of the language module. Each
 * control id is its page's id plus a small number. */
#define IDD_OPT_PATHS           12000
#define IDC_OPT_ROMPATH         12002
#define IDC_OPT_SAMPLEPATH      12003
#define IDC_OPT_CFG_DIR         12004
#define IDC_OPT_NVRAM_DIR       12005
#define IDC_OPT_MEMCARD_DIR     12006
#define IDC_OPT_INPUT_DIR       12007
#define IDC_OPT_HISCORE_DIR     12008
#define IDC_OPT_STATE_DIR       12009
#define IDC_OPT_SAMPLEPATH_BROWSE  12010
#define IDC_OPT_CFG_DIR_BROWSE     12011
#define IDC_OPT_NVRAM_DIR_BROWSE   12012
#define IDC_OPT_MEMCARD_DIR_BROWSE 12013
#define IDC_OPT_INPUT_DIR_BROWSE   12014
#define IDC_OPT_HISCORE_DIR_BROWSE 12015
#define IDC_OPT_STATE_DIR_BROWSE   12016
#define IDC_OPT_ROMPATH_BROWSE     12017

#define IDD_OPT_SUPPORT         12001
#define IDC_OPT_ARTWORK_DIR     12018
#define IDC_OPT_ARTWORK_DIR_BROWSE  12019
#define IDC_OPT_SNAPSHOT_DIR    12020
#define IDC_OPT_SNAPSHOT_DIR_BROWSE 12021
#define IDC_OPT_DIFF_DIR        12022
#define IDC_OPT_CTRLR_DIR       12023
#define IDC_OPT_DIFF_DIR_BROWSE 12024
#define IDC_OPT_CHEAT_FILE      12025
#define IDC_OPT_CHEAT_FILE_BROWSE   12026
#define IDC_OPT_CTRLR_DIR_BROWSE    12027
#define IDC_OPT_HISTORY_FILE    12028
#define IDC_OPT_HISTORY_FILE_BROWSE 12029
#define IDC_OPT_MAMEINFO_FILE   12030
#define IDC_OPT_MAMEINFO_FILE_BROWSE 12031

#define IDD_OPT_WINVIDEO        12100
#define IDC_OPT_AUTOFRAMESKIP   12102
#define IDC_OPT_WAITVSYNC       12103
#define IDC_OPT_TRIPLEBUFFER    12104
#define IDC_OPT_WINDOW          12105
#define IDC_OPT_DDRAW           12106
#define IDC_OPT_HWSTRETCH       12107
#define IDC_OPT_REFRESH         12108
#define IDC_OPT_SCANLINES       12109
#define IDC_OPT_SWITCHRES       12110
#define IDC_OPT_SWITCHBPP       12111
#define IDC_OPT_MAXIMIZE        12112
#define IDC_OPT_KEEPASPECT      12113
#define IDC_OPT_MATCHREFRESH    12114
#define IDC_OPT_SYNCREFRESH     12115
#define IDC_OPT_THROTTLE        12116
#define IDC_OPT_SLEEP           12117
#define IDC_OPT_RDTSC           12118
#define IDC_OPT_HIGH_PRIORITY   12119
#define IDC_OPT_CLEANSTRETCH    12120
#define IDC_OPT_RESOLUTION      12121
#define IDC_OPT_EFFECT          12122
#define IDC_OPT_SCREEN_ASPECT   12123
#define IDC_OPT_FRAMESKIP       12124
#define IDC_OPT_FS_BRIGHTNESS   12125
#define IDC_OPT_FRAMES_TO_RUN   12126
#define IDC_OPT_FRAMESKIP_LABEL 12127
#define IDC_OPT_FS_BRIGHTNESS_LABEL 12128
#define IDC_OPT_FRAMES_TO_RUN_SPIN  12129

#define IDD_OPT_COREVIDEO       12101
#define IDC_OPT_DEBUG_RESOLUTION 12130
#define IDC_OPT_GAMMA           12131
#define IDC_OPT_GAMMA_LABEL     12132
#define IDC_OPT_BRIGHTNESS      12133
#define IDC_OPT_BRIGHTNESS_LABEL 12134
#define IDC_OPT_PAUSE_BRIGHTNESS 12135
#define IDC_OPT_PAUSE_BRIGHTNESS_LABEL 12136
#define IDC_OPT_ROR             12137
#define IDC_OPT_ROL             12138
#define IDC_OPT_AUTOROR         12139
#define IDC_OPT_AUTOROL         12140
#define IDC_OPT_FLIPX           12141
#define IDC_OPT_FLIPY           12142
#define IDC_OPT_NOROTATE        12143

#define IDD_OPT_D3D             12200
#define IDC_OPT_D3DFILTER_LIST  12201  /* shown, tied to no option */
#define IDC_OPT_D3DPRESCALE     12202
#define IDC_OPT_D3DEFFECT       12203
#define IDC_OPT_ZOOM            12204
#define IDC_OPT_ZOOM_SPIN       12205
#define IDC_OPT_D3DSCAN         12206
#define IDC_OPT_D3DSCAN_LABEL   12207
#define IDC_OPT_D3DFEEDBACK     12208
#define IDC_OPT_D3DFEEDBACK_LABEL 12209
#define IDC_OPT_DIRECT3D        12210
#define IDC_OPT_D3DTEXMANAGE    12211

#define IDD_OPT_VECTOR          12300
#define IDC_OPT_BEAM            12301
#define IDC_OPT_BEAM_LABEL      12302
#define IDC_OPT_FLICKER         12303
#define IDC_OPT_FLICKER_LABEL   12304
#define IDC_OPT_INTENSITY       12305
#define IDC_OPT_INTENSITY_LABEL 12306
#define IDC_OPT_ANTIALIAS       12307
#define IDC_OPT_TRANSLUCENCY    12308

#define IDD_OPT_SOUND           12400
#define IDC_OPT_VOLUME          12401
#define IDC_OPT_VOLUME_LABEL    12402
#define IDC_OPT_SOUND           12403
#define IDC_OPT_SAMPLES         12404
#define IDC_OPT_RESAMPLEFILTER  12405
#define IDC_OPT_LATENCY_FIRST   12410  /* 12410-12414: audio_latency 0 (unset) to 4 */
#define IDC_OPT_LATENCY_LAST    12414
#define IDC_OPT_SAMPLERATE_FIRST 12420 /* 12420 unset, 12421-12424 the rates of their captions */
#define IDC_OPT_SAMPLERATE_LAST 12424

#define IDD_OPT_INPUT           12500
#define IDC_OPT_CTRLR_LIST      12501  /* shown, tied to no option */
#define IDC_OPT_A2D_DEADZONE    12502
#define IDC_OPT_A2D_DEADZONE_LABEL 12503
#define IDC_OPT_KEYBOARD_LEDS   12504
#define IDC_OPT_STEADYKEY       12505
#define IDC_OPT_JOYSTICK        12506
#define IDC_OPT_MOUSE           12507

#define IDD_OPT_MISC            12600
#define IDC_OPT_MAXLOGSIZE      12602
#define IDC_OPT_MAXLOGSIZE_SPIN 12603
#define IDC_OPT_ARTWORK_RESOLUTION 12604
#define IDC_OPT_ARTWORK_RESOLUTION_LABEL 12605
#define IDC_OPT_ARTWORK         12606
#define IDC_OPT_ARTWORK_CROP    12607
#define IDC_OPT_USE_OVERLAYS    12608
#define IDC_OPT_USE_BEZELS      12609
#define IDC_OPT_USE_BACKDROPS   12610
#define IDC_OPT_CHEAT           12611
#define IDC_OPT_DEBUG           12612
#define IDC_OPT_LOG             12613
#define IDC_OPT_OSLOG           12614
#define IDC_OPT_SKIP_DISCLAIMER 12615
#define IDC_OPT_SKIP_GAMEINFO   12616
#define IDC_OPT_VERBOSE         12617
#define IDC_OPT_CRCONLY         12618
#define IDC_OPT_READCONFIG      12619

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
#define MSG_GAME_LIST_FORMAT    0xC0000008  /* one insert: %1, the last game read */
#define MSG_CAPTURE_CUT         0x80000004  /* output larger than the capture region */
#define MSG_COMMAND_TOO_LONG    0x80000005  /* emulator path too long for its command line */
#define MSG_GAMES_LEFT_OUT      0x80000006  /* one insert: %1, the number of games the import left out */
#define MSG_NO_GAME_READ        0xC0000009  /* the game list stopped before its first game */
#define MSG_OPTIONS_NOT_HERE    0x80000007  /* today's emulator: its options are not edited here */

/* Today's MAME settings (templates 14000-14990, strings 2100-2199,
   messages 0x80000010-0x8000001F and 0xC0000010-0xC000001F) */
#define IDS_TASK_MAME_OPTIONS   2100  /* progress: asking MAME for its options */
#define IDS_TODAY_ROMPATH              2101
#define IDS_TODAY_SAMPLEPATH           2102
#define IDS_TODAY_ARTPATH              2103
#define IDS_TODAY_CTRLRPATH            2104
#define IDS_TODAY_INIPATH              2105
#define IDS_TODAY_CHEATPATH            2106
#define IDS_TODAY_CFG_DIRECTORY        2107
#define IDS_TODAY_NVRAM_DIRECTORY      2108
#define IDS_TODAY_SNAPSHOT_DIRECTORY   2109
#define IDS_TODAY_STATE_DIRECTORY      2110
#define IDS_TODAY_VIDEO                2111
#define IDS_TODAY_PRESCALE             2112
#define IDS_TODAY_WINDOW               2113
#define IDS_TODAY_MAXIMIZE             2114
#define IDS_TODAY_KEEPASPECT           2115
#define IDS_TODAY_WAITVSYNC            2116
#define IDS_TODAY_SYNCREFRESH          2117
#define IDS_TODAY_FILTER               2118
#define IDS_TODAY_SOUND                2119
#define IDS_TODAY_SAMPLERATE           2120
#define IDS_TODAY_VOLUME               2121
#define IDS_TODAY_AUDIO_LATENCY        2122
#define IDS_TODAY_CTRLR                2123
#define IDS_TODAY_JOYSTICK_DEADZONE    2124
#define IDS_TODAY_JOYSTICK_SATURATION  2125
#define IDS_TODAY_JOYSTICK             2126
#define IDS_TODAY_MOUSE                2127
#define IDS_TODAY_LIGHTGUN             2128
#define IDS_TODAY_FRAMESKIP            2129
#define IDS_TODAY_SPEED                2130
#define IDS_TODAY_AUTOFRAMESKIP        2131
#define IDS_TODAY_THROTTLE             2132
#define IDS_TODAY_ROTATE               2133
#define IDS_TODAY_ROR                  2134
#define IDS_TODAY_ROL                  2135
#define IDS_TODAY_AUTOROR              2136
#define IDS_TODAY_AUTOROL              2137
#define IDS_TODAY_FLIPX                2138
#define IDS_TODAY_FLIPY                2139
#define IDS_TODAY_CHEAT                2140
#define IDS_TODAY_SKIP_GAMEINFO        2141
#define IDS_TODAY_BRIGHTNESS           2142
#define IDS_TODAY_CONTRAST             2143
#define IDS_TODAY_GAMMA                2144
#define IDS_TODAY_EFFECT               2145
#define IDS_TODAY_ARTWORK_CROP         2146
#define IDS_TODAY_CAPTION              2160
#define IDS_TODAY_CAPTION_GAME         2161
#define IDS_TODAY_FROM_GLOBAL          2162
#define IDS_TODAY_FROM_PARENT          2163
#define IDS_TODAY_OWN                  2164
#define IDS_TODAY_DEFAULT              2165
#define IDS_TODAY_ACCEPTS_WHOLE        2166
#define IDS_TODAY_ACCEPTS_DECIMAL      2167
#define IDS_TODAY_ACCEPTS_TEXT         2168
#define IDS_TODAY_COLUMN_NAME          2169
#define IDS_TODAY_COLUMN_VALUE         2170
#define IDS_TODAY_COLUMN_DESCRIPTION   2171
#define IDS_TODAY_COLUMN_SOURCE        2172
#define IDS_TODAY_BROWSE_TITLE         2173
#define IDS_TODAY_MENU_FIRST    2180  /* 2180-2188: commands 1040-1048 on today's file */
#define IDD_TODAY_PATHS         14000
#define IDC_TODAY_PATH_OPTION   14001  /* which folder option the list shows */
#define IDC_TODAY_PATH_LIST     14002
#define IDC_TODAY_PATH_ENTRY    14003  /* the selected folder, editable */
#define IDC_TODAY_PATH_ADD      14004
#define IDC_TODAY_PATH_BROWSE   14005
#define IDC_TODAY_PATH_REMOVE   14006
#define IDC_TODAY_PATH_UP       14007
#define IDC_TODAY_PATH_DOWN     14008
#define IDC_TODAY_PATH_SOURCE   14009  /* per game: where the value comes from */
#define IDC_TODAY_PATH_GLOBAL   14010  /* per game: "Use the global value" */
#define IDC_TODAY_PATH_DESCRIPTION 14011
#define IDD_TODAY_VIDEO         14100  /* pages 14100-14500 get their rows at run time: */
#define IDD_TODAY_SOUND         14200  /* row i has label page+10+4i, control page+11+4i, */
#define IDD_TODAY_INPUT         14300  /* browse button page+12+4i, source page+13+4i */
#define IDD_TODAY_PERFORMANCE   14400
#define IDD_TODAY_SCREEN        14500
#define IDC_TODAY_ROW_GLOBAL    5      /* page+5: per game, "Use the global value" */
#define IDD_TODAY_ALL           14600
#define IDC_TODAY_FIND          14601
#define IDC_TODAY_LIST          14602
#define IDC_TODAY_VALUE         14603
#define IDC_TODAY_GLOBAL        14604
#define IDC_TODAY_DESCRIPTION   14605
#define MSG_ERA_EDITOR_TODAY_FILE 0x80000010  /* the era's editor refuses a file of today's layout */
#define MSG_BAD_OPTION_VALUE    0x80000011  /* two inserts: %1 the option, %2 what it accepts */
/* ---- Finding and keeping games: search, favourites, play statistics,
 * quick hides, history.xml, list export ---- */
#define IDB_TOOLBAR_FINDING     120   /* one 16x16 image, 16 colours: favourites only */
#define IDR_ACCELERATORS        121   /* the main window's keys */
#define IDB_TOOLBAR_FINDING_24  122   /* the same at 144 DPI, 24x24 */
#define IDB_TOOLBAR_FINDING_32  123   /* and at 192 DPI, 32x32 */

#define IDM_SEARCH_FOCUS        1100  /* Ctrl+F */
#define IDM_SEARCH_CLEAR        1101  /* Escape */
#define IDM_FAVOURITE_ADD       1102
#define IDM_FAVOURITE_REMOVE    1103
#define IDM_FAVOURITE_TOGGLE    1104  /* Ctrl+D */
#define IDM_FAVOURITES_ONLY     1105
#define IDM_HIDE_CLONES         1106
#define IDM_HIDE_MECHANICAL     1107
#define IDM_HIDE_NON_WORKING    1108
#define IDM_EXPORT_LIST         1109

#define IDC_SEARCH_BOX          30200

#define IDS_COLUMN_STAR         2280  /* 2280-2283: headers of list columns 16-19 */
#define IDS_COLUMN_PLAYED       2281
#define IDS_COLUMN_LAST_PLAYED  2282
#define IDS_COLUMN_TIME_PLAYED  2283
#define IDS_LIST_COUNTS         2284  /* FormatMessage string: %1 games shown, %2 loaded */
#define IDS_SEARCH_LABEL        2285  /* the search band's label */
#define IDS_CSV_FILTER          2286  /* save-file filter with its double NUL */
#define IDS_TASK_HISTORY_INDEX  2287
#define IDS_SEARCH_CUE          2288  /* shown in the empty search box */

#define MSG_HISTORY_DAMAGED     0x80000050  /* one insert: %1, the file's path */
#define MSG_EXPORT_FAILED       0xC0000050  /* one insert: %1, the file's path */
#define MSG_PLAYER_DATA_FAILED  0xC0000051  /* a favourite or a play could not be stored */

/* Pictures: the picture pane, its kinds, the list's icons */
#define IDI_GAME_DEFAULT        110   /* program icon shown for a game without one */
#define IDM_PICTURE_PANE        1080  /* View > Picture pane (shown or hidden) */
#define IDM_PICTURE_NEXT        1081  /* View > next picture kind */
#define IDM_PICTURE_PREVIOUS    1082  /* View > previous picture kind */
#define IDM_ICONS               1083  /* View > Icons (EnableIcons) */
#define IDS_PICTURE_KIND_FIRST  2240  /* 2240-2246: snapshot, title, flyer, cabinet, marquee, control panel, PCB */
#define IDS_PICTURE_KIND_LAST   2246
#define IDC_PICTURE_PANE        30100
#define IDC_PICTURE_KIND        30101

/* Background work: Cancel on the progress dialog, whole-or-nothing rebuilds */
#define IDC_PROGRESS_CANCEL     13204
#define IDS_PROGRESS_CANCEL     2220
#define IDS_STEP_CANCELLING     2221
#define MSG_EMULATOR_QUIET      0x80000030  /* one insert: %1, the seconds without output; Yes keeps waiting */
#define MSG_DOCUMENT_TOO_LARGE  0x80000031  /* one insert: %1, the size limit in MiB */
#define MSG_REBUILD_FAILED      0xC0000030  /* one insert: %1, the database driver's message */

#endif
