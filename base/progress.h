// Background tasks under the modal progress dialog, and their cancelling.
#pragma once

#include <windows.h>

namespace quillet {

constexpr UINT WMU_PROGRESS_COUNT = 0x8001;  // wParam: unsigned number
constexpr UINT WMU_PROGRESS_TASK = 0x8002;   // wParam: language module string id
constexpr UINT WMU_PROGRESS_STEP = 0x8003;   // wParam: language module string id

// A worker receives the progress dialog's handle. It sends (SendMessage) any
// number of progress messages and WM_CLOSE to the dialog as its very last
// action on every path. Its exit code is what RunBackgroundTask returns.
using WorkerRoutine = DWORD(WINAPI*)(LPVOID dialog);

// Shows the progress dialog owned by `owner`, runs `worker` on a thread of its
// own and returns once the dialog has ended and the worker has stopped, with
// the worker's exit code (0 when no worker could be started).
//
// The dialog's Cancel button (and Escape) cancels the task: TaskCancelled
// turns true and the emulator the worker waits on, with every process it
// started, is ended. While the worker waits on the emulator (step
// IDS_STEP_RUNNING) and no progress has come for `quietSeconds`, the
// dialog asks whether to keep waiting; No cancels, Yes waits as long again.
constexpr DWORD kQuietEmulatorSeconds = 60;
DWORD RunBackgroundTask(HWND owner, WorkerRoutine worker, DWORD quietSeconds = kQuietEmulatorSeconds);

// True once the running task has been cancelled; any thread may ask.
// Workers look at it between items and stop early, leaving everything as
// it was before the task.
bool TaskCancelled();
// Cancels the running task (any thread). A task that has not started yet
// starts cancelled, until the next RunBackgroundTask or ClearTaskCancel.
void CancelTask();
// Forgets a cancel, for callers that run a worker routine directly.
void ClearTaskCancel();

// True while a worker runs under the progress dialog.
bool BackgroundTaskRunning();
// For a window's close while a task runs: cancels the task; once it has
// stopped, WM_CLOSE is posted to `window` again.
void CloseAfterTask(HWND window);
// Cancels the running task and waits for its worker to stop, serving this
// thread's messages meanwhile (the worker sends its dialog messages). For
// the end of the session, when the close cannot be put off.
void StopTaskNow();

// Worker side: the emulator process the task waits on, and its job (null
// where the process could not be put in one). CancelTask ends the job (or
// the process). False when the task is cancelled already: nothing is
// watched, and the caller ends the process itself.
bool WatchEmulator(HANDLE job, HANDLE process);
void UnwatchEmulator();

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Convenience for workers: the three progress messages, sent synchronously.
inline void SendProgressTask(HWND dialog, UINT stringId) { SendMessageA(dialog, WMU_PROGRESS_TASK, stringId, 0); }
inline void SendProgressStep(HWND dialog, UINT stringId) { SendMessageA(dialog, WMU_PROGRESS_STEP, stringId, 0); }
inline void SendProgressCount(HWND dialog, DWORD count) { SendMessageA(dialog, WMU_PROGRESS_COUNT, count, 0); }

}  // namespace quillet
