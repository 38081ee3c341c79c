// ScanCategoryFile: the [Category] sections of catver.ini.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "catalogue/scanners.h"
#include "catalogue_support.h"

using catalogue_test::CategoryLine;
using catalogue_test::CollectCategory;
using catalogue_test::Describe;
using catalogue_test::ExactText;
using catalogue_test::Fixture;
using catalogue_test::WithLfOnly;

namespace {

struct CategoryOutcome {
    uint32_t count;
    std::vector<CategoryLine> lines;
};

CategoryOutcome Scan(const std::string& text) {
    ExactText exact(text);
    CategoryOutcome out{};
    out.count = quillet::ScanCategoryFile(exact.begin(), exact.end(), CollectCategory, &out.lines);
    CHECK_EQ(size_t(out.count), out.lines.size());
    return out;
}

}  // namespace

TEST_CASE("category sections are applied, everything else passed over") {
    struct Case {
        std::string fixture;
        std::string expected;
    };
    const Case cases[] = {
        // Lines before the header, BIOS lines, a line without '=', the lines
        // after the empty line and the [VerAdded] section change nothing; the
        // second [Category] section, whose last line has no line end, counts.
        {"catver_sections.ini",
         "morvik=Shooter / Flying Vertical|morvikb=Shooter / Flying Vertical|astrovan=Shooter / Space|"
         "rollwex=Maze / Digging|morvik=Shooter / Flying Horizontal"},
        {"catver_empty_section.ini", ""},
    };
    for (const Case& c : cases) {
        CAPTURE(c.fixture);
        std::string text = Fixture(c.fixture);
        REQUIRE_FALSE(text.empty());
        CHECK_EQ(Describe(Scan(text).lines), c.expected);
        CHECK_EQ(Describe(Scan(WithLfOnly(text)).lines), c.expected);
    }
}

TEST_CASE("section boundaries") {
    struct Case {
        std::string what;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"empty file", "", ""},
        {"header alone", "[Category]", ""},
        {"header and line end", "[Category]\r\n", ""},
        {"header cut short", "[Categor", ""},
        {"header then empty line", "[Category]\r\n\r\na=Maze\r\n", ""},
        {"header then empty LF line", "[Category]\n\na=Maze\n", ""},
        {"header case differs", "[category]\r\na=Maze\r\n", ""},
        {"section runs to the end of the text", "[Category]\r\na=Maze\r\nb=Sports", "a=Maze|b=Sports"},
        {"name and = at the very end", "[Category]\r\nabc=", "abc="},
        {"BIOS at the very end", "[Category]\r\na=BIOS", ""},
        {"BIO is no BIOS", "[Category]\r\na=BIO\r\n", "a=BIO"},
        {"BIOS counts at the start only", "[Category]\r\na=Misc / BIOS\r\nb=BIOS / Console\r\n", "a=Misc / BIOS"},
        {"line without =", "[Category]\r\nnothing here\r\nb=Maze\r\n", "b=Maze"},
        {"next header without an empty line", "[Category]\r\na=Maze\r\n[VerAdded]\r\na=.33\r\n", "a=Maze"},
        {"another section before", "[VerAdded]\r\na=.33\r\n\r\n[Category]\r\na=Maze\r\n", "a=Maze"},
        {"= outside any section", "a=Maze\r\n", ""},
        {"header text after the ten bytes", "[Category] ;; main\r\na=Maze\r\n", "a=Maze"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        CHECK_EQ(Describe(Scan(c.text).lines), c.expected);
    }
}

TEST_CASE("long names: 16 characters kept whole, a longer one passed over; categories cut") {
    std::string text = Fixture("catver_long_values.ini");
    REQUIRE_FALSE(text.empty());
    for (const std::string& variant : {text, WithLfOnly(text)}) {
        CategoryOutcome out = Scan(variant);
        REQUIRE_EQ(out.lines.size(), 2u);
        CHECK_EQ(out.lines[0].name, "morvikbootleg2");
        CHECK_EQ(out.lines[0].category.size(), 89u);
        CHECK_EQ(out.lines[0].category.substr(0, 26), "Shooter / Flying Vertical ");
        CHECK_EQ(Describe({out.lines[1]}), "astrovan=Shooter / Space");
    }
}
