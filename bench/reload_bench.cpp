// reload_bench: the list reload and a header-click re-sort on a catalogue of
// 45,000 realistic games, run under Wine against the real SQLite ODBC driver
// and a real list view.
//
//   reload_bench [--games N] [--rounds N]
//
// A temporary copy of the schema-only catalogue is filled the way the import
// fills it (one committed INSERT per game). Each figure is taken --rounds
// times (default 5) and shown as best and median:
//   reload      the whole command: RunBackgroundTask with ReloadGameList
//               (progress dialog, worker, execute, fetch, records, hand-over
//               to the list, sort, dialog closed); then the same steps timed
//               one by one on the worker
//   re-sort     SortGameList as a header click calls it, per column; then its
//               parts: redrawing the items, the locale sort keys, and the
//               plain lstrcmpA Shell sort
// Targets on the project's machine: reload under 1.0 s, re-sort under 0.3 s.
//
// Without a window manager (Xvfb) Wine waits up to 2 s for every hidden
// top-level window to be withdrawn; tools/bench.sh runs this program with
// Wine's window management off so that the progress dialog's closing is
// measured, not that wait.
#include <windows.h>
#include <commctrl.h>
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "db/database.h"
#include "gamelist/game_list.h"

using namespace quillet;
using namespace quillet::bench;

namespace {

// ---------------------------------------------------------------------------
// Realistic rows

struct Random {
    unsigned state = 0x2545F491;
    unsigned Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    unsigned Below(unsigned n) { return Next() % n; }
    template <typename T, size_t N>
    const T& Pick(const T (&items)[N]) { return items[Below(N)]; }
    bool Chance(unsigned percent) { return Below(100) < percent; }
};

constexpr const char* kSyllables[] = {"ga", "la", "xi", "pa", "cm", "sf", "ko", "mt", "dr", "bu", "ro", "ti",
                                      "ne", "sp", "ar", "ca", "de", "fi", "mo", "st", "tr", "vi", "zo", "hu"};
constexpr const char* kTitleWords[] = {
    "Super", "Galaxy", "Fighter", "Dragon", "Street", "Racing", "Space", "Thunder", "Ninja", "Metal", "Blast",
    "Power", "Star", "Warrior", "Legend", "Turbo", "Final", "Night", "Mega", "Twin", "Golden", "Hyper", "Battle",
    "Zone", "Force", "Quest", "Strike", "Gun", "Mahjong", "Puzzle", "Poker", "Soccer", "Wrestling", "Master"};
constexpr const char* kVariants[] = {"World", "US", "Japan", "Euro", "Asia", "World, rev 2", "US set 1",
                                     "Japan, Ver 0.1", "bootleg", "hack", "prototype", "set 2", "Korea", "Brazil"};
constexpr const char* kMakers[] = {"Namco", "Capcom", "Konami", "Sega", "Taito Corporation", "SNK", "Atari Games",
                                   "Irem", "Nintendo", "Williams", "Midway", "Data East Corporation", "Jaleco",
                                   "Nichibutsu", "Sammy", "IGS", "Video System Co.", "Toaplan", "Cave", "bootleg",
                                   "Dynax", "Sigma", "Universal", "Technos Japan", "Tecmo", "Kaneko", "Psikyo",
                                   "Seibu Kaihatsu", "Alpha Denshi Co.", "Gottlieb", "Bally Midway", "Exidy",
                                   "Cinematronics", "Stern Electronics", "Amcoe", "Astro Corp.", "<unknown>"};
constexpr const char* kResolutions[] = {"256x224", "288x224", "320x224", "384x224", "320x240", "256x240", "336x240",
                                        "400x254", "512x384", "640x480", "1024x768", "292x240", "240x320"};
constexpr long kPalettes[] = {2, 8, 16, 32, 64, 256, 512, 1024, 2048, 4096, 8192, 32768, 65536};
constexpr int kFrequencies[] = {50, 54, 55, 57, 59, 60, 60, 60, 61};
constexpr const char* kCategories[] = {
    "Maze / Collect", "Shooter / Flying Vertical", "Shooter / Flying Horizontal", "Fighter / Versus",
    "Platform / Run Jump", "Sports / Soccer", "Driving / Race", "Casino / Cards", "Puzzle / Drop", "Slot Machine",
    "Mahjong / Japanese", "Quiz / Japanese", "Ball & Paddle / Breakout", "Shooter / Gallery", "Misc.", " "};

struct BenchRow {
    char RomName[9];
    char Description[120];
    unsigned short Year;
    char Manufacturer[100];
    unsigned char Original;
    char Cloneof[9];
    unsigned char Status;
    unsigned char DriverStatus, ColorStatus, SoundStatus;
    char Palette[8];
    unsigned char Video, Orientation;
    char Resolution[10];
    unsigned char Frequency;
    char Category[90];
    char IconPath[14];
};

// Names are unique: two or three syllables and a base-36 serial.
void MakeRow(Random& r, unsigned serial, const std::vector<std::string>& parents, BenchRow& row) {
    std::memset(&row, 0, sizeof row);
    const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string name = std::string(r.Pick(kSyllables)) + r.Pick(kSyllables);
    if (r.Chance(40)) name.resize(3);
    name += digits[serial / 1296 % 36];
    name += digits[serial / 36 % 36];
    name += digits[serial % 36];
    std::snprintf(row.RomName, sizeof row.RomName, "%s", name.c_str());

    std::string title = std::string(r.Pick(kTitleWords)) + " " + r.Pick(kTitleWords);
    if (r.Chance(50)) title += std::string(" ") + r.Pick(kTitleWords);
    if (r.Chance(30)) title += r.Chance(50) ? " II" : " '98";
    std::snprintf(row.Description, sizeof row.Description, "%s (%s)", title.c_str(), r.Pick(kVariants));

    row.Year = r.Chance(3) ? 0 : static_cast<unsigned short>(1971 + r.Below(52));
    std::snprintf(row.Manufacturer, sizeof row.Manufacturer, "%s", r.Pick(kMakers));
    const bool clone = !parents.empty() && r.Chance(55);
    row.Original = clone ? 1 : 0;
    // Clones cluster around recent parents, as families do in the list.
    const std::string parent = clone ? parents[parents.size() - 1 - r.Below(std::min<size_t>(parents.size(), 40))] : "";
    std::snprintf(row.Cloneof, sizeof row.Cloneof, "%s", clone ? parent.c_str() : " ");
    const unsigned verdict = r.Below(100);
    row.Status = verdict < 40 ? 0 : verdict < 50 ? 1 : verdict < 65 ? 2 : 3;
    // Good or preliminary: the codes the default filters show, so that every
    // game of the catalogue goes through the reload.
    row.DriverStatus = r.Chance(80) ? 0 : 2;
    row.ColorStatus = r.Chance(85) ? 0 : static_cast<unsigned char>(1 + r.Below(2));
    row.SoundStatus = r.Chance(75) ? 0 : static_cast<unsigned char>(1 + r.Below(2));
    row.Video = r.Chance(4) ? 1 : 0;
    row.Orientation = r.Chance(25) ? 1 : 0;
    std::snprintf(row.Palette, sizeof row.Palette, "%ld", row.Video ? 0L : r.Pick(kPalettes));
    std::snprintf(row.Resolution, sizeof row.Resolution, "%s", row.Video ? " " : r.Pick(kResolutions));
    row.Frequency = static_cast<unsigned char>(r.Pick(kFrequencies));
    std::snprintf(row.Category, sizeof row.Category, "%s", r.Pick(kCategories));
    std::snprintf(row.IconPath, sizeof row.IconPath, "%s.ico", clone ? parent.c_str() : row.RomName);
}

// Inserts `games` rows through the program's connection, one committed
// statement per game as the import does. Returns false on the first failure.
bool FillCatalogue(unsigned games) {
    static const char insert[] =
        "INSERT INTO main (RomName, Description, Year, Manufacturer, Original, Cloneof, Status, DriverStatus, "
        "ColorStatus, SoundStatus, Palette, Video, Orientation, Resolution, Frequency, Category, IconPath) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
    SQLHSTMT statement = nullptr;
    if (!Succeeded(SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &statement))) return false;
    if (!Succeeded(SQLPrepare(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(insert)), SQL_NTS))) return false;
    BenchRow row{};
    struct Param {
        void* value;
        SQLSMALLINT c, sql;
        SQLULEN size;
    };
    const Param params[] = {
        {row.RomName, SQL_C_CHAR, SQL_CHAR, 9},          {row.Description, SQL_C_CHAR, SQL_CHAR, 120},
        {&row.Year, SQL_C_USHORT, SQL_SMALLINT, 0},      {row.Manufacturer, SQL_C_CHAR, SQL_CHAR, 100},
        {&row.Original, SQL_C_UTINYINT, SQL_TINYINT, 0}, {row.Cloneof, SQL_C_CHAR, SQL_CHAR, 9},
        {&row.Status, SQL_C_UTINYINT, SQL_TINYINT, 0},   {&row.DriverStatus, SQL_C_UTINYINT, SQL_TINYINT, 0},
        {&row.ColorStatus, SQL_C_UTINYINT, SQL_TINYINT, 0}, {&row.SoundStatus, SQL_C_UTINYINT, SQL_TINYINT, 0},
        {row.Palette, SQL_C_CHAR, SQL_INTEGER, 0},       {&row.Video, SQL_C_UTINYINT, SQL_TINYINT, 0},
        {&row.Orientation, SQL_C_UTINYINT, SQL_TINYINT, 0}, {row.Resolution, SQL_C_CHAR, SQL_CHAR, 10},
        {&row.Frequency, SQL_C_UTINYINT, SQL_TINYINT, 0}, {row.Category, SQL_C_CHAR, SQL_CHAR, 90},
        {row.IconPath, SQL_C_CHAR, SQL_CHAR, 14},
    };
    SQLUSMALLINT number = 1;
    for (const Param& p : params)
        SQLBindParameter(statement, number++, SQL_PARAM_INPUT, p.c, p.sql, p.size, 0, p.value, 0, nullptr);

    Random random;
    std::vector<std::string> parents;
    bool ok = true;
    for (unsigned i = 0; i < games && ok; ++i) {
        MakeRow(random, i, parents, row);
        if (!row.Original) parents.push_back(row.RomName);
        ok = Succeeded(SQLExecute(statement));
        if (!ok) std::fprintf(stderr, "insert %u (%s) failed\n", i, row.RomName);
    }
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return ok;
}

// ---------------------------------------------------------------------------
// The reload's steps on the worker, and message boxes on the console

// ReloadGameList's steps with a time stamp after each.
struct ReloadSteps {
    double started, fetched, shown, closed;
} steps;

DWORD WINAPI TimedReload(LPVOID parameter) {
    const HWND dialog = static_cast<HWND>(parameter);
    steps.started = Now();
    GameRecordList list{};
    FetchGames(dialog, list, RecordTexts);
    steps.fetched = Now();
    ShowGameRecords(list);
    steps.shown = Now();
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    steps.closed = Now();
    return 0;
}

void Report(const Figure& f) {
    const double median = f.Median();
    std::printf("  %-34s best %7.3f s  median %7.3f s", f.label.c_str(), f.Best(), median);
    if (f.target > 0) std::printf("   target < %.1f s: %s", f.target, median < f.target ? "met" : "MISSED");
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    unsigned games = 45000, rounds = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--games")) games = static_cast<unsigned>(std::atoi(argv[i + 1]));
        if (!std::strcmp(argv[i], "--rounds")) rounds = std::max(1, std::atoi(argv[i + 1]));
    }

    if (!StartBenchProgram(PrintBox)) return 1;

    const ScratchCatalogue catalogue("quillet_bench");
    if (!catalogue.ok()) return 1;
    const std::string& path = catalogue.path();

    const HWND silent = CreateBenchWindows("Quillet reload benchmark");

    int status = 0;
    if (!ConnectDatabase(MainWindow, path.c_str(), &Settings.Filter.Query)) {
        status = 1;
    } else {
        std::printf("reload_bench: %u games, %u rounds, catalogue %s\n", games, rounds, path.c_str());
        double t = Now();
        if (!FillCatalogue(games)) status = 1;
        std::printf("  %-34s %7.3f s  (one commit per game, as the import)\n", "fill", Now() - t);

        Figure reload{"reload (whole command)", 1.0, {}};
        Figure fetch{"  worker: execute, fetch, records", 0, {}};
        Figure handOver{"  worker: hand-over and sort", 0, {}};
        Figure close{"  worker: closing the dialog", 0, {}};
        for (unsigned i = 0; i < rounds && status == 0; ++i) {
            t = Now();
            RunBackgroundTask(MainWindow, ReloadGameList);
            reload.seconds.push_back(Now() - t);
            Pump();
            const LRESULT shown = SendMessageA(GameListWindow, LVM_GETITEMCOUNT, 0, 0);
            if (shown != static_cast<LRESULT>(games)) {
                std::fprintf(stderr, "the list shows %ld of %u games\n", static_cast<long>(shown), games);
                status = 1;
            }
            // The same steps again, timed one by one.
            RunBackgroundTask(MainWindow, TimedReload);
            fetch.seconds.push_back(steps.fetched - steps.started);
            handOver.seconds.push_back(steps.shown - steps.fetched);
            close.seconds.push_back(steps.closed - steps.shown);
            Pump();
        }

        std::vector<Figure> sorts;
        for (const auto& [column, name] : {std::pair{0u, "ROM name"}, {1u, "description"}, {2u, "year"},
                                           {3u, "manufacturer"}, {6u, "status"}, {15u, "category"}}) {
            Figure f{std::string("re-sort by ") + name, 0.3, {}};
            for (unsigned i = 0; i < rounds; ++i) {
                t = Now();
                SortGameList(column);  // what LVN_COLUMNCLICK does
                f.seconds.push_back(Now() - t);
                Pump();
            }
            sorts.push_back(f);
        }

        // The parts of a re-sort: redrawing the items, the locale sort keys
        // the list sorts by, and the plain lstrcmpA Shell sort that defines
        // the order (on a copy of the records).
        std::vector<Figure> parts;
        const LRESULT items = SendMessageA(GameListWindow, LVM_GETITEMCOUNT, 0, 0);
        Figure redrawAll{"  redraw of all items", 0, {}};
        Figure redrawVisible{"  redraw of the visible items", 0, {}};
        for (unsigned i = 0; i < rounds && items > 0; ++i) {
            t = Now();
            SendMessageA(GameListWindow, LVM_REDRAWITEMS, 0, items - 1);
            UpdateWindow(GameListWindow);
            redrawAll.seconds.push_back(Now() - t);
            t = Now();
            const LRESULT top = SendMessageA(GameListWindow, LVM_GETTOPINDEX, 0, 0);
            const LRESULT page = SendMessageA(GameListWindow, LVM_GETCOUNTPERPAGE, 0, 0);
            SendMessageA(GameListWindow, LVM_REDRAWITEMS, top, std::min<LRESULT>(top + page, items - 1));
            UpdateWindow(GameListWindow);
            redrawVisible.seconds.push_back(Now() - t);
        }
        parts.push_back(redrawAll);
        parts.push_back(redrawVisible);

        GameRecordList list{};
        FetchGames(silent, list, RecordTexts);
        std::vector<GameRecord*> records;
        while (GameRecord* r = PopGameRecord(list)) records.push_back(r);
        for (DWORD column : {0u, 3u}) {
            Figure keys{"  sort keys, column " + std::to_string(column), 0, {}};
            Figure plain{"  lstrcmpA Shell sort, column " + std::to_string(column), 0, {}};
            std::vector<char> key(kGameColumns[column].width * 6 + 16);
            for (unsigned i = 0; i < rounds; ++i) {
                t = Now();
                for (GameRecord* r : records)
                    LCMapStringA(GetThreadLocale(), LCMAP_SORTKEY, ColumnText(*r, column), -1, key.data(),
                                 static_cast<int>(key.size()));
                keys.seconds.push_back(Now() - t);
                std::vector<GameRecord*> copy = records;
                t = Now();
                SortRecordsWithLstrcmp(copy.data(), static_cast<DWORD>(copy.size()), column, i % 2 != 0);
                plain.seconds.push_back(Now() - t);
            }
            parts.push_back(keys);
            parts.push_back(plain);
        }
        for (GameRecord* r : records) FreeGameRecord(r);

        if (status == 0) {
            Report(reload);
            Report(fetch);
            Report(handOver);
            Report(close);
            for (const Figure& f : sorts) Report(f);
            std::printf("  parts of a re-sort:\n");
            for (const Figure& f : parts) Report(f);
        }
    }

    DisconnectDatabase();
    DestroyWindow(MainWindow);
    DestroyWindow(silent);
    return status;
}
