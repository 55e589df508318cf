// Resource and control ids, shared by plimsar.rc and the code.
// The numbers are fixed: they are what the menu, toolbar and dialog templates use.
#pragma once

// Menu and window icons
#define IDR_MAINMENU 13
#define IDI_APP_LARGE 12
#define IDI_APP_SMALL 13

// Bitmaps
#define IDB_TOOLBAR 3
#define IDB_TOOLBAR_150 4
#define IDB_TOOLBAR_200 5
#define IDB_ABOUT 351

// Icons of the file list and the folder picker
#define IDI_FILEROW 300
#define IDI_FILEROW_150 301
#define IDI_FILEROW_200 302
#define IDI_FOLDER_UP 310
#define IDI_FOLDER 311
#define IDI_DRIVE_FIXED 312
#define IDI_DRIVE_CDROM 313
#define IDI_DRIVE_REMOVABLE 314
#define IDI_DRIVE_REMOTE 315
#define IDI_DRIVE_RAMDISK 316

// Main window children
#define IDC_STATUSBAR 1
#define IDC_FILELIST 300
#define IDC_TOOLBAR 329

// Menu commands
#define IDM_EXIT 27
#define IDM_REMOVE_SELECTED 32
#define IDM_REMOVE_ALL 34
#define IDM_SETTINGS 41
#define IDM_HELP 51
#define IDM_HOMEPAGE 52
#define IDM_ABOUT 53
#define IDM_ADD_FILES 37826
#define IDM_ADD_SUBFOLDERS 37827
#define IDM_DESELECT_SELECTED 37828
#define IDM_ADD_FOLDER 37829
#define IDM_RUN_SELECTION 37830
#define IDM_FOLDER_PICKER 37831
#define IDM_RUN_ALL 37832
#define IDM_SELECT_ALL 37836
#define IDM_DRIVE_SEARCH 37839
#define IDM_LIST_SEARCH 37857

// Toolbar commands, in button order
#define IDT_FOLDER_PICKER 330
#define IDT_ADD_SUBFOLDERS 331
#define IDT_ADD_FOLDER 332
#define IDT_ADD_FILES 333
#define IDT_REMOVE 334
#define IDT_RUN 335
#define IDT_STOP 336
#define IDT_HELP 343
#define IDT_EXIT 344

// Dialog templates
#define IDD_ABOUT 1
#define IDD_SETTINGS 2
#define IDD_STOPPING 3
#define IDD_SEARCHING 7
#define IDD_SEARCH 8
#define IDD_PICKER 9

// About box (dialog 1)
#define IDC_ABOUT_HOMEPAGE 101
#define IDC_ABOUT_CREDIT_LIBRARY 102
#define IDC_ABOUT_CREDIT_HEADERS 103
#define IDC_ABOUT_OK 111

// Settings dialog (dialog 2)
#define IDC_SET_PROGRAM 101
#define IDC_SET_NEWTYPE 102
#define IDC_SET_PROGRAM_LABEL 103
#define IDC_SET_BROWSE 104
#define IDC_SET_OPTION1 105
#define IDC_SET_OPTION_LABEL 106
#define IDC_SET_OPTION2 107
#define IDC_SET_FILENAME_LABEL 108
#define IDC_SET_SIZE_LABEL 109
#define IDC_SET_FORCE_END 110
#define IDC_SET_OFF_TIM 111
#define IDC_SET_TIME_LABEL 112
#define IDC_SET_SEC_LABEL 113
#define IDC_SET_REGISTER 114
#define IDC_SET_END_WINDOWS 115
#define IDC_SET_END_TERMINATE 116
#define IDC_SET_OK 117
#define IDC_SET_CANCEL 118
#define IDC_SET_HELP 119
#define IDC_SET_END_GROUP 120
#define IDC_SET_FORCE_GROUP 121
#define IDC_SET_OFF_SIZE 123
#define IDC_SET_PER_SEC_LABEL 125
#define IDC_SET_FILETYPE 164

// Stop-progress dialog (dialog 3) and search-progress dialog (dialog 7)
#define IDC_PROGRESS_LINE1 101
#define IDC_PROGRESS_LINE2 102
#define IDC_PROGRESS_LINE3 103

// Search dialog (dialog 8)
#define IDC_SEARCH_GO 102
#define IDC_SEARCH_TEXT 103

// Folder picker (dialog 9)
#define IDC_PICK_LOAD 105
#define IDC_PICK_FOLDER 106
#define IDC_PICK_LIST 904

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
