// Writing verification verdicts into Status, on the real SQLite driver.
#include "base/report.h"
#include "catalogue/stages.h"
#include "resources/resource_ids.h"
#include "win/catalogue_fixture.h"

using namespace quillet;
using namespace quillet::test;

namespace {

void Verify(ProgressRecorder& dialog, const std::string& text) {
    ApplyVerifyResults(dialog.window(), text.data(), text.size());
}

}  // namespace

TEST_CASE("each result line sets the status of the set it names") {
    REQUIRE(UseLanguage());
    struct Row {
        const char* what;
        std::string capture;
        std::vector<std::pair<const char*, const char*>> statuses;  // set, Status afterwards
        long long lines;
    };
    const Row rows[] = {
        {"the three verdicts and any other",
         "romset gd is good\r\nromset ba is best available\r\nromset bd is bad\r\nromset ot is incorrect\r\n",
         {{"gd", "0"}, {"ba", "1"}, {"bd", "2"}, {"ot", "3"}},
         4},
        {"words between the name and \" is \" belong to no set",
         "romset gd [parent] is bad\r\n",
         {{"gd", "2"}, {"ba", "9"}},
         1},
        {"text before, between and after the lines is passed over",
         "Checking...\r\nromset ba is good\r\nnoise\r\n\r\nromset bd is best available\r\n2 romsets found, 1 were OK.\r\n",
         {{"ba", "0"}, {"bd", "1"}, {"gd", "9"}},
         2},
    };
    for (const Row& row : rows) {
        CAPTURE(row.what);
        MessageBoxRecorder boxes;
        ScratchCatalogue db;
        REQUIRE(db.connected());
        for (const char* name : {"gd", "ba", "bd", "ot"}) db.AddGame(name, " ", 9);
        ProgressRecorder dialog;
        Verify(dialog, row.capture);
        for (const auto& [name, status] : row.statuses) {
            CAPTURE(name);
            CHECK_EQ(db.Column("Status", name), status);
        }
        CHECK_EQ(dialog.lastCount(), row.lines);
        REQUIRE_FALSE(dialog.events().empty());
        CHECK_EQ(dialog.events().front(), (ProgressRecorder::Event{0x8003, IDS_STEP_PROCESSING}));
        CHECK_EQ(boxes.boxes().size(), 0u);
    }
}

TEST_CASE("lines naming sets the catalogue lacks are counted and show no box") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    REQUIRE(db.connected());
    db.AddGame("known", " ", 9);
    std::string capture;
    for (int i = 0; i < 1000; ++i) capture += "romset unk" + std::to_string(i) + " is good\r\n";
    capture += "romset galaxianbootleg17 [galaxian] is bad\r\nromset known is bad\r\n";
    ProgressRecorder dialog;
    Verify(dialog, capture);
    CHECK_EQ(db.Column("Status", "known"), "2");
    // The over-long name is no line of the catalogue's: not counted.
    CHECK_EQ(dialog.lastCount(), 1001);
    CHECK_EQ(boxes.boxes().size(), 0u);
}

TEST_CASE("a failed update is reported once and the statuses stay as they were") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    REQUIRE(db.connected());
    for (const char* name : {"a", "locked", "c"}) db.AddGame(name, " ", 9);
    db.RefuseUpdatesOf("locked");
    ProgressRecorder dialog;
    Verify(dialog, "romset a is good\r\nromset locked is good\r\nromset c is bad\r\nromset locked is bad\r\n");
    CHECK_EQ(db.Rows("SELECT RomName, Status FROM main ORDER BY RomName"),
             (Rows{{"a", "9"}, {"c", "9"}, {"locked", "9"}}));
    REQUIRE_EQ(boxes.boxes().size(), 1u);
    // The one box carries the driver's own message.
    CHECK_EQ(boxes.boxes()[0].text.rfind(ModuleMessage(MSG_REBUILD_FAILED).substr(0, 30), 0), 0u);
    CHECK_NE(boxes.boxes()[0].text.find("refused"), std::string::npos);
    CHECK_EQ(boxes.boxes()[0].owner, dialog.window());
    // The connection commits again afterwards.
    Verify(dialog, "romset a is bad\r\n");
    REQUIRE(db.Reconnect());
    CHECK_EQ(db.Column("Status", "a"), "2");
}

TEST_CASE("an empty capture changes nothing and counts nothing") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    REQUIRE(db.connected());
    db.AddGame("a", " ", 1);
    ProgressRecorder dialog;
    Verify(dialog, "");
    CHECK_EQ(db.Column("Status", "a"), "1");
    CHECK_EQ(dialog.lastCount(), -1);
    CHECK_EQ(boxes.boxes().size(), 0u);
}
