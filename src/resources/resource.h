#pragma once
// Resource identifiers of the installer (shared by setup.rc and the code).

// Application icon, and the document template's string (title first).
#define IDR_MAINFRAME 128
// About box: icon, version line, OK.
#define IDD_ABOUTBOX 100
#define IDC_ABOUT_VERSION 1000
