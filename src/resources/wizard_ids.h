#pragma once
// Resource identifiers of the wizard pages and the directory chooser (wizard.rc).

// Welcome page.
#define IDD_WELCOME_PAGE 130
#define IDC_WELCOME_TEXT 1000  // "%s" twice: the product name

// Directory chooser.
#define IDD_BROWSE_DIALOG 134
#define IDC_BROWSE_PATH 1088        // the current directory, editable
#define IDC_BROWSE_FILE_TYPE_LABEL 1089
#define IDC_BROWSE_PROMPT 1090
#define IDC_BROWSE_DRIVE_LABEL 1091
#define IDC_BROWSE_FILE_LIST 1120
#define IDC_BROWSE_DIRECTORIES 1121  // levels of the current directory, then its subdirectories
#define IDC_BROWSE_FILE_TYPES 1136
#define IDC_BROWSE_DRIVES 1137
#define IDC_BROWSE_NETWORK 1037
#define IDC_BROWSE_HELP 1039
#define IDC_BROWSE_READ_ONLY 1040
#define IDC_BROWSE_CREATE 1041
#define IDC_BROWSE_FILE_NAME 1152

// User name page.
#define IDD_USER_NAME_PAGE 146
#define IDC_USER_NAME 1015

// Installation directory page.
#define IDD_INSTALL_DIRECTORY_PAGE 147
#define IDC_INSTALL_DIRECTORY_TEXT 1000  // "%s": the product name
#define IDC_INSTALL_DIRECTORY_NOT_TEXT 1001  // "%s": the product name
#define IDC_INSTALL_DIRECTORY_BROWSE 1003
#define IDC_INSTALL_DIRECTORY 1004

// Install option page.
#define IDD_INSTALL_OPTION_PAGE 148
#define IDC_INSTALL_OPTION_TEXT 1000
#define IDC_INSTALL_OPTIONS 1002
#define IDC_INSTALL_OPTION_DESCRIPTION 1004

// Program folder page.
#define IDD_FOLDER_PAGE 149
#define IDC_FOLDER_TEXT 1000
#define IDC_FOLDER_NAME 1005
#define IDC_FOLDER_LIST 1006
