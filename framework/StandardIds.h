// The framework's standard identifiers, shared by the resources and the code.
// Only #defines: the resource compiler reads this file too.
#pragma once

// Strings.
#define IDS_APP_TITLE 57344
#define IDS_IDLE_MESSAGE 57345
#define IDS_RECENT_FILE_NONE 57346  // the greyed entry of an empty recent-file list

// File, Edit, Help and Exit commands.
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_FILE_MRU_FILE1 57616
#define ID_FILE_MRU_FILE4 57619
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_PASTE 57637
#define ID_EDIT_UNDO 57643
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393

// Window identifiers of the frame's children; the bars share their
// show/hide commands' numbers.
#define IDW_TOOLBAR 59392
#define IDW_STATUS_BAR 59393
#define IDW_SPLITTER 59648
#define IDW_FIRST_PANE 0xE900

// The toolbar layout resource beside bitmap 128: WORDs version 1, width 16,
// height 16, count, then one command per entry with 0 for a gap.
#define RT_TOOLBAR_LAYOUT 241

// The system's caret-blink timer; the idle loop does not count it as work.
#define WM_SYSTIMER 0x0118
