// The program's identifiers, shared by the resource script, the code and the
// tests; the framework's own come from fw/ids.h. Only #define lines, for the
// resource compiler.
#pragma once

#include "fw/ids.h"

// Resources
#define IDD_ABOUTBOX 100
#define IDR_MAINFRAME 128
#define IDI_DOCUMENT 129
#define IDR_TABLE_MENU 141
#define IDR_FONT_MENU 142
// The toolbar drawn at 24 and 32 pixels (IDR_MAINFRAME: at 16)
#define IDB_TOOLBAR_24 143
#define IDB_TOOLBAR_32 144

// The program's own commands
#define ID_FILE_NEW_HTML 32771
#define ID_SAVE_AND_BROWSE 32772
#define ID_TAG_BR 32773
#define ID_TAG_PAIR 32774
#define ID_GRADIENT 32775
#define ID_RELATIVE_PATH 32776
#define ID_INSERT_COLOR 32777
#define ID_TAG_TABLE 32778
#define ID_TOPMOST 32779
#define ID_REGSTR_SETTING 32780
#define ID_REGSTR_0 32781
#define ID_REGSTR_1 32782
#define ID_REGSTR_2 32783
#define ID_REGSTR_3 32784
#define ID_REGSTR_4 32785
#define ID_REGSTR_5 32786
#define ID_REGSTR_6 32787
#define ID_REGSTR_7 32788
#define ID_REGSTR_8 32789
#define ID_REGSTR_9 32790
#define ID_REGSTR_A 32791
#define ID_REGSTR_B 32792
#define ID_REGSTR_C 32793
#define ID_REGSTR_D 32794
#define ID_REGSTR_E 32795
#define ID_REGSTR_F 32796
#define ID_FIND_PROMPT 32813
#define ID_REPLACE_PROMPT 32814
#define ID_JUMP 32816
#define ID_SETTING 32817
#define ID_TAG_LINK 32820
#define ID_TAG_IMG 32821
#define ID_TAG_LIST 32822
#define ID_TAG_SCRIPT 32827
#define ID_TAG_HR 32829
#define ID_TAG_FONT 32830
#define ID_TABLE_WIDTH 32831
#define ID_TABLE_HEIGHT 32832
#define ID_TABLE_CELLSPACING 32833
#define ID_TABLE_CELLPADDING 32834
#define ID_TABLE_TR 32835
#define ID_TABLE_TH 32836
#define ID_TABLE_TD 32837
#define ID_TABLE_BGCOLOR 32838
#define ID_TABLE_BACKGROUND 32839
#define ID_TABLE_BORDER 32840
#define ID_TABLE_ROWSPAN 32846
#define ID_TABLE_COLSPAN 32847
#define ID_TABLE_ALIGN 32848
#define ID_TABLE_VALIGN 32849
#define ID_TABLE_BORDERCOLOR 32850
#define ID_TABLE_BORDERCOLORLIGHT 32851
#define ID_TABLE_BORDERCOLORDARK 32852
#define ID_FONT_COLOR 32854
#define ID_FONT_SIZE 32855
#define ID_FONT_FACE 32856
#define ID_FONT_B 32857
#define ID_FONT_I 32858
#define ID_FONT_U 32859
#define ID_FONT_S 32860
#define ID_ZEN_TO_HAN 32861

// The program's messages and filters (beside the framework's in the string
// table)
#define IDS_SAVE_FIRST 61453
#define IDS_NO_RELATIVE_PATH 61454
#define IDS_NO_SUCH_LINE 61455
#define IDS_RELATIVE_FILTER 61456
#define IDS_OPEN_FILTER 61457
#define IDS_GRAD_FULL 61458
#define IDS_TITLE_EMPTY 61459
#define IDS_SAVE_AS_FILTER 61500

// About box
#define IDC_ABOUT_NOTICE 1000
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Snippet dialogs
#define IDD_REGSTR_LIST 132
#define IDD_REGSTR_EDIT 133
#define IDC_REGSTR_BODY 1000
#define IDC_REGSTR_LIST 1001
#define IDC_REGSTR_TITLE 1011
#define IDC_REGSTR_EDIT 1013

// Jump and settings dialogs
#define IDD_JUMP 139
#define IDD_OPTION 140
#define IDC_JUMP_LINE 1019
#define IDC_JUMP_COLUMN 1020
#define IDC_TAGTYPE_LOWER 1021
#define IDC_TAGTYPE_UPPER 1022
#define IDC_TABSTOP 1023
#define IDC_TABSTOP_SPIN 1024

// Gradient dialogs
#define IDD_GRADIENT 130
#define IDD_TITLE 131
#define IDC_GRAD_TEXT 1000
#define IDC_GRAD_LIST 1001
#define IDC_GRAD_REGISTER 1002
#define IDC_GRAD_DELETE 1003
#define IDC_GRAD_START 1004
#define IDC_GRAD_END 1005
#define IDC_GRAD_OK 1007
#define IDC_TITLE_TEXT 1008
#define IDC_GRAD_PREVIEW 1009
