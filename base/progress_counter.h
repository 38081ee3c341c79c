// The running count a worker shows in the progress dialog.
#pragma once

#include <windows.h>

#include "base/progress.h"

namespace quillet {

// Keeps a worker's running total and sends it to the dialog: the first value
// at once, then at most one value every kCountInterval milliseconds, and the
// final total when the worker calls Finish. Each send crosses from the worker
// to the dialog's thread and waits for it; under Wine that costs about
// 0.2-0.3 ms, so one send per row, game or read would take longer than
// the work itself (45,000 games: about 10 s of sends for a 0.3 s reload).
class ProgressCounter {
public:
    static constexpr DWORD kCountInterval = 50;

    explicit ProgressCounter(HWND dialog) : dialog_(dialog) {}
    ProgressCounter(const ProgressCounter&) = delete;
    ProgressCounter& operator=(const ProgressCounter&) = delete;

    DWORD total() const { return total_; }

    void Add(DWORD amount) {
        total_ += amount;
        const DWORD now = GetTickCount();
        if (!sentAny_ || now - lastSend_ >= kCountInterval) {
            Send(now);
        } else {
            pending_ = true;
        }
    }

    // Sends the total unless the dialog already shows it.
    void Finish() {
        if (pending_) Send(GetTickCount());
    }

private:
    void Send(DWORD now) {
        SendProgressCount(dialog_, total_);
        lastSend_ = now;
        sentAny_ = true;
        pending_ = false;
    }

    HWND dialog_;
    DWORD total_ = 0;
    DWORD lastSend_ = 0;
    bool sentAny_ = false;
    bool pending_ = false;
};

}  // namespace quillet
