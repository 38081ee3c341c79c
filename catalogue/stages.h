// The stages that RebuildCatalogueTask and VerifySetsTask chain on the
// progress dialog's worker thread: capture, import, status update and
// category import. Each stage reports its own failures and lets the chain go on.
#pragma once

#include <windows.h>

#include <cstddef>

namespace quillet {

// ---- Emulator output capture ----------------------------------------------

// Reserved address space that is committed as the output fills it. The
// captured bytes stand contiguously from `text`; `text[length]` is always a
// zero byte, so nothing written ever reaches the end of the committed part.
struct CaptureBuffer {
    char* text = nullptr;
    size_t length = 0;     // bytes captured
    size_t committed = 0;  // committed bytes from `text` on
    size_t reserved = 0;   // reserved bytes from `text` on
    size_t step = 0;       // bytes committed each time the output needs more
    bool cut = false;      // output arrived after the reservation was full
};

struct CaptureSizes {
    size_t initial;  // committed at the start, and each later commit
    size_t largest;  // the reservation asked for first (halved until it succeeds)
    DWORD pipeSize;  // buffer size asked of CreatePipe (0: the system's)
};

// Today's emulators print a game list of hundreds of megabytes, so the
// reservation is generous; 1 GiB is about half of a 32-bit process.
constexpr size_t kLargestCapture = size_t{1} << 30;
constexpr CaptureSizes kGameListCapture{33554432, kLargestCapture, 2048};
constexpr CaptureSizes kVerifyCapture{262144, kLargestCapture, 0};

// Reserves the region (at least `initial` bytes) and commits the first
// `initial` bytes. False with the system's last error set when even that fails.
bool ObtainCaptureBuffer(CaptureBuffer& buffer, const CaptureSizes& sizes);
// Releases the whole region; false with the system's last error set.
bool ReleaseCaptureBuffer(CaptureBuffer& buffer);

// Runs the emulator (MameName, in MameDir) with `option` and reads its
// standard output into `buffer` until the pipe reports no more data,
// sending `dialog` the bytes captured so far (ProgressCounter). Output
// beyond the reservation is read and dropped, then MSG_CAPTURE_CUT is shown.
// False, with MSG_COMMAND_TOO_LONG shown and nothing started, when the
// command line does not fit its 256 bytes.
bool CaptureEmulatorOutput(HWND dialog, const char* option, DWORD pipeSize, CaptureBuffer& buffer);

// ---- Consumers ------------------------------------------------------------

// Each consumer runs as one transaction. Set, every statement commits on
// its own instead, as the stages did before they were atomic; only the
// rebuild benchmark sets it, to measure that path beside this one.
extern bool CommitEachStatement;

// Refills table main from a captured game list [text, text + length) and
// returns true. Only a list read to its root end tag replaces the
// catalogue: on anything else (no root, a game the reader cannot read, a
// failed delete or commit) the previous catalogue stays exactly as it was,
// one box says why, and the result is false. A game whose name is too
// long, or whose insert fails, is left out; one warning gives their number.
bool ImportCatalogue(HWND dialog, const char* text, size_t length);

// Writes each verification verdict of [text, text + length) into Status;
// true when they were committed. A line naming a set the catalogue lacks is
// passed over; a failed update is reported and the statuses stay as they were.
bool ApplyVerifyResults(HWND dialog, const char* text, size_t length);

// Applies MameDir\catver.ini to Category, then closes the dialog (WM_CLOSE)
// on every path: it is the last stage of both chains.
void ImportCategories(HWND dialog);

// Applies the mapped catver.ini starting at `view`; `file` gives its size.
void ApplyCategoryFile(HWND dialog, const char* view, HANDLE file);

}  // namespace quillet
