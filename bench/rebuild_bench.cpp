// rebuild_bench: the whole rebuild command (1001) on a generated game list,
// run under Wine with the stand-in emulator and the real SQLite ODBC driver.
//
//   rebuild_bench [FOLDER] [--rounds N] [--no-old]
//
// FOLDER (default: bench\rebuild-data of the build) holds gamelist.xml,
// verify.txt and catver.ini; tools/bench.sh writes 45,000 games there with
// gengamelist. The stand-in emulator is copied beside them as mame.exe.
// Each figure is taken --rounds times (default 3) and shown as best and
// median, for two paths measured round by round in the same run:
//   atomic             each stage one transaction (the program's path)
//   commit each        every statement committed on its own, as the stages
//                      ran before they were atomic (CommitEachStatement);
//                      --no-old leaves this path out
// and for each path:
//   rebuild            the command as the user gives it: the chain under its
//                      progress dialog, then the reload under a second one
//   the stages         each on this thread with a silent dialog stand-in:
//                      capture of -lx, import, capture of -verifysets, status
//                      update, category import; then the reload command
//   chain              the five stages of a round added up
// Targets on the project's machine: the whole rebuild under 5 s, and the
// atomic chain at most 0.6 times the commit-each one.
//
// With a file fakemame.today in FOLDER the stand-in answers as today's
// emulator (tools/bench.sh puts the real 0.251 list there, in
// bench\today-data): verification runs "-verifyroms", and the target is
// the whole chain under 6 s.
#include <windows.h>
#include <commctrl.h>
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "catalogue/catalogue.h"
#include "catalogue/stages.h"
#include "db/database.h"
#include "gamelist/game_list.h"

using namespace quillet;
using namespace quillet::bench;

namespace {

// Boxes are counted, and the first few shown on the console.
LONG boxCount = 0;
int WINAPI CountBox(HWND, LPCSTR text, LPCSTR caption, UINT) {
    if (InterlockedIncrement(&boxCount) <= 5) std::fprintf(stderr, "[message box] %s: %s\n", caption, text);
    return IDOK;
}

void Report(const Figure& f, unsigned long games) {
    std::printf("  %-30s best %7.3f s  median %7.3f s  %9.0f games/s\n", f.label.c_str(), f.Best(), f.Median(),
                games / f.Median());
}

unsigned long CatalogueRows() {
    SQLHSTMT statement = nullptr;
    SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &statement);
    unsigned long rows = 0;
    SQLLEN length = 0;
    if (SQL_SUCCEEDED(SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>("SELECT COUNT(*) FROM main")),
                                    SQL_NTS)) &&
        SQL_SUCCEEDED(SQLFetch(statement)))
        SQLGetData(statement, 1, SQL_C_ULONG, &rows, 0, &length);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return rows;
}

// One capture and its consumer, each timed.
void TimeCaptureStage(HWND dialog, const char* option, const CaptureSizes& sizes, bool (*consumer)(HWND, const char*, size_t),
                      Figure& capture, Figure& consume) {
    CaptureBuffer buffer;
    if (!ObtainCaptureBuffer(buffer, sizes)) {
        std::fprintf(stderr, "no capture region\n");
        return;
    }
    double t = Now();
    CaptureEmulatorOutput(dialog, option, sizes.pipeSize, buffer);
    capture.seconds.push_back(Now() - t);
    t = Now();
    consumer(dialog, buffer.text, buffer.length);
    consume.seconds.push_back(Now() - t);
    ReleaseCaptureBuffer(buffer);
}

// "-verifyroms" when the stand-in plays today's emulator.
const char* verifyOption = "-verifysets";

// The figures of one path.
struct PathFigures {
    const char* name;
    bool commitEach;
    Figure rebuild{"rebuild (whole command)", 0, {}};
    Figure captureList{"  capture -lx", 0, {}}, import{"  import", 0, {}};
    Figure captureVerify{std::string("  capture ") + verifyOption, 0, {}}, statuses{"  status update", 0, {}};
    Figure categories{"  category import", 0, {}}, reload{"  reload (command)", 0, {}};
    Figure chain{"chain (the five stages)", 0, {}};

    std::vector<const Figure*> All() const {
        return {&rebuild, &captureList, &import, &captureVerify, &statuses, &categories, &reload, &chain};
    }
};

// One round of one path: the command, then its stages one by one.
void RunRound(PathFigures& path, HWND silent, unsigned round) {
    CommitEachStatement = path.commitEach;
    double t = Now();
    RunBackgroundTask(MainWindow, RebuildCatalogueTask);
    RunBackgroundTask(MainWindow, ReloadGameList);
    path.rebuild.seconds.push_back(Now() - t);
    Pump();

    TimeCaptureStage(silent, "-lx", kGameListCapture, ImportCatalogue, path.captureList, path.import);
    TimeCaptureStage(silent, verifyOption, kVerifyCapture, ApplyVerifyResults, path.captureVerify, path.statuses);
    t = Now();
    ImportCategories(silent);
    path.categories.seconds.push_back(Now() - t);
    path.chain.seconds.push_back(path.captureList.seconds.back() + path.import.seconds.back() +
                                 path.captureVerify.seconds.back() + path.statuses.seconds.back() +
                                 path.categories.seconds.back());
    t = Now();
    RunBackgroundTask(MainWindow, ReloadGameList);
    path.reload.seconds.push_back(Now() - t);
    Pump();
    CommitEachStatement = false;
    std::fprintf(stderr, "round %u, %s: rebuild %.3f s\n", round + 1, path.name, path.rebuild.seconds.back());
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = WindowsBuildPath("bench/rebuild-data");
    unsigned rounds = 3;
    bool old = true;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--rounds") && i + 1 < argc)
            rounds = static_cast<unsigned>(std::max(1, std::atoi(argv[++i])));
        else if (!std::strcmp(argv[i], "--no-old"))
            old = false;
        else
            folder = argv[i];
    }
    if (GetFileAttributesA((folder + "\\gamelist.xml").c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "rebuild_bench: no gamelist.xml in %s (tools/bench.sh writes it)\n", folder.c_str());
        return 1;
    }

    if (!StartBenchProgram(CountBox)) return 1;

    const std::string emulator = folder + "\\mame.exe";
    if (!CopyFileA(WindowsBuildPath("fakemame.exe").c_str(), emulator.c_str(), FALSE)) {
        std::fprintf(stderr, "cannot put the stand-in emulator into %s\n", folder.c_str());
        return 1;
    }
    lstrcpynA(Settings.MameName, emulator.c_str(), sizeof Settings.MameName);
    DeriveEmulatorPaths(Settings);
    const std::string path = folder + "\\gamelist.mdb";
    if (!CopyEmptyCatalogue(path)) return 1;

    const HWND silent = CreateBenchWindows("Quillet rebuild benchmark");
    if (!ConnectDatabase(MainWindow, path.c_str(), &Settings.Filter.Query)) return 1;

    const bool today = GetFileAttributesA((folder + "\\fakemame.today").c_str()) != INVALID_FILE_ATTRIBUTES;
    if (today) verifyOption = "-verifyroms";
    PathFigures atomic{"atomic", false}, commitEach{"commit each", true};
    atomic.rebuild.target = today ? 6.0 : 5.0;
    unsigned long games = 0;
    for (unsigned round = 0; round < rounds; ++round) {
        // Alternate which path goes first, so neither always finds the
        // other's freshly written catalogue.
        if (old && round % 2 == 1) RunRound(commitEach, silent, round);
        RunRound(atomic, silent, round);
        games = CatalogueRows();
        if (old && round % 2 == 0) RunRound(commitEach, silent, round);
    }

    std::printf("rebuild_bench: %lu games in the catalogue, %lu listed, %u rounds, %ld message boxes\n", games,
                static_cast<unsigned long>(ListView_GetItemCount(GameListWindow)), rounds, boxCount);
    for (const PathFigures* p : {&atomic, &commitEach}) {
        if (p->rebuild.seconds.empty()) continue;
        std::printf(" %s:\n", p->commitEach ? "commit each statement (the path before)" : "one transaction per stage");
        for (const Figure* f : p->All()) Report(*f, games);
    }
    const bool met = atomic.rebuild.Median() < atomic.rebuild.target;
    std::printf("  target: whole rebuild under %.0f s: %s\n", atomic.rebuild.target, met ? "met" : "MISSED");
    if (old) {
        const double chain = atomic.chain.Median() / commitEach.chain.Median();
        std::printf("  target: atomic chain at most 0.6x commit each: %.2fx, %s (whole command %.2fx)\n", chain,
                    chain <= 0.6 ? "met" : "MISSED", atomic.rebuild.Median() / commitEach.rebuild.Median());
    }

    DisconnectDatabase();
    DeleteFileA(path.c_str());
    DeleteFileA((path + "-wal").c_str());
    DeleteFileA((path + "-shm").c_str());
    DeleteFileA(emulator.c_str());
    return games == 0 ? 1 : 0;
}
