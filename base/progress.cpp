#include "base/progress.h"

#include <cstdio>
#include <utility>

#include "base/globals.h"
#include "base/report.h"
#include "resources/resource_ids.h"
#include "ui/placement.h"

namespace quillet {

namespace {

constexpr UINT_PTR kQuietTimer = 1;

// The one background task: the user-interface thread runs at most one
// progress dialog at a time. `cancelled` is read by the worker between
// items; the watched emulator is guarded by `lock`, since the Cancel
// button ends it from the user-interface thread while the worker owns it.
struct TaskState {
    HANDLE thread = nullptr;
    HWND closeAfter = nullptr;  // the window to close once the task has stopped
    volatile LONG cancelled = 0;
    SRWLOCK lock = SRWLOCK_INIT;
    HANDLE job = nullptr;
    HANDLE process = nullptr;
    // The dialog's own view, on the user-interface thread only.
    UINT step = 0;
    DWORD lastProgress = 0;
    DWORD quietSeconds = kQuietEmulatorSeconds;
    bool asking = false;
} task;

void EndWatchedEmulator() {
    AcquireSRWLockExclusive(&task.lock);
    if (task.job)
        TerminateJobObject(task.job, 1);
    else if (task.process)
        TerminateProcess(task.process, 1);
    ReleaseSRWLockExclusive(&task.lock);
}

void ShowString(HWND dialog, int control, WPARAM stringId) {
    char text[256];
    if (LoadStringA(LanguageModule, static_cast<UINT>(stringId), text, sizeof text) <= 0) text[0] = '\0';
    SetDlgItemTextA(dialog, control, text);
}

void ShowCount(HWND dialog, WPARAM count) {
    char text[16];
    std::snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(static_cast<DWORD>(count)));
    SetDlgItemTextA(dialog, IDC_PROGRESS_COUNT, text);
}

BOOL OnInitDialog(HWND dialog, LPARAM worker) {
    CenterOnParent(dialog);
    ShowString(dialog, IDC_PROGRESS_CANCEL, IDS_PROGRESS_CANCEL);
    task.step = 0;
    task.asking = false;
    task.lastProgress = GetTickCount();
    // A quarter of a second, so the question comes within that of its time.
    SetTimer(dialog, kQuietTimer, 250, nullptr);
    task.thread = CreateThread(nullptr, 0, reinterpret_cast<WorkerRoutine>(worker), dialog, 0, nullptr);
    if (!task.thread) {
        // Without its worker nobody would ever close the dialog.
        ReportMessage(dialog, MessageSourceSystem, 0);
        EndDialog(dialog, 0);
        return TRUE;
    }
    return TRUE;
}

// The worker's WM_CLOSE arrives as a message sent from its thread, which the
// modal loop handles inside its wait for posted messages. Under Wine that
// wait does not always end after EndDialog, so a posted no-op wakes it.
BOOL OnClose(HWND dialog) {
    KillTimer(dialog, kQuietTimer);
    EndDialog(dialog, 0);
    PostMessageA(dialog, WM_NULL, 0, 0);
    return TRUE;
}

// The button stays pressed-looking no longer than the click: the worker may
// take a moment to reach its next check, and the step says why it waits.
void OnCancel(HWND dialog) {
    if (TaskCancelled()) return;
    CancelTask();
    EnableWindow(GetDlgItem(dialog, IDC_PROGRESS_CANCEL), FALSE);
    ShowString(dialog, IDC_PROGRESS_STEP, IDS_STEP_CANCELLING);
}

// An emulator that prints nothing for a long time may be hung (or be no
// emulator at all): the user decides whether to wait on.
void OnQuietTimer(HWND dialog) {
    if (task.asking || TaskCancelled() || task.step != IDS_STEP_RUNNING) return;
    if (GetTickCount() - task.lastProgress < task.quietSeconds * 1000) return;
    task.asking = true;
    char seconds[16];
    std::snprintf(seconds, sizeof seconds, "%lu", static_cast<unsigned long>(task.quietSeconds));
    const int answer = ReportMessage(dialog, MessageSourceModule, MSG_EMULATOR_QUIET, seconds, MB_YESNO | MB_ICONQUESTION);
    task.asking = false;
    task.lastProgress = GetTickCount();
    if (answer == IDNO) OnCancel(dialog);
}

void NoteProgress(UINT message, WPARAM value) {
    task.lastProgress = GetTickCount();
    if (message == WMU_PROGRESS_STEP) task.step = static_cast<UINT>(value);
}

}  // namespace

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
    case WMU_PROGRESS_COUNT:
        NoteProgress(message, wParam);
        ShowCount(dialog, wParam);
        return TRUE;
    case WMU_PROGRESS_TASK:
    case WMU_PROGRESS_STEP:
        NoteProgress(message, wParam);
        // Once cancelled, the step says so until the worker has stopped.
        if (!TaskCancelled())
            ShowString(dialog, message == WMU_PROGRESS_TASK ? IDC_PROGRESS_TASK : IDC_PROGRESS_STEP, wParam);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_PROGRESS_CANCEL || LOWORD(wParam) == IDCANCEL) OnCancel(dialog);
        return TRUE;
    case WM_TIMER:
        if (wParam == kQuietTimer) OnQuietTimer(dialog);
        return TRUE;
    case WM_CLOSE: return OnClose(dialog);
    default: return FALSE;
    }
}

DWORD RunBackgroundTask(HWND owner, WorkerRoutine worker, DWORD quietSeconds) {
    ClearTaskCancel();
    task.quietSeconds = quietSeconds;
    DialogBoxParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_PROGRESS), owner, ProgressDialogProc,
                    reinterpret_cast<LPARAM>(worker));
    // The worker's last act is its WM_CLOSE; nothing it uses may go before
    // it has returned.
    DWORD exitCode = 0;
    if (task.thread) {
        WaitForSingleObject(task.thread, INFINITE);
        GetExitCodeThread(task.thread, &exitCode);
        CloseHandle(task.thread);
        task.thread = nullptr;
    }
    // A cancel belongs to its task alone.
    ClearTaskCancel();
    if (const HWND window = std::exchange(task.closeAfter, nullptr)) PostMessageA(window, WM_CLOSE, 0, 0);
    return exitCode;
}

bool TaskCancelled() { return InterlockedCompareExchange(&task.cancelled, 0, 0) != 0; }

void CancelTask() {
    InterlockedExchange(&task.cancelled, 1);
    EndWatchedEmulator();
}

void ClearTaskCancel() { InterlockedExchange(&task.cancelled, 0); }

bool BackgroundTaskRunning() { return task.thread != nullptr; }

void CloseAfterTask(HWND window) {
    task.closeAfter = window;
    CancelTask();
}

void StopTaskNow() {
    if (!task.thread) return;
    CancelTask();
    bool quit = false;
    int quitCode = 0;
    while (MsgWaitForMultipleObjects(1, &task.thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = static_cast<int>(msg.wParam);
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    // A quit seen here belongs to the loops further out.
    if (quit) PostQuitMessage(quitCode);
}

bool WatchEmulator(HANDLE job, HANDLE process) {
    AcquireSRWLockExclusive(&task.lock);
    // Checked under the lock: a cancel either comes before (and the caller
    // ends the process) or finds the emulator registered.
    const bool watched = !TaskCancelled();
    if (watched) {
        task.job = job;
        task.process = process;
    }
    ReleaseSRWLockExclusive(&task.lock);
    return watched;
}

void UnwatchEmulator() {
    AcquireSRWLockExclusive(&task.lock);
    task.job = nullptr;
    task.process = nullptr;
    ReleaseSRWLockExclusive(&task.lock);
}

}  // namespace quillet
