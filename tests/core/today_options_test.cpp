// Today's option list from the emulator's own texts, and the checks a value
// passes before it is written.
#include <doctest/doctest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "options/today_options.h"
#include "tests/real_data.h"

using quillet::test::RealDataAbsent;

namespace {

std::string ReadReal(const char* name) {
    std::ifstream in(std::string(QUILLET_REALDATA_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const quillet::TodayOption* Named(const std::vector<quillet::TodayOption>& options, const char* name) {
    for (const auto& option : options)
        if (option.name == name) return &option;
    return nullptr;
}

}  // namespace

TEST_CASE("the real 0.251 texts give every ini option its section, default and description" *
          doctest::skip(RealDataAbsent("showusage_mame0251.txt"))) {
    const auto options = quillet::ReadTodayOptions(ReadReal("mame_ini_mame0251_default.ini"), ReadReal("showusage_mame0251.txt"));
    CHECK_GT(options.size(), 200u);
    struct Case {
        const char* name;
        const char* section;
        const char* defaultValue;
        const char* description;
    };
    const Case cases[] = {
        {"rompath", "CORE SEARCH PATH OPTIONS", "$HOME/mame/roms;/usr/local/share/games/mame/roms;/usr/share/games/mame/roms",
         "path to ROM sets and hard disk images"},
        {"state", "CORE STATE/PLAYBACK OPTIONS", "", "saved state to load"},
        // Its name fills the usage column and runs into the description.
        {"beam_intensity_weight", "CORE VECTOR OPTIONS", "0", "set vector beam intensity weight"},
        {"audio_latency", "OSD SOUND OPTIONS", "2", nullptr},
    };
    for (const Case& c : cases) {
        INFO(c.name);
        const quillet::TodayOption* option = Named(options, c.name);
        REQUIRE(option != nullptr);
        CHECK_EQ(option->section, c.section);
        CHECK_EQ(option->defaultValue, c.defaultValue);
        if (c.description) CHECK_EQ(option->description, c.description);
        else CHECK_FALSE(option->description.empty());
    }
    // Every option of the built-in table is one the emulator knows.
    for (const auto& info : quillet::TodayOptionTable()) CHECK_MESSAGE(Named(options, info.name), info.name);
}

TEST_CASE("values are checked against their kind and range; decimals take a point") {
    const auto* volume = quillet::FindTodayOption("volume");
    const auto* gamma = quillet::FindTodayOption("gamma");
    const auto* flipx = quillet::FindTodayOption("flipx");
    REQUIRE((volume && gamma && flipx));
    using P = quillet::ValueProblem;
    struct Case {
        const quillet::TodayOptionInfo* info;
        const char* value;
        P problem;
    };
    const Case cases[] = {
        {volume, "-32", P::None}, {volume, "0", P::None},         {volume, "1", P::OutOfRange},
        {volume, "-6.5", P::OutOfRange}, {volume, "", P::OutOfRange}, {gamma, "1.25", P::None},
        {gamma, "3", P::None},    {gamma, "0.05", P::OutOfRange}, {gamma, "1,2", P::OutOfRange},
        {nullptr, "a \"b\"", P::Unwritable}, {nullptr, "anything else", P::None}, {flipx, "line\nbreak", P::Unwritable},
    };
    for (const Case& c : cases) {
        INFO(c.value);
        CHECK_EQ(quillet::CheckTodayValue(c.info, c.value), c.problem);
    }
    CHECK_EQ(quillet::NormalisedValue(gamma, " 1,2 "), "1.2");
    CHECK_EQ(quillet::NormalisedValue(nullptr, "1,2"), "1,2");
    CHECK(quillet::FitsKind(*volume, "-6"));
    CHECK_FALSE(quillet::FitsKind(*volume, "1.5"));  // shown as text, never refused as it stands
    CHECK_FALSE(quillet::FitsKind(*flipx, "yes"));
    CHECK_EQ(quillet::RangeText(*gamma), "0.1 - 3");
}
