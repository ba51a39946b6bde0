// The worker thread as the copy engine uses it: steps that post the next step to
// themselves, questions shown modally on the worker, a cancel posted by the user-interface
// thread, the pause checkpoint, and stopping.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "UiTestSupport.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "framework/Thread.h"
#include "framework/Window.h"
#include "resources/resource.h"

namespace {

constexpr UINT WM_TEST_STEP = WM_APP + 10;  // wParam: step number
constexpr UINT WM_TEST_CANCEL = WM_APP + 11;
constexpr UINT WM_TEST_NOTE = WM_APP + 12;  // wParam: number to log
constexpr UINT WM_TEST_SEND = WM_APP + 13;  // lParam: window to send WM_NULL to
constexpr DWORD kTimeoutMs = 30000;

// The about box stands in for a question; it publishes its window so the test can answer.
class Question : public fw::Dialog {
public:
    explicit Question(std::atomic<HWND>& shown) : Dialog(IDD_ABOUTBOX), m_shown(shown) {}

protected:
    BOOL OnInitDialog() override {
        m_shown = m_hWnd;
        return TRUE;
    }

private:
    std::atomic<HWND>& m_shown;
};

// Steps 1..m_nLastStep like the copy engine: a cancelled step aborts, otherwise it waits at
// the pause checkpoint, does its work, asks in step m_nAskAt, then posts the next step.
class StepWorker : public fw::UiThread {
public:
    explicit StepWorker(WPARAM lastStep, WPARAM askAt = 0) : m_nLastStep(lastStep), m_nAskAt(askAt) {}
    ~StepWorker() override { Stop(); }

    std::vector<std::string> m_log;  // read by the test once an event or Stop says it is done
    std::atomic<HWND> m_question{nullptr};
    std::atomic<int> m_nStepsEntered{0};
    std::atomic<bool> m_bResumed{false};   // set by the test just before it resumes a paused worker
    bool m_bWorkedWhilePaused = false;      // work began while paused and not yet resumed
    bool m_bReentered = false;
    bool m_bOnOtherThread = true;
    fw::Handle m_hEnded{CreateEventA(nullptr, TRUE, FALSE, nullptr)};   // finished or aborted

    HWND WaitForQuestion() {
        testsupport::WaitUntil([&] { return m_question.load() != nullptr; }, kTimeoutMs);
        return m_question;
    }

protected:
    void OnThreadMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (++m_nDepth > 1) m_bReentered = true;
        if (GetCurrentThreadId() != GetThreadId()) m_bOnOtherThread = false;
        switch (msg) {
        case WM_TEST_STEP:
            OnStep(wParam);
            break;
        case WM_TEST_CANCEL:
            m_log.push_back("cancel");
            m_bCancel = true;
            break;
        case WM_TEST_NOTE:
            m_log.push_back("note " + std::to_string(wParam));
            break;
        case WM_TEST_SEND:
            SetEvent(m_hEnded.Get());
            SendMessageA(reinterpret_cast<HWND>(lParam), WM_NULL, 0, 0);
            break;
        default:
            m_log.push_back("other " + std::to_string(msg));
            break;
        }
        --m_nDepth;
    }
    bool AcceptsMessage(UINT msg) const override { return msg >= WM_TEST_STEP && msg <= WM_TEST_SEND; }

private:
    void OnStep(WPARAM step) {
        if (m_bCancel) {
            m_log.push_back("aborted");
            SetEvent(m_hEnded.Get());
            return;
        }
        m_log.push_back("step " + std::to_string(step));
        ++m_nStepsEntered;
        const bool pausedBefore = IsPaused();
        WaitWhilePaused();
        if (pausedBefore && !m_bResumed) m_bWorkedWhilePaused = true;
        m_log.push_back("work " + std::to_string(step));
        if (step == m_nAskAt) {
            Question question(m_question);
            const INT_PTR answer = question.DoModal();
            m_question = nullptr;
            m_log.push_back("answer " + std::to_string(answer));
        }
        if (step < m_nLastStep) {
            PostToThread(WM_TEST_STEP, step + 1);
        } else {
            m_log.push_back("finished");
            SetEvent(m_hEnded.Get());
        }
    }

    WPARAM m_nLastStep;
    WPARAM m_nAskAt;
    int m_nDepth = 0;
    bool m_bCancel = false;
};

using Log = std::vector<std::string>;

void Answer(HWND question, WORD button) { uitest::PostClick(question, button); }

}  // namespace

TEST(UiThread, HandlesPostedMessagesInOrderOnItsOwnThread) {
    StepWorker worker(3);
    ASSERT_TRUE(worker.Start());
    // Posting works right after Start returns; the thread-id way reaches the loop too.
    ASSERT_TRUE(worker.PostToThread(WM_TEST_NOTE, 7));
    ASSERT_TRUE(PostThreadMessageA(worker.GetThreadId(), WM_TEST_NOTE, 8, 0));
    // Other numbers, as another program's broadcast brings them, are not the thread's.
    ASSERT_TRUE(PostMessageA(worker.GetMessageWindow(), WM_USER + 1, 0, 0));
    ASSERT_TRUE(PostThreadMessageA(worker.GetThreadId(), WM_USER + 2, 0, 0));
    ASSERT_TRUE(worker.PostToThread(WM_TEST_STEP, 1));
    EXPECT_FALSE(worker.PostToThread(WM_TIMER));
    ASSERT_EQ(WaitForSingleObject(worker.m_hEnded.Get(), kTimeoutMs), WAIT_OBJECT_0);
    worker.Stop();
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ(worker.m_log, (Log{"note 7", "note 8", "step 1", "work 1", "step 2", "work 2", "step 3", "work 3",
                                 "finished"}));
    EXPECT_TRUE(worker.m_bOnOtherThread);
    EXPECT_FALSE(worker.PostToThread(WM_TEST_NOTE, 9));
}

TEST(UiThread, MessagesPostedDuringAQuestionArriveInOrderOnceItsHandlerReturns) {
    StepWorker worker(1, 1);
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(worker.PostToThread(WM_TEST_STEP, 1));
    const HWND question = worker.WaitForQuestion();
    ASSERT_NE(question, nullptr);
    // The question's own loop takes these from the queue before the answer.
    ASSERT_TRUE(worker.PostToThread(WM_TEST_NOTE, 7));
    ASSERT_TRUE(worker.PostToThread(WM_TEST_NOTE, 8));
    Answer(question, IDOK);
    worker.Stop();  // the loop delivers everything posted before the stop request first
    EXPECT_EQ(worker.m_log, (Log{"step 1", "work 1", "answer 1", "finished", "note 7", "note 8"}));
    EXPECT_FALSE(worker.m_bReentered);
}

TEST(UiThread, CancelPostedDuringAQuestionComesBeforeTheNextStep) {
    StepWorker worker(3, 1);
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(worker.PostToThread(WM_TEST_STEP, 1));
    const HWND question = worker.WaitForQuestion();
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(worker.PostToThread(WM_TEST_CANCEL));
    Answer(question, IDOK);
    ASSERT_EQ(WaitForSingleObject(worker.m_hEnded.Get(), kTimeoutMs), WAIT_OBJECT_0);
    EXPECT_EQ(worker.m_log, (Log{"step 1", "work 1", "answer 1", "cancel", "aborted"}));
}

TEST(UiThread, StoppingLetsTheOpenQuestionBeAnswered) {
    StepWorker worker(1, 1);
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(worker.PostToThread(WM_TEST_STEP, 1));
    const HWND question = worker.WaitForQuestion();
    ASSERT_NE(question, nullptr);
    worker.RequestStop();
    // Not IDOK: a dialog ended by anything but a button returns IDOK here.
    Answer(question, IDCANCEL);
    ASSERT_EQ(WaitForSingleObject(worker.GetThreadHandle(), kTimeoutMs), WAIT_OBJECT_0);
    worker.Stop();
    EXPECT_EQ(worker.m_log, (Log{"step 1", "work 1", "answer 2", "finished"}));
}

TEST(UiThread, StopAnswersWhatTheWorkerSendsToTheStoppingThread) {
    fw::FrameWindow target;
    ASSERT_TRUE(target.CreateFrame("target", WS_OVERLAPPED));
    StepWorker worker(1);
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(worker.PostToThread(WM_TEST_SEND, 0, reinterpret_cast<LPARAM>(target.GetHwnd())));
    ASSERT_EQ(WaitForSingleObject(worker.m_hEnded.Get(), kTimeoutMs), WAIT_OBJECT_0);
    worker.Stop();  // must answer the sent message instead of waiting forever
    EXPECT_FALSE(worker.IsRunning());
}

TEST(UiThread, PauseHoldsWorkAtTheCheckpointAndStoppingReleasesIt) {
    StepWorker worker(2);
    ASSERT_TRUE(worker.Start());
    worker.Pause();
    EXPECT_TRUE(worker.IsPaused());
    ASSERT_TRUE(worker.PostToThread(WM_TEST_STEP, 1));
    ASSERT_TRUE(testsupport::WaitUntil([&] { return worker.m_nStepsEntered >= 1; }, kTimeoutMs));
    // Held at the checkpoint, it still answers what is sent to its windows (another
    // program's broadcast would otherwise wait for as long as the pause lasts).
    DWORD_PTR reply = 0;
    EXPECT_NE(SendMessageTimeoutA(worker.GetMessageWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &reply), 0);
    // The step has reached the checkpoint; its work must not start until Resume.
    worker.m_bResumed = true;
    worker.Resume();
    ASSERT_EQ(WaitForSingleObject(worker.m_hEnded.Get(), kTimeoutMs), WAIT_OBJECT_0);
    EXPECT_EQ(worker.m_log, (Log{"step 1", "work 1", "step 2", "work 2", "finished"}));
    EXPECT_FALSE(worker.m_bWorkedWhilePaused);

    StepWorker held(1);
    ASSERT_TRUE(held.Start());
    held.Pause();
    ASSERT_TRUE(held.PostToThread(WM_TEST_STEP, 1));
    ASSERT_TRUE(testsupport::WaitUntil([&] { return held.m_nStepsEntered >= 1; }, kTimeoutMs));
    held.RequestStop();
    ASSERT_EQ(WaitForSingleObject(held.GetThreadHandle(), kTimeoutMs), WAIT_OBJECT_0);
    held.Stop();
    EXPECT_EQ(held.m_log, (Log{"step 1", "work 1", "finished"}));
}

namespace {

// Its InitInstance sends to a window of the thread that starts it.
class SendingAtStartWorker : public fw::UiThread {
public:
    explicit SendingAtStartWorker(HWND target) : m_hTarget(target) {}
    ~SendingAtStartWorker() override { Stop(); }
    bool m_bAnswered = false;

protected:
    BOOL InitInstance() override {
        DWORD_PTR reply = 0;
        m_bAnswered = SendMessageTimeoutA(m_hTarget, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &reply) != 0;
        return TRUE;
    }

private:
    HWND m_hTarget;
};

}  // namespace

TEST(UiThread, StartAnswersWhatInitInstanceSendsToTheStartingThread) {
    fw::FrameWindow target;
    ASSERT_TRUE(target.CreateFrame("target", WS_OVERLAPPED));
    SendingAtStartWorker worker(target.GetHwnd());
    EXPECT_TRUE(worker.Start());
    EXPECT_TRUE(worker.m_bAnswered);
}
