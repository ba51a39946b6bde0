// The installer's wizard under Wine: the sheet and its pages driven as a user would,
// clicking the sheet's buttons, typing and answering its questions.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "WizardTestSupport.h"
#include "framework/Messages.h"
#include "resources/wizard_ids.h"
#include "wizard/SetupSheet.h"
#include "wizard/UserNamePage.h"
#include "wizard/WelcomePage.h"

using namespace wizardtest;

TEST(WizardSheet, WelcomeOnlyEndsOnNextAndReportsFinishedAfterItsWindowIsGone) {
    DoneRecorder parent;
    CWelcomePage welcome;
    welcome.m_strProduct = "テスト 100%s";
    CSetupSheet sheet("", parent.GetHwnd());
    sheet.AddPage(&welcome);
    ASSERT_TRUE(sheet.Create());
    ASSERT_TRUE(PumpUntil([&] { return Enabled(sheet, kNextButton); }));
    EXPECT_TRUE(IsWindowVisible(sheet.GetHwnd()));
    EXPECT_FALSE(Enabled(sheet, kBackButton));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet.GetHwnd(), kFinishButton)));
    // Both places of the template's text hold the product name, taken as it is.
    EXPECT_EQ(welcome.GetItemText(IDC_WELCOME_TEXT),
              "テスト 100%sセットアップ プログラムへようこそ。このプログラムは、コンピュータに テスト 100%s "
              "をインストールします。");

    Click(sheet, kNextButton);
    ASSERT_TRUE(PumpUntil([&] { return !parent.m_arrCodes.empty(); }));
    EXPECT_FALSE(sheet.IsAlive());
    EXPECT_EQ(parent.m_arrCodes, std::vector<WPARAM>{SETUP_DONE});
    EXPECT_FALSE(parent.m_bSheetAliveAtDone);
}
