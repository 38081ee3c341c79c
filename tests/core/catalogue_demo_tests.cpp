// The committed demo set (tools/demo, made by gengamelist): the stand-in
// emulator prints it, so it must read cleanly and hang together.
#include <doctest/doctest.h>

#include <set>
#include <string>
#include <vector>

#include "catalogue/scanners.h"
#include "catalogue_support.h"

using catalogue_test::CountOf;
using catalogue_test::ExactText;

namespace {

std::string Demo(const std::string& name) {
    return catalogue_test::ReadFile(std::string(QUILLET_FIXTURES_DIR) + "/../../tools/demo/" + name);
}

}  // namespace

TEST_CASE("the demo set reads cleanly and its three files agree") {
    std::string list = Demo("gamelist.xml");
    std::string verify = Demo("verify.txt");
    std::string catver = Demo("catver.ini");
    REQUIRE_FALSE(list.empty());
    REQUIRE_FALSE(verify.empty());
    REQUIRE_FALSE(catver.empty());
    // As the emulator's Windows build prints: every line ends in CR LF.
    CHECK_EQ(CountOf(list, "\n"), CountOf(list, "\r\n"));
    CHECK_EQ(CountOf(verify, "\n"), CountOf(verify, "\r\n"));

    ExactText listText(list);
    std::vector<quillet::ImportRecord> games;
    quillet::ImportRecord record;
    quillet::GameListResult result =
        quillet::ScanGameList(listText.begin(), listText.end(), record, catalogue_test::CollectGame, &games);
    CHECK_EQ(int(result.status), int(quillet::GameListStatus::Complete));
    CHECK_EQ(size_t(result.games), CountOf(list, "<game ") - CountOf(list, "runnable=\"no\""));
    std::set<std::string> names;
    size_t clones = 0, vector = 0, vertical = 0, noWidth = 0;
    for (const quillet::ImportRecord& g : games) {
        names.insert(g.RomName);
        clones += g.Original;
        vector += g.Video;
        vertical += g.Orientation;
        noWidth += g.Video == 0 && std::string(g.Resolution) == " ";
    }
    CHECK_EQ(names.size(), games.size());
    // Every kind the list view and the filters tell apart is there.
    CHECK_GT(clones, 0u);
    CHECK_GT(vector, 0u);
    CHECK_GT(vertical, 0u);
    CHECK_GT(noWidth, 0u);

    ExactText verifyText(verify);
    std::vector<catalogue_test::Verdict> verdicts;
    uint32_t lines = quillet::ScanVerifyResults(verifyText.begin(), verifyText.end(), catalogue_test::CollectVerdict,
                                                &verdicts);
    CHECK_EQ(size_t(lines), CountOf(verify, "romset "));
    std::set<int> codes;
    size_t unknown = 0;
    for (const catalogue_test::Verdict& v : verdicts) {
        codes.insert(v.code);
        unknown += names.count(v.name) == 0;
    }
    CHECK_EQ(codes.size(), 3u);  // good, best available, bad
    CHECK_LE(unknown, 1u);       // the BIOS set only

    ExactText catverText(catver);
    std::vector<catalogue_test::CategoryLine> categories;
    uint32_t applied = quillet::ScanCategoryFile(catverText.begin(), catverText.end(), catalogue_test::CollectCategory,
                                                 &categories);
    CHECK_GT(applied, games.size() / 2);
    for (const catalogue_test::CategoryLine& line : categories) {
        CAPTURE(line.name);
        CHECK(names.count(line.name) == 1);
    }
}

TEST_CASE("today's demo set reads cleanly: long names, no devices or BIOS sets, every verdict a game's") {
    std::string list = Demo("today/gamelist.xml");
    std::string verify = Demo("today/verify.txt");
    REQUIRE_FALSE(list.empty());
    REQUIRE_FALSE(verify.empty());
    ExactText listText(list);
    std::vector<quillet::ImportRecord> games;
    quillet::ImportRecord record;
    quillet::GameListResult result =
        quillet::ScanGameList(listText.begin(), listText.end(), record, catalogue_test::CollectGame, &games);
    CHECK_EQ(int(result.status), int(quillet::GameListStatus::Complete));
    CHECK_EQ(int(result.generation), int(quillet::Generation::Today));
    CHECK_EQ(size_t(result.games),
             CountOf(list, "<machine ") - CountOf(list, "isdevice=\"yes\"") - CountOf(list, "isbios=\"yes\""));
    CHECK_GT(CountOf(list, "isdevice=\"yes\""), 0u);
    CHECK_GT(CountOf(list, "<feature "), 0u);
    CHECK_GT(CountOf(list, "tag=\"lcd\""), 0u);  // machines with two displays
    std::set<std::string> names;
    size_t longNames = 0, imperfect = 0;
    for (const quillet::ImportRecord& g : games) {
        names.insert(g.RomName);
        longNames += std::string(g.RomName).size() > 8;
        imperfect += g.DriverStatus == 1;
    }
    CHECK_GT(longNames, 0u);
    CHECK_GT(imperfect, 0u);

    ExactText verifyText(verify);
    std::vector<catalogue_test::Verdict> verdicts;
    quillet::ScanVerifyResults(verifyText.begin(), verifyText.end(), catalogue_test::CollectVerdict, &verdicts);
    CHECK_GT(verdicts.size(), 0u);
    for (const catalogue_test::Verdict& v : verdicts) CHECK(names.count(v.name) == 1);
}
