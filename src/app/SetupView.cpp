#include "app/SetupView.h"

#include "app/SetupDoc.h"

CSetupDoc* CSetupView::GetSetupDoc() const { return dynamic_cast<CSetupDoc*>(GetDocument()); }

LRESULT CSetupView::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) { return DefaultProc(msg, wParam, lParam); }
