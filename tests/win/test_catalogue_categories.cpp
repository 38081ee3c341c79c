// Applying catver.ini from the emulator's folder to Category, and closing
// the progress dialog at the end of the chain.
#include "base/report.h"
#include "catalogue/stages.h"
#include "resources/resource_ids.h"
#include "win/catalogue_fixture.h"

using namespace quillet;
using namespace quillet::test;

namespace {

using Event = ProgressRecorder::Event;

}  // namespace

TEST_CASE("category lines of [Category] sections reach their rows") {
    REQUIRE(UseLanguage());
    struct Row {
        const char* what;
        const char* file;
        std::vector<std::pair<const char*, const char*>> categories;  // set, Category afterwards
        long long lines;
    };
    const Row rows[] = {
        {"BIOS lines are passed over",
         "[Category]\r\na=Maze\r\nbios=BIOS\r\nb=Shooter / Gallery\r\n\r\n",
         {{"a", "Maze"}, {"bios", "old"}, {"b", "Shooter / Gallery"}},
         2},
        {"a header followed by an empty line applies nothing", "[Category]\r\n\r\na=Maze\r\n", {{"a", "old"}}, -1},
        {"lines outside the section change nothing",
         ";; a=Comment\r\n[VerAdded]\r\na=.37b16\r\n\r\nb=Maze\r\n[Category]\r\nb=Shooter\r\n",
         {{"a", "old"}, {"b", "Shooter"}},
         1},
        {"two sections are both applied, the later last",
         "[Category]\r\na=One\r\n\r\n[VerAdded]\r\na=.01\r\n\r\n[Category]\r\na=Two\r\nb=Three\r\n\r\n",
         {{"a", "Two"}, {"b", "Three"}},
         3},
    };
    for (const Row& row : rows) {
        CAPTURE(row.what);
        MessageBoxRecorder boxes;
        ScratchCatalogue db;
        REQUIRE(db.connected());
        for (const char* name : {"a", "b", "bios"}) db.AddGame(name, "old");
        StandInEmulator emulator;
        emulator.Print("catver.ini", row.file);
        ProgressRecorder dialog;
        ImportCategories(dialog.window());
        for (const auto& [name, category] : row.categories) {
            CAPTURE(name);
            CHECK_EQ(db.Column("Category", name), category);
        }
        CHECK_EQ(dialog.lastCount(), row.lines);
        const auto& events = dialog.events();
        REQUIRE_GE(events.size(), 2u);
        CHECK_EQ(events[0], (Event{0x8002, IDS_TASK_CATEGORIES}));
        CHECK_EQ(events[1], (Event{0x8003, IDS_STEP_PROCESSING}));
        // The task that chains the stage closes the dialog, not the stage.
        CHECK_EQ(dialog.closes(), 0u);
        CHECK_EQ(boxes.boxes().size(), 0u);
    }
}

TEST_CASE("a catver.ini naming a thousand unknown sets shows no box") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    REQUIRE(db.connected());
    db.AddGame("known", "old");
    std::string file = "[Category]\r\n";
    for (int i = 0; i < 1000; ++i) file += "unk" + std::to_string(i) + "=Maze\r\n";
    file += "galaxianbootleg17=Shooter\r\nknown=Quiz\r\n";
    StandInEmulator emulator;
    emulator.Print("catver.ini", file);
    ProgressRecorder dialog;
    ImportCategories(dialog.window());
    CHECK_EQ(db.Column("Category", "known"), "Quiz");
    CHECK_EQ(dialog.lastCount(), 1001);
    CHECK_EQ(boxes.boxes().size(), 0u);
}

TEST_CASE("a failed update shows one box with the driver's message, and the categories stay as they were") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    REQUIRE(db.connected());
    for (const char* name : {"a", "locked", "c"}) db.AddGame(name, "old");
    db.RefuseUpdatesOf("locked");
    StandInEmulator emulator;
    emulator.Print("catver.ini", "[Category]\r\na=Maze\r\nlocked=Sports / Golf\r\nc=Quiz\r\nlocked=Maze\r\n");
    ProgressRecorder dialog;
    CHECK_FALSE(ImportCategories(dialog.window()));
    CHECK_EQ(db.Rows("SELECT RomName, Category FROM main ORDER BY RomName"),
             (Rows{{"a", "old"}, {"c", "old"}, {"locked", "old"}}));
    REQUIRE_EQ(boxes.boxes().size(), 1u);
    CHECK_EQ(boxes.boxes()[0].text.rfind(ModuleMessage(MSG_REBUILD_FAILED).substr(0, 30), 0), 0u);
    CHECK_NE(boxes.boxes()[0].text.find("refused"), std::string::npos);
    CHECK_EQ(boxes.boxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
}

TEST_CASE("a missing catver.ini is no failure, an empty one cannot be mapped") {
    REQUIRE(UseLanguage());
    struct Row {
        const char* what;
        const char* file;  // null: no catver.ini at all
        size_t boxes;
    };
    const Row rows[] = {
        {"a missing file is passed over silently", nullptr, 0},
        {"an empty file cannot be mapped: the system's text", "", 1},
    };
    for (const Row& row : rows) {
        CAPTURE(row.what);
        MessageBoxRecorder boxes;
        ScratchCatalogue db;
        REQUIRE(db.connected());
        db.AddGame("a", "old");
        StandInEmulator emulator;
        if (row.file) emulator.Print("catver.ini", row.file);
        ProgressRecorder dialog;
        CHECK_EQ(ImportCategories(dialog.window()), row.boxes == 0);
        CHECK(dialog.events().empty());
        CHECK_EQ(boxes.boxes().size(), row.boxes);
        CHECK_EQ(db.Column("Category", "a"), "old");
    }
}
