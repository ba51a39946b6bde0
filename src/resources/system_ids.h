#pragma once
// Identifiers of the system update's wait dialog (system.rc).

#define IDD_UPDATE_SYSTEM 138
