// Identifiers shared by the resource script and the program.
#pragma once

#define IDR_MAINFRAME 128
#define IDS_APP_NAME 57344
#define IDS_UNTITLED 61440

#define IDC_VIEW_EDIT 59648
