#pragma once
// Identifiers of the copy conflict and error dialogs, the stop question, the abort
// notice, the success message and the free-space check (dialogs.rc and the classes
// that show them).

// Templates.
#define IDD_QUERY_CANCEL 136
#define IDD_SETUP_SUCCESSFULL 139
#define IDD_ERROR_EXIT 140
#define IDD_DETECT_READONLY_FILE 143
#define IDD_CHECK_DISK_FREE_SPACE 145
#define IDD_INFO_DISK_FREE_SPACE 150
#define IDD_ERROR_NO_EXIST_SRC_FILE 152
#define IDD_QUERY_OVERWRITE 153
#define IDD_QUERY_FILE_IN_USE 154
#define IDD_CANNOT_CREATE_TEMP_FILE 155
#define IDD_OUT_OF_MEMORY 156
#define IDD_OUT_OF_DISK_SPACE 157
#define IDD_ERROR_ACCESS_VIOLATION 158
#define IDD_FAIL_WRITE_FILE 160
#define IDD_FAIL_READ_FILE 161
#define IDD_QUERY_SRC_OLD_FILE 162
#define IDD_DIFFERENT_FILE_TYPE 165

// Texts filled when a dialog opens.
#define IDC_MESSAGE_TEXT 1000
#define IDC_MESSAGE_TEXT2 1001
#define IDC_SOURCE_PATH 1020
#define IDC_CURRENT_FILE_SIZE 1023
#define IDC_NEW_FILE_SIZE 1025
#define IDC_CURRENT_FILE_DATE 1028
#define IDC_NEW_FILE_DATE 1029
#define IDC_READONLY_FILE_TEXT 1031
// The read-only question's "do not ask again" check box.
#define IDC_DONT_SHOW_AGAIN 1014
// The shortage list's rows, one per drive that is short of space.
#define IDC_DISK_LIST 1018

// Buttons beyond IDOK (1) and IDCANCEL (2); each ends its dialog with its own id.
#define IDC_ANSWER_YES 1012
#define IDC_ANSWER_NO 1013
#define IDC_ANSWER_CHECK_AGAIN 1016
#define IDC_ANSWER_OVERWRITE_ALL 1021
#define IDC_ANSWER_IGNORE 1027
#define IDC_ANSWER_STOP 1030
