#pragma once
// Every private message of the installer, with its fixed number and what it carries.
// The numbers are part of the program's contract between its windows and threads;
// never renumber them.
#include <windows.h>

// --- Phase ends, posted to the install driver's view. lParam is always 0. ----------------

// The wizard sheet ended, after destroying its window. wParam: 1 finished, 2 cancelled.
inline constexpr UINT WM_SETUP_WIZARD_DONE = WM_USER + 0;       // 0x400
// The copy phase ended. wParam: 0 nothing to copy, 1 every file processed, 2 stopped.
inline constexpr UINT WM_SETUP_COPY_DONE = WM_USER + 1;         // 0x401
// The system update ended (the dialog destroys itself right after). wParam: 1 done, 2 stopped.
inline constexpr UINT WM_SETUP_UPDATE_DONE = WM_USER + 2;       // 0x402
// The free-space check ended. wParam: 1 enough space, 2 at least one drive is short.
inline constexpr UINT WM_SETUP_DISKCHECK_DONE = WM_USER + 10;   // 0x40A

// To the main window, posted after a failure the user was told about: the running phase
// is stopped (its worker first) and the installation ends. No parameters.
inline constexpr UINT WM_SETUP_END_NOW = WM_USER + 3;           // 0x403

// Completion codes carried in wParam of the messages above.
inline constexpr WPARAM SETUP_NOTHING_DONE = 0;  // copy: nothing to copy
inline constexpr WPARAM SETUP_DONE = 1;
inline constexpr WPARAM SETUP_STOPPED = 2;

// --- Copy engine: copy worker thread <-> copy progress dialog. ---------------------------

// Worker to dialog, sent (the worker waits). wParam: bytes to add to the progress. lParam: 0.
inline constexpr UINT WM_COPY_PROGRESS = WM_USER + 20;          // 0x414
// Worker to dialog, posted: every item was processed. No parameters.
inline constexpr UINT WM_COPY_FINISHED = WM_USER + 21;          // 0x415
// Worker to dialog, posted: the copy was stopped. No parameters.
inline constexpr UINT WM_COPY_ABORTED = WM_USER + 22;           // 0x416
// Dialog to worker, posted thread message: begin. No parameters.
inline constexpr UINT WM_COPY_START = WM_USER + 30;             // 0x41E
// Worker to itself, posted thread message: process the current item. No parameters.
inline constexpr UINT WM_COPY_NEXT = WM_USER + 31;              // 0x41F
// Dialog to worker, posted thread message: the user confirmed cancelling. No parameters.
inline constexpr UINT WM_COPY_CANCEL = WM_USER + 32;            // 0x420

// --- System update: update worker thread <-> update dialog. ------------------------------

// Worker to dialog, posted: every list was worked through. No parameters.
inline constexpr UINT WM_UPDATE_FINISHED = WM_USER + 40;        // 0x428
// Worker to dialog, sent (the worker waits): make the program group. No parameters.
inline constexpr UINT WM_UPDATE_CREATE_GROUP = WM_USER + 41;    // 0x429
// Worker to dialog, sent (the worker waits): add a program icon. lParam: the CFileItem pointer.
inline constexpr UINT WM_UPDATE_ADD_ITEM = WM_USER + 42;        // 0x42A
// To the worker, posted thread message: do the next item. No parameters.
inline constexpr UINT WM_UPDATE_STEP = WM_USER + 50;            // 0x432
