// Search as you type (folding, words), the play statistics' column texts
// and the CSV export's quoting.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "db/game_record.h"
#include "gamelist/game_search.h"
#include "gamelist/list_export.h"

using namespace quillet;

namespace {

std::string SearchText(const char* name, const char* description, const char* maker) {
    std::string text;
    AppendSearchText(text, name, description, maker);
    return text;
}

bool Finds(const char* typed, const std::string& searchText) {
    return MatchesEveryWord(searchText, SearchWords(typed));
}

}  // namespace

TEST_CASE("folding takes case and accents off, and keeps what it does not know") {
    struct Case {
        const char* text;
        const char* folded;
    };
    const Case cases[] = {
        {"Street FIGHTER II", "street fighter ii"},
        {"Pok\xC3\xA9mon", "pokemon"},                       // é, UTF-8
        {"\xC3\x89L\xC3\x88VE \xC3\x80 L'\xC3\x8E LE", "eleve a l'i le"},
        {"Stra\xC3\x9F" "e \xC3\x86on \xC5\x92uvre", "strasse aeon oeuvre"},
        {"\xC5\x81\xC3\xB3""d\xC5\xBA", "lodz"},             // Ł ó ź
        {"Vi\xE1\xBB\x87t", "viet"},                         // ệ, Latin Extended Additional
        {"\xCE\xA3\xCE\xB9", "\xCF\x83\xCE\xB9"},            // Greek capital sigma lowercased
        {"\xEF\xBC\xA6\xEF\xBD\x89", "fi"},                  // fullwidth Ｆｉ
        {"\xE3\x83\x91\xE3\x83\x83\xE3\x82\xAF", "\xE3\x83\x91\xE3\x83\x83\xE3\x82\xAF"},  // katakana stays
        {"Pok\xE9mon", "pokemon"},                           // ANSI é of the era's catalogues
        {"\xC3", "a"},                                       // a cut sequence is Latin-1 too
    };
    for (const Case& c : cases) {
        CAPTURE(c.text);
        CHECK_EQ(Folded(c.text), c.folded);
    }
    CHECK_EQ(FoldOfCodePoint(0x00D7), nullptr);  // the multiplication sign is no letter
}

TEST_CASE("every typed word is found in the name, the description or the maker, in any order") {
    const std::string sf2 = SearchText("sf2", "Street Fighter II: The World Warrior (World 910522)", "Capcom");
    const std::string poke = SearchText("pokemon", "Pok\xC3\xA9mon Stadium", "Nintendo");
    struct Case {
        const char* typed;
        const std::string& game;
        bool found;
    };
    const Case cases[] = {
        {"", sf2, true},
        {"   ", sf2, true},
        {"capcom fighter", sf2, true},
        {"FIGHTER capcom", sf2, true},
        {"sf2 world", sf2, true},
        {"capcom nintendo", sf2, false},
        {"fighterii", sf2, false},
        {"pokemon", poke, true},
        {"POK\xC3\x89MON stad", poke, true},
        {"2capcom", sf2, false},  // never across two fields
        {"sf2street", sf2, false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.typed);
        CHECK_EQ(Finds(c.typed, c.game), c.found);
    }
}

TEST_CASE("search words are folded and split at blanks, the longest first") {
    CHECK_EQ(SearchWords("  Ab\tcDe  f "), std::vector<std::string>{"cde", "ab", "f"});
    CHECK(SearchWords("").empty());
}

TEST_CASE("the play statistics columns show counts, a date and a time") {
    struct Case {
        uint8_t favourite;
        uint32_t times, seconds;
        const char* last;
        const char *star, *played, *lastText, *timeText;
    };
    const Case cases[] = {
        {0, 0, 0, "", "", "", "", ""},
        {1, 3, 59, "2026-12-07 18:04:05", "\xE2\x98\x85", "3", "2026-12-07 18:04", "0:00:59"},
        {0, 12, 3600 * 123 + 61, "2025-01-02 03:04:05", "", "12", "2025-01-02 03:04", "123:01:01"},
    };
    for (const Case& c : cases) {
        GameExtras e{};
        e.Favourite = c.favourite;
        e.TimesPlayed = c.times;
        e.SecondsPlayed = c.seconds;
        std::snprintf(e.LastPlayed, sizeof e.LastPlayed, "%s", c.last);
        FormatPlayerTexts(e);
        CHECK_EQ(std::string(e.StarText), c.star);
        CHECK_EQ(std::string(e.PlayedText), c.played);
        CHECK_EQ(std::string(e.LastPlayedText), c.lastText);
        CHECK_EQ(std::string(e.TimePlayedText), c.timeText);
    }
}

TEST_CASE("CSV fields are quoted when they hold commas, quotes or line breaks") {
    struct Case {
        const char* field;
        const char* written;
    };
    const Case cases[] = {
        {"Pac-Man", "Pac-Man"},
        {"", ""},
        {"Namco, Midway", "\"Namco, Midway\""},
        {"the \"best\" one", "\"the \"\"best\"\" one\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"lf\nonly", "\"lf\nonly\""},
        {" padded", "\" padded\""},
        {"Pok\xC3\xA9mon", "Pok\xC3\xA9mon"},
    };
    for (const Case& c : cases) {
        std::string out;
        AppendCsvField(out, c.field);
        CHECK_EQ(out, c.written);
    }
    std::string row;
    AppendCsvRow(row, {"a", "b,c", ""});
    CHECK_EQ(row, "a,\"b,c\",\r\n");
}
