// Running the emulator with its standard output on a pipe, and the two
// worker tasks that chain capture, import, verification and categories.
#include "catalogue/catalogue.h"

#include <cstdio>
#include <cstring>

#include "base/progress.h"
#include "base/handles.h"
#include "base/progress_counter.h"
#include "base/report.h"
#include "catalogue/scanners.h"
#include "catalogue/stage_statement.h"
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
        if (TaskCancelled()) break;
        DWORD got = 0;
        ReadFile(pipe, buffer.text + buffer.length, room < kReadSize ? static_cast<DWORD>(room) : kReadSize, &got,
                 nullptr);
        if (got == 0) break;
        buffer.length += got;
        bytes.Add(got);
    }
    bytes.Finish();
}

// One capture stage: what the emulator is asked, and what takes its output.
struct CaptureStage {
    UINT taskText;
    const CaptureSizes* sizes;
    const char* option;
    // Asked instead when the first answer holds no usable result (null: none).
    const char* fallbackOption;
    bool countFromZero;  // the count shows 0 until the first output
    bool (*usable)(const char* begin, const char* end);
    // True when its statements are in; false after a failure or a cancel.
    bool (*consumer)(HWND dialog, const char* text, size_t length, void* context);
    void* context;
};

// The one capture routine: region, progress texts, capture (again with the
// fallback option when the first answer is of no use), consumer, release.
// A region that cannot be obtained skips the capture and the consumer.
// True when the consumer ran and succeeded.
bool RunCaptureStage(HWND dialog, const CaptureStage& stage) {
    CaptureBuffer buffer;
    if (!ObtainCaptureBuffer(buffer, *stage.sizes)) {
        ReportMessage(dialog, MessageSourceSystem, 0);
        return false;
    }
    SendProgressTask(dialog, stage.taskText);
    SendProgressStep(dialog, IDS_STEP_RUNNING);
    if (stage.countFromZero) SendProgressCount(dialog, 0);
    bool captured = CaptureEmulatorOutput(dialog, stage.option, stage.sizes->pipeSize, buffer);
    if (captured && stage.fallbackOption && !stage.usable(buffer.text, buffer.text + buffer.length)) {
        std::memset(buffer.text, 0, buffer.length);
        buffer.length = 0;
        buffer.cut = false;
        captured = CaptureEmulatorOutput(dialog, stage.fallbackOption, stage.sizes->pipeSize, buffer);
    }
    const bool consumed = captured && !TaskCancelled() &&
                          stage.consumer(dialog, buffer.text, buffer.length, stage.context);
    if (!ReleaseCaptureBuffer(buffer)) ReportMessage(dialog, MessageSourceSystem, 0);
    return consumed;
}

bool ConsumeGameList(HWND dialog, const char* text, size_t length, void* context) {
    auto& outcome = *static_cast<ImportOutcome*>(context);
    outcome = ImportGameList(dialog, text, length, kImportRowsPerExecute);
    return outcome.stage == StageOutcome::Done;
}

bool ConsumeVerification(HWND dialog, const char* text, size_t length, void*) {
    return ApplyVerifyResults(dialog, text, length);
}

// Today's emulator has no "-verifysets": it answers with an error and no
// result line, and verifies with "-verifyroms", whose result lines read the
// same. The era's emulators know both, but only "-verifysets" lists every
// set they know. So: "-verifyroms" once a rebuild has seen today's list,
// and also whenever "-verifysets" printed no result line at all (an
// emulator swapped without a rebuild).
bool RunVerifyStage(HWND dialog, Generation generation) {
    const bool today = generation == Generation::Today;
    const CaptureStage stage{IDS_TASK_VERIFY, &kVerifyCapture, today ? "-verifyroms" : "-verifysets",
                             today ? nullptr : "-verifyroms", true, HasVerifyResult, ConsumeVerification, nullptr};
    return RunCaptureStage(dialog, stage);
}

// The job that ends the emulator and everything it started once its handle
// closes; null where none can be made.
HANDLE MakeKillOnCloseJob() {
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    if (!job) return nullptr;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        CloseHandle(job);
        return nullptr;
    }
    return job;
}

// Starts the emulator suspended, puts it in the job and lets it run. Where
// it cannot join the job (nested jobs on Windows 7), Cancel ends the
// process alone. The returned handles are empty when it did not start.
struct StartedEmulator {
    UniqueHandle job;
    UniqueHandle process;
};

StartedEmulator StartEmulator(char* commandLine, HANDLE writeEnd) {
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;

    // MameDir ends in a backslash; a bare file name has none, and then the
    // child starts in our own current directory instead of failing.
    const char* directory = Settings.MameDir[0] ? Settings.MameDir : nullptr;
    StartedEmulator started;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE, CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr,
                        directory, &startup, &process))
        return started;
    started.process.reset(process.hProcess);
    started.job.reset(MakeKillOnCloseJob());
    if (started.job.valid() && !AssignProcessToJobObject(started.job.get(), process.hProcess)) started.job.reset();
    ResumeThread(process.hThread);
    CloseHandle(process.hThread);
    return started;
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
    if (TaskCancelled()) return false;

    // The write end is inherited as the child's standard output; the read
    // end stays ours alone, so once the emulator and its children are gone
    // no copy of the write end is left and the read ends. Failures of pipe
    // and process creation leave no writer either: the first read then
    // ends the capture with nothing.
    SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readHandle = nullptr;
    HANDLE writeHandle = nullptr;
    CreatePipe(&readHandle, &writeHandle, &security, pipeSize);
    const UniqueHandle readEnd(readHandle);
    UniqueHandle writeEnd(writeHandle);
    if (readEnd.valid()) SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0);

    StartedEmulator emulator = StartEmulator(commandLine, writeEnd.get());
    // From here the emulator holds the only write end, so its exit ends the reads.
    writeEnd.reset();

    // Cancel ends the job (or the process), which breaks the pipe under a
    // read that waits for output.
    if (emulator.process.valid() && !WatchEmulator(emulator.job.get(), emulator.process.get())) {
        if (emulator.job.valid())
            TerminateJobObject(emulator.job.get(), 1);
        else
            TerminateProcess(emulator.process.get(), 1);
    }
    if (!TaskCancelled()) ReadAll(dialog, readEnd.get(), buffer);
    UnwatchEmulator();
    if (TaskCancelled()) {
        if (emulator.job.valid())
            TerminateJobObject(emulator.job.get(), 1);
        else if (emulator.process.valid())
            TerminateProcess(emulator.process.get(), 1);
        return false;
    }
    if (buffer.cut) ReportMessage(dialog, MessageSourceModule, MSG_CAPTURE_CUT);
    return true;
}

DWORD WINAPI RebuildCatalogueTask(LPVOID param) {
    const HWND dialog = static_cast<HWND>(param);
    // The import, the verification and the categories are one transaction:
    // a failure or a cancel at any stage leaves the catalogue as it was.
    DWORD changed = 0;
    {
        CatalogueTransaction rebuild;
        ImportOutcome imported{StageOutcome::Failed, Generation::Era, 0};
        const CaptureStage list{IDS_TASK_REBUILD, &kGameListCapture, "-lx", nullptr, false, nullptr, ConsumeGameList, &imported};
        const bool whole = rebuild.began() && RunCaptureStage(dialog, list) &&
                           RunVerifyStage(dialog, imported.generation) && ImportCategories(dialog) && !TaskCancelled();
        if (whole && rebuild.Commit()) {
            NoteImported(dialog, imported);
            changed = 1;
        } else {
            if (whole || !rebuild.began()) ReportMessage(dialog, MessageSourceModule, MSG_ODBC_EXECUTE);
            rebuild.Rollback();
        }
    }
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    return changed;
}

DWORD WINAPI VerifySetsTask(LPVOID param) {
    const HWND dialog = static_cast<HWND>(param);
    // Each stage commits on its own; a cancel stops the chain.
    DWORD changed = RunVerifyStage(dialog, static_cast<Generation>(Settings.EmulatorGeneration)) ? 1 : 0;
    if (!TaskCancelled() && ImportCategories(dialog)) changed = 1;
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    return changed;
}

}  // namespace quillet
