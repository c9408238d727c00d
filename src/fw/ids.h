// The framework's own identifiers: the standard commands, the strings it
// shows and the ids of the windows it makes. The program's resource script
// defines the strings; res/resource.h includes this header so that both
// name them alike. Only #define lines, for the resource compiler.
#pragma once

// Standard commands
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_CLOSE 57602
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_FILE_PRINT_SETUP 57606
#define ID_FILE_PRINT 57607
#define ID_FILE_PRINT_PREVIEW 57609
#define ID_FILE_MRU_FIRST 57616
#define ID_FILE_MRU_FILE2 57617
#define ID_FILE_MRU_FILE3 57618
#define ID_FILE_MRU_FILE4 57619
#define ID_FILE_MRU_FILE5 57620
#define ID_FILE_MRU_FILE6 57621
#define ID_FILE_MRU_FILE7 57622
#define ID_FILE_MRU_FILE8 57623
#define ID_FILE_MRU_FILE9 57624
#define ID_FILE_MRU_FILE10 57625
#define ID_FILE_MRU_FILE11 57626
#define ID_FILE_MRU_FILE12 57627
#define ID_FILE_MRU_FILE13 57628
#define ID_FILE_MRU_FILE14 57629
#define ID_FILE_MRU_FILE15 57630
#define ID_FILE_MRU_LAST 57631
#define ID_EDIT_CLEAR 57632
#define ID_EDIT_CLEAR_ALL 57633
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_FIND 57636
#define ID_EDIT_PASTE 57637
#define ID_EDIT_REPEAT 57640
#define ID_EDIT_REPLACE 57641
#define ID_EDIT_SELECT_ALL 57642
#define ID_EDIT_UNDO 57643
#define ID_EDIT_REDO 57644
#define ID_WINDOW_SPLIT 57653
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393

// The application's name (the caption of its message boxes) and the idle
// message of the status bar
#define IDS_APP_NAME 57344
#define IDS_IDLE_MESSAGE 57345

// Status bar indicators: string ids whose text the pane shows while the
// key's lock is on
#define ID_INDICATOR_EXT 59136
#define ID_INDICATOR_CAPS 59137
#define ID_INDICATOR_NUM 59138
#define ID_INDICATOR_SCRL 59139
#define ID_INDICATOR_OVR 59140
#define ID_INDICATOR_REC 59141
#define ID_INDICATOR_KANA 59142

// Prompts of the window menu's commands
#define IDS_SC_SIZE 61184
#define IDS_SC_MOVE 61185
#define IDS_SC_MINIMIZE 61186
#define IDS_SC_MAXIMIZE 61187
#define IDS_SC_NEXTWINDOW 61188
#define IDS_SC_PREVWINDOW 61189
#define IDS_SC_CLOSE 61190
#define IDS_SC_RESTORE 61202
#define IDS_SC_TASKLIST 61203

// The framework's messages and labels
#define IDS_UNTITLED 61440
#define IDS_SAVE_CHANGES 61441
#define IDS_OPEN_FAILED 61442
#define IDS_SAVE_FAILED 61443
#define IDS_FILE_TOO_LARGE 61444
#define IDS_NOT_FOUND_FILE 61445
#define IDS_ACCESS_DENIED 61446
#define IDS_DISK_FULL 61447
#define IDS_UNKNOWN_ERROR 61448
#define IDS_PARSE_INT 61449
#define IDS_INT_RANGE 61450
#define IDS_SAVE_FILTER 61451
#define IDS_UNMAPPABLE 61452
#define IDS_NOT_FOUND 61460
#define IDS_NO_PRINTER 61461
#define IDS_PRINT_FAILED 61462
#define IDS_PREVIEW_TITLE 61463
#define IDS_PREVIEW_PRINT 61464
#define IDS_PREVIEW_NEXT 61465
#define IDS_PREVIEW_PREV 61466
#define IDS_PREVIEW_TWO 61467
#define IDS_PREVIEW_ONE 61468
#define IDS_PREVIEW_ZOOM_IN 61469
#define IDS_PREVIEW_ZOOM_OUT 61470
#define IDS_PREVIEW_CLOSE 61471
#define IDS_PREVIEW_PAGE 61472
#define IDS_OUT_OF_MEMORY 61473
#define IDS_FILE_CHANGED 61474
#define IDS_FILE_CHANGED_EDITED 61475
#define IDS_FILE_DELETED 61476
#define IDS_OVERWRITE_CHANGED 61477
#define IDS_SAVE_DELETED 61478
#define IDS_DECLARATION_MISMATCH 61479
#define IDS_UNMAPPABLE_AT 61520
#define IDS_UNMAPPABLE_MORE 61521
#define IDS_NAME_RESERVED 61522
#define IDS_NAME_FORBIDDEN 61523

// Buttons of the print preview window
#define IDC_PREVIEW_PRINT 1
#define IDC_PREVIEW_NEXT 2
#define IDC_PREVIEW_PREV 3
#define IDC_PREVIEW_TWO 4
#define IDC_PREVIEW_ZOOM_IN 5
#define IDC_PREVIEW_ZOOM_OUT 6
#define IDC_PREVIEW_CLOSE 7

// Windows of the frame
#define IDC_TOOLBAR 59392
#define IDC_STATUSBAR 59393
#define IDC_VIEW_EDIT 59648
