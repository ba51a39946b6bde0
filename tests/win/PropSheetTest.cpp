// A modeless wizard sheet driven as a user would: its Next/Back buttons clicked, Esc and
// the close box, with the pages' notifications arriving as named methods.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "framework/App.h"
#include "framework/PropSheet.h"
#include "resources/resource.h"

using uitest::Click;
using uitest::Enabled;
using uitest::PumpUntilIdle;

namespace {

constexpr int kBackButton = fw::kWizardBackButton;
constexpr int kNextButton = fw::kWizardNextButton;

std::vector<std::string> g_events;

class RecordingPage : public fw::PropPage {
public:
    RecordingPage(std::string name, DWORD buttons) : PropPage(IDD_ABOUTBOX), m_name(std::move(name)), m_buttons(buttons) {}
    int m_nRefuseNext = 0;

protected:
    BOOL OnSetActive() override {
        g_events.push_back(m_name + ".active");
        SetWizardButtons(m_buttons);
        return TRUE;
    }
    BOOL OnKillActive() override {
        g_events.push_back(m_name + ".leave");
        return TRUE;
    }
    LRESULT OnWizardNext() override {
        g_events.push_back(m_name + ".next");
        if (m_nRefuseNext > 0) {
            --m_nRefuseNext;
            return -1;
        }
        return 0;
    }

private:
    std::string m_name;
    DWORD m_buttons;
};

// Ends itself on Next of the last page, asks nothing on Cancel (counts it instead).
class EndingSheet : public fw::PropSheet {
public:
    EndingSheet() : PropSheet("") { SetWizardMode(); }
    int m_nCancels = 0;
    int m_nCloses = 0;
    bool m_bEnded = false;

protected:
    BOOL OnCommand(WORD id, WORD code, HWND control) override {
        if (id == IDCANCEL) {
            ++m_nCancels;
            return TRUE;
        }
        if (id == kNextButton && GetActiveIndex() + 1 == GetPageCount()) {
            m_bEnded = true;
            DestroyWindow();
            return TRUE;
        }
        return PropSheet::OnCommand(id, code, control);
    }
    BOOL OnClose() override {
        ++m_nCloses;
        return TRUE;
    }
};

}  // namespace

TEST(FrameworkPropSheet, WizardPagesSeeTheirNotificationsAndTheSheetItsCommands) {
    fw::App app;
    g_events.clear();
    RecordingPage first("p0", PSWIZB_NEXT), second("p1", PSWIZB_BACK | PSWIZB_NEXT), last("p2", PSWIZB_BACK);
    second.m_nRefuseNext = 1;
    EndingSheet sheet;
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    sheet.AddPage(&last);
    ASSERT_TRUE(sheet.Create(nullptr));
    ShowWindow(sheet.GetHwnd(), SW_SHOW);
    PumpUntilIdle();
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(sheet.GetActivePage(), &first);
    EXPECT_FALSE(Enabled(sheet, kBackButton));
    EXPECT_TRUE(Enabled(sheet, kNextButton));

    Click(sheet, kNextButton);
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_TRUE(Enabled(sheet, kBackButton));

    Click(sheet, kNextButton);  // refused once by the page: stays
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    Click(sheet, kBackButton);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);

    // Esc and the close box reach the sheet's own handlers, not the system's cancel.
    PostMessageA(sheet.GetHwnd(), WM_CLOSE, 0, 0);
    Click(sheet, IDCANCEL);
    EXPECT_EQ(sheet.m_nCancels, 1);
    EXPECT_EQ(sheet.m_nCloses, 1);
    ASSERT_TRUE(sheet.IsAlive());

    Click(sheet, kNextButton);
    Click(sheet, kNextButton);
    EXPECT_EQ(sheet.GetActiveIndex(), 2);
    Click(sheet, kNextButton);  // last page: the sheet ends itself
    EXPECT_TRUE(sheet.m_bEnded);
    EXPECT_FALSE(sheet.IsAlive());

    // Page p0 became active at the start and after Back; p1's Next was refused once.
    auto count = [](const std::string& e) { return std::count(g_events.begin(), g_events.end(), e); };
    EXPECT_EQ(count("p0.active"), 2);
    EXPECT_EQ(count("p1.next"), 2);
    EXPECT_EQ(count("p2.active"), 1);
    EXPECT_EQ(count("p2.next"), 0);  // the sheet consumed the last Next
}
