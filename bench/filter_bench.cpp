// filter_bench: the filter sheet's distinct-value lookups, the opening of
// the sheet on its palette page and an OK that reloads the list, on a
// catalogue of 45,000 games, under Wine with the real SQLite ODBC driver.
//
//   filter_bench [--games N] [--rounds N]
//
// The catalogue is generated in one statement with as many distinct values
// as today's MAME list has (about 3,300 manufacturers, 800 resolutions, 70
// refresh rates) and a few hundred palette sizes. Each figure is taken
// --rounds times (default 5), shown as best and median:
//   lookup      one Fill...List on its page, the combo boxes filled
//   open        ShowFilterSheet at the palette page until the sheet is up
//               and idle (three combo boxes filled); the idle is seen by a
//               10 ms timer, so the figure is up to that much late
//   OK          from pressing OK to ShowFilterSheet's return: the query
//               block, the reload of every game under the progress dialog,
//               and the save of the settings
// Targets: each lookup under 0.1 s, open under 0.3 s, OK under 1.0 s.
// The settings are saved into a scratch key that stands in for HKCU.
#include <windows.h>
#include <commctrl.h>
#include <sql.h>
#include <sqlext.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "db/database.h"
#include "filters/distinct_values.h"
#include "filters/filter_sheet.h"
#include "resources/resource_ids.h"

using namespace quillet;
using namespace quillet::bench;

namespace {

bool FillCatalogue(unsigned games) {
    const std::string sql =
        "WITH RECURSIVE seq(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM seq WHERE n < " + std::to_string(games) +
        " - 1) "
        "INSERT INTO main (RomName, Description, Year, Manufacturer, Original, Cloneof, Status, DriverStatus, "
        "ColorStatus, SoundStatus, Palette, Video, Orientation, Resolution, Frequency, Category, IconPath) "
        "SELECT printf('g%05d', n), printf('Game number %d (World)', n), 1975 + n % 48, "
        "printf('Manufacturer %04d', (n * 7) % 3300), n % 2, ' ', n % 4, (n % 10 = 0) * 2 + (n % 10 = 1), n % 3, "
        "n % 3, (n % 400) * 16, n % 25 = 0, n % 4 = 0, "
        "printf('%dx%d', 200 + (n % 40) * 24, 160 + (n / 40 % 20) * 16), 30 + (n % 70) * 3, 'Misc.', "
        "printf('g%05d.ico', n) FROM seq";
    SQLHSTMT statement = nullptr;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &statement))) return false;
    const SQLRETURN result =
        SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return SQL_SUCCEEDED(result);
}

void Report(const Figure& f) {
    const double median = f.Median();
    std::printf("  %-34s best %7.3f s  median %7.3f s", f.label.c_str(), f.Best(), median);
    if (f.target > 0) std::printf("   target < %.1f s: %s", f.target, median < f.target ? "met" : "MISSED");
    std::printf("\n");
}

INT_PTR CALLBACK PassivePage(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// --- the sheet, driven from its own loop ---------------------------------------------

double sheetUp, okPressed;
bool pressOk;

BOOL CALLBACK FindSheet(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

VOID CALLBACK OnSheetIdle(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&sheet));
    if (!sheet) return;
    sheetUp = Now();
    KillTimer(nullptr, timer);
    okPressed = Now();
    SendMessageA(sheet, PSM_PRESSBUTTON, pressOk ? PSBTN_OK : PSBTN_CANCEL, 0);
}

// Seconds from the call until the sheet is idle, and from OK (or Cancel)
// until ShowFilterSheet returns.
std::pair<double, double> RunSheet(UINT page, bool ok) {
    pressOk = ok;
    const double start = Now();
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, OnSheetIdle);
    ShowFilterSheet(MainWindow, page);
    const double end = Now();
    KillTimer(nullptr, timer);
    Pump();
    return {sheetUp - start, end - okPressed};
}

}  // namespace

int main(int argc, char** argv) {
    unsigned games = 45000, rounds = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--games")) games = static_cast<unsigned>(std::atoi(argv[i + 1]));
        if (!std::strcmp(argv[i], "--rounds")) rounds = static_cast<unsigned>(std::max(1, std::atoi(argv[i + 1])));
    }
    if (!StartBenchProgram(PrintBox)) return 1;

    // SaveSettings writes into a scratch key, not the prefix's own settings.
    const std::string scratch = "Software\\QuilletBench\\" + std::to_string(GetCurrentProcessId());
    HKEY user = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, scratch.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &user, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, user);
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Halvorn\\Quillet\\", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &user, nullptr);
    RegCloseKey(user);

    const ScratchCatalogue catalogue("quillet_filter_bench");
    if (!catalogue.ok()) return 1;
    const std::string& path = catalogue.path();
    const HWND silent = CreateBenchWindows("Quillet filter benchmark");

    int status = 0;
    if (!ConnectDatabase(MainWindow, path.c_str(), &Settings.Filter.Query)) {
        status = 1;
    } else {
        std::printf("filter_bench: %u games, %u rounds, catalogue %s\n", games, rounds, path.c_str());
        double t = Now();
        if (!FillCatalogue(games)) status = 1;
        std::printf("  %-34s %7.3f s\n", "fill (one statement)", Now() - t);

        const struct {
            const char* label;
            WORD page;
            void (*fill)(HWND);
            int combo;
        } lookups[] = {
            {"lookup: manufacturers", IDD_FILTER_MAKER, FillManufacturerList, IDC_FILTER_MAKER_LIST},
            {"lookup: palette sizes", IDD_FILTER_PALETTE, FillPaletteLists, IDC_FILTER_PALETTE_ONLY},
            {"lookup: resolutions", IDD_FILTER_RESOLUTION, FillResolutionLists, IDC_FILTER_RESO_ONLY},
            {"lookup: refresh rates", IDD_FILTER_FREQUENCY, FillFrequencyLists, IDC_FILTER_FREQ_ONLY},
        };
        std::vector<Figure> figures;
        for (const auto& l : lookups) {
            Figure f{l.label, 0.1, {}};
            LRESULT values = 0;
            for (unsigned i = 0; i < rounds; ++i) {
                HWND page = CreateDialogParamA(LanguageModule, MAKEINTRESOURCEA(l.page), MainWindow, PassivePage, 0);
                t = Now();
                l.fill(page);
                f.seconds.push_back(Now() - t);
                values = SendDlgItemMessageA(page, l.combo, CB_GETCOUNT, 0, 0);
                DestroyWindow(page);
                Pump();
            }
            f.label += " (" + std::to_string(values) + ")";
            figures.push_back(f);
        }

        Figure open{"open at the palette page", 0.3, {}};
        Figure ok{"OK: block, reload, save", 1.0, {}};
        for (unsigned i = 0; i < rounds && status == 0; ++i) {
            open.seconds.push_back(RunSheet(6, false).first);
            ok.seconds.push_back(RunSheet(6, true).second);
            const LRESULT shown = SendMessageA(GameListWindow, LVM_GETITEMCOUNT, 0, 0);
            if (shown != static_cast<LRESULT>(games)) {
                std::fprintf(stderr, "the list shows %ld of %u games\n", static_cast<long>(shown), games);
                status = 1;
            }
        }
        figures.push_back(open);
        figures.push_back(ok);
        if (status == 0)
            for (const Figure& f : figures) Report(f);
    }

    DisconnectDatabase();
    DestroyWindow(MainWindow);
    DestroyWindow(silent);
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, scratch.c_str());
    return status;
}
