#include "base/progress.h"

#include <cstdio>

#include "base/globals.h"
#include "base/report.h"
#include "resources/resource_ids.h"
#include "ui/placement.h"

namespace quillet {

namespace {

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
    HANDLE thread = CreateThread(nullptr, 0, reinterpret_cast<WorkerRoutine>(worker), dialog, 0, nullptr);
    if (!thread) {
        // Without its worker nobody would ever close the dialog.
        ReportMessage(dialog, MessageSourceSystem, 0);
        EndDialog(dialog, 0);
        return TRUE;
    }
    CloseHandle(thread);
    return TRUE;
}

// The worker's WM_CLOSE arrives as a message sent from its thread, which the
// modal loop handles inside its wait for posted messages. Under Wine that
// wait does not always end after EndDialog, so a posted no-op wakes it.
BOOL OnClose(HWND dialog) {
    EndDialog(dialog, 0);
    PostMessageA(dialog, WM_NULL, 0, 0);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
    case WMU_PROGRESS_COUNT: ShowCount(dialog, wParam); return TRUE;
    case WMU_PROGRESS_TASK: ShowString(dialog, IDC_PROGRESS_TASK, wParam); return TRUE;
    case WMU_PROGRESS_STEP: ShowString(dialog, IDC_PROGRESS_STEP, wParam); return TRUE;
    case WM_CLOSE: return OnClose(dialog);
    default: return FALSE;
    }
}

void RunBackgroundTask(HWND owner, WorkerRoutine worker) {
    DialogBoxParamA(ProgramInstance, MAKEINTRESOURCEA(IDD_PROGRESS), owner, ProgressDialogProc,
                    reinterpret_cast<LPARAM>(worker));
}

}  // namespace quillet
