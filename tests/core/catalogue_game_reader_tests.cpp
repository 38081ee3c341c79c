// ReadGameElement: one game element, from just behind "<game" to just behind
// "</game>", into the ImportRecord.
#include <doctest/doctest.h>

#include <functional>
#include <string>

#include "catalogue/scanners.h"
#include "catalogue_support.h"

using catalogue_test::ExactText;
using quillet::ImportRecord;
using quillet::ReadGameElement;

namespace {

struct ReadOutcome {
    bool ok;
    ImportRecord record;
    size_t consumed;  // bytes from the start up to the position the reader left
};

// Reads `element`, the text behind "<game", from a buffer that ends exactly there.
ReadOutcome Read(const std::string& element) {
    ExactText text(element);
    ReadOutcome out{};
    const char* pos = text.begin();
    quillet::GameTraits traits;
    out.ok = ReadGameElement(pos, text.end(), out.record, traits);
    CHECK(pos >= text.begin());
    CHECK(pos <= text.end());
    out.consumed = static_cast<size_t>(pos - text.begin());
    return out;
}

// A complete game with the given start-tag attributes and children.
std::string Game(const std::string& attributes, const std::string& children) {
    return " " + attributes + ">\r\n" + children + "\t</game>";
}

using TextField = std::function<const char*(const ImportRecord&)>;
using NumberField = std::function<unsigned(const ImportRecord&)>;

struct TextCase {
    std::string what;
    std::string element;
    TextField field;
    std::string expected;
};

struct NumberCase {
    std::string what;
    std::string element;
    NumberField field;
    unsigned expected;
};

const std::string kDriver = "\t\t<driver status=\"good\" color=\"good\" sound=\"good\" palettesize=\"16\"/>\r\n";

std::string Video(const std::string& attributes) { return "\t\t<video " + attributes + "/>\r\n"; }
std::string Driver(const std::string& attributes) { return "\t\t<driver " + attributes + "/>\r\n"; }

}  // namespace

TEST_CASE("game attributes and text children land in their fields") {
    const TextCase cases[] = {
        {"name", Game("name=\"pacman\"", ""), [](auto& r) { return r.RomName; }, "pacman"},
        {"sourcefile", Game("name=\"a\" sourcefile=\"pacman.c\"", ""), [](auto& r) { return r.SourceFile; }, "pacman.c"},
        {"runnable", Game("runnable=\"no\" name=\"neogeo\"", ""), [](auto& r) { return r.Runnable; }, "no"},
        {"cloneof", Game("name=\"b\" cloneof=\"pacman\"", ""), [](auto& r) { return r.Cloneof; }, "pacman"},
        {"romof", Game("name=\"b\" romof=\"neogeo\"", ""), [](auto& r) { return r.RomOf; }, "neogeo"},
        {"sampleof", Game("name=\"b\" sampleof=\"invaders\"", ""), [](auto& r) { return r.SampleOf; }, "invaders"},
        {"whitespace around =", Game("name =\r\n \"spaced\"", ""), [](auto& r) { return r.RomName; }, "spaced"},
        {"description", Game("name=\"a\"", "<description>Morvik Raiders (set 1)</description>"),
         [](auto& r) { return r.Description; }, "Morvik Raiders (set 1)"},
        {"manufacturer", Game("name=\"a\"", "<manufacturer>Tarpel</manufacturer>"),
         [](auto& r) { return r.Manufacturer; }, "Tarpel"},
        {"entities decoded", Game("name=\"a\"", "<manufacturer>Tarpel &amp; Quen &lt;&#233;&#x263A;&gt;</manufacturer>"),
         [](auto& r) { return r.Manufacturer; }, "Tarpel & Quen <\xC3\xA9\xE2\x98\xBA>"},
        {"empty description", Game("name=\"a\"", "<description></description>"),
         [](auto& r) { return r.Description; }, ""},
        {"sound channels", Game("name=\"a\"", "<sound channels=\"2\"/>"), [](auto& r) { return r.Channels; }, "2"},
        {"palettesize", Game("name=\"a\"", Driver("palettesize=\"1024\"")), [](auto& r) { return r.Palette; }, "1024"},
        {"width", Game("name=\"a\"", Video("screen=\"raster\" width=\"384\"")), [](auto& r) { return r.Width; }, "384"},
        {"height", Game("name=\"a\"", Video("screen=\"raster\" height=\"224\"")), [](auto& r) { return r.Height; }, "224"},
        {"aspectx", Game("name=\"a\"", Video("aspectx=\"4\" aspecty=\"3\"")), [](auto& r) { return r.AspectX; }, "4"},
        {"aspecty", Game("name=\"a\"", Video("aspectx=\"4\" aspecty=\"3\"")), [](auto& r) { return r.AspectY; }, "3"},
    };
    for (const TextCase& c : cases) {
        CAPTURE(c.what);
        ReadOutcome out = Read(c.element);
        CHECK(out.ok);
        CHECK_EQ(std::string(c.field(out.record)), std::string(c.expected));
        CHECK_EQ(out.consumed, c.element.size());
    }
}

TEST_CASE("coded and numeric values follow their rules") {
    auto video = [](const ImportRecord& r) { return unsigned(r.Video); };
    auto orientation = [](const ImportRecord& r) { return unsigned(r.Orientation); };
    auto frequency = [](const ImportRecord& r) { return unsigned(r.Frequency); };
    auto year = [](const ImportRecord& r) { return unsigned(r.Year); };
    auto driverStatus = [](const ImportRecord& r) { return unsigned(r.DriverStatus); };
    auto soundStatus = [](const ImportRecord& r) { return unsigned(r.SoundStatus); };
    auto colorStatus = [](const ImportRecord& r) { return unsigned(r.ColorStatus); };
    auto game = [](const std::string& children) { return Game("name=\"a\"", children); };
    const NumberCase cases[] = {
        {"raster", game(Video("screen=\"raster\"")), video, 0},
        {"vector", game(Video("screen=\"vector\"")), video, 1},
        {"horizontal", game(Video("orientation=\"horizontal\"")), orientation, 0},
        {"vertical", game(Video("orientation=\"vertical\"")), orientation, 1},
        {"refresh 60.606060", game(Video("refresh=\"60.606060\"")), frequency, 60},
        {"refresh 57.5", game(Video("refresh=\"57.5\"")), frequency, 57},
        {"refresh 59.185606", game(Video("refresh=\"59.185606\"")), frequency, 59},
        {"refresh keeps the low 8 bits", game(Video("refresh=\"300.000000\"")), frequency, 300 % 256},
        {"refresh without a fraction", game(Video("refresh=\"50\" width=\"1\"")), frequency, 50},
        {"year", game("<year>1980</year>"), year, 1980},
        {"year 198? counts ? as 15", game("<year>198?</year>"), year, 1995},
        {"empty year", game("<year></year>"), year, 0},
        {"a byte below '0' counts modulo 256", game("<year>1 </year>"), year, 10 + (32 - 48 + 256)},
        {"a year of five characters is 0", game("<year>1980?</year>"), year, 0},
        {"a year with two ? is 0", game("<year>19?" "?</year>"), year, 0},
        {"no year element", game(""), year, 0},
        {"status good", game(Driver("status=\"good\"")), driverStatus, 0},
        {"status imperfect", game(Driver("status=\"imperfect\"")), driverStatus, 1},
        {"status preliminary", game(Driver("status=\"preliminary\"")), driverStatus, 2},
        {"status test", game(Driver("status=\"test\"")), driverStatus, 3},
        {"sound status", game(Driver("sound=\"imperfect\"")), soundStatus, 1},
        {"color status", game(Driver("color=\"preliminary\"")), colorStatus, 2},
    };
    for (const NumberCase& c : cases) {
        CAPTURE(c.what);
        ReadOutcome out = Read(c.element);
        CHECK(out.ok);
        CHECK_EQ(c.field(out.record), c.expected);
    }
}

TEST_CASE("children the catalogue does not need are stepped over") {
    const std::string children[] = {
        "<history>A long story &amp; a longer one</history>",
        "<biosset name=\"euro\" description=\"Europe\" default=\"yes\"/>",
        "<rom name=\"a.1\" size=\"4096\" crc=\"0badcafe\" region=\"cpu1\" offset=\"0\"/>",
        "<disk name=\"cd\" md5=\"00\" region=\"disks\" index=\"0\"/>",
        "<sample name=\"fire\"/>",
        "<chip type=\"cpu\" name=\"Z80\" clock=\"3072000\"/>",
        "<input players=\"2\" control=\"joy4way\" buttons=\"1\" coins=\"2\"/>",
        "<dipswitch name=\"Lives\">\r\n\t\t\t<dipvalue name=\"3\" default=\"yes\"/>\r\n\t\t\t<dipvalue name=\"5\"/>\r\n"
        "\t\t</dipswitch>",
        "<dipswitch name=\"Empty\"></dipswitch>",
        "<descriptio>x</descriptio>",
        "<videx screen=\"raster\"/>",
        "<!-- a comment <with> tags -->",
        "<slot name=\"a\">\r\n\t\t\t<slotoption name=\"b\" devname=\"c\"/>\r\n\t\t\t<slotoption name=\"d\">"
        "<x/></slotoption>\r\n\t\t</slot>",
        "<port tag=\":IN0\">\r\n\t\t\t<analog mask=\"1\"/>\r\n\t\t</port>",
        "<configuration name=\"c\"><conflocation name=\"x\"/><confsetting name=\"y\" value=\"1\"/></configuration>",
        "<display tag=\"screen2\" type=\"vector\" rotate=\"90\" width=\"9\" height=\"9\" refresh=\"1.0\"/>",
    };
    for (const std::string& child : children) {
        CAPTURE(child);
        // The description behind the skipped child proves the position is right.
        std::string element = Game("name=\"a\"", "\t\t" + child + "\r\n\t\t<description>After</description>\r\n");
        ReadOutcome out = Read(element);
        CHECK(out.ok);
        CHECK_EQ(std::string(out.record.Description), "After");
        CHECK_EQ(out.consumed, element.size());
    }
}

TEST_CASE("unknown attributes are skipped on every element") {
    std::string element = Game(
        "ismechanical=\"no\" name=\"a\" x-extra = \"1\"",
        "<video rotate=\"90\" screen=\"vector\" flipx=\"yes\" refresh=\"38.000000\"/>"
        "<sound mono=\"x\" channels=\"2\"/>"
        "<driver emulation=\"good\" status=\"imperfect\" graphic=\"good\" savestate=\"supported\"/>");
    ReadOutcome out = Read(element);
    CHECK(out.ok);
    CHECK_EQ(std::string(out.record.RomName), "a");
    CHECK_EQ(unsigned(out.record.Video), 1u);
    CHECK_EQ(unsigned(out.record.Frequency), 38u);
    CHECK_EQ(std::string(out.record.Channels), "2");
    CHECK_EQ(unsigned(out.record.DriverStatus), 1u);
}

TEST_CASE("children come in any order and a later one overwrites an earlier one") {
    std::string element = Game("name=\"a\"",
                               Driver("status=\"good\"") + Video("screen=\"raster\" width=\"256\"") +
                                   "<description>First</description><year>1981</year>"
                                   "<description>Second</description>" +
                                   Video("screen=\"vector\"") + "<year>1984</year>" + Driver("status=\"test\""));
    ReadOutcome out = Read(element);
    CHECK(out.ok);
    CHECK_EQ(std::string(out.record.Description), "Second");
    CHECK_EQ(unsigned(out.record.Year), 1984u);
    CHECK_EQ(unsigned(out.record.Video), 1u);
    CHECK_EQ(std::string(out.record.Width), "256");  // the second video element has no width
    CHECK_EQ(unsigned(out.record.DriverStatus), 3u);
}

TEST_CASE("values longer than their field are cut, never written past it") {
    // Each long value is followed in the record by a field the element leaves
    // empty, so a write past the field would show there.
    std::string element = Game("name=\"abcdefghijklmnopqrst\" runnable=\"yes\"",
                               "<description>" + std::string(300, 'D') + "</description>" +
                                   Video("width=\"1234567\" aspectx=\"4444444444\"") +
                                   "<sound channels=\"" + std::string(400, '1') + "\"/>" +
                                   Driver("palettesize=\"123456789012345\""));
    ReadOutcome out = Read(element);
    CHECK(out.ok);
    const ImportRecord& r = out.record;
    CHECK_EQ(std::string(r.RomName), "abcdefghijklmnop");
    CHECK_EQ(std::string(r.Runnable), "yes");
    CHECK_EQ(std::string(r.Description), std::string(119, 'D'));
    CHECK_EQ(std::string(r.Width), "12345");
    CHECK_EQ(std::string(r.Height), "");
    CHECK_EQ(std::string(r.AspectX), "44444");
    CHECK_EQ(std::string(r.AspectY), "");
    CHECK_EQ(std::string(r.Channels), std::string(255, '1'));
    CHECK_EQ(unsigned(r.DriverStatus), 0u);
    CHECK_EQ(std::string(r.Palette), "123456789");
    CHECK_EQ(std::string(r.IconPath), "");
}

TEST_CASE("malformed game elements are format errors") {
    struct Case {
        std::string what;
        std::string element;
    };
    const Case cases[] = {
        {"attribute without =", Game("name \"a\"", "")},
        {"single-quoted value", Game("name='a'", "")},
        {"unknown attribute without value", Game("name=\"a\" bare", "")},
        {"screen letter not listed", Game("name=\"a\"", Video("screen=\"lcd\""))},
        {"orientation letter not listed", Game("name=\"a\"", Video("orientation=\"diagonal\""))},
        {"status letter not listed", Game("name=\"a\"", Driver("status=\"broken\""))},
        {"empty status", Game("name=\"a\"", Driver("color=\"\""))},
        {"game start tag closed by />", " name=\"a\"/>\r\n\t<game name=\"b\">\r\n\t</game>"},
        {"video element not closed by />", Game("name=\"a\"", "<video screen=\"raster\">\r\n\t\t</video>")},
        {"text that never reaches </game>", " name=\"a\">\r\n\t\t<description>x</description>\r\n"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        CHECK_FALSE(Read(c.element).ok);
    }
}

TEST_CASE("a game cut off at any byte is a format error that stays inside the text") {
    std::string element = Game("name=\"morvik\" cloneof=\"morv\"",
                               "\t\t<description>Morvik &amp; Raiders</description>\r\n"
                               "\t\t<year>198?</year>\r\n"
                               "\t\t<manufacturer>Tarpel</manufacturer>\r\n"
                               "\t\t<history>x</history>\r\n"
                               "\t\t<rom name=\"mv1.1a\" size=\"4096\"/>\r\n"
                               "\t\t<video screen=\"raster\" orientation=\"vertical\" width=\"224\" height=\"288\""
                               " aspectx=\"3\" aspecty=\"4\" refresh=\"60.606060\"/>\r\n"
                               "\t\t<sound channels=\"1\"/>\r\n"
                               "\t\t<dipswitch name=\"Lives\">\r\n\t\t\t<dipvalue name=\"3\"/>\r\n\t\t</dipswitch>\r\n" +
                                   kDriver);
    REQUIRE(Read(element).ok);
    for (size_t length = 0; length < element.size(); ++length) {
        CAPTURE(length);
        // Read() checks that the position stays in the buffer; ASan checks the reads.
        CHECK_FALSE(Read(element.substr(0, length)).ok);
    }
}
