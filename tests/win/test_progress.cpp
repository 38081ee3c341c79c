// The progress dialog and its worker thread.
#include "win/support.h"

#include <vector>

#include "base/globals.h"
#include "base/progress.h"
#include "resources/resource_ids.h"
#include "settings/language.h"
#include "ui/placement.h"

using namespace quillet;
using namespace quillet::test;

namespace {

struct Seen {
    std::string task, step, count;
    DWORD thread = 0;
};
std::vector<Seen> seen;

std::string Text(HWND dialog, int id) {
    char text[256];
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void Record(HWND dialog) {
    seen.push_back({Text(dialog, IDC_PROGRESS_TASK), Text(dialog, IDC_PROGRESS_STEP), Text(dialog, IDC_PROGRESS_COUNT),
                    GetCurrentThreadId()});
}

DWORD WINAPI CountWorker(LPVOID arg) {
    HWND dialog = static_cast<HWND>(arg);
    SendProgressTask(dialog, IDS_TASK_RELOAD);
    SendProgressStep(dialog, IDS_STEP_QUERY);
    SendProgressCount(dialog, 0xFFFFFFFF);
    Record(dialog);
    SendProgressStep(dialog, 65000);  // no such string
    Record(dialog);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    return 0;
}

LONG running = 0;
LONG overlapped = 0;
LONG runs = 0;
DWORD WINAPI ExclusiveWorker(LPVOID arg) {
    InterlockedIncrement(&runs);
    if (InterlockedIncrement(&running) > 1) InterlockedIncrement(&overlapped);
    Sleep(100);
    InterlockedDecrement(&running);
    SendMessageA(static_cast<HWND>(arg), WM_CLOSE, 0, 0);
    return 0;
}

// Waits until the dialog's Cancel reaches it, notes the button's text, and
// closes; gives up after five seconds.
std::string cancelCaption;
bool sawCancel = false;
DWORD WINAPI CancellableWorker(LPVOID arg) {
    HWND dialog = static_cast<HWND>(arg);
    cancelCaption = Text(dialog, IDC_PROGRESS_CANCEL);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED), 0);
    for (int i = 0; i < 500 && !TaskCancelled(); ++i) Sleep(10);
    sawCancel = TaskCancelled();
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    return 7;
}

INT_PTR CALLBACK IdleDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

HWND MakeWindow(int x, int y, int w, int h) {
    return CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

TEST_CASE("progress messages: unsigned counts, texts from the module, a missing string is an empty line") {
    REQUIRE(UseLanguage("english"));
    seen.clear();
    HWND owner = MakeWindow(0, 0, 800, 600);
    RunBackgroundTask(owner, CountWorker);
    DestroyWindow(owner);
    REQUIRE_EQ(seen.size(), 2u);
    char task[256];
    LoadStringA(LanguageModule, IDS_TASK_RELOAD, task, sizeof task);
    CHECK_EQ(seen[0].task, std::string(task));
    CHECK_NE(seen[0].step, "");
    CHECK_EQ(seen[0].count, "4294967295");
    CHECK_EQ(seen[1].step, "");
    CHECK_NE(seen[0].thread, GetCurrentThreadId());
}

TEST_CASE("chained tasks run one after the other") {
    REQUIRE(UseLanguage("english"));
    HWND owner = MakeWindow(0, 0, 800, 600);
    RunBackgroundTask(owner, ExclusiveWorker);
    RunBackgroundTask(owner, ExclusiveWorker);
    DestroyWindow(owner);
    CHECK_EQ(runs, 2);
    CHECK_EQ(overlapped, 0);
    CHECK_EQ(running, 0);
}

TEST_CASE("CenterOnParent: centred, and a larger dialog overhangs equally on both sides") {
    struct Row {
        RECT parent;
        SIZE dialog;
        POINT expected;
    };
    const Row rows[] = {
        {{100, 100, 500, 400}, {200, 100}, {200, 200}},
        {{100, 100, 301, 201}, {100, 50}, {150, 125}},
        {{50, 60, 150, 110}, {301, 101}, {-51, 34}},
    };
    for (const Row& r : rows) {
        HWND parent = MakeWindow(r.parent.left, r.parent.top, r.parent.right - r.parent.left,
                                 r.parent.bottom - r.parent.top);
        HWND child = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, r.dialog.cx, r.dialog.cy, parent, nullptr,
                                     nullptr, nullptr);
        CenterOnParent(child);
        RECT got;
        GetWindowRect(child, &got);
        CHECK_EQ(got.left, r.expected.x);
        CHECK_EQ(got.top, r.expected.y);
        CHECK_EQ(got.right - got.left, r.dialog.cx);
        DestroyWindow(child);
        DestroyWindow(parent);
    }
}

TEST_CASE("the progress dialog template") {
    HWND dialog = CreateDialogParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_PROGRESS), nullptr, IdleDialogProc, 0);
    REQUIRE(dialog != nullptr);
    char caption[64];
    GetWindowTextA(dialog, caption, sizeof caption);
    CHECK_EQ(std::string(caption), "Quillet 0.7.1");
    CHECK_EQ(GetWindowLongA(dialog, GWL_STYLE) & WS_SYSMENU, 0);
    for (int id : {IDC_PROGRESS_TASK, IDC_PROGRESS_STEP, IDC_PROGRESS_COUNT}) {
        CAPTURE(id);
        HWND control = GetDlgItem(dialog, id);
        REQUIRE(control != nullptr);
        CHECK_EQ(Text(dialog, id), "");
    }
    CHECK_EQ(GetWindowLongA(GetDlgItem(dialog, IDC_PROGRESS_COUNT), GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
    DestroyWindow(dialog);
}

TEST_CASE("Cancel: the button's text from the language module, the worker hears it, the next task starts afresh") {
    const struct {
        const char* language;
        const char* caption;
    } rows[] = {{"english", "Cancel"}, {"italian", "Annulla"}};
    for (const auto& row : rows) {
        CAPTURE(row.language);
        REQUIRE(UseLanguage(row.language));
        HWND owner = MakeWindow(0, 0, 800, 600);
        sawCancel = false;
        CHECK_EQ(RunBackgroundTask(owner, CancellableWorker), 7u);
        CHECK_EQ(cancelCaption, row.caption);
        CHECK(sawCancel);
        CHECK_FALSE(TaskCancelled());
        CHECK_FALSE(BackgroundTaskRunning());
        DestroyWindow(owner);
    }
}
