#include "app/SetupDoc.h"

BOOL CSetupDoc::OnNewDocument() { return fw::Document::OnNewDocument(); }
