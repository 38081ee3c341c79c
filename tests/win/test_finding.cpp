// Finding and keeping games in the main window: search as you type, the
// quick hides, favourites and play statistics across rebuilds, the newer
// catalogue parts added in place, an old list layout, and the CSV export.
#include "win/catalogue_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/finding.h"
#include "db/catalogue_upgrade.h"
#include "gamelist/game_list.h"
#include "resources/resource_ids.h"
#include "settings/settings_store.h"

using namespace quillet;
using namespace quillet::test;

namespace {

struct Game {
    const char* name;
    const char* description;
    const char* maker;
    const char* cloneOf;  // " " for none
    int driver;           // 0 good, 1 imperfect, 2 preliminary
    int mechanical;
};

// Two parents and a clone of Capcom's, a UTF-8 description, a mechanical
// game and a preliminary driver.
const Game kGames[] = {
    {"sf2", "Street Fighter II: The World Warrior", "Capcom", " ", 0, 0},
    {"sf2ce", "Street Fighter II \"Champion Edition\", Hyper", "Capcom", "sf2", 0, 0},
    {"ffight", "Final Fight", "Capcom", " ", 0, 0},
    {"pokemon", "Pok\xC3\xA9mon Stadium", "Nintendo", " ", 1, 0},
    {"pinball", "Mechanical Pinball", "Gottlieb", " ", 0, 1},
    {"newgame", "Brand New Fighter", "Prototype Co.", " ", 2, 0},
};

std::string InsertGame(const Game& g) {
    return std::string("INSERT INTO main (RomName, Description, Manufacturer, Original, Cloneof, DriverStatus, "
                       "ismechanical) VALUES ('") +
           g.name + "', '" + g.description + "', '" + g.maker + "', " + (g.cloneOf[0] == ' ' ? "0" : "1") + ", '" +
           g.cloneOf + "', " + std::to_string(g.driver) + ", " + std::to_string(g.mechanical) + ")";
}

// The settings every test starts from, and a catalogue with kGames.
struct Fixture {
    Fixture() {
        SetDefaultSettings(Settings);
        REQUIRE(UseLanguage());
        REQUIRE(db.connected());
        for (const Game& g : kGames) REQUIRE(db.Execute(InsertGame(g)));
        db.Reconnect();
        DisconnectDatabase();
    }
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
};

std::vector<std::string> ShownNames() {
    std::vector<std::string> names;
    for (DWORD i = 0; i < ShownGameCount(); ++i) names.push_back(ShownGame(i)->RomName);
    std::sort(names.begin(), names.end());
    return names;
}

std::string StatusText() {
    char text[128] = "";
    SendMessageA(StatusBarWindow, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

void Type(const wchar_t* text) { SetWindowTextW(SearchBox, text); }

void Focus(const char* name) {
    for (DWORD i = 0; i < ShownGameCount(); ++i)
        if (std::strcmp(ShownGame(i)->RomName, name) == 0) {
            LVITEMA item{};
            item.stateMask = item.state = LVIS_FOCUSED | LVIS_SELECTED;
            SendMessageA(GameListWindow, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
        }
}

std::string FocusedName() {
    const GameRecord* game = FocusedGame();
    return game ? game->RomName : "<none>";
}

using Names = std::vector<std::string>;

}  // namespace

TEST_CASE("search as you type: every word in the name, description or maker, any order, case and accents") {
    Fixture f;
    MainWindowRun run(f.db.path());
    REQUIRE(SearchBox);
    CHECK_EQ(StatusText(), "6 of 6 games");
    struct Case {
        const wchar_t* typed;
        Names shown;
    };
    const Case cases[] = {
        {L"capcom fighter", {"sf2", "sf2ce"}},
        {L"FIGHTER Capcom", {"sf2", "sf2ce"}},
        {L"fighter", {"newgame", "sf2", "sf2ce"}},
        {L"pokemon", {"pokemon"}},
        {L"POK\u00C9MON stadium", {"pokemon"}},
        {L"sf2ce", {"sf2ce"}},
        {L"capcom nintendo", {}},
        {L"", {"ffight", "newgame", "pinball", "pokemon", "sf2", "sf2ce"}},
    };
    for (const Case& c : cases) {
        CAPTURE(std::wstring(c.typed).size());
        Type(c.typed);
        CHECK_EQ(ShownNames(), c.shown);
        CHECK_EQ(ListView_GetItemCount(GameListWindow), static_cast<int>(c.shown.size()));
        CHECK_EQ(StatusText(), std::to_string(c.shown.size()) + " of 6 games");
    }

    SUBCASE("Escape empties the box and brings every game back") {
        Type(L"final");
        CHECK_EQ(ShownNames(), Names{"ffight"});
        SendMessageA(run.window(), WM_COMMAND, IDM_SEARCH_CLEAR, 0);
        CHECK_EQ(GetWindowTextLengthW(SearchBox), 0);
        CHECK_EQ(ShownGameCount(), 6u);
    }
    SUBCASE("the focused game is kept by its name, not its row") {
        Focus("sf2ce");
        Type(L"fighter");
        CHECK_EQ(FocusedName(), "sf2ce");
        Type(L"final");
        CHECK_EQ(FocusedName(), "<none>");
        Type(L"");
        CHECK_EQ(FocusedName(), "sf2ce");
    }
    SUBCASE("the search narrows what the filters admit and leaves the filter block alone") {
        const FilterQueryBlock before = Settings.Filter.Query;
        std::strcpy(Settings.Filter.Query.FilManPattern, "Capcom");
        SendMessageA(run.window(), WM_COMMAND, IDM_RELOAD, 0);
        Type(L"fighter");
        CHECK_EQ(ShownNames(), (Names{"sf2", "sf2ce"}));
        CHECK_EQ(StatusText(), "2 of 3 games");
        CHECK_EQ(std::string(Settings.Filter.Query.FilManPattern), "Capcom");
        Settings.Filter.Query = before;
    }
}

TEST_CASE("quick hides narrow the list whatever the filters admit, and are kept as user values") {
    Fixture f;
    RegistrySandbox registry;
    MainWindowRun run(f.db.path());
    struct Case {
        UINT command;
        const char* value;
        Names hidden;
    };
    const Case cases[] = {
        {IDM_HIDE_CLONES, "ViewHideClones", {"sf2ce"}},
        {IDM_HIDE_MECHANICAL, "ViewHideMechanical", {"pinball"}},
        {IDM_HIDE_NON_WORKING, "ViewHideNonWorking", {"newgame"}},
    };
    const Names all{"ffight", "newgame", "pinball", "pokemon", "sf2", "sf2ce"};
    for (const Case& c : cases) {
        CAPTURE(c.value);
        SendMessageA(run.window(), WM_COMMAND, c.command, 0);
        Names expected;
        for (const std::string& name : all)
            if (std::find(c.hidden.begin(), c.hidden.end(), name) == c.hidden.end()) expected.push_back(name);
        CHECK_EQ(ShownNames(), expected);
        CHECK_EQ(GetMenuState(GetMenu(run.window()), c.command, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
        HKEY key;
        DWORD stored = 0, size = sizeof stored;
        REQUIRE_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Halvorn\\Quillet\\", 0, KEY_READ, &key), ERROR_SUCCESS);
        CHECK_EQ(RegQueryValueExA(key, c.value, nullptr, nullptr, reinterpret_cast<BYTE*>(&stored), &size),
                 ERROR_SUCCESS);
        RegCloseKey(key);
        CHECK_EQ(stored, 1u);
        SendMessageA(run.window(), WM_COMMAND, c.command, 0);
        CHECK_EQ(ShownNames(), all);
    }
    CHECK_EQ(std::string(Settings.Filter.Query.FilNamePattern), "%");
}

TEST_CASE("favourites: a star, favourites only, kept by name across rebuilds when the game leaves and returns") {
    SetDefaultSettings(Settings);
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db(false);
    StandInEmulator emulator;
    const std::string both =
        "<?xml version=\"1.0\"?>\n<mame>\n"
        "<game name=\"alpha\"><description>Alpha</description><year>1980</year><manufacturer>A</manufacturer>"
        "<driver status=\"good\" color=\"good\" sound=\"good\" palettesize=\"16\"/></game>\n"
        "<game name=\"beta\"><description>Beta</description><year>1981</year><manufacturer>B</manufacturer>"
        "<driver status=\"good\" color=\"good\" sound=\"good\" palettesize=\"16\"/></game>\n</mame>\n";
    std::string alphaOnly = both;
    alphaOnly.erase(alphaOnly.find("<game name=\"beta\""), alphaOnly.find("</mame>") - alphaOnly.find("<game name=\"beta\""));
    emulator.Print("gamelist.xml", both);
    MainWindowRun run(db.path());
    SendMessageA(run.window(), WM_COMMAND, IDM_REBUILD, 0);
    REQUIRE_EQ(ShownGameCount(), 2u);

    Focus("beta");
    SendMessageA(run.window(), WM_COMMAND, IDM_FAVOURITE_TOGGLE, 0);  // Ctrl+D
    CHECK_EQ(std::string(FocusedGame()->Extra.StarText), "\xE2\x98\x85");
    CHECK_EQ(db.Value("SELECT Favourite FROM usergames WHERE RomName = 'beta'"), "1");
    SendMessageA(run.window(), WM_COMMAND, IDM_FAVOURITES_ONLY, 0);
    CHECK_EQ(ShownNames(), Names{"beta"});
    CHECK_EQ(SendMessageA(ToolbarWindow, TB_ISBUTTONCHECKED, IDM_FAVOURITES_ONLY, 0) != 0, true);

    emulator.Print("gamelist.xml", alphaOnly);
    SendMessageA(run.window(), WM_COMMAND, IDM_REBUILD, 0);
    CHECK_EQ(ShownGameCount(), 0u);
    CHECK_EQ(db.Value("SELECT Favourite FROM usergames WHERE RomName = 'beta'"), "1");

    emulator.Print("gamelist.xml", both);
    SendMessageA(run.window(), WM_COMMAND, IDM_REBUILD, 0);
    CHECK_EQ(ShownNames(), Names{"beta"});
    SendMessageA(run.window(), WM_COMMAND, IDM_FAVOURITES_ONLY, 0);
    Focus("beta");
    SendMessageA(run.window(), WM_COMMAND, IDM_FAVOURITE_REMOVE, 0);
    CHECK_EQ(db.Value("SELECT Favourite FROM usergames WHERE RomName = 'beta'"), "0");
    CHECK_EQ(std::string(FocusedGame()->Extra.StarText), "");
    for (const ShownBox& box : boxes.boxes()) MESSAGE(box.text);
    CHECK(boxes.boxes().empty());
}

TEST_CASE("play statistics: a run of 3 s counts and adds its time; one that ends at once does not") {
    Fixture f;
    StandInEmulator emulator;
    emulator.Print("sf2.run", "3000");  // plays for 3 s; ffight ends at once
    MainWindowRun run(f.db.path());
    for (const char* game : {"sf2", "ffight"}) {
        Focus(game);
        SendMessageA(run.window(), WM_COMMAND, IDM_RUN, 0);
    }
    PumpMessages(4500);
    CHECK_EQ(f.db.Value("SELECT TimesPlayed FROM usergames WHERE RomName = 'sf2'"), "1");
    const int seconds = std::atoi(f.db.Value("SELECT SecondsPlayed FROM usergames WHERE RomName = 'sf2'").c_str());
    CHECK_GE(seconds, 3);
    CHECK_LE(seconds, 5);
    CHECK_EQ(f.db.Value("SELECT COUNT(*) FROM usergames WHERE RomName = 'ffight'"), "0");
    Focus("sf2");
    CHECK_EQ(std::string(FocusedGame()->Extra.PlayedText), "1");
    CHECK_EQ(std::strlen(FocusedGame()->Extra.LastPlayed), 19u);

    SUBCASE("a start that fails does not count") {
        lstrcpyA(Settings.MameName, "C:\\no\\such\\mame.exe");
        SendMessageA(run.window(), WM_COMMAND, IDM_RUN, 0);
        PumpMessages(2500);
        CHECK_EQ(f.db.Value("SELECT TimesPlayed FROM usergames WHERE RomName = 'sf2'"), "1");
    }
    SUBCASE("the statistics sort as numbers") {
        // Played once against never: first one way, last the other.
        const DWORD last = ShownGameCount() - 1;
        SortGameList(kPlayedColumn);
        const bool first = std::string(ShownGame(0)->RomName) == "sf2";
        CHECK_NE(first, std::string(ShownGame(last)->RomName) == "sf2");
        SortGameList(kPlayedColumn);
        CHECK_EQ(std::string(ShownGame(first ? last : 0)->RomName), "sf2");
    }
}

TEST_CASE("a catalogue made before the newer parts gets them in place, and keeps its games") {
    SetDefaultSettings(Settings);
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    REQUIRE(db.Execute("DROP TABLE usergames"));
    REQUIRE(db.Execute("DROP TABLE historyindex"));
    REQUIRE(db.Execute("DROP TABLE historyfile"));
    REQUIRE(db.Execute("CREATE TABLE old AS SELECT RomName, Description, Year, Manufacturer, Original, Cloneof, Status, "
                       "DriverStatus, ColorStatus, SoundStatus, Palette, Video, Orientation, Resolution, Frequency, "
                       "Category, IconPath FROM main"));
    REQUIRE(db.Execute("DROP TABLE main"));
    REQUIRE(db.Execute("ALTER TABLE old RENAME TO main"));
    REQUIRE(db.Execute("INSERT INTO main VALUES ('oldgame', 'Old', 1980, 'X', 0, ' ', 0, 0, 0, 0, 16, 0, 0, ' ', 60, "
                       "' ', 'oldgame.ico')"));
    REQUIRE_FALSE(CatalogueHasColumn("main", "ismechanical"));
    REQUIRE(db.Reconnect());
    CHECK(CatalogueHasColumn("main", "ismechanical"));
    for (const char* table : {"usergames", "historyfile", "historyindex"}) CHECK_MESSAGE(CatalogueHasTable(table), table);
    CHECK_EQ(db.Value("SELECT ismechanical FROM main WHERE RomName = 'oldgame'"), "0");
    CHECK(boxes.boxes().empty());
}

TEST_CASE("a layout stored with today's sixteen columns keeps its order and widths; the newer ones follow") {
    Fixture f;
    RegistrySandbox registry;
    HKEY key;
    REQUIRE_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Halvorn\\Quillet\\", 0, nullptr, 0, KEY_ALL_ACCESS,
                               nullptr, &key, nullptr),
               ERROR_SUCCESS);
    int32_t order[16], widths[16];
    for (int i = 0; i < 16; ++i) {
        order[i] = 15 - i;
        widths[i] = 50 + i;
    }
    const DWORD count = 16;
    RegSetValueExA(key, "ListViewNumber", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), 4);
    RegSetValueExA(key, "ListViewOrder", 0, REG_BINARY, reinterpret_cast<const BYTE*>(order), 64);
    RegSetValueExA(key, "ListViewSize", 0, REG_BINARY, reinterpret_cast<const BYTE*>(widths), 64);
    RegCloseKey(key);
    LoadSettings();
    MainWindowRun run(f.db.path());
    int got[20] = {};
    SendMessageA(GameListWindow, LVM_GETCOLUMNORDERARRAY, 20, reinterpret_cast<LPARAM>(got));
    for (int i = 0; i < 16; ++i) CHECK_EQ(got[i], 15 - i);
    for (int i = 16; i < 20; ++i) CHECK_EQ(got[i], i);
    for (int i = 0; i < 16; ++i) CHECK_EQ(SendMessageA(GameListWindow, LVM_GETCOLUMNWIDTH, i, 0), 50 + i);
    for (int i = 16; i < 20; ++i)
        CHECK_EQ(SendMessageA(GameListWindow, LVM_GETCOLUMNWIDTH, i, 0), kDefaultColumnWidths[i]);
}

TEST_CASE("export: the listed games only, as UTF-8 CSV with a byte-order mark and quoted fields") {
    Fixture f;
    MainWindowRun run(f.db.path());
    Type(L"fighter");  // sf2, sf2ce and newgame
    TempDir dir;
    const std::string path = dir.file("games.csv");
    REQUIRE(ExportListTo(run.window(), std::wstring(path.begin(), path.end())));
    const std::string csv = ReadFileBytes(path);
    REQUIRE(csv.starts_with("\xEF\xBB\xBF"));
    // The header: the star, then today's columns in the current language, then the statistics.
    CHECK(csv.substr(3).starts_with("\xE2\x98\x85,ROM name,Description,Year,Manufacturer,"));
    CHECK_NE(csv.find(",Category,Played,Last played,Time played\r\n"), std::string::npos);
    size_t rows = 0;
    for (size_t at = csv.find("\r\n"); at != std::string::npos; at = csv.find("\r\n", at + 2)) ++rows;
    CHECK_EQ(rows, 4u);  // header and three games
    CHECK_NE(csv.find(",sf2,Street Fighter II: The World Warrior,"), std::string::npos);
    CHECK_NE(csv.find(",sf2ce,\"Street Fighter II \"\"Champion Edition\"\", Hyper\","), std::string::npos);
    CHECK_EQ(csv.find("ffight"), std::string::npos);
    CHECK_EQ(csv.find("pokemon"), std::string::npos);

    SUBCASE("a file that cannot be written says so") {
        f.boxes.clear();
        CHECK_FALSE(ExportListTo(run.window(), L"Z:\\no\\such\\folder\\games.csv"));
        CHECK_EQ(f.boxes.boxes().size(), 1u);
    }
}
