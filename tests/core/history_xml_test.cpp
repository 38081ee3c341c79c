// history.xml: the version, the entries by system name, the decoded text,
// and a damaged or cut file.
#include <doctest/doctest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "documents/history_xml.h"

using namespace quillet;

namespace {

std::string Fixture(const char* name) {
    std::ifstream in(std::string(QUILLET_FIXTURES_DIR) + "/documents/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

struct Entries {
    std::map<std::string, std::string> text;  // system name -> raw text
    HistoryXmlScan scan;
};

bool Collect(void* context, std::string_view name, size_t offset, size_t length) {
    auto& entries = *static_cast<std::pair<const std::string*, Entries*>*>(context);
    entries.second->text[std::string(name)] = entries.first->substr(offset, length);
    return true;
}

Entries Scan(const std::string& file) {
    Entries entries;
    std::pair<const std::string*, Entries*> context{&file, &entries};
    entries.scan = ScanHistoryXml(file.data(), file.data() + file.size(), Collect, &context);
    return entries;
}

}  // namespace

TEST_CASE("history.xml: each system of an entry names its text; software items are no systems") {
    const std::string file = Fixture("history_small.xml");
    REQUIRE_FALSE(file.empty());
    CHECK_EQ(HistoryXmlVersion(file.data(), file.data() + file.size()), "2.73");
    const Entries entries = Scan(file);
    CHECK(entries.scan.complete);
    CHECK_EQ(entries.scan.entries, 4u);
    CHECK_EQ(entries.text.size(), 4u);  // pacman, puckman, galaga, empty
    CHECK_EQ(entries.text.at("pacman"), entries.text.at("puckman"));
    CHECK_EQ(entries.text.at("galaga"), "- TRIVIA -\n\nGalaga, the arcade game.\n");
    CHECK_EQ(entries.text.at("empty"), "");
    CHECK_EQ(entries.text.count("galagamsx"), 0u);
}

TEST_CASE("history.xml text: five entities and numeric references decoded, nothing else expanded") {
    const std::string file = Fixture("history_small.xml");
    const std::string text = DecodeHistoryText(Scan(file).text.at("pacman"));
    CHECK_EQ(text,
             "Pac-Man & friends <1980> \"Namco\" 'yes'\n"
             "\xC2\xA9 \xE2\x98\x85 Pok\xC3\xA9mon, Pok\xC3\xA9mon &boom; &unknown; &#xD800;\n"
             "\n- TECHNICAL -\n\nRuns on the \"Namco Pac-Man\" hardware.\n");
    CHECK_EQ(DecodeHistoryText("<![CDATA[a &amp; <b>]]> &amp;"), "a &amp; <b> &");
    CHECK_EQ(DecodeHistoryText("&#1114112; &#; &#x; &amp"), "&#1114112; &#; &#x; &amp");
}

TEST_CASE("a cut or damaged history.xml hands over the entries before the damage") {
    const std::string file = Fixture("history_small.xml");
    struct Case {
        const char* what;
        std::string bytes;
        size_t systems;
    };
    const size_t galaga = file.find("<system name=\"galaga\"");
    const Case cases[] = {
        {"cut inside the third entry", file.substr(0, galaga), 2},
        {"cut before the root end", file.substr(0, file.find("</history>")), 4},
        {"a text that is never closed", file.substr(0, galaga) + "/></systems><text>abc</entry></history>", 2},
        {"no entries at all", "<history version=\"1\">", 0},
        {"empty", "", 0},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        const Entries entries = Scan(c.bytes);
        CHECK_FALSE(entries.scan.complete);
        CHECK_EQ(entries.text.size(), c.systems);
    }
    CHECK_EQ(HistoryXmlVersion(file.data(), file.data() + 40), "");
}
