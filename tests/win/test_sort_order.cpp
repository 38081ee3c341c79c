// The list sorts by locale sort keys; that must order exactly as lstrcmpA.
#include "win/support.h"

#include <cstring>
#include <string>
#include <vector>

#include "base/globals.h"
#include "db/game_record.h"
#include "gamelist/game_list.h"

using namespace quillet;
using namespace quillet::test;

namespace {

const char* const kTexts[] = {
    "",          " ",          "1024",        "256",           "1024x768",     "320x240",  "0",
    "pacman",    "Pacman",     "PACMAN",      "pac-man",       "Pac-Man",      "pacman2",  "pac man",
    "co-op",     "coop",       "co op",       "Ms. Pac-Man",   "Mr. Do!",      "Mr. Do's Castle",
    "Mr Do",     "'88 Games",  "1942",        "1943: The Battle of Midway",    "A & B",    "A &amp; B",
    "<unknown>", "(bootleg)",  "[prototype]", "Zaxxon",        "zaxxon",       "\xc9lite", "Elite",
    "\xe9lite",  "Stra\xdf" "e", "Strasse",   "na\xefve",      "naive",        "_test",    "~tilde",
    "a\tb",      "a b",        "ab",          "Good",          "Best available", "Bad",   "Not found",
    // Bytes that are other letters in other code pages (1252: à ü Ø š; 1251: а ь Ш љ).
    "\xe0 la carte", "arcade",   "\xfc" "ber",     "uber",          "\xd8ystein",   "Oystein",  "\x9a" "ah",  "sah",
};

int Sign(int v) { return (v > 0) - (v < 0); }

// Pairs whose keys disagree with lstrcmpA under the current thread locale.
int Disagreements() {
    std::vector<std::vector<char>> keys;
    for (const char* t : kTexts) {
        std::vector<char> key(1024);
        REQUIRE(MakeSortKey(t, key.data(), static_cast<int>(key.size())));
        keys.push_back(key);
    }
    const size_t n = sizeof kTexts / sizeof kTexts[0];
    int disagreements = 0;
    for (size_t i = 0; i < n; ++i)
        for (size_t j = 0; j < n; ++j)
            if (Sign(std::strcmp(keys[i].data(), keys[j].data())) != Sign(lstrcmpA(kTexts[i], kTexts[j]))) {
                if (++disagreements <= 5) MESSAGE((std::string(kTexts[i]) + " | " + kTexts[j]));
            }
    return disagreements;
}

}  // namespace

TEST_CASE("sort keys order every pair of texts as lstrcmpA does") { CHECK_EQ(Disagreements(), 0); }

// lstrcmpA reads bytes above 0x7F in the ANSI code page, whatever the
// thread locale's own; keys made in the locale's code page would put
// accented descriptions elsewhere.
TEST_CASE("sort keys agree with lstrcmpA under thread locales of other code pages") {
    const LCID saved = GetThreadLocale();
    // Russian (1251), Greek (1253), Czech (1250), Turkish (1254).
    for (LCID locale : {LCID{0x0419}, LCID{0x0408}, LCID{0x0405}, LCID{0x041F}}) {
        CAPTURE(locale);
        REQUIRE(SetThreadLocale(locale));
        CHECK_EQ(Disagreements(), 0);
    }
    SetThreadLocale(saved);
}

TEST_CASE("sorting by keys gives exactly the lstrcmpA Shell sort's order, ties included") {
    const size_t n = sizeof kTexts / sizeof kTexts[0];
    std::vector<GameRecord> records(n * 3);
    for (size_t i = 0; i < records.size(); ++i) {
        std::strcpy(records[i].Description, kTexts[(i * 7) % n]);
        std::snprintf(records[i].RomName, sizeof records[i].RomName, "g%zu", i);
    }
    for (bool descending : {false, true}) {
        std::vector<GameRecord*> plain, keyed;
        for (auto& r : records) plain.push_back(&r);
        keyed = plain;
        SortRecordsWithLstrcmp(plain.data(), static_cast<DWORD>(plain.size()), 1, descending);
        REQUIRE(SortRecordsByKeys(keyed.data(), static_cast<DWORD>(keyed.size()), 1, descending));
        for (size_t i = 0; i < plain.size(); ++i) CHECK_EQ(std::string(plain[i]->RomName), keyed[i]->RomName);
    }
}
