// rebuild_bench: the whole rebuild command (1001) on a generated game list,
// run under Wine with the stand-in emulator and the real SQLite ODBC driver.
//
//   rebuild_bench [FOLDER] [--rounds N] [--no-old]
//
// FOLDER (default: bench\rebuild-data of the build) holds gamelist.xml,
// verify.txt and catver.ini; tools/bench.sh writes 45,000 games there with
// gengamelist. The stand-in emulator is copied beside them as mame.exe.
// Each figure is taken --rounds times (default 3) and shown as best and
// median, for two paths of the import measured round by round in the same run:
//   parameter arrays   kImportRowsPerExecute games to an execute (the
//                      program's path)
//   single rows        one game to an execute, as the import ran before;
//                      --no-old leaves this path out
// and for each path:
//   rebuild            the command as the user gives it (the program's path
//                      only): the chain under its progress dialog, then the
//                      reload under a second one
//   the stages         each on this thread with a silent dialog stand-in:
//                      capture of -lx, import, capture of -verifysets, status
//                      update, category import; then the reload command
//   chain              the five stages of a round added up
//   chain without the captures: import, status update and categories
// Targets on the project's machine: the whole rebuild under 5 s, the import
// at most 0.4 s and the chain without the captures at most 1.0 s.
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
template <class Consumer>
void TimeCaptureStage(HWND dialog, const char* option, const CaptureSizes& sizes, Consumer consumer, Figure& capture,
                      Figure& consume) {
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
    uint32_t rowsPerExecute;
    bool wholeCommand;
    Figure rebuild{"rebuild (whole command)", 0, {}};
    Figure captureList{"  capture -lx", 0, {}}, import{"  import", 0, {}};
    Figure captureVerify{std::string("  capture ") + verifyOption, 0, {}}, statuses{"  status update", 0, {}};
    Figure categories{"  category import", 0, {}}, reload{"  reload (command)", 0, {}};
    Figure chain{"chain (the five stages)", 0, {}};
    Figure work{"chain without the captures", 0, {}};

    std::vector<const Figure*> All() const {
        std::vector<const Figure*> all{&captureList, &import, &captureVerify, &statuses, &categories, &reload, &chain, &work};
        if (wholeCommand) all.insert(all.begin(), &rebuild);
        return all;
    }
};

// One round of one path: the command (the program's own path only), then
// its stages one by one, each committed on its own.
void RunRound(PathFigures& path, HWND silent, unsigned round) {
    double t = 0;
    if (path.wholeCommand) {
        t = Now();
        RunBackgroundTask(MainWindow, RebuildCatalogueTask);
        RunBackgroundTask(MainWindow, ReloadGameList);
        path.rebuild.seconds.push_back(Now() - t);
        Pump();
    }

    const uint32_t rows = path.rowsPerExecute;
    TimeCaptureStage(
        silent, "-lx", kGameListCapture,
        [rows](HWND dialog, const char* text, size_t length) { return ImportCatalogue(dialog, text, length, rows); },
        path.captureList, path.import);
    TimeCaptureStage(silent, verifyOption, kVerifyCapture, ApplyVerifyResults, path.captureVerify, path.statuses);
    t = Now();
    ImportCategories(silent);
    path.categories.seconds.push_back(Now() - t);
    path.work.seconds.push_back(path.import.seconds.back() + path.statuses.seconds.back() +
                                path.categories.seconds.back());
    path.chain.seconds.push_back(path.captureList.seconds.back() + path.captureVerify.seconds.back() +
                                 path.work.seconds.back());
    t = Now();
    RunBackgroundTask(MainWindow, ReloadGameList);
    path.reload.seconds.push_back(Now() - t);
    Pump();
    std::fprintf(stderr, "round %u, %s: chain %.3f s\n", round + 1, path.name, path.chain.seconds.back());
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
    PathFigures arrays{"parameter arrays", kImportRowsPerExecute, true}, single{"single rows", 1, false};
    arrays.rebuild.target = today ? 6.0 : 5.0;
    unsigned long games = 0;
    for (unsigned round = 0; round < rounds; ++round) {
        // Alternate which path goes first, so neither always finds the
        // other's freshly written catalogue.
        if (old && round % 2 == 1) RunRound(single, silent, round);
        RunRound(arrays, silent, round);
        games = CatalogueRows();
        if (old && round % 2 == 0) RunRound(single, silent, round);
    }

    std::printf("rebuild_bench: %lu games in the catalogue, %lu listed, %u rounds, %ld message boxes\n", games,
                static_cast<unsigned long>(ListView_GetItemCount(GameListWindow)), rounds, boxCount);
    for (const PathFigures* p : {&arrays, &single}) {
        if (p->import.seconds.empty()) continue;
        std::printf(" %s (%lu rows per execute):\n", p->name, static_cast<unsigned long>(p->rowsPerExecute));
        for (const Figure* f : p->All()) Report(*f, games);
    }
    const bool met = arrays.rebuild.Median() < arrays.rebuild.target;
    std::printf("  target: whole rebuild under %.0f s: %s\n", arrays.rebuild.target, met ? "met" : "MISSED");
    std::printf("  target: import at most 0.4 s: %.3f s, %s\n", arrays.import.Median(),
                arrays.import.Median() <= 0.4 ? "met" : "MISSED");
    std::printf("  target: chain without the captures at most 1.0 s: %.3f s, %s\n", arrays.work.Median(),
                arrays.work.Median() <= 1.0 ? "met" : "MISSED");
    if (old)
        std::printf("  import, arrays against single rows: %.2fx\n", arrays.import.Median() / single.import.Median());

    DisconnectDatabase();
    DeleteFileA(path.c_str());
    DeleteFileA((path + "-wal").c_str());
    DeleteFileA((path + "-shm").c_str());
    DeleteFileA(emulator.c_str());
    return games == 0 ? 1 : 0;
}
