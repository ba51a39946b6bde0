#include "wizard/WelcomePage.h"

#include "core/PercentFormat.h"
#include "resources/wizard_ids.h"

CWelcomePage::CWelcomePage() : fw::PropPage(IDD_WELCOME_PAGE) {}

BOOL CWelcomePage::OnInitDialog() {
    // The template's text is the format; the product name fills both of its places.
    SetItemText(IDC_WELCOME_TEXT, core::FormatPercentS(GetItemText(IDC_WELCOME_TEXT), m_strProduct));
    return TRUE;
}

BOOL CWelcomePage::OnSetActive() {
    SetWizardButtons(PSWIZB_NEXT);
    return fw::PropPage::OnSetActive();
}
