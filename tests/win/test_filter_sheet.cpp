// The filter sheet driven black-box through the main window's commands,
// over a real SQLite catalogue: what each page lists, what Apply, OK and
// Cancel reload and save, and what survives a restart.
#include "win/support.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/application.h"
#include "base/globals.h"
#include "app/main_window.h"
#include "db/database.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/settings_store.h"
#include "win/catalogue_fixture.h"
#include "win/main_window_run.h"
#include "win/modal_script.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// The catalogue every test starts from. Unset columns keep the schema's
// defaults (status 3, driver good, palette 0, resolution " ", 0 Hz...).
constexpr const char* kRows[] = {
    "('pacman', 1980, 'Namco', 0, 0, 0, 0, 512, 0, 1, '288x224', 60)",
    "('puckman', 1980, 'Namco', 1, 0, 0, 0, 512, 0, 1, '288x224', 60)",
    "('galaga', 1981, 'Namco', 0, 1, 1, 2, 512, 0, 1, '288x224', 60)",
    "('sf2', 1991, 'Capcom', 0, 2, 0, 1, 4096, 0, 0, '384x224', 59)",
    "('asteroid', 1979, 'Atari', 0, 0, 0, 0, 0, 1, 0, ' ', 60)",
    "('bigscrn', 2001, 'Sega', 0, 1, 2, 0, 65536, 0, 0, '1024x768', 144)",
    "('hugescrn', 2005, 'Sega', 0, 3, 0, 0, 65536, 0, 0, '1280x1024', 120)",
    "('nomaker', 0, ' ', 0, 0, 0, 0, 16, 0, 0, '256x224', 57)",
};
constexpr char kColumns[] =
    "INSERT INTO main (RomName, Year, Manufacturer, Original, Status, DriverStatus, ColorStatus, Palette, Video, "
    "Orientation, Resolution, Frequency) VALUES ";
const std::vector<std::string> kEveryGame = {"asteroid", "bigscrn", "galaga", "hugescrn",
                                             "nomaker",  "pacman",  "puckman", "sf2"};

// The names the list shows, in name order whichever way the list sorts.
std::vector<std::string> ListedNames() {
    std::vector<std::string> names;
    const int count = static_cast<int>(SendMessageA(GameListWindow, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[32] = "";
        LVITEMA item{};
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(GameListWindow, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        names.push_back(text);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool RunSql(const std::string& sql) {
    SQLHSTMT statement = nullptr;
    SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &statement);
    const SQLRETURN result = SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return SQL_SUCCEEDED(result);
}

bool StoredValueExists(const char* name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Halvorn\\Quillet", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    const bool found = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

// --- driving the modal sheet ----------------------------------------------------

// Sends `command` to the main window as the menu does, with `script` run on
// the sheet it opens (it works the pages and ends with a button); returns
// when the command has finished.
void Command(const MainWindowRun& program, UINT command, const ModalScript::Step& script) {
    constexpr int kSheetTabs = 0x3020;  // the sheet's tab control
    ModalScript modal(kSheetTabs, {script});
    modal.Run([&] { SendMessageA(program.window(), WM_COMMAND, command, 0); });
}

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
void Press(HWND sheet, int button) { SendMessageA(sheet, PSM_PRESSBUTTON, button, 0); }
void Click(HWND page, int control) { SendDlgItemMessageA(page, control, BM_CLICK, 0, 0); }
void Type(HWND page, int control, const char* text) { SetDlgItemTextA(page, control, text); }
// Chooses the entry with exactly this text, as a user's pick would.
void Pick(HWND page, int combo, const char* text) {
    const LRESULT index = SendDlgItemMessageA(page, combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(text));
    REQUIRE_MESSAGE(index >= 0, "no entry " << text << " in " << combo);
    SendDlgItemMessageA(page, combo, CB_SETCURSEL, index, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, combo)));
}
std::string SelectedText(HWND page, int combo) {
    const LRESULT index = SendDlgItemMessageA(page, combo, CB_GETCURSEL, 0, 0);
    if (index < 0) return "<none>";
    char text[128] = "";
    SendDlgItemMessageA(page, combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

struct Fixture {
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    TempDir start;
    Fixture() {
        registry.CreateMachineKey();
        registry.StoreVersion();  // set-up finished: no first-start wizard
        REQUIRE(CopyFileA(BuildPath("gamelist_empty.mdb").c_str(), start.file("gamelist.mdb").c_str(), FALSE));
    }
    // Fills the catalogue through the running program's connection and
    // reloads the list.
    void Fill(const MainWindowRun& program) {
        for (const char* row : kRows) REQUIRE(RunSql(std::string(kColumns) + row));
        SendMessageA(program.window(), WM_COMMAND, IDM_RELOAD, 0);
        REQUIRE_EQ(ListedNames(), kEveryGame);
    }
};

}  // namespace

TEST_CASE("commands 1020-1028 open the sheet at pages 0-8, captioned with string 2005") {
    Fixture f;
    MainWindowRun program(StartFolder{f.start.path()});
    const int firstControl[9] = {IDC_FILTER_NAME_PATTERN, IDC_FILTER_ROM_GOOD,     IDC_FILTER_DRIVER_GOOD,
                                 IDC_FILTER_YEAR_ALL,     IDC_FILTER_MAKER_LIST,   IDC_FILTER_RASTER,
                                 IDC_FILTER_PALETTE_ALL,  IDC_FILTER_RESO_ALL,     IDC_FILTER_FREQ_ALL};
    for (UINT n = 0; n < 9; ++n) {
        CAPTURE(n);
        int index = -1;
        bool hasControl = false;
        char caption[64] = "";
        Command(program, IDM_FILTER_FIRST + n, [&](HWND sheet) {
            const HWND page = CurrentPage(sheet);
            index = static_cast<int>(SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0));
            hasControl = GetDlgItem(page, firstControl[n]) != nullptr;
            GetWindowTextA(sheet, caption, sizeof caption);
            Press(sheet, PSBTN_CANCEL);
        });
        CHECK_EQ(index, static_cast<int>(n));
        CHECK(hasControl);
        CHECK_EQ(std::string(caption), "Game list filters");
    }
    CHECK(f.boxes.boxes().empty());
}

TEST_CASE("Cancel without Apply reloads and saves nothing; a mode click stays in memory only") {
    Fixture f;
    MainWindowRun program(StartFolder{f.start.path()});
    f.Fill(program);
    const FilterQueryBlock before = Settings.Filter.Query;
    REQUIRE(RunSql(std::string(kColumns) + "('newgame', 1990, 'Irem', 0, 0, 0, 0, 256, 0, 0, '256x224', 60)"));
    Command(program, IDM_FILTER_FIRST + 6, [](HWND sheet) {
        const HWND page = CurrentPage(sheet);
        Click(page, IDC_FILTER_PALETTE_RANGE);
        CHECK(IsWindowEnabled(GetDlgItem(page, IDC_FILTER_PALETTE_FROM)));
        CHECK_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_FILTER_PALETTE_ONLY)));
        Press(sheet, PSBTN_CANCEL);
    });
    CHECK_EQ(ListedNames(), kEveryGame);  // no reload: the new game is not shown
    CHECK_FALSE(StoredValueExists("FilPaletteRadio"));
    CHECK_EQ(Settings.Filter.FilPaletteRadio, static_cast<uint32_t>(IDC_FILTER_PALETTE_RANGE));
    CHECK_EQ(std::memcmp(&Settings.Filter.Query, &before, sizeof before), 0);
}

TEST_CASE("Apply then Cancel reloads and saves once the sheet has closed") {
    Fixture f;
    MainWindowRun program(StartFolder{f.start.path()});
    f.Fill(program);
    std::vector<std::string> listedAtApply;
    Command(program, IDM_FILTER_FIRST + 1, [&](HWND sheet) {
        Click(CurrentPage(sheet), IDC_FILTER_ROM_BAD);  // status 2: sf2
        Press(sheet, PSBTN_APPLYNOW);
        listedAtApply = ListedNames();
        Press(sheet, PSBTN_CANCEL);
    });
    CHECK_EQ(listedAtApply, kEveryGame);  // the reload waits for the sheet to close
    CHECK_EQ(ListedNames(),
             std::vector<std::string>{"asteroid", "bigscrn", "galaga", "hugescrn", "nomaker", "pacman", "puckman"});
    CHECK(StoredValueExists("FilRomDb"));
    CHECK_EQ(Settings.Filter.FilRomStat[2], 0);
    CHECK(f.boxes.boxes().empty());
}

TEST_CASE("the list after OK shows exactly the games each page's state admits") {
    struct Case {
        const char* what;
        UINT page;
        std::function<void(HWND page)> work;
        std::vector<std::string> listed;
    };
    const Case cases[] = {
        {"name pattern p%", 0, [](HWND p) { Type(p, IDC_FILTER_NAME_PATTERN, "p%"); }, {"pacman", "puckman"}},
        {"no clones", 1, [](HWND p) { Click(p, IDC_FILTER_ROM_CLONES); },
         {"asteroid", "bigscrn", "galaga", "hugescrn", "nomaker", "pacman", "sf2"}},
        {"best available only", 1,
         [](HWND p) {
             for (int box : {IDC_FILTER_ROM_GOOD, IDC_FILTER_ROM_BAD, IDC_FILTER_ROM_OTHER}) Click(p, box);
         },
         {"bigscrn", "galaga"}},
        {"no box: nothing", 1,
         [](HWND p) {
             for (int box = IDC_FILTER_ROM_GOOD; box <= IDC_FILTER_ROM_OTHER; ++box) Click(p, box);
         },
         {}},
        {"preliminary drivers only", 2, [](HWND p) { Click(p, IDC_FILTER_DRIVER_GOOD); }, {"bigscrn"}},
        {"working drivers, imperfect included", 2, [](HWND p) { Click(p, IDC_FILTER_DRIVER_PRELIM); },
         {"asteroid", "galaga", "hugescrn", "nomaker", "pacman", "puckman", "sf2"}},
        {"no preliminary colours", 2, [](HWND p) { Click(p, IDC_FILTER_COLOR_PRELIM); },
         {"asteroid", "bigscrn", "hugescrn", "nomaker", "pacman", "puckman", "sf2"}},
        {"imperfect colours only", 2,
         [](HWND p) {
             Click(p, IDC_FILTER_COLOR_GOOD);
             Click(p, IDC_FILTER_COLOR_PRELIM);
         },
         {"sf2"}},
        {"years 1980-1985", 3,
         [](HWND p) {
             Click(p, IDC_FILTER_YEAR_RANGE);
             Type(p, IDC_FILTER_YEAR_FROM, "1980");
             Type(p, IDC_FILTER_YEAR_TO, "1985");
         },
         {"galaga", "pacman", "puckman"}},
        {"year 1991", 3,
         [](HWND p) {
             Click(p, IDC_FILTER_YEAR_ONE);
             Type(p, IDC_FILTER_YEAR_ONLY, "1991");
         },
         {"sf2"}},
        {"maker Sega from the list", 4, [](HWND p) { Pick(p, IDC_FILTER_MAKER_LIST, "Sega"); },
         {"bigscrn", "hugescrn"}},
        {"maker pattern %co%", 4,
         [](HWND p) {
             Click(p, IDC_FILTER_MAKER_TYPE);
             Type(p, IDC_FILTER_MAKER_PATTERN, "%co%");
         },
         {"galaga", "pacman", "puckman", "sf2"}},
        {"raster and vertical only", 5,
         [](HWND p) {
             Click(p, IDC_FILTER_VECTOR);
             Click(p, IDC_FILTER_HORIZONTAL);
         },
         {"galaga", "pacman", "puckman"}},
        {"palette 512 alone", 6,
         [](HWND p) {
             Click(p, IDC_FILTER_PALETTE_ONE);
             Pick(p, IDC_FILTER_PALETTE_ONLY, "512");
         },
         {"galaga", "pacman", "puckman"}},
        {"palettes 16-4096", 6,
         [](HWND p) {
             Click(p, IDC_FILTER_PALETTE_RANGE);
             Pick(p, IDC_FILTER_PALETTE_FROM, "16");
             Pick(p, IDC_FILTER_PALETTE_TO, "4096");
         },
         {"galaga", "nomaker", "pacman", "puckman", "sf2"}},
        {"resolution 1280x1024 alone", 7,
         [](HWND p) {
             Click(p, IDC_FILTER_RESO_ONE);
             Pick(p, IDC_FILTER_RESO_ONLY, "1280x1024");
         },
         {"hugescrn"}},
        {"resolutions 1024x768 to 288x224, in the text order of the list", 7,
         [](HWND p) {
             Click(p, IDC_FILTER_RESO_RANGE);
             Pick(p, IDC_FILTER_RESO_FROM, "1024x768");
             Pick(p, IDC_FILTER_RESO_TO, "288x224");
         },
         {"bigscrn", "galaga", "hugescrn", "nomaker", "pacman", "puckman"}},
        {"refresh rate 144 alone", 8,
         [](HWND p) {
             Click(p, IDC_FILTER_FREQ_ONE);
             Pick(p, IDC_FILTER_FREQ_ONLY, "144");
         },
         {"bigscrn"}},
        {"refresh rates 120-144", 8,
         [](HWND p) {
             Click(p, IDC_FILTER_FREQ_RANGE);
             Pick(p, IDC_FILTER_FREQ_FROM, "120");
             Pick(p, IDC_FILTER_FREQ_TO, "144");
         },
         {"bigscrn", "hugescrn"}},
    };
    Fixture f;
    MainWindowRun program(StartFolder{f.start.path()});
    f.Fill(program);
    FrontendSettings defaults;
    SetDefaultSettings(defaults);
    for (const Case& k : cases) {
        INFO(k.what);
        // Every case starts from the default filters; the block is bound by
        // address, so it is rewritten in place.
        Settings.Filter = defaults.Filter;
        Command(program, IDM_FILTER_FIRST + k.page, [&](HWND sheet) {
            k.work(CurrentPage(sheet));
            Press(sheet, PSBTN_OK);
        });
        CHECK_EQ(ListedNames(), k.listed);
    }
    CHECK(f.boxes.boxes().empty());
}

TEST_CASE("the all-manufacturers entry stores % and is selected again when the page reopens") {
    Fixture f;
    MainWindowRun program(StartFolder{f.start.path()});
    f.Fill(program);
    std::string first, second;
    Command(program, IDM_FILTER_FIRST + 4, [&](HWND sheet) {
        const HWND page = CurrentPage(sheet);
        first = SelectedText(page, IDC_FILTER_MAKER_LIST);
        Pick(page, IDC_FILTER_MAKER_LIST, "Capcom");
        Press(sheet, PSBTN_OK);
    });
    CHECK_EQ(first, " (all manufacturers)");
    CHECK_EQ(std::string(Settings.Filter.Query.FilManPattern), "Capcom");
    CHECK_EQ(ListedNames(), std::vector<std::string>{"sf2"});

    Command(program, IDM_FILTER_FIRST + 4, [&](HWND sheet) {
        const HWND page = CurrentPage(sheet);
        second = SelectedText(page, IDC_FILTER_MAKER_LIST);
        // Index 0 even though a maker of the catalogue is a single space.
        SendDlgItemMessageA(page, IDC_FILTER_MAKER_LIST, CB_SETCURSEL, 0, 0);
        Press(sheet, PSBTN_OK);
    });
    CHECK_EQ(second, "Capcom");
    CHECK_EQ(std::string(Settings.Filter.Query.FilManPattern), "%");
    CHECK_EQ(ListedNames(), kEveryGame);

    LRESULT selected = -1;
    Command(program, IDM_FILTER_FIRST + 4, [&](HWND sheet) {
        selected = SendDlgItemMessageA(CurrentPage(sheet), IDC_FILTER_MAKER_LIST, CB_GETCURSEL, 0, 0);
        Press(sheet, PSBTN_CANCEL);
    });
    CHECK_EQ(selected, 0);
}

TEST_CASE("a stored palette value that no game has leaves its box unselected, and Apply stores it empty") {
    Fixture f;
    MainWindowRun program(StartFolder{f.start.path()});
    f.Fill(program);
    std::strcpy(Settings.Filter.FilPaletteOnly, "777");
    std::strcpy(Settings.Filter.FilPaletteStart, "16");
    std::strcpy(Settings.Filter.FilPaletteEnd, "65536");
    std::vector<std::string> shown;
    Command(program, IDM_FILTER_FIRST + 6, [&](HWND sheet) {
        const HWND page = CurrentPage(sheet);
        for (int box : {IDC_FILTER_PALETTE_ONLY, IDC_FILTER_PALETTE_FROM, IDC_FILTER_PALETTE_TO})
            shown.push_back(SelectedText(page, box));
        Press(sheet, PSBTN_OK);
    });
    CHECK_EQ(shown, std::vector<std::string>{"<none>", "16", "65536"});
    CHECK_EQ(std::string(Settings.Filter.FilPaletteOnly), "");
    CHECK_EQ(std::string(Settings.Filter.FilPaletteStart), "16");
}

TEST_CASE("a six-character palette is listed, chosen and selected again; a value no field holds is not listed") {
    Fixture f;
    MainWindowRun program(StartFolder{f.start.path()});
    f.Fill(program);
    REQUIRE(RunSql(std::string(kColumns) + "('deep', 1995, 'Sega', 0, 0, 0, 0, 262144, 0, 0, '320x240', 60)"));
    REQUIRE(RunSql(std::string(kColumns) + "('truecol', 1999, 'Sega', 0, 0, 0, 0, 16777216, 0, 0, '320x240', 60)"));
    bool eightListed = true;
    Command(program, IDM_FILTER_FIRST + 6, [&](HWND sheet) {
        const HWND page = CurrentPage(sheet);
        eightListed = SendDlgItemMessageA(page, IDC_FILTER_PALETTE_ONLY, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>("16777216")) >= 0;
        Click(page, IDC_FILTER_PALETTE_ONE);
        Pick(page, IDC_FILTER_PALETTE_ONLY, "262144");
        Press(sheet, PSBTN_OK);
    });
    CHECK_FALSE(eightListed);
    CHECK_EQ(std::string(Settings.Filter.FilPaletteOnly), "262144");
    CHECK_EQ(ListedNames(), std::vector<std::string>{"deep"});
    std::string again;
    Command(program, IDM_FILTER_FIRST + 6, [&](HWND sheet) {
        again = SelectedText(CurrentPage(sheet), IDC_FILTER_PALETTE_ONLY);
        Press(sheet, PSBTN_CANCEL);
    });
    CHECK_EQ(again, "262144");
}

TEST_CASE("the pages' state and the list they narrow survive a restart") {
    Fixture f;
    {
        MainWindowRun program(StartFolder{f.start.path()});
        f.Fill(program);
        Command(program, IDM_FILTER_FIRST + 3, [](HWND sheet) {
            HWND page = CurrentPage(sheet);
            Click(page, IDC_FILTER_YEAR_RANGE);
            Type(page, IDC_FILTER_YEAR_FROM, "1979");
            Type(page, IDC_FILTER_YEAR_TO, "1981");
            SendMessageA(sheet, PSM_SETCURSEL, 7, 0);
            page = CurrentPage(sheet);
            Click(page, IDC_FILTER_RESO_ONE);
            Pick(page, IDC_FILTER_RESO_ONLY, "288x224");
            Press(sheet, PSBTN_OK);
        });
        CHECK_EQ(ListedNames(), std::vector<std::string>{"galaga", "pacman", "puckman"});
    }
    MainWindowRun again(StartFolder{f.start.path()});
    CHECK_EQ(ListedNames(), std::vector<std::string>{"galaga", "pacman", "puckman"});
    std::string from, to, only;
    bool range = false, one = false;
    Command(again, IDM_FILTER_FIRST + 3, [&](HWND sheet) {
        HWND page = CurrentPage(sheet);
        range = IsDlgButtonChecked(page, IDC_FILTER_YEAR_RANGE) == BST_CHECKED;
        char text[8];
        GetDlgItemTextA(page, IDC_FILTER_YEAR_FROM, text, sizeof text);
        from = text;
        GetDlgItemTextA(page, IDC_FILTER_YEAR_TO, text, sizeof text);
        to = text;
        SendMessageA(sheet, PSM_SETCURSEL, 7, 0);
        page = CurrentPage(sheet);
        one = IsDlgButtonChecked(page, IDC_FILTER_RESO_ONE) == BST_CHECKED;
        only = SelectedText(page, IDC_FILTER_RESO_ONLY);
        Press(sheet, PSBTN_CANCEL);
    });
    CHECK(range);
    CHECK_EQ(from, "1979");
    CHECK_EQ(to, "1981");
    CHECK(one);
    CHECK_EQ(only, "288x224");
}
