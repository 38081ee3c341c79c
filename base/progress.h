// Background tasks under the modal progress dialog.
#pragma once

#include <windows.h>

namespace quillet {

constexpr UINT WMU_PROGRESS_COUNT = 0x8001;  // wParam: unsigned number
constexpr UINT WMU_PROGRESS_TASK = 0x8002;   // wParam: language module string id
constexpr UINT WMU_PROGRESS_STEP = 0x8003;   // wParam: language module string id

// A worker receives the progress dialog's handle. It sends (SendMessage) any
// number of progress messages and WM_CLOSE to the dialog as its very last
// action on every path.
using WorkerRoutine = DWORD(WINAPI*)(LPVOID dialog);

// Shows the progress dialog owned by `owner`, runs `worker` on a thread of its
// own and returns once the dialog has ended.
void RunBackgroundTask(HWND owner, WorkerRoutine worker);

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Convenience for workers: the three progress messages, sent synchronously.
inline void SendProgressTask(HWND dialog, UINT stringId) { SendMessageA(dialog, WMU_PROGRESS_TASK, stringId, 0); }
inline void SendProgressStep(HWND dialog, UINT stringId) { SendMessageA(dialog, WMU_PROGRESS_STEP, stringId, 0); }
inline void SendProgressCount(HWND dialog, DWORD count) { SendMessageA(dialog, WMU_PROGRESS_COUNT, count, 0); }

}  // namespace quillet
