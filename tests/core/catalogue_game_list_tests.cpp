// ScanGameList: the whole captured list, root to root end, with the derived
// catalogue fields; and DeriveCatalogueFields on its own.
#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <vector>

#include "catalogue/scanners.h"
#include "catalogue_support.h"

using catalogue_test::CollectGame;
using catalogue_test::ExactText;
using catalogue_test::Fixture;
using catalogue_test::ListOutcome;
using catalogue_test::ScanText;
using quillet::GameListResult;
using quillet::GameListStatus;
using quillet::ImportRecord;
using quillet::ScanGameList;

namespace {

std::string Names(const std::vector<ImportRecord>& games) {
    std::string names;
    for (const ImportRecord& g : games) {
        if (!names.empty()) names += ' ';
        names += g.RomName;
    }
    return names;
}

}  // namespace

TEST_CASE("a complete list hands over each runnable game with its derived fields") {
    std::string text = Fixture("gamelist_small.xml");
    REQUIRE_FALSE(text.empty());
    ListOutcome out = ScanText(text);
    CHECK_EQ(int(out.result.status), int(GameListStatus::Complete));
    // zorbios (runnable="no") is neither handed over nor counted.
    CHECK_EQ(Names(out.games), "morvik morvikb astrovan rollwex");
    CHECK_EQ(out.result.games, 4u);

    struct Expected {
        std::string name;
        unsigned original;
        std::string cloneof;
        std::string iconPath;
        std::string resolution;
        unsigned year;
        unsigned frequency;
        std::string manufacturer;
    };
    const Expected expected[] = {
        {"morvik", 0, " ", "morvik.ico", "224x288", 1982, 60, "Tarpel & Quen"},
        {"morvikb", 1, "morvik", "morvik.ico", "224x288", 1995, 60, "bootleg"},
        {"astrovan", 0, " ", "astrovan.ico", " ", 1980, 40, "Quen"},
        {"rollwex", 0, " ", "rollwex.ico", "256x224", 0, 57, "<unknown>"},
    };
    REQUIRE_EQ(out.games.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const ImportRecord& g = out.games[i];
        const Expected& e = expected[i];
        CAPTURE(e.name);
        CHECK_EQ(std::string(g.RomName), e.name);
        CHECK_EQ(g.Original, e.original);
        CHECK_EQ(std::string(g.Cloneof), e.cloneof);
        CHECK_EQ(std::string(g.IconPath), e.iconPath);
        CHECK_EQ(std::string(g.Resolution), e.resolution);
        CHECK_EQ(unsigned(g.Year), e.year);
        CHECK_EQ(unsigned(g.Frequency), e.frequency);
        CHECK_EQ(std::string(g.Manufacturer), e.manufacturer);
    }
    // The record is cleared before each game: nothing of morvik's driver
    // element is left in astrovan's record, whose sound status is good.
    CHECK_EQ(unsigned(out.games[2].SoundStatus), 0u);
    CHECK_EQ(std::string(out.games[2].SampleOf), "astrovan");
    CHECK_EQ(std::string(out.games[2].RomOf), "");
}

TEST_CASE("a root start tag with attributes is stepped over") {
    std::string text = Fixture("gamelist_build_attr.xml");
    REQUIRE_FALSE(text.empty());
    ListOutcome out = ScanText(text);
    CHECK_EQ(int(out.result.status), int(GameListStatus::Complete));
    CHECK_EQ(Names(out.games), "pelgrim pelgrimj");
    CHECK_EQ(std::string(out.games.at(1).SourceFile), "pelgrim.c");
    CHECK_EQ(unsigned(out.games.at(1).SoundStatus), 1u);
    CHECK_EQ(unsigned(out.games.at(0).Frequency), 59u);
}

TEST_CASE("everything before the first <mam is passed over") {
    // A prolog full of lookalikes: "<game" and "</mame>" before the root count for nothing.
    std::string text =
        "Loading...\r\n<?xml version=\"1.0\"?>\r\n<!-- <game name=\"fake\"></game> </mame> -->\r\n"
        "<mame><game name=\"real\"><description>R</description></game></mame>";
    ListOutcome out = ScanText(text);
    CHECK_EQ(int(out.result.status), int(GameListStatus::Complete));
    CHECK_EQ(Names(out.games), "real");
}

TEST_CASE("a capture without a root reports NoRoot and hands over nothing") {
    const std::string texts[] = {Fixture("gamelist_no_root.txt"), "", "<ma", "<game name=\"a\"></game>"};
    for (const std::string& text : texts) {
        CAPTURE(text);
        ExactText exact(text);
        CHECK_FALSE(quillet::HasGameListRoot(exact.begin(), exact.end()));
        ListOutcome out = ScanText(text);
        CHECK_EQ(int(out.result.status), int(GameListStatus::NoRoot));
        CHECK_EQ(out.result.games, 0u);
        CHECK(out.games.empty());
    }
    CHECK(quillet::HasGameListRoot(nullptr, nullptr) == false);
    std::string list = Fixture("gamelist_small.xml");
    CHECK(quillet::HasGameListRoot(list.data(), list.data() + list.size()));
}

TEST_CASE("a format error keeps the games before it and names the last game read") {
    struct Case {
        std::string what;
        std::string text;
        std::string games;
        std::string lastRead;
    };
    const Case cases[] = {
        {"capture cut inside a game", Fixture("gamelist_truncated.xml"), "morvik morvikb", "morvikb"},
        {"capture cut between games", "<mame>\n<game name=\"a\"></game>\n", "a", "a"},
        {"root start tag never closed", "<mame build=\"0.106", "", ""},
        {"stray element between games", "<mame><game name=\"a\"></game><gamf name=\"b\"></gamf></mame>", "a", "a"},
        {"a BIOS set is a game read", "<mame><game name=\"bios\" runnable=\"no\"></game><game x", "", "bios"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        ListOutcome out = ScanText(c.text);
        CHECK_EQ(int(out.result.status), int(GameListStatus::FormatError));
        CHECK_EQ(Names(out.games), c.games);
        CHECK_EQ(out.result.games, out.games.size());
        CHECK_EQ(std::string(out.result.lastRead), c.lastRead);
    }
}

TEST_CASE("a game whose name is longer than the catalogue holds is left out and counted") {
    // A 17-character clone cut to sixteen could be another game's name.
    const std::string text =
        "<mame><game name=\"galaxian\"></game><game name=\"galaxianbootleg17\" cloneof=\"galaxian\"></game>"
        "<game name=\"longbiosnamebios1x\" runnable=\"no\"></game><game name=\"abcdefghijklmnop\"></game></mame>";
    ListOutcome out = ScanText(text);
    CHECK_EQ(int(out.result.status), int(GameListStatus::Complete));
    CHECK_EQ(Names(out.games), "galaxian abcdefghijklmnop");
    // A BIOS set is no game, whatever its name: not counted.
    CHECK_EQ(out.result.longNames, 1u);
    CHECK_EQ(std::string(out.result.lastRead), "abcdefghijklmnop");
}

TEST_CASE("a list cut off at any byte stops cleanly") {
    std::string text = Fixture("gamelist_small.xml");
    REQUIRE_FALSE(text.empty());
    size_t root = text.find("<mame>");
    size_t rootEnd = text.rfind("</mame>") + 7;
    size_t previousGames = 0;
    for (size_t length = 0; length < rootEnd; ++length) {
        CAPTURE(length);
        ListOutcome out = ScanText(text.substr(0, length));
        CHECK_NE(int(out.result.status), int(GameListStatus::Complete));
        CHECK_EQ(int(out.result.status),
                 int(length < root + 4 ? GameListStatus::NoRoot : GameListStatus::FormatError));
        // A longer prefix never hands over fewer games.
        CHECK_GE(out.games.size(), previousGames);
        previousGames = out.games.size();
    }
}

TEST_CASE("derived catalogue fields") {
    struct Case {
        std::string name;
        std::string cloneof;
        std::string width;
        std::string height;
        unsigned original;
        std::string cloneofAfter;
        std::string iconPath;
        std::string resolution;
    };
    const Case cases[] = {
        {"abc2", "abc", "256", "224", 1, "abc", "abc.ico", "256x224"},
        {"abc", "", "256", "224", 0, " ", "abc.ico", "256x224"},
        {"vecgame", "", "", "", 0, " ", "vecgame.ico", " "},
        {"wide", "", "640", "", 0, " ", "wide.ico", "640x"},
        {"huge", "", "12345", "67890", 0, " ", "huge.ico", "12345x678"},  // cut to the 10-byte field
        {"abcdefgh", "", "1", "2", 0, " ", "abcdefgh.ico", "1x2"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        ImportRecord r{};
        std::strcpy(r.RomName, c.name.c_str());
        std::strcpy(r.Cloneof, c.cloneof.c_str());
        std::strcpy(r.Width, c.width.c_str());
        std::strcpy(r.Height, c.height.c_str());
        quillet::DeriveCatalogueFields(r);
        CHECK_EQ(r.Original, c.original);
        CHECK_EQ(std::string(r.Cloneof), c.cloneofAfter);
        CHECK_EQ(std::string(r.IconPath), c.iconPath);
        CHECK_EQ(std::string(r.Resolution), c.resolution);
        CHECK_EQ(std::string(r.AspectX), "");  // the field behind Resolution is untouched
    }
}

namespace {

// A sink that asks the scan to stop once it has been handed two games.
struct StoppingSink {
    std::vector<std::string> names;
    bool stop = false;
    static void Take(void* context, ImportRecord& record) {
        auto& self = *static_cast<StoppingSink*>(context);
        self.names.push_back(record.RomName);
        self.stop = self.names.size() == 2;
    }
};

}  // namespace

TEST_CASE("a sink that asks to stop ends the scan behind the game it was handed") {
    const std::string text = "<mame><game name=\"a\"></game><game name=\"b\"></game><game name=\"c\"></game></mame>";
    StoppingSink sink;
    ImportRecord record{};
    const GameListResult result =
        ScanGameList(text.data(), text.data() + text.size(), record, StoppingSink::Take, &sink, &sink.stop);
    CHECK_EQ(int(result.status), int(GameListStatus::Stopped));
    CHECK_EQ(result.games, 2u);
    CHECK_EQ(sink.names, std::vector<std::string>{"a", "b"});
}
