// Resource identifiers, shared by linkhive.rc and the code.
#pragma once

#include "framework/StandardIds.h"

// Menu bar, accelerators, toolbar, main icon and document template string.
#define IDR_MAINFRAME 128
#define IDR_GROUP_MENU 103      // group pane context menu
#define IDR_ITEM_MENU 140       // item pane, a row selected
#define IDR_ITEM_VIEW_MENU 141  // item pane, no row selected
#define IDR_TRAY_MENU 145       // also the tray icon's identifier

#define IDI_TRAY 146
// The toolbar strip for 150 % and 200 %; IDR_MAINFRAME's is for 100 %.
#define IDB_TOOLBAR_24 147
#define IDB_TOOLBAR_32 148
#define IDI_EMAIL 160
#define IDI_WEB 162

#define IDD_ABOUTBOX 100
#define IDD_PAGE_GENERAL 133
#define IDD_PAGE_DESCRIPTION 160
#define IDD_BROWSERS 165
#define IDD_CHECK_LINKS 170
#define IDD_FIND 172
#define IDD_DUPLICATES 173
#define IDD_RESTORE_BACKUP 180

#define IDS_URL_PROPERTIES 133  // the caption of the sheet of pages 133 and 160

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#define IDC_ITEM_NAME 1004
#define IDC_ITEM_URL 1005
#define IDC_ITEM_DESCRIPTION 1004
#define IDC_MSIE_PATH 1004
#define IDC_NN_PATH 1005
#define IDC_CUSTOM_PATH 1006
#define IDC_BROWSE_MSIE 1026
#define IDC_BROWSE_NN 1027
#define IDC_BROWSE_CUSTOM 1028
#define IDC_ABOUT_ICON 1040
#define IDC_ABOUT_NAME 1041
#define IDC_ABOUT_BUILD 1042
#define IDC_CHECK_CURRENT_GROUP 1050
#define IDC_CHECK_WHOLE 1051
#define IDC_CHECK_START 1052
#define IDC_CHECK_PROGRESS 1053
#define IDC_CHECK_COUNTS 1054
#define IDC_CHECK_RESULTS 1055
#define IDC_CHECK_GO_TO 1056
#define IDC_CHECK_DELETE 1057
#define IDC_CHECK_NEW_ADDRESS 1058
#define IDC_CHECK_MOVE 1059
// Find Bookmarks and Duplicate Bookmarks.
#define IDC_FIND_TEXT 1070
#define IDC_FIND_GROUP_ONLY 1071
#define IDC_RESULTS 1072
#define IDC_RESULT_COUNT 1073
#define IDC_GO_TO 1074
#define IDC_SELECT_EXTRA 1075
#define IDC_DELETE_SELECTED 1076
// Restore Backup.
#define IDC_BACKUP_LIST 1080

// Titles and filter of the Browsers Configuration's file dialogs.
#define IDS_BROWSE_FILTER 1100
#define IDS_BROWSE_MSIE 1101
#define IDS_BROWSE_NN 1102
#define IDS_BROWSE_CUSTOM 1103
// Titles and filters of the import and export dialogs.
#define IDS_IMPORT_V20_TITLE 1110
#define IDS_IMPORT_V20_FILTER 1111
#define IDS_IMPORT_MARKBOX_TITLE 1112
#define IDS_IMPORT_MARKBOX_FILTER 1113
#define IDS_IMPORT_HTML_TITLE 1114
#define IDS_IMPORT_HTML_FILTER 1115
#define IDS_IMPORT_ADDRESS_BOOK_TITLE 1116
#define IDS_IMPORT_ADDRESS_BOOK_FILTER 1117
#define IDS_IMPORT_FOLDER_TITLE 1118
#define IDS_SAVE_HTML_TITLE 1119
#define IDS_SAVE_HTML_FILTER 1120
#define IDS_SAVE_GROUP_HTML_TITLE 1121
#define IDS_SAVE_GROUP_HTML_FILTER 1122
#define IDS_EXPORT_URL_TITLE 1123
#define IDS_EXPORT_URL_FILTER 1124
// Column titles, the status bar's info pane, new bookmarks' names, messages.
#define IDS_GROUP_COLUMN 1125
#define IDS_ITEM_COLUMN_NAME 1126
#define IDS_ITEM_COLUMN_URL 1127
#define IDS_ITEM_COLUMN_DESCRIPTION 1128
#define IDS_INFO_PANE 1129
#define IDS_NEW_URL_NAME 1130
#define IDS_NEW_EMAIL_NAME 1131
#define IDS_REPLACE_FILE 1132
#define IDS_TRAY_ICON_FAILED 1133
#define IDS_DATA_FILE_FILTER 1134  // the open and save dialogs' entry for .lkh files
// Titles and filters of the browser bookmark file's dialogs.
#define IDS_IMPORT_BOOKMARKS_TITLE 1135
#define IDS_IMPORT_BOOKMARKS_FILTER 1136
#define IDS_EXPORT_BOOKMARKS_TITLE 1137
#define IDS_EXPORT_BOOKMARKS_FILTER 1138
// Check Links: the counts line, the Cancel button's two names, the result
// columns, statuses and details, the delete question and the group of Move.
#define IDS_CHECK_COUNTS 1139
#define IDS_CHECK_NOT_CHECKED 1140
#define IDS_CHECK_CANCEL 1141
#define IDS_CHECK_CLOSE 1142
#define IDS_CHECK_COLUMN_STATUS 1143
#define IDS_CHECK_COLUMN_NAME 1144
#define IDS_CHECK_COLUMN_URL 1145
#define IDS_CHECK_COLUMN_GROUP 1146
#define IDS_CHECK_COLUMN_DETAIL 1147
#define IDS_CHECK_MOVED 1148
#define IDS_CHECK_BROKEN 1149
#define IDS_CHECK_BUSY 1150
#define IDS_CHECK_UNREACHABLE 1151
#define IDS_CHECK_HTTP_STATUS 1152
#define IDS_CHECK_BAD_ADDRESS 1153
#define IDS_CHECK_NAME_NOT_FOUND 1154
#define IDS_CHECK_REFUSED 1155
#define IDS_CHECK_TIMEOUT 1156
#define IDS_CHECK_TLS 1157
#define IDS_CHECK_MALFORMED 1158
#define IDS_CHECK_TOO_MANY_REDIRECTS 1159
#define IDS_CHECK_REDIRECT_TO 1160
#define IDS_CHECK_NO_ANSWER 1161
#define IDS_CHECK_DELETE_ONE 1162
#define IDS_CHECK_DELETE_MANY 1163
#define IDS_BROKEN_LINKS_GROUP 1164
// Check Links: the counts line once another collection came, the detail of
// a row whose bookmark is no longer as checked, and why a button left it.
#define IDS_CHECK_REPLACED 1165
#define IDS_CHECK_CHANGED 1166
#define IDS_CHECK_CHANGED_ONE 1167
#define IDS_CHECK_CHANGED_MANY 1168
// Find Bookmarks and Duplicate Bookmarks: their lines, question and columns.
#define IDS_FIND_FOUND 1170
#define IDS_DUPLICATES_SHARED 1171
#define IDS_DELETE_BOOKMARKS 1172
#define IDS_RESULT_COLUMN_NAME 1173
#define IDS_RESULT_COLUMN_URL 1174
#define IDS_RESULT_COLUMN_GROUP 1175
// What a screen reader calls the panes and the controls no label names.
#define IDS_GROUP_PANE_NAME 1176
#define IDS_ITEM_PANE_NAME 1177
#define IDS_DESCRIPTION_NAME 1178
#define IDS_RESULTS_NAME 1179
#define IDS_PROGRESS_NAME 1180
// The properties sheet's bookmark went while the sheet was open.
#define IDS_EDITED_BOOKMARK_GONE 1190
// Restore Backup's columns and a damaged backup's counts; the status line
// of a save whose backup failed.
#define IDS_BACKUP_COLUMN_TIME 1300
#define IDS_BACKUP_COLUMN_GROUPS 1301
#define IDS_BACKUP_COLUMN_BOOKMARKS 1302
#define IDS_BACKUP_DAMAGED 1303
#define IDS_BACKUP_FAILED 1304
// A collection changed by another program: the status line of its reload,
// the question for a sync service's conflict copy, Merge Collection's
// dialog title.
#define IDS_RELOADED 1305
#define IDS_MERGE_CONFLICT_COPY 1306
#define IDS_MERGE_COLLECTION_TITLE 1307

// The portable core's texts (store/CoreText.h), in its order from IDS_CORE_TEXTS.
#define IDS_CORE_TEXTS 1200
#define IDS_CORE_FILE_BAD_FORMAT 1200
#define IDS_CORE_FILE_NOT_FOUND 1201
#define IDS_CORE_FILE_OPEN_SHARED 1202
#define IDS_CORE_FILE_SAVE_SHARED 1203
#define IDS_CORE_FILE_DISK_FULL 1204
#define IDS_CORE_FILE_OPEN_FAILED 1205
#define IDS_CORE_FILE_SAVE_FAILED 1206
#define IDS_CORE_ACCESS_FAILED 1207
#define IDS_CORE_ACCESS_NOT_FOUND 1208
#define IDS_CORE_ACCESS_BAD_PATH 1209
#define IDS_CORE_ACCESS_DENIED 1210
#define IDS_CORE_ACCESS_SHARING 1211
#define IDS_CORE_ACCESS_DISK_FULL 1212
#define IDS_CORE_ACCESS_PAST_END 1213
#define IDS_CORE_SAVE_CHANGES 1214
#define IDS_CORE_BROWSER_FILE_TOO_LARGE 1215
#define IDS_CORE_NOT_BROWSER_FILE 1216
#define IDS_CORE_IMPORTED_INTO 1217
#define IDS_CORE_BOOKMARK_ONE 1218
#define IDS_CORE_BOOKMARK_MANY 1219
#define IDS_CORE_GROUP_ONE 1220
#define IDS_CORE_GROUP_MANY 1221
#define IDS_CORE_STORED_ONE 1222
#define IDS_CORE_STORED_MANY 1223
#define IDS_CORE_REPEATED_ONE 1224
#define IDS_CORE_REPEATED_MANY 1225
#define IDS_CORE_UNCONVERTIBLE_ONE 1226
#define IDS_CORE_UNCONVERTIBLE_MANY 1227
#define IDS_CORE_SKIPPED_ONE 1228
#define IDS_CORE_SKIPPED_MANY 1229
#define IDS_CORE_READ_ADDRESS_BOOK_FAILED 1230
#define IDS_CORE_NOT_ADDRESS_BOOK 1231
#define IDS_CORE_NO_ADDRESS_BOOK_URLS 1232
#define IDS_CORE_READ_HTML_FAILED 1233
#define IDS_CORE_NO_HTML_URLS 1234
#define IDS_CORE_WRONG_FILE_FORMAT 1235
#define IDS_CORE_NO_SHORTCUT_URLS 1236
#define IDS_CORE_WRONG_CLIPBOARD_FORMAT 1237
#define IDS_CORE_CANNOT_UNDO 1238
#define IDS_CORE_NO_BROWSER 1239
#define IDS_CORE_CANNOT_OPEN_URL 1240
#define IDS_CORE_DELETE_GROUP_QUESTION 1241
#define IDS_CORE_DELETE_ITEM_QUESTION 1242
#define IDS_CORE_IMPORTED_TITLE 1243
#define IDS_CORE_CHANGE_ADDED 1244
#define IDS_CORE_CHANGE_DELETED 1245
#define IDS_CORE_CHANGE_IMPORTED 1246
#define IDS_CORE_CHANGE_EDITED 1247
#define IDS_CORE_CHANGE_MOVED 1248
#define IDS_CORE_CHANGE_ADDED_GROUP 1249
#define IDS_CORE_CHANGE_RENAMED_GROUP 1250
#define IDS_CORE_CHANGE_DELETED_GROUP 1251
#define IDS_CORE_MERGED_ELSEWHERE 1252
#define IDS_CORE_MERGED_ELSEWHERE_CHANGED 1253
#define IDS_CORE_MERGED_ADDED_ONE 1254
#define IDS_CORE_MERGED_ADDED_MANY 1255
#define IDS_CORE_MERGED_REMOVED_ONE 1256
#define IDS_CORE_MERGED_REMOVED_MANY 1257
#define IDS_CORE_MERGED_CHANGED_ONE 1258
#define IDS_CORE_MERGED_CHANGED_MANY 1259
#define IDS_CORE_MERGED_KEPT_TWICE_ONE 1260
#define IDS_CORE_MERGED_KEPT_TWICE_MANY 1261
#define IDS_CORE_MERGED_COLLECTION 1262
#define IDS_CORE_NOT_CHROMIUM_FILE 1263
#define IDS_CORE_NOT_FIREFOX_BACKUP 1264
#define IDS_CORE_NOT_XBEL_FILE 1265

// The History window.
#define IDD_HISTORY 190
#define IDC_HISTORY_LIST 1195
#define IDC_HISTORY_UNDO 1196
#define IDC_HISTORY_REDO 1197
#define IDC_HISTORY_NOTE 1198
#define IDS_HISTORY_COLUMN_TIME 1290
#define IDS_HISTORY_COLUMN_CHANGE 1291
#define IDS_HISTORY_DROPPED_ONE 1292
#define IDS_HISTORY_DROPPED_MANY 1293
#define IDS_HISTORY_NAME 1294
#define ID_EDIT_HISTORY 32895

// The tray menu's last entry when a list is too long for its range.
#define IDS_TRAY_MORE 1104

// The program's own commands.
#define ID_GROUP_ADD 32771
#define ID_GROUP_DELETE 32772
#define ID_GROUP_RENAME 32773
#define ID_ITEM_NEW_URL 32774
#define ID_ITEM_DELETE 32775
#define ID_ITEM_PROPERTIES 32776
#define ID_ITEM_SAVE_AS_FILE 32777
#define ID_GROUP_SAVE_AS_HTML 32778
#define ID_FILE_SAVE_AS_HTML 32779
#define ID_IMPORT_MARKBOX 32780
#define ID_ITEM_OPEN 32781
#define ID_INDICATOR_URL 32782
#define ID_VIEW_LARGE_ICONS 32787
#define ID_VIEW_SMALL_ICONS 32788
#define ID_VIEW_LIST 32789
#define ID_VIEW_DETAILS 32790
#define ID_IMPORT_HTML 32800
#define ID_VIEW_ARRANGE 32801
#define ID_ARRANGE_BY_NAME 32802
#define ID_ARRANGE_BY_URL 32803
#define ID_ITEM_RENAME 32805
#define ID_ITEM_OPEN_NEW_WINDOW 32806
#define ID_PREF_DELETE_SOURCE 32807
#define ID_PREF_OPEN_EXISTING_WINDOW 32808
#define ID_PREF_OPEN_NEW_WINDOW 32809
#define ID_PREF_SAVE_LEFT_WIDTH 32810
#define ID_SWITCH_PANE 32811
#define ID_PREF_QUICK_EDIT 32817
#define ID_TRAY_SHOW 32818
#define ID_PREF_MINIMISE_TO_TRAY 32820
#define ID_IMPORT_FOLDER 32833
#define ID_PREF_OPEN_LAST_FILE 32834
#define ID_ITEM_NEW_EMAIL 32841
#define ID_IMPORT_ADDRESS_BOOK 32842
#define ID_OPEN_IN_MSIE 32843
#define ID_OPEN_IN_NETSCAPE 32844
#define ID_PREF_CONFIGURE_BROWSERS 32845
#define ID_OPEN_IN_CUSTOM 32846
#define ID_ITEM_COPY_URL 32847
#define ID_IMPORT_LINKHIVE20 32848
#define ID_COLOUR_BACKGROUND 32849
#define ID_COLOUR_USE_SYSTEM 32851
#define ID_COLOUR_FONT 32852
#define ID_SCHEME_SPACE 32854
#define ID_SCHEME_NAVY 32856
#define ID_SCHEME_AQUARIUM 32857
#define ID_SCHEME_GREEN_FIELD 32858
#define ID_SCHEME_TWILIGHT 32859
#define ID_SCHEME_SEA 32860
#define ID_PREF_ONE_INSTANCE 32863
#define ID_SEARCH_ALTAVISTA 32864
#define ID_SEARCH_HOTBOT 32866
#define ID_SEARCH_INFOSEEK 32869
#define ID_SEARCH_YANDEX 32870
#define ID_SEARCH_APORT 32871
#define ID_SEARCH_RAMBLER 32872
#define ID_SEARCH_EUROSEEK 32874
#define ID_COLOUR_USE_CUSTOM 32876
#define ID_SCHEME_MEADOW 32877
#define ID_IMPORT_BROWSER_BOOKMARKS 32878
#define ID_FILE_EXPORT_BROWSER_BOOKMARKS 32879
#define ID_TOOLS_CHECK_LINKS 32880
#define ID_EDIT_FIND 32881
#define ID_EDIT_FIND_NEXT 32882
#define ID_TOOLS_DUPLICATES 32883
#define ID_FILE_RESTORE_BACKUP 32890
#define ID_PREF_KEEP_BACKUPS 32891
#define ID_FILE_MERGE_COLLECTION 32892
// The browsers' own bookmark files.
#define ID_IMPORT_CHROMIUM 32900
#define ID_IMPORT_FIREFOX 32901
#define ID_IMPORT_XBEL 32902
#define ID_FILE_EXPORT_XBEL 32903
#define ID_FILE_EXPORT_CHROMIUM 32904
#define IDS_IMPORT_CHROMIUM_TITLE 1310
#define IDS_IMPORT_CHROMIUM_FILTER 1311
#define IDS_IMPORT_FIREFOX_TITLE 1312
#define IDS_IMPORT_FIREFOX_FILTER 1313
#define IDS_IMPORT_XBEL_TITLE 1314
#define IDS_IMPORT_XBEL_FILTER 1315
#define IDS_EXPORT_XBEL_TITLE 1316
#define IDS_EXPORT_XBEL_FILTER 1317
#define IDS_EXPORT_CHROMIUM_TITLE 1318
#define IDS_EXPORT_CHROMIUM_FILTER 1319
#define IDC_DUPLICATES_SIMILAR 1400

// Quick Open: the preference of its key, its window and the key's dialog.
#define ID_PREF_QUICK_OPEN_KEY 32910
#define IDD_QUICK_OPEN 210
#define IDD_QUICK_OPEN_KEY 211
#define IDC_QUICK_OPEN_TEXT 1410
#define IDC_QUICK_OPEN_KEY 1411
#define IDC_QUICK_OPEN_NONE 1412
#define IDS_QUICK_OPEN_KEY_TAKEN 1330
// The id of the frame's hot key (RegisterHotKey).
#define IDH_QUICK_OPEN 1

// The tray icon's callback message to the frame.
#define WM_TRAY_NOTIFY 0x040A
// A bookmark list dialog asks its owner to go to the bookmark at store
// index wParam; and refreshes itself once a change is over.
#define WM_GO_TO_BOOKMARK 0x040B
#define WM_REFRESH_LIST 0x040C
// A file handed over by a second start waits its turn.
#define WM_OPEN_HANDED_FILE 0x040D
// A save could not keep a backup: the status bar says so once the command
// that saved (and set the idle text) is over.
#define WM_BACKUP_FAILED 0x0410
// Something changed in the collection's folder; a collection was opened and
// its file wants a look (the conflict copies beside it too).
#define WM_FOLDER_CHANGED 0x0411
#define WM_CHECK_COLLECTION 0x0412
// Quick Open asks its owner to open the bookmark at store index wParam, as
// lParam says (QuickOpenWay).
#define WM_QUICK_OPEN_BOOKMARK 0x0413
// The Quick Open key could not be had at start-up: said once the window is up.
#define WM_QUICK_OPEN_KEY_TAKEN 0x0414

// WM_COPYDATA's dwData when a second start hands the first its file ("LKHF").
#define COPYDATA_OPEN_FILE 0x4C4B4846

// Timers: the Find dialog's pause after the last key.
#define IDT_FIND_TYPING 1
// The main window retries a handed-over file while a dialog holds it.
#define IDT_HANDED_FILE 2
// The main window looks at its collection's file a moment after its folder
// changed, or once a dialog no longer holds it.
#define IDT_CHECK_COLLECTION 3

// Tray menu entries made at run time.
#define ID_TRAY_ITEM_FIRST 35000
#define ID_TRAY_ITEM_LAST 35999
#define ID_TRAY_GROUP_FIRST 36000
#define ID_TRAY_GROUP_LAST 36999
