// Running the emulator with its standard output on a pipe, and the two
// worker tasks that chain capture, import, verification and categories.
#include "catalogue/catalogue.h"

#include <cstdio>
#include <cstring>

#include "base/progress.h"
#include "base/progress_counter.h"
#include "base/report.h"
#include "catalogue/scanners.h"
#include "catalogue/stages.h"
#include "resources/resource_ids.h"
#include "settings/command_lines.h"
#include "settings/frontend_settings.h"

namespace quillet {

namespace {

// The most one ReadFile asks of the pipe. Each read is a round trip
// through the system; under Wine a 125 MB list read 8 KiB at a time took
// 1.4 s of reads, 64 KiB at a time 0.4 s.
constexpr DWORD kReadSize = 65536;

// Commits the next step of the reservation; false when it is used up or
// the system refuses.
bool CommitMore(CaptureBuffer& buffer) {
    const size_t left = buffer.reserved - buffer.committed;
    if (left == 0) return false;
    const size_t chunk = buffer.step < left ? buffer.step : left;
    if (!VirtualAlloc(buffer.text + buffer.committed, chunk, MEM_COMMIT, PAGE_READWRITE)) return false;
    buffer.committed += chunk;
    return true;
}

// Reads what is left in the pipe and drops it, so that an emulator whose
// output no longer fits can still write it all and exit. True when
// anything was dropped.
bool DrainPipe(HANDLE pipe) {
    static char scrap[kReadSize];  // one worker at a time
    bool dropped = false;
    for (;;) {
        DWORD got = 0;
        ReadFile(pipe, scrap, sizeof scrap, &got, nullptr);
        if (got == 0) return dropped;
        dropped = true;
    }
}

// Reads until a read delivers nothing: the emulator has exited (or never
// started) and every copy of the write end is closed. The success flag of
// a read is not examined; a broken pipe delivers 0 bytes as well.
void ReadAll(HWND dialog, HANDLE pipe, CaptureBuffer& buffer) {
    ProgressCounter bytes(dialog);
    for (;;) {
        // One zero byte always stays behind the text.
        const size_t room = buffer.committed - buffer.length - 1;
        if (room < kReadSize && CommitMore(buffer)) continue;
        if (room == 0) {
            buffer.cut = DrainPipe(pipe);
            break;
        }
        DWORD got = 0;
        ReadFile(pipe, buffer.text + buffer.length, room < kReadSize ? static_cast<DWORD>(room) : kReadSize, &got,
                 nullptr);
        if (got == 0) break;
        buffer.length += got;
        bytes.Add(got);
    }
    bytes.Finish();
}

using Consumer = bool (*)(HWND dialog, const char* text, size_t length);

// One capture stage: region, progress texts, capture, consumer, release.
// A region that cannot be obtained skips the capture and the consumer.
// True when the consumer ran and succeeded.
bool RunCaptureStage(HWND dialog, UINT taskText, const char* option, const CaptureSizes& sizes, Consumer consumer) {
    CaptureBuffer buffer;
    if (!ObtainCaptureBuffer(buffer, sizes)) {
        ReportMessage(dialog, MessageSourceSystem, 0);
        return false;
    }
    SendProgressTask(dialog, taskText);
    SendProgressStep(dialog, IDS_STEP_RUNNING);
    const bool consumed = CaptureEmulatorOutput(dialog, option, sizes.pipeSize, buffer) &&
                          consumer(dialog, buffer.text, buffer.length);
    if (!ReleaseCaptureBuffer(buffer)) ReportMessage(dialog, MessageSourceSystem, 0);
    return consumed;
}

// Today's emulator has no "-verifysets": it answers with an error and no
// result line, and verifies with "-verifyroms", whose result lines read the
// same. The era's emulators know both, but only "-verifysets" lists every
// set they know. So: "-verifyroms" once a rebuild has seen today's list,
// and also whenever "-verifysets" printed no result line at all (an
// emulator swapped without a rebuild).
void RunVerifyStage(HWND dialog) {
    CaptureBuffer buffer;
    if (!ObtainCaptureBuffer(buffer, kVerifyCapture)) {
        ReportMessage(dialog, MessageSourceSystem, 0);
        return;
    }
    SendProgressTask(dialog, IDS_TASK_VERIFY);
    SendProgressStep(dialog, IDS_STEP_RUNNING);
    SendProgressCount(dialog, 0);
    const bool today = Settings.EmulatorGeneration == static_cast<uint32_t>(Generation::Today);
    bool captured = CaptureEmulatorOutput(dialog, today ? "-verifyroms" : "-verifysets", kVerifyCapture.pipeSize, buffer);
    if (captured && !today && !HasVerifyResult(buffer.text, buffer.text + buffer.length)) {
        std::memset(buffer.text, 0, buffer.length);
        buffer.length = 0;
        buffer.cut = false;
        captured = CaptureEmulatorOutput(dialog, "-verifyroms", kVerifyCapture.pipeSize, buffer);
    }
    if (captured) ApplyVerifyResults(dialog, buffer.text, buffer.length);
    if (!ReleaseCaptureBuffer(buffer)) ReportMessage(dialog, MessageSourceSystem, 0);
}

}  // namespace

bool ObtainCaptureBuffer(CaptureBuffer& buffer, const CaptureSizes& sizes) {
    buffer = CaptureBuffer{};
    size_t size = sizes.largest > sizes.initial ? sizes.largest : sizes.initial;
    void* base = nullptr;
    for (;;) {
        base = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_READWRITE);
        if (base || size <= sizes.initial) break;
        size = size / 2 > sizes.initial ? size / 2 : sizes.initial;
    }
    if (!base) return false;
    if (!VirtualAlloc(base, sizes.initial, MEM_COMMIT, PAGE_READWRITE)) {
        const DWORD error = GetLastError();
        VirtualFree(base, 0, MEM_RELEASE);
        SetLastError(error);
        return false;
    }
    buffer.text = static_cast<char*>(base);
    buffer.reserved = size;
    buffer.committed = sizes.initial;
    buffer.step = sizes.initial;
    return true;
}

bool ReleaseCaptureBuffer(CaptureBuffer& buffer) {
    const bool released = VirtualFree(buffer.text, 0, MEM_RELEASE) != FALSE;
    buffer = CaptureBuffer{};
    return released;
}

bool CaptureEmulatorOutput(HWND dialog, const char* option, DWORD pipeSize, CaptureBuffer& buffer) {
    // Refused as too long as well: a path holding a double quote (no file name can).
    char commandLine[256];
    if (!ComposeEmulatorCommand(commandLine, sizeof commandLine, Settings.MameName, option)) {
        ReportMessage(dialog, MessageSourceModule, MSG_COMMAND_TOO_LONG);
        return false;
    }

    // Both ends inheritable; the child gets the write end as its standard
    // output. Failures of pipe and process creation are not examined: they
    // leave no writer, so the first read ends the capture with nothing.
    SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &security, pipeSize);

    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;

    // MameDir ends in a backslash; a bare file name has none, and then the
    // child starts in our own current directory instead of failing.
    const char* directory = Settings.MameDir[0] ? Settings.MameDir : nullptr;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, directory, &startup,
                       &process)) {
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    // From here the emulator holds the only write end, so its exit ends the reads.
    if (writeEnd) CloseHandle(writeEnd);

    ReadAll(dialog, readEnd, buffer);
    if (readEnd) CloseHandle(readEnd);
    if (buffer.cut) ReportMessage(dialog, MessageSourceModule, MSG_CAPTURE_CUT);
    return true;
}

DWORD WINAPI RebuildCatalogueTask(LPVOID param) {
    const HWND dialog = static_cast<HWND>(param);
    if (RunCaptureStage(dialog, IDS_TASK_REBUILD, "-lx", kGameListCapture, ImportCatalogue))
        return VerifySetsTask(dialog);
    // The previous catalogue was kept, and its statuses and categories are
    // still its own: the chain ends here.
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    return 0;
}

DWORD WINAPI VerifySetsTask(LPVOID param) {
    const HWND dialog = static_cast<HWND>(param);
    RunVerifyStage(dialog);
    ImportCategories(dialog);
    return 0;
}

}  // namespace quillet
