// The scanners over real emulator output of versions 0.84 and 0.106 and a
// real catver.ini. The expected figures are counted here the plain way, with
// std::string searches that share nothing with the scanners. Each test skips
// when the real-data folder is not there.
#include <doctest/doctest.h>

#include <sstream>
#include <string>
#include <vector>

#include "catalogue/scanners.h"
#include "catalogue_support.h"
#include "tests/real_data.h"

using catalogue_test::CategoryLine;
using catalogue_test::CollectCategory;
using catalogue_test::CountOf;
using catalogue_test::ExactText;
using quillet::GameListStatus;
using quillet::ImportRecord;

namespace {

struct RunnableGame {
    std::string name;
    std::string cloneof;
    bool vector;
    bool dated;
};

// Each game element without runnable="no": its name and cloneof attributes,
// whether its screen is a vector screen and whether it has a year.
std::vector<RunnableGame> RunnableGames(const std::string& text) {
    std::vector<RunnableGame> games;
    for (size_t at = text.find("<game "); at != std::string::npos; at = text.find("<game ", at + 1)) {
        std::string tag = text.substr(at, text.find('>', at) - at);
        std::string element = text.substr(at, text.find("</game>", at) - at);
        if (tag.find("runnable=\"no\"") != std::string::npos) continue;
        auto attribute = [&tag](const std::string& name) {
            size_t from = tag.find(" " + name + "=\"");
            if (from == std::string::npos) return std::string();
            from += name.size() + 3;
            return tag.substr(from, tag.find('"', from) - from);
        };
        games.push_back({attribute("name"), attribute("cloneof"),
                         element.find("screen=\"vector\"") != std::string::npos,
                         element.find("<year>") != std::string::npos &&
                             element.find("<year></year>") == std::string::npos});
    }
    return games;
}

void CheckWholeList(const std::string& text, const std::string& file) {
    CAPTURE(file);
    std::vector<RunnableGame> expected = RunnableGames(text);
    REQUIRE_FALSE(expected.empty());

    ExactText exact(text);
    std::vector<ImportRecord> games;
    ImportRecord record;
    quillet::GameListResult result =
        quillet::ScanGameList(exact.begin(), exact.end(), record, catalogue_test::CollectGame, &games);
    CHECK_EQ(int(result.status), int(GameListStatus::Complete));
    CHECK_EQ(result.longNames, 0u);
    CHECK_EQ(size_t(result.games), expected.size());
    REQUIRE_EQ(games.size(), expected.size());

    size_t mismatches = 0;
    for (size_t i = 0; i < games.size(); ++i) {
        const ImportRecord& g = games[i];
        const RunnableGame& e = expected[i];
        bool clone = !e.cloneof.empty();
        std::string icon = (clone ? e.cloneof : e.name) + ".ico";
        // Vector games are written without a width: their resolution is a space.
        bool same = g.RomName == e.name && g.Original == unsigned(clone) && g.IconPath == icon &&
                    g.Video == unsigned(e.vector) && (g.Year != 0) == e.dated &&
                    (std::string(g.Resolution) == " ") == e.vector;
        if (!same && mismatches++ < 5) {
            CAPTURE(e.name);
            CHECK_EQ(std::string(g.RomName) + " " + g.IconPath + " " + g.Resolution,
                     e.name + " " + icon + (e.vector ? "  " : " WxH"));
        }
    }
    CHECK_EQ(mismatches, 0u);
}

}  // namespace

TEST_CASE("real game lists are read whole" * doctest::skip(quillet::test::RealDataAbsent("listxml_mame0084_subset.xml"))) {
    struct Case {
        std::string file;
        bool gzipped;
        size_t games;  // game elements in the file, BIOS sets included
    };
    const Case cases[] = {
        {"listxml_mame0084_subset.xml", false, 359},
        {"listxml_mame0106_subset.xml", false, 364},
        {"listxml_mame0084_full.xml.gz", true, 5036},  // root <mame>
        {"listxml_mame0106_full.xml.gz", true, 6166},  // root <mame build="...">
    };
    for (const Case& c : cases) {
        std::string text = c.gzipped ? catalogue_test::GunzipRealData(c.file)
                                     : catalogue_test::ReadFile(catalogue_test::RealDataPath(c.file));
        if (text.empty()) {
            MESSAGE("real data not present (or no gzip), skipped: ", c.file);
            continue;
        }
        CHECK_EQ(CountOf(text, "<game "), c.games);
        CheckWholeList(text, c.file);
        // As the Windows build of the emulator prints it.
        if (!c.gzipped) CheckWholeList(catalogue_test::WithCrlf(text), c.file);
    }
}

TEST_CASE("a real catver.ini applies every category line but the BIOS ones" *
          doctest::skip(quillet::test::RealDataAbsent("catver_mame078_rev2_2003-12-27.ini"))) {
    std::string text = catalogue_test::ReadFile(catalogue_test::RealDataPath("catver_mame078_rev2_2003-12-27.ini"));
    REQUIRE_FALSE(text.empty());
    // Lines from "[Category]" to the first empty line, counted with getline.
    std::vector<CategoryLine> expected;
    std::istringstream lines(text);
    std::string line;
    bool inSection = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("[Category]", 0) == 0) {
            inSection = true;
        } else if (line.empty()) {
            inSection = false;
        } else if (inSection && line.find('=') != std::string::npos) {
            std::string category = line.substr(line.find('=') + 1);
            if (category.rfind("BIOS", 0) != 0) expected.push_back({line.substr(0, line.find('=')), category});
        }
    }
    REQUIRE_GT(expected.size(), 4000u);

    for (const std::string& variant : {text, catalogue_test::WithCrlf(text)}) {
        ExactText exact(variant);
        std::vector<CategoryLine> applied;
        uint32_t count = quillet::ScanCategoryFile(exact.begin(), exact.end(), CollectCategory, &applied);
        CHECK_EQ(size_t(count), expected.size());
        REQUIRE_EQ(applied.size(), expected.size());
        size_t mismatches = 0;
        for (size_t i = 0; i < applied.size(); ++i) {
            if (!(applied[i] == expected[i]) && mismatches++ < 5) {
                CHECK_EQ(applied[i].name + "=" + applied[i].category, expected[i].name + "=" + expected[i].category);
            }
        }
        CHECK_EQ(mismatches, 0u);
    }
}
