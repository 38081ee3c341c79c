// Refilling table main from a captured game list, on the real SQLite driver.
#include "base/report.h"
#include "catalogue/stages.h"
#include "resources/resource_ids.h"
#include "win/catalogue_fixture.h"

using namespace quillet;
using namespace quillet::test;

namespace {

constexpr char kProlog[] =
    "<?xml version=\"1.0\"?>\r\n<!DOCTYPE mame [\r\n<!ELEMENT mame (game+)>\r\n\t<!ATTLIST game name CDATA "
    "#REQUIRED>\r\n]>\r\n\r\n";

std::string Game(const std::string& attributes, const std::string& children = "") {
    return "\t<game " + attributes + ">\r\n\t\t<description>" + "Game" + "</description>\r\n" + children +
           "\t</game>\r\n";
}

std::string List(const std::vector<std::string>& games, bool closed = true) {
    std::string text = std::string(kProlog) + "<mame>\r\n";
    for (const std::string& g : games) text += g;
    return closed ? text + "</mame>\r\n" : text;
}

void Import(ProgressRecorder& dialog, const std::string& text) { ImportCatalogue(dialog.window(), text.data(), text.size()); }

Rows Names(ScratchCatalogue& db) { return db.Rows("SELECT RomName FROM main ORDER BY RomName"); }

}  // namespace

TEST_CASE("every column comes from the game list, derived columns included") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    REQUIRE(db.connected());
    ProgressRecorder dialog;
    const std::string text = List({
        "\t<game name=\"abc\" romof=\"x\">\r\n\t\t<description>A &amp; B</description>\r\n\t\t<year>1981</year>\r\n"
        "\t\t<manufacturer>Maker</manufacturer>\r\n"
        "\t\t<video screen=\"raster\" orientation=\"vertical\" width=\"224\" height=\"288\" aspectx=\"3\" "
        "aspecty=\"4\" refresh=\"57.5\"/>\r\n\t\t<sound channels=\"1\"/>\r\n"
        "\t\t<driver status=\"imperfect\" color=\"preliminary\" sound=\"test\" palettesize=\"512\"/>\r\n\t</game>\r\n",
        Game("name=\"abc2\" cloneof=\"abc\" romof=\"abc\"",
             "\t\t<video screen=\"vector\" orientation=\"horizontal\" refresh=\"60\"/>\r\n"),
        Game("runnable=\"no\" name=\"bios\""),
        Game("name=\"zed\" runnable=\"yes\""),
    });
    Import(dialog, text);

    const Rows expected = {
        // RomName, Description, Year, Manufacturer, Original, Cloneof, DriverStatus, ColorStatus,
        // SoundStatus, Palette, Video, Orientation, Resolution, Frequency, IconPath, Status, Category
        {"abc", "A & B", "1981", "Maker", "0", " ", "1", "2", "3", "512", "0", "1", "224x288", "57", "abc.ico", "3", " "},
        // Without a palettesize the palette is 0, not an empty text in the integer column.
        {"abc2", "Game", "0", "", "1", "abc", "0", "0", "0", "0", "1", "0", " ", "60", "abc.ico", "3", " "},
        {"zed", "Game", "0", "", "0", " ", "0", "0", "0", "0", "0", "0", " ", "0", "zed.ico", "3", " "},
    };
    CHECK_EQ(db.Rows("SELECT RomName, Description, Year, Manufacturer, Original, Cloneof, DriverStatus, ColorStatus, "
                     "SoundStatus, Palette, Video, Orientation, Resolution, Frequency, IconPath, Status, Category "
                     "FROM main ORDER BY RomName"),
             expected);
    // The game that is not runnable is neither inserted nor counted.
    CHECK(Rising(dialog.values(0x8001)));
    CHECK_EQ(dialog.lastCount(), 3);
    REQUIRE_FALSE(dialog.events().empty());
    CHECK_EQ(dialog.events().front(), (ProgressRecorder::Event{0x8003, IDS_STEP_PROCESSING}));
    CHECK_EQ(boxes.boxes().size(), 0u);
}

TEST_CASE("a new import replaces the whole catalogue") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    REQUIRE(db.connected());
    ProgressRecorder dialog;
    db.AddGame("old", "Maze", 0);
    Import(dialog, List({Game("name=\"a\""), Game("name=\"b\"")}));
    Import(dialog, List({Game("name=\"c\"")}));
    CHECK_EQ(Names(db), (Rows{{"c"}}));
}

TEST_CASE("games listed twice or whose name is too long are left out, with one warning") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    REQUIRE(db.connected());
    ProgressRecorder dialog;
    Import(dialog, List({Game("name=\"galaxian\""), Game("name=\"dup\""), Game("name=\"dup\""),
                         Game("name=\"galaxianbootleg17\" cloneof=\"galaxian\""),
                         Game("name=\"longbiosnamebios1x\" runnable=\"no\""), Game("name=\"b\"")}));
    CHECK_EQ(Names(db), (Rows{{"b"}, {"dup"}, {"galaxian"}}));
    // The 17-character clone is not stored cut (a clash, or another game).
    CHECK_EQ(db.Column("Original", "galaxian"), "0");
    // Games inserted: the second "dup" never reaches the database.
    CHECK_EQ(dialog.lastCount(), 3);
    REQUIRE_EQ(boxes.boxes().size(), 1u);
    CHECK_EQ(boxes.boxes()[0].text.rfind("2 games ", 0), 0u);
    CHECK_EQ(boxes.boxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    CHECK_EQ(boxes.boxes()[0].owner, dialog.window());
    // The import was committed: a new connection sees it.
    REQUIRE(db.Reconnect());
    CHECK_EQ(Names(db), (Rows{{"b"}, {"dup"}, {"galaxian"}}));
}

TEST_CASE("a capture that is no game list leaves the catalogue as it was") {
    REQUIRE(UseLanguage());
    const char* captures[] = {
        "",
        "Unknown option -lx\r\n",
        "<?xml version=\"1.0\"?>\r\n",
    };
    for (const char* capture : captures) {
        CAPTURE(capture);
        MessageBoxRecorder boxes;
        ScratchCatalogue db;
        REQUIRE(db.connected());
        ProgressRecorder dialog;
        db.AddGame("kept", "Maze", 0);
        Import(dialog, capture);
        CHECK_EQ(Names(db), (Rows{{"kept"}}));
        REQUIRE_EQ(boxes.boxes().size(), 1u);
        CHECK_EQ(boxes.boxes()[0].text, ModuleMessage(MSG_NO_GAME_LIST));
        CHECK_EQ(boxes.boxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
        CHECK_EQ(dialog.lastCount(), -1);
    }
}

TEST_CASE("a list that is not read to its end keeps the previous catalogue, with one box") {
    REQUIRE(UseLanguage());
    const std::string first = Game("name=\"first\"");
    const std::string after = Game("name=\"after\"");
    struct Row {
        std::string what;
        std::string text;
        std::string box;  // the start of the one box's text
    };
    const std::string afterFirst = ModuleMessage(MSG_GAME_LIST_FORMAT).substr(0, 20);
    const Row rows[] = {
        {"an end tag where a child should start", List({first, Game("name=\"broken\"", "\t\t</bogus>\r\n"), after}),
         afterFirst},
        {"a status it does not know", List({first, Game("name=\"broken\"", "\t\t<driver status=\"x\"/>\r\n"), after}),
         afterFirst},
        {"text that ends inside a game", List({first, Game("name=\"broken\"").substr(0, 40)}, false), afterFirst},
        {"a list that stops before its first game", List({Game("name=\"broken\"", "</bogus>"), first}),
         ModuleMessage(MSG_NO_GAME_READ)},
    };
    for (const Row& row : rows) {
        CAPTURE(row.what);
        MessageBoxRecorder boxes;
        ScratchCatalogue db;
        REQUIRE(db.connected());
        db.AddGame("kept", "Maze", 1);
        ProgressRecorder dialog;
        Import(dialog, row.text);
        CHECK_EQ(db.Rows("SELECT RomName, Status, Category FROM main"), (Rows{{"kept", "1", "Maze"}}));
        REQUIRE_EQ(boxes.boxes().size(), 1u);
        const ShownBox& box = boxes.boxes()[0];
        CHECK_EQ(box.text.substr(0, row.box.size()), row.box);
        CHECK_EQ(box.text.find("broken"), std::string::npos);
        CHECK_EQ(box.caption, "Quillet 0.7.1");
        CHECK_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONERROR));
        CHECK_EQ(box.owner, dialog.window());
        if (row.box == afterFirst) CHECK_NE(box.text.find(" first"), std::string::npos);
        // The connection commits again afterwards: the next list replaces it
        // for good.
        Import(dialog, List({after}));
        REQUIRE(db.Reconnect());
        CHECK_EQ(Names(db), (Rows{{"after"}}));
    }
}
