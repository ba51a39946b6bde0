#pragma once
// Identifiers of the uninstaller's dialogs (uninstaller.rc and the classes that show them).

#define IDD_UNINSTALL_CONFIRM 170
#define IDD_UNINSTALL_PROGRESS 171
#define IDD_UNINSTALL_SHARED_FILE 172
#define IDD_UNINSTALL_DONE 173

// Texts filled when a dialog opens.
#define IDC_UNINSTALL_TEXT 1000
#define IDC_UNINSTALL_ITEM 1001
#define IDC_UNINSTALL_PROGRESS 1002
#define IDC_UNINSTALL_LIST 1003

// The shared-file question's buttons; each ends the dialog with its own id.
#define IDC_SHARED_YES 1012
#define IDC_SHARED_NO 1013
#define IDC_SHARED_YES_TO_ALL 1040
#define IDC_SHARED_NO_TO_ALL 1041
