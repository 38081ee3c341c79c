// Today's emulator: a rebuild learns the generation from the list, verifies
// with "-verifyroms", and the real 0.251 list rebuilds whole.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "base/globals.h"
#include "app/main_window.h"
#include "catalogue/catalogue.h"
#include "gamelist/game_list.h"
#include "resources/resource_ids.h"
#include "settings/language.h"
#include "win/catalogue_fixture.h"

using namespace quillet;
using namespace quillet::test;

namespace {

const std::string kTodayList =
    "<?xml version=\"1.0\"?>\n<mame build=\"0.251 (unknown)\" debug=\"no\" mameconfig=\"10\">\n"
    "\t<machine name=\"neogeo\" isbios=\"yes\">\n\t\t<description>Neo-Geo</description>\n\t</machine>\n"
    "\t<machine name=\"alphamission16c\">\n\t\t<description>Alpha &amp; Omega</description>\n"
    "\t\t<year>1985</year>\n\t\t<manufacturer>SNK</manufacturer>\n"
    "\t\t<device_ref name=\"z80\"/>\n"
    "\t\t<display tag=\"screen\" type=\"raster\" rotate=\"90\" width=\"288\" height=\"224\" refresh=\"60.606061\"/>\n"
    "\t\t<driver status=\"imperfect\" emulation=\"good\" savestate=\"supported\"/>\n"
    "\t\t<feature type=\"sound\" status=\"imperfect\"/>\n\t</machine>\n"
    "\t<machine name=\"alphamission16c2\" cloneof=\"alphamission16c\" romof=\"alphamission16c\">\n"
    "\t\t<description>Alpha (set 2)</description>\n\t\t<year>19?" "?</year>\n"
    "\t\t<display tag=\"screen\" type=\"vector\" rotate=\"0\" refresh=\"40.000000\"/>\n"
    "\t\t<driver status=\"good\" emulation=\"good\" savestate=\"supported\"/>\n\t</machine>\n"
    "\t<machine name=\"z80\" isdevice=\"yes\" runnable=\"no\">\n\t\t<description>Z80</description>\n\t</machine>\n"
    "</mame>\n";
// As -verifyroms prints it: detail lines, LF line ends, a summary.
const std::string kVerifyRoms =
    "alphamission16c : a.1 (4096 bytes) - NOT FOUND\nromset alphamission16c is bad\n"
    "romset alphamission16c2 [alphamission16c] is best available\n"
    "romset alphamission16c2xyz is good\n"  // longer than any name of the catalogue
    "2 romsets found, 1 were OK.\n";

}  // namespace

TEST_CASE("a rebuild from today's emulator: generation, long names, -verifyroms statuses") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    RegistrySandbox registry;
    ScratchCatalogue db;
    REQUIRE(db.connected());
    StandInEmulator emulator;
    emulator.ActAsToday();
    emulator.Print("gamelist.xml", kTodayList);
    emulator.Print("verify.txt", kVerifyRoms);
    Settings.EmulatorGeneration = 0;
    ProgressRecorder dialog;
    RebuildCatalogueTask(dialog.window());

    CHECK_EQ(Settings.EmulatorGeneration, 1u);
    CHECK_EQ(db.Rows("SELECT RomName, Description, Year, Cloneof, Status, DriverStatus, SoundStatus, Video, "
                     "Orientation, Resolution, Frequency, IconPath FROM main ORDER BY RomName"),
             (Rows{{"alphamission16c", "Alpha & Omega", "1985", " ", "2", "1", "1", "0", "1", "224x288", "60",
                    "alphamission16c.ico"},
                   {"alphamission16c2", "Alpha (set 2)", "0", "alphamission16c", "1", "0", "0", "1", "0", " ", "40",
                    "alphamission16c.ico"}}));
    CHECK_EQ(boxes.boxes().size(), 0u);

    // The value is in the user key at once.
    HKEY key;
    DWORD stored = 0, size = sizeof stored;
    REQUIRE_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Halvorn\\Quillet", 0, KEY_READ, &key), ERROR_SUCCESS);
    CHECK_EQ(RegQueryValueExA(key, "EmulatorGeneration", nullptr, nullptr, reinterpret_cast<BYTE*>(&stored), &size),
             ERROR_SUCCESS);
    RegCloseKey(key);
    CHECK_EQ(stored, 1u);
}

TEST_CASE("verification falls back to -verifyroms when -verifysets prints no result line") {
    REQUIRE(UseLanguage());
    struct Case {
        const char* what;
        uint32_t generation;
        bool today;
        const char* expected;
    };
    const Case cases[] = {
        {"today's emulator not yet known as such", 0, true, "2"},
        {"today's emulator known", 1, true, "2"},
        {"an era emulator", 0, false, "2"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        MessageBoxRecorder boxes;
        ScratchCatalogue db;
        REQUIRE(db.connected());
        db.AddGame("alphamission16c", "old", 3);
        db.AddGame("alphamission16c2", "old", 3);
        StandInEmulator emulator;
        if (c.today) emulator.ActAsToday();
        emulator.Print("verify.txt", kVerifyRoms);
        Settings.EmulatorGeneration = c.generation;
        ProgressRecorder dialog;
        VerifySetsTask(dialog.window());
        CHECK_EQ(db.Value("SELECT Status FROM main"), c.expected);
        CHECK_EQ(boxes.boxes().size(), 0u);
    }
    Settings.EmulatorGeneration = 0;
}

TEST_CASE("the real 0.251 list rebuilds through command 1001 in today's mode") {
    const std::string list = BuildPath("realdata/listxml_mame0251_full.xml");
    const std::string verify = RealDataPath("verifyroms_mame0251_noroms.txt");
    if (!FileExists(list) || verify.empty() || !FileExists(verify)) {
        MESSAGE("real 0.251 data absent: skipped");
        return;
    }
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db(false);
    StandInEmulator emulator;
    emulator.ActAsToday();
    const std::string text = ReadFileBytes(list);
    // Games counted here from each machine's start tag alone.
    size_t games = 0;
    for (size_t at = text.find("<machine "); at != std::string::npos; at = text.find("<machine ", at + 1)) {
        const std::string tag = text.substr(at, text.find('>', at) - at);
        if (tag.find("isdevice=\"yes\"") != std::string::npos || tag.find("isbios=\"yes\"") != std::string::npos ||
            tag.find("runnable=\"no\"") != std::string::npos)
            continue;
        const size_t name = tag.find(" name=\"") + 7;
        if (tag.find('"', name) - name <= 16) ++games;
    }
    emulator.Print("gamelist.xml", text);
    emulator.Print("verify.txt", ReadFileBytes(verify));
    MainWindowRun main(db.path());
    SendMessageA(main.window(), WM_COMMAND, IDM_REBUILD, 0);

    CHECK_EQ(db.Value("SELECT COUNT(*) FROM main"), std::to_string(games));
    CHECK_EQ(static_cast<size_t>(ListView_GetItemCount(GameListWindow)), games);
    CHECK_EQ(Settings.EmulatorGeneration, 1u);
    // -verifyroms names 197 sets, 165 of them games (the others are BIOS
    // sets and devices): all "best available".
    CHECK_EQ(db.Rows("SELECT RomName, Status FROM main WHERE RomName IN ('alfaskop4101', 'a2600p', 'breakout') "
                     "ORDER BY RomName"),
             (Rows{{"a2600p", "1"}, {"alfaskop4101", "1"}, {"breakout", "1"}}));
    CHECK_EQ(db.Value("SELECT COUNT(*) FROM main WHERE Status = 1"), "165");
    CHECK_EQ(db.Value("SELECT Resolution || ' ' || Orientation FROM main WHERE RomName = 'pacman'"), "224x288 1");
    // The sets -verifyroms names that are BIOS sets or devices have no row;
    // each such line shows the failed-update box until unmatched updates
    // are passed over quietly.
    CHECK_LE(boxes.boxes().size(), 197u - 165u);
    for (const ShownBox& box : boxes.boxes()) CHECK_EQ(box.text, ModuleMessage(MSG_ODBC_EXECUTE));
}

TEST_CASE("today's demo set rebuilds into a listed catalogue without a box") {
    const std::string demo = SourcePath("tools/demo/today/gamelist.xml");
    if (!FileExists(demo)) {
        MESSAGE("no demo files of today's format in the source tree");
        return;
    }
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db(false);
    StandInEmulator emulator;
    emulator.ActAsToday();
    for (const char* name : {"gamelist.xml", "verify.txt", "catver.ini"})
        emulator.Print(name, ReadFileBytes(SourcePath((std::string("tools/demo/today/") + name).c_str())));
    MainWindowRun main(db.path());
    SendMessageA(main.window(), WM_COMMAND, IDM_REBUILD, 0);

    const std::string list = ReadFileBytes(demo);
    auto count = [&list](const std::string& what) {
        size_t n = 0;
        for (size_t at = list.find(what); at != std::string::npos; at = list.find(what, at + 1)) ++n;
        return n;
    };
    const size_t games = count("<machine ") - count("isdevice=\"yes\"") - count("isbios=\"yes\"");
    CHECK_EQ(db.Value("SELECT COUNT(*) FROM main"), std::to_string(games));
    CHECK_EQ(static_cast<size_t>(ListView_GetItemCount(GameListWindow)), games);
    CHECK_EQ(db.Value("SELECT COUNT(*) FROM main WHERE Status <> 3") == "0", false);
    CHECK_EQ(db.Value("SELECT COUNT(*) FROM main WHERE LENGTH(RomName) > 8") == "0", false);
    CHECK_EQ(boxes.boxes().size(), 0u);

    // UTF-8 descriptions reach the list as the characters they are, and the
    // focused row's text is handed on as the catalogue holds it.
    const std::string utf8 = "Caf\xC3\xA9 \xE2\x80\x94 r\xC3\xA9v.";
    const wchar_t* wide = L"Caf\x00E9 \x2014 r\x00E9v.";
    int found = -1;
    const int rows = ListView_GetItemCount(GameListWindow);
    for (int i = 0; i < rows && found < 0; ++i) {
        wchar_t text[260] = L"";
        LVITEMW item{};
        item.iSubItem = 1;
        item.pszText = text;
        item.cchTextMax = 260;
        SendMessageW(GameListWindow, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        if (wcsstr(text, wide)) found = i;
    }
    REQUIRE_GE(found, 0);
    ListView_SetItemState(GameListWindow, found, LVIS_FOCUSED, LVIS_FOCUSED);
    char description[120] = "";
    GetFocusedItemText(description, 1, sizeof description);
    CHECK_NE(std::string(description).find(utf8), std::string::npos);
}

TEST_CASE("a catalogue with the old name columns (CHAR(9)) takes and lists today's long names") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    RegistrySandbox registry;
    ScratchCatalogue db;
    REQUIRE(db.connected());
    REQUIRE(db.Execute("DROP TABLE main"));
    REQUIRE(db.Execute(
        "CREATE TABLE main (RomName CHAR(9) NOT NULL DEFAULT ' ' PRIMARY KEY, Description CHAR(120) NOT NULL "
        "DEFAULT ' ', Year SMALLINT NOT NULL DEFAULT 0, Manufacturer CHAR(100) NOT NULL DEFAULT ' ', Original "
        "TINYINT NOT NULL DEFAULT 0, Cloneof CHAR(9) NOT NULL DEFAULT ' ', Status TINYINT NOT NULL DEFAULT 3, "
        "DriverStatus TINYINT NOT NULL DEFAULT 0, ColorStatus TINYINT NOT NULL DEFAULT 0, SoundStatus TINYINT NOT "
        "NULL DEFAULT 0, Palette INTEGER NOT NULL DEFAULT 0, Video TINYINT NOT NULL DEFAULT 0, Orientation TINYINT "
        "NOT NULL DEFAULT 0, Resolution CHAR(10) NOT NULL DEFAULT ' ', Frequency TINYINT NOT NULL DEFAULT 0, "
        "Category CHAR(90) NOT NULL DEFAULT ' ', IconPath CHAR(14) NOT NULL DEFAULT ' ')"));
    // The game query is prepared again on the table as it now is.
    DisconnectDatabase();
    REQUIRE(ConnectDatabase(nullptr, db.path().c_str(), &Settings.Filter.Query));
    StandInEmulator emulator;
    emulator.ActAsToday();
    emulator.Print("gamelist.xml", kTodayList);
    emulator.Print("verify.txt", kVerifyRoms);
    ProgressRecorder dialog;
    RebuildCatalogueTask(dialog.window());

    ProgressRecorder reload;
    GameRecordList list{};
    REQUIRE(FetchGames(reload.window(), list, RecordTexts));
    std::vector<std::string> names;
    while (GameRecord* record = PopGameRecord(list)) {
        names.push_back(std::string(record->RomName) + "/" + record->Cloneof + "/" + record->IconPath);
        FreeGameRecord(record);
    }
    std::sort(names.begin(), names.end());
    CHECK_EQ(names, (std::vector<std::string>{"alphamission16c/ /alphamission16c.ico",
                                              "alphamission16c2/alphamission16c/alphamission16c.ico"}));
    CHECK_EQ(boxes.boxes().size(), 0u);
    Settings.EmulatorGeneration = 0;
}
