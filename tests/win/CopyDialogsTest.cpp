// The stop question, the copy conflict and error dialogs and the abort notice, shown
// for real: the test thread runs the dialog modally while a scripted user on a helper
// thread finds it by title in this process, reads its texts and presses its buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "TestSupport.h"
#include "copy/CopyDialogs.h"
#include "resources/dialog_ids.h"

using testsupport::WaitUntil;
using testsupport::WindowText;

namespace {

constexpr const char kSetupTitle[] = "セットアップ";
constexpr const char kQueryCancelTitle[] = "セットアップの中止";

struct DialogSearch {
    const char* title;
    int requiredItem;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[16] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) && lstrcmpA(cls, "#32770") == 0 &&
        (!search->title || WindowText(hwnd) == search->title) &&
        (!search->requiredItem || GetDlgItem(hwnd, search->requiredItem))) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog of this process with the title (any title when null) and, when given,
// a control with the identifier.
HWND FindDialog(const char* title, int requiredItem = 0) {
    DialogSearch search{title, requiredItem, nullptr};
    EnumWindows(&MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForDialog(const char* title, int requiredItem = 0) {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindDialog(title, requiredItem)) != nullptr; }, 20000);
    return dialog;
}

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

std::string Utf8(const std::string& shiftJis) {
    const int wide = MultiByteToWideChar(932, 0, shiftJis.data(), static_cast<int>(shiftJis.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(932, 0, shiftJis.data(), static_cast<int>(shiftJis.size()), text.data(), wide);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, result.data(), bytes, nullptr, nullptr);
    return result;
}

// Compares a control's text byte for byte; a mismatch is printed in UTF-8.
#define EXPECT_TEXT(dialog, id, expected)                                                         \
    do {                                                                                          \
        const std::string shown_ = ItemText(dialog, id), wanted_ = (expected);                    \
        EXPECT_EQ(shown_, wanted_) << "control " << (id) << " shows \"" << Utf8(shown_)           \
                                   << "\", expected \"" << Utf8(wanted_) << "\"";                 \
    } while (0)

void Click(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// The dialog manager of the modal loop turns these into the dialog's keyboard commands.
void PressKey(HWND dialog, WPARAM key) { PostMessageA(dialog, WM_KEYDOWN, key, 0); }

// The control that has the focus in the dialog's thread.
HWND FocusOf(HWND dialog) {
    const DWORD dialogThread = GetWindowThreadProcessId(dialog, nullptr);
    AttachThreadInput(GetCurrentThreadId(), dialogThread, TRUE);
    HWND focus = GetFocus();
    AttachThreadInput(GetCurrentThreadId(), dialogThread, FALSE);
    return focus;
}

// Shows the dialog modally on this thread while `user` answers it from a helper thread.
// A dialog the script failed to close is ended afterwards, so a failing test never hangs.
INT_PTR ShowWithUser(CMessageDialog& dialog, const std::function<void()>& user) {
    std::thread helper([&] {
        user();
        if (!WaitUntil([] { return FindDialog(nullptr) == nullptr; }, 5000)) {
            ADD_FAILURE() << "a dialog was left open";
            while (HWND left = FindDialog(nullptr)) {
                EndDialog(left, -2);
                WaitUntil([&] { return !IsWindowVisible(left); }, 5000);
            }
        }
    });
    const INT_PTR result = dialog.DoModal();
    helper.join();
    return result;
}

// Answers the stop question that is open over `owner`, and waits until it has gone.
void AnswerStopQuestion(HWND owner, int answer, bool byEnter = false) {
    HWND question = WaitForDialog(kQueryCancelTitle);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(GetWindow(question, GW_OWNER), owner);
    if (byEnter)
        PressKey(question, VK_RETURN);
    else
        Click(question, answer);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
}

}  // namespace

TEST(CopyDialogs, OverwriteQuestionEndsWithStopOnlyAfterTheStopIsConfirmed) {
    CQueryOverwriteDialog dialog("ver1.tmp", "C:\\app\\main.dll");
    const INT_PTR result = ShowWithUser(dialog, [] {
        HWND overwrite = WaitForDialog(kSetupTitle, IDC_ANSWER_OVERWRITE_ALL);
        ASSERT_NE(overwrite, nullptr);

        // "中止(&X)", then "再試行(&R)": the overwrite question stays, nothing decided.
        Click(overwrite, IDC_ANSWER_STOP);
        HWND question = WaitForDialog(kQueryCancelTitle);
        ASSERT_NE(question, nullptr);
        HWND icon = FindWindowExA(question, nullptr, "Static", nullptr);
        EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0) << "the stop question shows the application icon";
        AnswerStopQuestion(overwrite, IDOK);
        EXPECT_TRUE(IsWindowVisible(overwrite));

        // Esc and the close box ask the same question.
        PressKey(overwrite, VK_ESCAPE);
        AnswerStopQuestion(overwrite, IDOK);
        EXPECT_TRUE(IsWindowVisible(overwrite));
        PostMessageA(overwrite, WM_CLOSE, 0, 0);
        AnswerStopQuestion(overwrite, IDOK);
        EXPECT_TRUE(IsWindowVisible(overwrite));

        // "中止(&X)" confirmed (Enter: the question's default is its "中止(&X)").
        Click(overwrite, IDC_ANSWER_STOP);
        AnswerStopQuestion(overwrite, 0, /*byEnter=*/true);
    });
    EXPECT_EQ(result, IDC_ANSWER_STOP);
}

TEST(CopyDialogs, OlderFileQuestionOnAWorkerThread) {
    // As the copy engine shows it: on its own thread, without an owner.
    auto showOnWorker = [](const std::function<void(HWND)>& answer) {
        INT_PTR result = 0;
        std::thread worker([&] {
            CQuerySrcOldFileDialog dialog("ver1.tmp", "C:\\app\\main.dll");
            result = dialog.DoModal();
        });
        HWND dialog = WaitForDialog(kSetupTitle, IDC_ANSWER_OVERWRITE_ALL);
        EXPECT_NE(dialog, nullptr);
        if (dialog) {
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);
            answer(dialog);
        }
        if (!WaitUntil([&] { return !IsWindow(dialog); }, 10000)) EndDialog(dialog, -2);
        worker.join();
        return result;
    };
    EXPECT_EQ(showOnWorker([](HWND d) { PressKey(d, VK_ESCAPE); }), IDCANCEL);
    // The focus starts on the default button "いいえ(&N)", not on the first one.
    EXPECT_EQ(showOnWorker([](HWND d) {
                  EXPECT_EQ(FocusOf(d), GetDlgItem(d, IDC_ANSWER_NO));
                  PressKey(d, VK_RETURN);
              }),
              IDC_ANSWER_NO);
    // "中止(&X)" ends it at once: no stop question appears.
    EXPECT_EQ(showOnWorker([](HWND d) { Click(d, IDC_ANSWER_STOP); }), IDC_ANSWER_STOP);
    EXPECT_EQ(FindDialog(kQueryCancelTitle), nullptr);
}

TEST(CopyDialogs, AWorkerDialogComesToTheFrontWithAnActiveCaption) {
    // A window of this thread is in front, as the progress dialog is while files are copied.
    HWND front = CreateWindowExA(0, "STATIC", "front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(front, nullptr);
    auto pumpUntil = [](const std::function<bool()>& condition) {
        return WaitUntil([&] {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            return condition();
        }, 10000);
    };
    SetForegroundWindow(front);
    EXPECT_TRUE(pumpUntil([&] { return GetForegroundWindow() == front; }));

    // The caption is drawn active or inactive as the last WM_NCACTIVATE said.
    struct WatchedDialog : CPlainDialog {
        using CPlainDialog::CPlainDialog;
        std::atomic<int> captionActive{-1};
        INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
            if (msg == WM_NCACTIVATE) captionActive = wParam ? 1 : 0;
            return CPlainDialog::DialogProc(msg, wParam, lParam);
        }
    } dialog(IDD_OUT_OF_MEMORY);
    std::thread worker([&] { dialog.DoModal(); });
    HWND shown = nullptr;
    EXPECT_TRUE(pumpUntil([&] { return (shown = FindDialog(kSetupTitle)) != nullptr; }));
    EXPECT_TRUE(pumpUntil([&] { return GetForegroundWindow() == shown && dialog.captionActive == 1; }))
        << "foreground " << GetForegroundWindow() << ", the dialog " << shown << ", caption active "
        << dialog.captionActive;
    if (shown) Click(shown, IDOK);
    pumpUntil([&] { return !IsWindow(shown); });
    worker.join();
    DestroyWindow(front);
}

TEST(CopyDialogs, ReadonlyQuestionRemembersOnlyYesOrNo) {
    auto answerTicked = [](int button, bool tick) {
        CDetectReadonlyFileDialog dialog("C:\\app\\main.dll");
        const INT_PTR result = ShowWithUser(dialog, [&] {
            HWND readonly = WaitForDialog("読み取り専用ファイルの検出");
            ASSERT_NE(readonly, nullptr);
            EXPECT_EQ(IsDlgButtonChecked(readonly, IDC_DONT_SHOW_AGAIN), BST_UNCHECKED);
            if (tick) SendMessageA(GetDlgItem(readonly, IDC_DONT_SHOW_AGAIN), BM_CLICK, 0, 0);
            Click(readonly, button);
        });
        EXPECT_EQ(result, button);
        return dialog.m_bDontShowAgain;
    };
    EXPECT_FALSE(answerTicked(IDCANCEL, true));
    EXPECT_TRUE(answerTicked(IDC_ANSWER_NO, true));
    EXPECT_TRUE(answerTicked(IDC_ANSWER_YES, true));
    EXPECT_FALSE(answerTicked(IDC_ANSWER_YES, false));
}

TEST(CopyDialogs, ValuesAreShownAsTheyAreNeverAsFormats) {
    const std::string path = "C:\\dir%s%d\\100%_a&b%n.dat";

    CFailWriteFileDialog write(path);
    EXPECT_EQ(ShowWithUser(write,
                           [&] {
                               HWND d = WaitForDialog(kSetupTitle, IDC_MESSAGE_TEXT2);
                               ASSERT_NE(d, nullptr);
                               EXPECT_TEXT(d, IDC_MESSAGE_TEXT,
                                         "ファイル'" + path + "'を書き込めないため、セットアップを中止します。");
                               // The second line names the destination directory.
                               EXPECT_TEXT(d, IDC_MESSAGE_TEXT2,
                                         "セットアップ先のディスク'C:\\dir%s%d'を確認してください。");
                               Click(d, IDOK);
                           }),
              IDOK);

    CErrorNoExistSrcFileDialog missing(path);
    EXPECT_EQ(ShowWithUser(missing,
                           [&] {
                               HWND d = WaitForDialog(kSetupTitle, IDC_SOURCE_PATH);
                               ASSERT_NE(d, nullptr);
                               EXPECT_TEXT(d, IDC_SOURCE_PATH, path);
                               PressKey(d, VK_ESCAPE);
                           }),
              IDCANCEL);

    // The abort notice names the product in both texts.
    CErrorExitDialog exit("製品 100%s");
    EXPECT_EQ(ShowWithUser(exit,
                           [&] {
                               HWND d = WaitForDialog(kSetupTitle, IDC_MESSAGE_TEXT2);
                               ASSERT_NE(d, nullptr);
                               EXPECT_TEXT(d, IDC_MESSAGE_TEXT,
                                         "製品 100%s セットアップを中断したので、セットアップは完了していません。");
                               EXPECT_TEXT(d, IDC_MESSAGE_TEXT2,
                                         "セットアップを完了するには、もう一度最初から 製品 100%s "
                                         "セットアップを実行してください。");
                               PressKey(d, VK_RETURN);
                           }),
              IDOK);
}

namespace {

// Creates a file of `size` bytes last written at the given local time.
bool MakeFile(const std::string& path, DWORD size, const SYSTEMTIME& localTime) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::string bytes(size, 'x');
    DWORD written = 0;
    FILETIME local = {}, utc = {};
    const bool ok = WriteFile(file, bytes.data(), size, &written, nullptr) && written == size &&
                    SystemTimeToFileTime(&localTime, &local) && LocalFileTimeToFileTime(&local, &utc) &&
                    SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
    return ok;
}

}  // namespace

TEST(CopyDialogs, ConflictQuestionsShowSizeAndDateOfBothFiles) {
    testsupport::TempDirectory temp;
    // "ソ" ends in byte 0x5C: the name must not be cut inside it.
    const std::string directory = temp.Path() + "\\ソフト";
    ASSERT_TRUE(CreateDirectoryA(directory.c_str(), nullptr));
    const std::string existing = directory + "\\ソフト 100%.dll";
    ASSERT_TRUE(MakeFile(existing, 1234, SYSTEMTIME{2001, 2, 0, 3, 10, 15, 37, 0}));
    ASSERT_TRUE(MakeFile(directory + "\\VER1A.tmp", 5, SYSTEMTIME{1980, 1, 0, 1, 0, 0, 1, 0}));

    // Wine's version service hands back the temporary name with a backslash in front.
    CQueryOverwriteDialog overwrite("\\VER1A.tmp", existing);
    EXPECT_EQ(overwrite.GetNewFilePath(), directory + "\\VER1A.tmp");
    EXPECT_EQ(ShowWithUser(overwrite,
                           [&] {
                               HWND d = WaitForDialog(kSetupTitle, IDC_NEW_FILE_DATE);
                               ASSERT_NE(d, nullptr);
                               EXPECT_TEXT(d, IDC_MESSAGE_TEXT,
                                         "このフォルダには既に'ソフト 100%.dll'ファイルが存在します。");
                               EXPECT_TEXT(d, IDC_CURRENT_FILE_SIZE, "ｻｲｽﾞ 1234");
                               EXPECT_TEXT(d, IDC_CURRENT_FILE_DATE, "2001年2月3日 10時15分36秒");
                               EXPECT_TEXT(d, IDC_NEW_FILE_SIZE, "ｻｲｽﾞ 5");
                               EXPECT_TEXT(d, IDC_NEW_FILE_DATE, "1980年1月1日 0時0分0秒");
                               Click(d, IDC_ANSWER_OVERWRITE_ALL);
                           }),
              IDC_ANSWER_OVERWRITE_ALL);

    // A path that matches no file keeps the template's lines.
    CQuerySrcOldFileDialog older("MISSING.tmp", existing);
    EXPECT_EQ(ShowWithUser(older,
                           [&] {
                               HWND d = WaitForDialog(kSetupTitle, IDC_NEW_FILE_DATE);
                               ASSERT_NE(d, nullptr);
                               EXPECT_TEXT(d, IDC_CURRENT_FILE_SIZE, "ｻｲｽﾞ 1234");
                               EXPECT_TEXT(d, IDC_NEW_FILE_SIZE, "Static");
                               EXPECT_TEXT(d, IDC_NEW_FILE_DATE, "Static");
                               Click(d, IDC_ANSWER_YES);
                           }),
              IDC_ANSWER_YES);
}

namespace {

RECT ClientRectOf(HWND dialog, HWND item) {
    RECT rect = {};
    GetWindowRect(item, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The height a static text needs to show all of its text at its width.
int NeededTextHeight(HWND item) {
    const std::string text = WindowText(item);
    RECT rect = {};
    GetClientRect(item, &rect);
    HDC dc = GetDC(item);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(item, WM_GETFONT, 0, 0)));
    DrawTextA(dc, text.c_str(), -1, &rect, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(item, dc);
    return rect.bottom - rect.top;
}

}  // namespace

TEST(CopyDialogs, LongValuesMakeTheDialogTallerInsteadOfBeingCut) {
    std::string path = "C:\\Program Files\\製品";
    for (int i = 0; i < 6; ++i) path += "\\VeryLongDirectoryNameWithoutAnyBlanks" + std::to_string(i);
    path += "\\file.dll";

    CFailWriteFileDialog dialog(path);
    ShowWithUser(dialog, [&] {
        HWND d = WaitForDialog(kSetupTitle, IDC_MESSAGE_TEXT2);
        ASSERT_NE(d, nullptr);
        HWND first = GetDlgItem(d, IDC_MESSAGE_TEXT), second = GetDlgItem(d, IDC_MESSAGE_TEXT2),
             button = GetDlgItem(d, IDOK);
        EXPECT_GE(ClientRectOf(d, first).bottom - ClientRectOf(d, first).top, NeededTextHeight(first));
        EXPECT_GE(ClientRectOf(d, second).bottom - ClientRectOf(d, second).top, NeededTextHeight(second));
        EXPECT_LE(ClientRectOf(d, first).bottom, ClientRectOf(d, second).top);
        EXPECT_LE(ClientRectOf(d, second).bottom, ClientRectOf(d, button).top);
        RECT client = {};
        GetClientRect(d, &client);
        EXPECT_LE(ClientRectOf(d, button).bottom, client.bottom);
        Click(d, IDOK);
    });
}
