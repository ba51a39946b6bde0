// The installer's wizard under Wine: the sheet and its pages driven as a user would,
// clicking the sheet's buttons, typing and answering its questions.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "common/Messages.h"
#include "resources/wizard_ids.h"
#include "script/PathMacros.h"
#include "script/SetupItems.h"
#include "wizard/InstallOptionPage.h"
#include "wizard/SetupSheet.h"
#include "wizard/UserNamePage.h"
#include "wizard/WelcomePage.h"

using namespace uitest;

namespace {

constexpr int kRetry = IDOK;     // "再試行(&R)"
constexpr int kStop = IDCANCEL;  // "中止(&X)"

// Counts the stop questions it asks.
class CountingSheet : public CSetupSheet {
public:
    explicit CountingSheet(HWND parent) : CSetupSheet("", parent) {}
    int m_nQuestions = 0;
    void QueryCancel() override {
        ++m_nQuestions;
        CSetupSheet::QueryCancel();
    }
};

// Runs the action (which opens the stop question on this thread) and answers the
// question with the button; false when no question came.
bool AnsweredStopQuestion(int button, const std::function<void()>& action) {
    bool answered = false;
    BesideThread answerer([&] { answered = AnswerStopQuestion(button); });
    action();
    answerer.Join();
    PumpUntilIdle();
    return answered;
}

std::string UserNameMacro() {
    std::string text = "$UserName$";
    ExpandMacros(text);
    return text;
}

}  // namespace

TEST(WizardSheet, WelcomeOnlyEndsOnNextAndReportsFinishedAfterItsWindowIsGone) {
    DoneRecorder parent;
    CWelcomePage welcome;
    welcome.m_strProduct = "テスト 100%s";
    CSetupSheet sheet("", parent.GetHwnd());
    sheet.AddPage(&welcome);
    ASSERT_TRUE(sheet.Create());
    ASSERT_TRUE(PumpUntil([&] { return Enabled(sheet, fw::kWizardNextButton); }));
    EXPECT_TRUE(IsWindowVisible(sheet.GetHwnd()));
    EXPECT_FALSE(Enabled(sheet, fw::kWizardBackButton));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet.GetHwnd(), fw::kWizardFinishButton)));
    // Both places of the template's text hold the product name, taken as it is.
    EXPECT_EQ(welcome.GetItemText(IDC_WELCOME_TEXT),
              "テスト 100%sセットアップ プログラムへようこそ。このプログラムは、コンピュータに テスト 100%s "
              "をインストールします。");

    Click(sheet, fw::kWizardNextButton);
    ASSERT_TRUE(PumpUntil([&] { return !parent.m_arrCodes.empty(); }));
    EXPECT_FALSE(sheet.IsAlive());
    EXPECT_EQ(parent.m_arrCodes, std::vector<WPARAM>{SETUP_DONE});
    EXPECT_FALSE(parent.m_bSheetAliveAtDone);
}

TEST(WizardSheet, CancelEscAndCloseBoxAskOnceAndRetryKeepsThePageAndItsInput) {
    DoneRecorder parent;
    SetUserNameMacro("");
    CWelcomePage welcome;
    CUserNamePage userName;
    CountingSheet sheet(parent.GetHwnd());
    sheet.AddPage(&welcome);
    sheet.AddPage(&userName);
    ASSERT_TRUE(sheet.Create());
    PumpUntilIdle();
    Click(sheet, fw::kWizardNextButton);
    ASSERT_EQ(sheet.GetActivePage(), &userName);
    HWND edit = PageItem(sheet, IDC_USER_NAME);
    TypeText(edit, "山田");

    EXPECT_TRUE(AnsweredStopQuestion(kRetry, [&] { Click(sheet, IDCANCEL); }));
    EXPECT_EQ(sheet.m_nQuestions, 1);
    SetFocus(edit);
    EXPECT_TRUE(AnsweredStopQuestion(kRetry, [&] {
        PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
        PumpUntil([&] { return sheet.m_nQuestions == 2; }, 10000);
    }));
    EXPECT_EQ(sheet.m_nQuestions, 2);
    EXPECT_TRUE(AnsweredStopQuestion(kRetry, [&] { SendMessageA(sheet.GetHwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); }));
    EXPECT_EQ(sheet.m_nQuestions, 3);  // the close box asks once

    ASSERT_TRUE(sheet.IsAlive());
    EXPECT_EQ(sheet.GetActivePage(), &userName);
    EXPECT_EQ(ItemText(PropSheet_GetCurrentPageHwnd(sheet.GetHwnd()), IDC_USER_NAME), "山田");
    EXPECT_TRUE(parent.m_arrCodes.empty());

    EXPECT_TRUE(AnsweredStopQuestion(kStop, [&] { Click(sheet, IDCANCEL); }));
    ASSERT_TRUE(PumpUntil([&] { return !parent.m_arrCodes.empty(); }));
    EXPECT_FALSE(sheet.IsAlive());
    EXPECT_EQ(parent.m_arrCodes, std::vector<WPARAM>{SETUP_STOPPED});
    EXPECT_FALSE(parent.m_bSheetAliveAtDone);
    EXPECT_EQ(UserNameMacro(), "山田");  // the page stored the name as the user typed it
}

TEST(WizardUserName, MinimumCountsBytesAndTheNameBecomesTheMacro) {
    DoneRecorder parent;
    SetUserNameMacro("");
    CWelcomePage welcome;
    CUserNamePage userName;
    userName.m_nMinLength = 3;
    userName.m_nMaxLength = 5;
    CSetupSheet sheet("", parent.GetHwnd());
    sheet.AddPage(&welcome);
    sheet.AddPage(&userName);
    ASSERT_TRUE(sheet.Create());
    PumpUntilIdle();
    Click(sheet, fw::kWizardNextButton);
    ASSERT_EQ(sheet.GetActivePage(), &userName);
    EXPECT_TRUE(Enabled(sheet, fw::kWizardBackButton));
    EXPECT_FALSE(Enabled(sheet, fw::kWizardNextButton));

    HWND edit = PageItem(sheet, IDC_USER_NAME);
    TypeText(edit, "ab");
    EXPECT_FALSE(Enabled(sheet, fw::kWizardNextButton));
    EXPECT_EQ(UserNameMacro(), "ab");
    TypeText(edit, "abc");
    EXPECT_TRUE(Enabled(sheet, fw::kWizardNextButton));
    TypeText(edit, "ア");  // one double-byte character: two bytes
    EXPECT_FALSE(Enabled(sheet, fw::kWizardNextButton));
    TypeText(edit, "aア");
    EXPECT_TRUE(Enabled(sheet, fw::kWizardNextButton));
    EXPECT_EQ(UserNameMacro(), "aア");
    EXPECT_TRUE(Enabled(sheet, fw::kWizardBackButton));

    // The length limit applies to typing.
    TypeText(edit, "abcdefgh");
    EXPECT_EQ(ItemText(PropSheet_GetCurrentPageHwnd(sheet.GetHwnd()), IDC_USER_NAME), "abcde");
    // It counts bytes: three double-byte characters are six, so only two of them stay.
    TypeText(edit, "アイウ");
    EXPECT_EQ(ItemText(PropSheet_GetCurrentPageHwnd(sheet.GetHwnd()), IDC_USER_NAME), "アイ");
    EXPECT_EQ(UserNameMacro(), "アイ");

    // Back and Next again: the state is worked out anew on activation.
    TypeText(edit, "ab");
    Click(sheet, fw::kWizardBackButton);
    Click(sheet, fw::kWizardNextButton);
    EXPECT_FALSE(Enabled(sheet, fw::kWizardNextButton));
    EXPECT_EQ(UserNameMacro(), "ab");

    // Enter presses the default button, Next, which ends the wizard on the last page.
    TypeText(edit, "abc");
    SetFocus(edit);
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(PumpUntil([&] { return !parent.m_arrCodes.empty(); }));
    EXPECT_EQ(parent.m_arrCodes, std::vector<WPARAM>{SETUP_DONE});
}

TEST(WizardUserName, NoMinimumLeavesTheButtonsAsThePreviousPageSetThem) {
    DoneRecorder parent;
    CWelcomePage welcome;
    CUserNamePage userName;
    CSetupSheet sheet("", parent.GetHwnd());
    sheet.AddPage(&welcome);
    sheet.AddPage(&userName);
    ASSERT_TRUE(sheet.Create());
    PumpUntilIdle();
    Click(sheet, fw::kWizardNextButton);
    ASSERT_EQ(sheet.GetActivePage(), &userName);
    TypeText(PageItem(sheet, IDC_USER_NAME), "");
    // The welcome page left Next only; with no minimum nothing changes that.
    EXPECT_TRUE(Enabled(sheet, fw::kWizardNextButton));
    EXPECT_FALSE(Enabled(sheet, fw::kWizardBackButton));

    // The last page shows Next, which ends the wizard.
    Click(sheet, fw::kWizardNextButton);
    ASSERT_TRUE(PumpUntil([&] { return !parent.m_arrCodes.empty(); }));
    EXPECT_EQ(parent.m_arrCodes, std::vector<WPARAM>{SETUP_DONE});
}

TEST(WizardOption, KeepsItsSelectionOverBackAndNext) {
    COptionItem typical("標準", "TYP,よく使われる構成"), minimum("最小", "TYP,最小の構成"),
        custom("カスタム", "TYP,選んだものだけ");
    const COptionItemArray options = {&typical, &minimum, &custom};
    DoneRecorder parent;
    CWelcomePage welcome;
    CInstallOptionPage optionPage;
    optionPage.m_pOptions = &options;
    CSetupSheet sheet("", parent.GetHwnd());
    sheet.AddPage(&welcome);
    sheet.AddPage(&optionPage);
    ASSERT_TRUE(sheet.Create());
    PumpUntilIdle();
    Click(sheet, fw::kWizardNextButton);
    ASSERT_EQ(sheet.GetActivePage(), &optionPage);
    HWND page = PropSheet_GetCurrentPageHwnd(sheet.GetHwnd());
    HWND list = GetDlgItem(page, IDC_INSTALL_OPTIONS);
    EXPECT_EQ(ListItems(list), (std::vector<std::string>{"標準", "最小", "カスタム"}));
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ItemText(page, IDC_INSTALL_OPTION_DESCRIPTION), "よく使われる構成");
    EXPECT_EQ(optionPage.m_strOption, "標準");
    EXPECT_TRUE(Enabled(sheet, fw::kWizardBackButton));
    EXPECT_TRUE(Enabled(sheet, fw::kWizardNextButton));

    SendMessageA(list, LB_SETCURSEL, 2, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_INSTALL_OPTIONS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(optionPage.m_strOption, "カスタム");
    Click(sheet, fw::kWizardBackButton);
    Click(sheet, fw::kWizardNextButton);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(ItemText(page, IDC_INSTALL_OPTION_DESCRIPTION), "選んだものだけ");

    Click(sheet, fw::kWizardNextButton);
    ASSERT_TRUE(PumpUntil([&] { return !parent.m_arrCodes.empty(); }));
    EXPECT_EQ(optionPage.m_strOption, "カスタム");  // kept after the window is gone
}
