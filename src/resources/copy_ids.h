#pragma once
// Identifiers of the copy progress dialog and the disk prompt (copy.rc).

#define IDD_COPY 132
#define IDD_CHANGE_DISK 144

// The copy progress dialog: the line naming the item in progress, and the bar.
#define IDC_COPY_FILE_NAME 1001
#define IDC_COPY_PROGRESS 1002
// The disk prompt's text ("%d" is the disk number).
#define IDC_CHANGE_DISK_TEXT 1000
