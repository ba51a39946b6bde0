#pragma once
// First page of the wizard: greets the user with the product's name.
#include <string>

#include "framework/PropSheet.h"

class CWelcomePage : public fw::PropPage {
public:
    CWelcomePage();

    std::string m_strProduct;

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
};
