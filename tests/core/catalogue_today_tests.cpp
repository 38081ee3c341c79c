// Today's game list (<machine> elements, <display>, <feature>, devices and
// BIOS sets, long names) and what the two generations share.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "catalogue/scanners.h"
#include "catalogue_support.h"

using catalogue_test::ExactText;
using catalogue_test::Fixture;
using catalogue_test::ListOutcome;
using catalogue_test::ScanText;
using quillet::Generation;
using quillet::GameListStatus;
using quillet::ImportRecord;

TEST_CASE("a list of today's format: games only, first display, features, long names") {
    ListOutcome out = ScanText(Fixture("gamelist_today.xml"));
    CHECK_EQ(int(out.result.status), int(GameListStatus::Complete));
    CHECK_EQ(int(out.result.generation), int(Generation::Today));
    // neogeo (isbios) and the Z80 device are not games; morvikprototype12
    // (17 characters) is counted as passed over, and only once it is known
    // to be neither a device nor a BIOS set (the device's name is longer still).
    CHECK_EQ(out.result.games, 3u);
    CHECK_EQ(out.result.longNames, 1u);
    REQUIRE_EQ(out.games.size(), 3u);

    struct Expected {
        std::string name, cloneof, resolution, description, manufacturer;
        unsigned video, orientation, frequency, year, driver, color, sound;
    };
    const Expected expected[] = {
        // The first display: raster turned 90 degrees, read as the screen shows it.
        // Colour: palette imperfect, graphics unemulated, the worse wins; sound by its overall status.
        {"morvik", " ", "224x288", "Morvik & Raiders \xE2\x80\x94 caf\xC3\xA9", "Tarpel & Quen", 0, 1, 60, 1995, 1, 2, 1},
        // The driver's own color and sound attributes win over its features; 19?? is no year.
        {"morvikbootlegab2", "morvik", " ", "Morvik Raiders (bootleg)", "bootleg", 1, 1, 40, 0, 2, 0, 0},
        // No display: raster, horizontal, no resolution; 1980? is no year.
        {"blankscr", " ", " ", "No screen at all", "<unknown>", 0, 0, 0, 0, 0, 0, 0},
    };
    for (size_t i = 0; i < std::size(expected); ++i) {
        const ImportRecord& g = out.games[i];
        const Expected& e = expected[i];
        CAPTURE(e.name);
        CHECK_EQ(std::string(g.RomName), e.name);
        CHECK_EQ(std::string(g.Cloneof), e.cloneof);
        CHECK_EQ(std::string(g.Resolution), e.resolution);
        CHECK_EQ(std::string(g.Description), e.description);
        CHECK_EQ(std::string(g.Manufacturer), e.manufacturer);
        CHECK_EQ(std::string(g.IconPath), (e.cloneof == " " ? e.name : e.cloneof) + ".ico");
        CHECK_EQ(unsigned(g.Video), e.video);
        CHECK_EQ(unsigned(g.Orientation), e.orientation);
        CHECK_EQ(unsigned(g.Frequency), e.frequency);
        CHECK_EQ(unsigned(g.Year), e.year);
        CHECK_EQ(unsigned(g.DriverStatus), e.driver);
        CHECK_EQ(unsigned(g.ColorStatus), e.color);
        CHECK_EQ(unsigned(g.SoundStatus), e.sound);
    }
}

TEST_CASE("the generation comes from the root's build or from <machine> elements") {
    struct Case {
        std::string text;
        Generation expected;
    };
    const Case cases[] = {
        {"<mame>\n<game name=\"a\"></game>\n</mame>", Generation::Era},
        {"<mame build=\"0.106 (Dec  7 2026)\">\n<game name=\"a\"></game>\n</mame>", Generation::Era},
        {"<mame build=\"0.107\">\n<game name=\"a\"></game>\n</mame>", Generation::Today},
        {"<mame build=\"0.251 (unknown)\" debug=\"no\">\n</mame>", Generation::Today},
        {"<mame>\n<machine name=\"a\"></machine>\n</mame>", Generation::Today},
    };
    for (const Case& c : cases) {
        CAPTURE(c.text);
        ListOutcome out = ScanText(c.text);
        CHECK_EQ(int(out.result.status), int(GameListStatus::Complete));
        CHECK_EQ(int(out.result.generation), int(c.expected));
    }
}

TEST_CASE("entities and character references are decoded, cut on a character boundary") {
    struct Case {
        std::string text;
        size_t capacity;
        std::string expected;
    };
    const Case cases[] = {
        {"A &amp; B &lt;&gt; &quot;x&quot; &apos;", 64, "A & B <> \"x\" '"},
        {"&#65;&#x42;&#X43;", 64, "ABC"},
        {"caf&#233;", 64, "caf\xC3\xA9"},
        {"&unknown; & &#; &#xZZ; &#1114112;", 64, "&unknown; & &#; &#xZZ; &#1114112;"},
        {"ab&#233;", 4, "ab"},          // the two-byte character does not fit: left out whole
        {"ab\xC3\xA9", 4, "ab"},        // raw UTF-8 cut at the field: no half character
        {"abc\xC3\xA9", 6, "abc\xC3\xA9"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.text);
        std::vector<char> field(c.capacity, 'x');
        ExactText text(c.text);
        quillet::DecodeXmlText(field.data(), field.size(), text.begin(), text.end());
        CHECK_EQ(std::string(field.data()), c.expected);
    }
}
