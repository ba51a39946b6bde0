#pragma once
// The setup document: everything read from SETUP.INF and the wizard's answers.
#include "framework/Document.h"

class CSetupDoc : public fw::Document {
public:
    BOOL OnNewDocument() override;
};
