// The stages that RebuildCatalogueTask and VerifySetsTask chain on the
// progress dialog's worker thread: capture, import, status update and
// category import. Each stage reports its own failures; a rebuild stops at
// the first one and leaves the catalogue as it was.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "catalogue/import_record.h"

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
// command line does not fit its 256 bytes, and false when the task was
// cancelled: the emulator and every process it started are then ended.
// The emulator runs in a job object that ends them all when it closes.
bool CaptureEmulatorOutput(HWND dialog, const char* option, DWORD pipeSize, CaptureBuffer& buffer);

// ---- Consumers ------------------------------------------------------------

// How a stage ended: its statements in the command's transaction, failed
// (one box said why, and the transaction is doomed) or cancelled (no box).
enum class StageOutcome { Done, Failed, Cancelled };

// Games per execute of the import's INSERT: the driver takes a parameter
// array of this many rows in one call.
constexpr uint32_t kImportRowsPerExecute = 256;

struct ImportOutcome {
    StageOutcome stage;
    Generation generation;  // of a list read to its end
    uint32_t leftOut;       // games passed over: names too long or listed twice
};

// Refills table main from a captured game list [text, text + length),
// `rowsPerExecute` games to an execute, inside the command's transaction
// (or one of its own). Only a list read to its root end tag is Done; on
// anything else (no root, a game the reader cannot read, a failed delete
// or insert, a cancel) the transaction is rolled back and, but for a
// cancel, one box says why. A game whose name is too long or listed a
// second time is left out and counted.
ImportOutcome ImportGameList(HWND dialog, const char* text, size_t length, uint32_t rowsPerExecute);
// After the commit: notes the list's generation, and one warning gives the
// number of games left out.
void NoteImported(HWND dialog, const ImportOutcome& outcome);
// The import as a command of its own: ImportGameList, then NoteImported
// once it is committed. True when the catalogue was replaced.
bool ImportCatalogue(HWND dialog, const char* text, size_t length, uint32_t rowsPerExecute = kImportRowsPerExecute);

// Writes each verification verdict of [text, text + length) into Status; a
// line naming a set the catalogue lacks is passed over. True when they
// are in (committed, when run alone); a failure rolls back with one box.
bool ApplyVerifyResults(HWND dialog, const char* text, size_t length);

// Applies MameDir\catver.ini to Category; a missing file is no failure.
// True unless a failure or a cancel rolled the categories back.
bool ImportCategories(HWND dialog);

// Applies the mapped catver.ini starting at `view`; `file` gives its size.
bool ApplyCategoryFile(HWND dialog, const char* view, HANDLE file);

}  // namespace quillet
