// Drives a modal dialog or property sheet from inside its own modal loop:
// a thread timer of the test's thread runs one step per tick against the
// dialog that `Run` opened, so each step sees what the previous one caused.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include <doctest/doctest.h>

namespace quillet::test {

class ModalScript {
public:
    using Step = std::function<void(HWND dialog)>;

    // The dialog is the visible top-level "#32770" window of this thread
    // that has a child with `childId` (the progress dialog of a reload, for
    // example, is passed over).
    ModalScript(int childId, std::vector<Step> steps) : childId_(childId), steps_(std::move(steps)) {}

    // Calls `open` (which returns when the dialog has closed) and runs the
    // steps meanwhile. A dialog still open after the last step, or not seen
    // within ten seconds, fails the test and is closed.
    void Run(const std::function<void()>& open) {
        current_ = this;
        next_ = 0;
        ticks_ = 0;
        const UINT_PTR timer = SetTimer(nullptr, 0, 40, Tick);
        open();
        KillTimer(nullptr, timer);
        current_ = nullptr;
        CHECK_EQ(next_, steps_.size());
    }

private:
    struct Search {
        int childId;
        HWND found;
    };
    static BOOL CALLBACK Match(HWND window, LPARAM arg) {
        auto* search = reinterpret_cast<Search*>(arg);
        char name[16] = "";
        GetClassNameA(window, name, sizeof name);
        if (IsWindowVisible(window) && std::string(name) == "#32770" && GetDlgItem(window, search->childId)) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }
    // Property sheets hold their pages' controls one level down.
    static BOOL CALLBACK MatchSheet(HWND window, LPARAM arg) {
        auto* search = reinterpret_cast<Search*>(arg);
        if (!Match(window, arg)) return FALSE;
        HWND page = reinterpret_cast<HWND>(SendMessageA(window, PSM_GETCURRENTPAGEHWND, 0, 0));
        if (IsWindowVisible(window) && page && GetDlgItem(page, search->childId)) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalScript* self = current_;
        if (!self || self->busy_) return;
        Search search{self->childId_, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), MatchSheet, reinterpret_cast<LPARAM>(&search));
        if (++self->ticks_ > 250 && search.found) {
            FAIL_CHECK("the dialog is still open after step " << self->next_);
            SendMessageA(search.found, WM_CLOSE, 0, 0);
            PostMessageA(search.found, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        if (!search.found || self->next_ >= self->steps_.size()) return;
        self->busy_ = true;
        self->steps_[self->next_++](search.found);
        self->busy_ = false;
    }

    static inline ModalScript* current_ = nullptr;
    int childId_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    int ticks_ = 0;
    bool busy_ = false;
};

}  // namespace quillet::test
