// The rebuild and verification chains as a whole: the stage texts in order,
// and command 1001 of the main window with the stand-in emulator, through to
// the reloaded list.
#include <windows.h>
#include <commctrl.h>

#include "base/globals.h"
#include "app/main_window.h"
#include "base/report.h"
#include "catalogue/catalogue.h"
#include "resources/resource_ids.h"
#include "win/catalogue_fixture.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using Event = ProgressRecorder::Event;

// The progress a worker sent, one word per message: T task, S step, X
// close; a run of counts as C and its last value, "C0..n" when it began at 0.
std::string Summary(const std::vector<Event>& events) {
    std::string out;
    for (size_t i = 0; i < events.size(); ++i) {
        if (!out.empty()) out += ' ';
        const Event& e = events[i];
        switch (e.message) {
        case 0x8002: out += 'T'; out += std::to_string(e.value); break;
        case 0x8003: out += 'S'; out += std::to_string(e.value); break;
        case WM_CLOSE: out += "X"; break;
        default: {
            size_t last = i;
            while (last + 1 < events.size() && events[last + 1].message == 0x8001) ++last;
            out += "C";
            if (last > i && e.value == 0) out += "0..";
            out += std::to_string(events[last].value);
            i = last;
        }
        }
    }
    return out;
}

const std::string kGameList =
    "<?xml version=\"1.0\"?>\r\n<mame>\r\n"
    "\t<game name=\"alpha\">\r\n\t\t<description>Alpha</description>\r\n\t\t<year>1982</year>\r\n"
    "\t\t<manufacturer>Maker</manufacturer>\r\n"
    "\t\t<video screen=\"raster\" orientation=\"horizontal\" width=\"256\" height=\"224\" refresh=\"60\"/>\r\n"
    "\t\t<driver status=\"good\" color=\"good\" sound=\"good\" palettesize=\"256\"/>\r\n\t</game>\r\n"
    "\t<game name=\"alpha2\" cloneof=\"alpha\" romof=\"alpha\">\r\n\t\t<description>Alpha (set 2)</description>\r\n"
    "\t\t<video screen=\"vector\" orientation=\"vertical\" refresh=\"40\"/>\r\n\t</game>\r\n"
    "\t<game runnable=\"no\" name=\"bios\">\r\n\t\t<description>BIOS</description>\r\n\t</game>\r\n"
    "</mame>\r\n";
const std::string kVerify = "romset alpha is good\r\nromset alpha2 [alpha] is bad\r\n2 romsets found, 1 were OK.\r\n";
const std::string kCatver = ";; catver\r\n[Category]\r\nalpha=Maze\r\nalpha2=Maze / Clone\r\nbios=BIOS\r\n\r\n";

std::string ToString(size_t n) { return std::to_string(n); }

bool HasCell(const std::vector<std::string>& row, const std::string& text) {
    return std::find(row.begin(), row.end(), text) != row.end();
}

const std::vector<std::string>* FindRow(const Rows& rows, const std::string& romName) {
    for (const auto& row : rows)
        if (HasCell(row, romName)) return &row;
    return nullptr;
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace

TEST_CASE("a rebuild runs capture, import, verification and categories, then closes the dialog") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    REQUIRE(db.connected());
    StandInEmulator emulator;
    emulator.Print("gamelist.xml", kGameList);
    emulator.Print("verify.txt", kVerify);
    emulator.Print("catver.ini", kCatver);
    ProgressRecorder dialog;
    RebuildCatalogueTask(dialog.window());

    CHECK_EQ(Summary(dialog.events()), "T2061 S2071 C" + ToString(kGameList.size()) + " S2070 C2 T2062 S2071 C0.." +
                                           ToString(kVerify.size()) + " S2070 C2 T2063 S2070 C2 X");
    CHECK_EQ(db.Rows("SELECT RomName, Cloneof, Status, Category FROM main ORDER BY RomName"),
             (Rows{{"alpha", " ", "0", "Maze"}, {"alpha2", "alpha", "2", "Maze / Clone"}}));
    CHECK_EQ(boxes.boxes().size(), 0u);
}

TEST_CASE("a verification runs the last two stages on the catalogue as it is") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    REQUIRE(db.connected());
    db.AddGame("alpha", "old", 3);
    db.AddGame("alpha2", "old", 3);
    StandInEmulator emulator;
    emulator.Print("gamelist.xml", "<mame>\r\n</mame>\r\n");  // must not be asked for
    emulator.Print("verify.txt", kVerify);
    ProgressRecorder dialog;
    VerifySetsTask(dialog.window());
    // No catver.ini: no category stage, but the dialog still closes.
    CHECK_EQ(Summary(dialog.events()), "T2062 S2071 C0.." + ToString(kVerify.size()) + " S2070 C2 X");
    CHECK_EQ(db.Rows("SELECT RomName, Status, Category FROM main ORDER BY RomName"),
             (Rows{{"alpha", "0", "old"}, {"alpha2", "2", "old"}}));
    CHECK_EQ(boxes.boxes().size(), 0u);
}

TEST_CASE("a rebuild from a list it cannot read keeps the previous catalogue, with one box saying why") {
    REQUIRE(UseLanguage());
    const std::string today = BuildPath("realdata/listxml_mame0251_head.xml");
    std::string broken = kGameList;
    broken.insert(broken.find("\t<game name=\"alpha2\""), "\t<game name=\"mid\">\r\n\t\t</bogus>\r\n\t</game>\r\n");
    struct Row {
        std::string what;
        std::string output;  // what the emulator prints; "<gone>": no emulator at all
        std::string box;     // the start of the one box
        bool present = true;  // false: real data absent
    };
    const Row rows[] = {
        {"the first MiB of today's list (0.251), cut inside a machine", ReadFileBytes(today),
         ModuleMessage(MSG_GAME_LIST_FORMAT).substr(0, 20), FileExists(today)},
        {"a broken game in the middle", broken, ModuleMessage(MSG_GAME_LIST_FORMAT).substr(0, 20)},
        {"empty output", "", ModuleMessage(MSG_NO_GAME_LIST)},
        {"no emulator", "<gone>", ModuleMessage(MSG_NO_GAME_LIST)},
    };
    for (const Row& row : rows) {
        CAPTURE(row.what);
        if (!row.present) {
            MESSAGE("the real 0.251 list is absent: case skipped");
            continue;
        }
        MessageBoxRecorder boxes;
        ScratchCatalogue db;
        REQUIRE(db.connected());
        db.AddGame("alpha", "Kept", 1);
        db.AddGame("kept", "Maze", 1);
        StandInEmulator emulator;
        if (row.output == "<gone>")
            lstrcpyA(Settings.MameName, (emulator.folder() + "\\gone.exe").c_str());
        else
            emulator.Print("gamelist.xml", row.output);
        emulator.Print("verify.txt", kVerify);
        emulator.Print("catver.ini", kCatver);
        ProgressRecorder dialog;
        RebuildCatalogueTask(dialog.window());
        // Neither verification nor categories run on the kept catalogue.
        const std::string summary = Summary(dialog.events());
        CHECK_EQ(summary.back(), 'X');
        CHECK_EQ(summary.find("T2062"), std::string::npos);
        CHECK_EQ(db.Rows("SELECT RomName, Status, Category FROM main ORDER BY RomName"),
                 (Rows{{"alpha", "1", "Kept"}, {"kept", "1", "Maze"}}));
        REQUIRE_EQ(boxes.boxes().size(), 1u);
        CHECK_EQ(boxes.boxes()[0].text.substr(0, row.box.size()), row.box);
    }
}

TEST_CASE("command 1001 fills the catalogue and the reloaded list shows statuses and categories") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db(false);
    StandInEmulator emulator;
    emulator.Print("gamelist.xml", kGameList);
    emulator.Print("verify.txt", kVerify);
    emulator.Print("catver.ini", kCatver);
    MainWindowRun main(db.path());
    REQUIRE(main.window());
    CHECK_EQ(main.ListRows().size(), 0u);

    SendMessageA(main.window(), WM_COMMAND, IDM_REBUILD, 0);

    const Rows rows = main.ListRows();
    CHECK_EQ(rows.size(), 2u);
    const auto* alpha = FindRow(rows, "alpha");
    const auto* clone = FindRow(rows, "alpha2");
    REQUIRE(alpha);
    REQUIRE(clone);
    CHECK(HasCell(*alpha, "Alpha"));
    CHECK(HasCell(*alpha, StatusTextGood));
    CHECK(HasCell(*alpha, "Maze"));
    CHECK(HasCell(*alpha, "256x224"));
    CHECK(HasCell(*clone, StatusTextBad));
    CHECK(HasCell(*clone, "Maze / Clone"));
    CHECK(HasCell(*clone, "alpha"));  // its parent
    CHECK_EQ(boxes.boxes().size(), 0u);
}

TEST_CASE("the demo files rebuild into a listed catalogue") {
    const std::string demo = SourcePath("tools/demo/gamelist.xml");
    REQUIRE(FileExists(demo));
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db(false);
    StandInEmulator emulator;
    for (const char* name : {"gamelist.xml", "verify.txt", "catver.ini"})
        emulator.Print(name, ReadFileBytes(SourcePath((std::string("tools/demo/") + name).c_str())));
    MainWindowRun main(db.path());
    SendMessageA(main.window(), WM_COMMAND, IDM_REBUILD, 0);

    // Every runnable game is in the catalogue.
    const std::string list = ReadFileBytes(demo);
    size_t games = 0, notRunnable = 0;
    for (size_t at = list.find("<game "); at != std::string::npos; at = list.find("<game ", at + 1)) ++games;
    for (size_t at = list.find("runnable=\"no\""); at != std::string::npos; at = list.find("runnable=\"no\"", at + 1))
        ++notRunnable;
    CHECK_EQ(db.Value("SELECT COUNT(*) FROM main"), std::to_string(games - notRunnable));
    CHECK_GT(main.ListRows().size(), 0u);
    CHECK_EQ(db.Value("SELECT COUNT(*) FROM main WHERE Category <> ' '") == "0", false);
    // Verification lines of sets the import passed over show no box.
    CHECK_EQ(boxes.boxes().size(), 0u);
}

bool RealRebuildDataPresent() {
    const std::string verify = RealDataPath("verifysets_mame0084_freeroms_2_damaged.txt");
    return FileExists(BuildPath("realdata/listxml_mame0084_full.xml")) && !verify.empty() && FileExists(verify) &&
           FileExists(RealDataPath("catver_mame078_rev2_2003-12-27.ini"));
}

TEST_CASE("the real 0.84 game list rebuilds through command 1001" * doctest::skip(!RealRebuildDataPresent())) {
    const std::string list = BuildPath("realdata/listxml_mame0084_full.xml");
    const std::string verify = RealDataPath("verifysets_mame0084_freeroms_2_damaged.txt");
    const std::string catver = RealDataPath("catver_mame078_rev2_2003-12-27.ini");
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db(false);
    StandInEmulator emulator;
    // The emulator writes its output in text mode on Windows: CR LF.
    emulator.Print("gamelist.xml", WithCrLf(ReadFileBytes(list)));
    emulator.Print("verify.txt", WithCrLf(ReadFileBytes(verify)));
    emulator.Print("catver.ini", WithCrLf(ReadFileBytes(catver)));
    MainWindowRun main(db.path());
    SendMessageA(main.window(), WM_COMMAND, IDM_REBUILD, 0);

    // 5036 games, 22 of them not runnable (BIOS sets and the like).
    CHECK_EQ(db.Value("SELECT COUNT(*) FROM main"), "5014");
    CHECK_EQ(main.ListRows().size(), 5014u);
    const Rows expected = {
        {"gridlee", "0", " ", "0", "Shooter / Gallery", "gridlee.ico"},
        {"pacman", "1", "puckman", "3", "Maze", "puckman.ico"},
        {"polyplay", "0", " ", "2", "Multiplay", "polyplay.ico"},
        {"puckman", "0", " ", "3", "Maze", "puckman.ico"},
        {"robby", "0", " ", "2", "Maze / Digging", "robby.ico"},
    };
    CHECK_EQ(db.Rows("SELECT RomName, Original, Cloneof, Status, Category, IconPath FROM main WHERE RomName IN "
                     "('gridlee', 'pacman', 'polyplay', 'puckman', 'robby') ORDER BY RomName"),
             expected);
    CHECK_EQ(db.Value("SELECT COUNT(*) FROM main WHERE RomName = 'neogeo'"), "0");
    // The 0.78 catver.ini names many sets the 0.84 list lacks: no box for them.
    CHECK_EQ(boxes.boxes().size(), 0u);
}
