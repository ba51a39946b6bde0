#pragma once
// The control ids of a wizard-mode property sheet's own buttons, as the system's sheet
// numbers them. A click on one of them (WM_COMMAND / BN_CLICKED to the sheet) is how
// the sheet is driven, by a user, by a test or by the UI driver.
namespace fw {

constexpr int kWizardBackButton = 0x3023;
constexpr int kWizardNextButton = 0x3024;
constexpr int kWizardFinishButton = 0x3025;

}  // namespace fw
