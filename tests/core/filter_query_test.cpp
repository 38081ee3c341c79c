#include <doctest/doctest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "filters/filter_query.h"
#include "resources/resource_ids.h"

using namespace quillet;

namespace {

FilterSettings Defaults() {
    static FrontendSettings s;
    SetDefaultSettings(s);
    return s.Filter;
}

std::vector<int> Bytes(const uint8_t* p, size_t n) { return std::vector<int>(p, p + n); }

// The packed year pair, copied out before comparing.
std::vector<int> Years(const FilterQueryBlock& q) {
    int16_t y[2];
    std::memcpy(y, q.FilYearFirst, sizeof y);
    return {y[0], y[1]};
}

}  // namespace

TEST_CASE("the default block is the one the default page state builds") {
    FilterSettings f = Defaults();
    const FilterQueryBlock expected = f.Query;
    BuildFilterQueryBlock(f);
    CHECK_EQ(std::memcmp(&f.Query, &expected, sizeof expected), 0);
    CHECK_EQ(std::string(f.Query.FilFreqLast), "999");
}

TEST_CASE("each ticked box admits its own code at its own byte; a cleared one gives 10") {
    auto rom = [](FilterSettings& f) { return f.FilRomStat; };
    auto driver = [](FilterSettings& f) { return f.FilDriverStat; };
    auto video = [](FilterSettings& f) { return f.FilVideoStat; };
    using BlockBytes = const uint8_t* (*)(const FilterQueryBlock&);
    const BlockBytes romDb = [](const FilterQueryBlock& q) -> const uint8_t* { return q.FilRomDb; };
    const BlockBytes driverDb = [](const FilterQueryBlock& q) -> const uint8_t* { return q.FilDriverDb; };
    const BlockBytes videoDb = [](const FilterQueryBlock& q) -> const uint8_t* { return q.FilVideoDb; };
    // Box index -> block byte and code; the ROM status bytes are crossed.
    const struct {
        const char* what;
        uint8_t* (*box)(FilterSettings&);
        size_t index;
        const uint8_t* (*block)(const FilterQueryBlock&);
        size_t byte;
        int code;
    } cases[] = {
        {"status good", rom, 0, romDb, 0, 0},         {"status best", rom, 1, romDb, 2, 1},
        {"status bad", rom, 2, romDb, 1, 2},          {"status other", rom, 3, romDb, 3, 3},
        {"clones", rom, 4, romDb, 4, 1},              {"driver good", driver, 0, driverDb, 0, 0},
        {"driver prelim.", driver, 1, driverDb, 1, 2}, {"colour good", driver, 2, driverDb, 2, 0},
        {"colour imperf.", driver, 3, driverDb, 3, 1}, {"colour prelim.", driver, 4, driverDb, 4, 2},
        {"sound good", driver, 5, driverDb, 5, 0},    {"sound imperf.", driver, 6, driverDb, 6, 1},
        {"sound prelim.", driver, 7, driverDb, 7, 2}, {"raster", video, 0, videoDb, 0, 0},
        {"vector", video, 1, videoDb, 1, 1},          {"horizontal", video, 2, videoDb, 2, 0},
        {"vertical", video, 3, videoDb, 3, 1},
    };
    FilterSettings cleared = Defaults();
    std::memset(cleared.FilRomStat, 0, 5);
    std::memset(cleared.FilDriverStat, 0, 8);
    std::memset(cleared.FilVideoStat, 0, 4);
    BuildFilterQueryBlock(cleared);
    CHECK_EQ(Bytes(cleared.Query.FilRomDb, 5), std::vector<int>{10, 10, 10, 10, 10});
    CHECK_EQ(Bytes(cleared.Query.FilDriverDb, 8), std::vector<int>(8, 10));
    CHECK_EQ(Bytes(cleared.Query.FilVideoDb, 4), std::vector<int>(4, 10));

    for (const auto& k : cases) {
        CAPTURE(k.what);
        FilterSettings f = cleared;
        k.box(f)[k.index] = 1;
        BuildFilterQueryBlock(f);
        for (BlockBytes b : {romDb, driverDb, videoDb}) {
            const size_t size = b == romDb ? 5 : b == driverDb ? 8 : 4;
            std::vector<int> expected(size, 10);
            if (b == k.block) expected[k.byte] = k.code;
            CHECK_EQ(Bytes(b(f.Query), size), expected);
        }
    }
}

TEST_CASE("year modes: all gives 0 to 2200 whatever the edits hold, one year twice, a range, cut to 16 bits") {
    const struct {
        uint32_t mode, only, start, end;
        std::vector<int> years;
    } cases[] = {
        {IDC_FILTER_YEAR_ALL, 1985, 1990, 1995, {0, 2200}},
        {IDC_FILTER_YEAR_ALL, 0, 70000, 12, {0, 2200}},
        {IDC_FILTER_YEAR_ONE, 1985, 1990, 1995, {1985, 1985}},
        {IDC_FILTER_YEAR_ONE, 12, 0, 0, {12, 12}},  // a typed year outside the arrows' range stands
        {IDC_FILTER_YEAR_RANGE, 1985, 1990, 1995, {1990, 1995}},
        {IDC_FILTER_YEAR_RANGE, 0, 1995, 1990, {1995, 1990}},  // reversed: lists nothing, as typed
        {IDC_FILTER_YEAR_RANGE, 0, 65536 + 1990, 70000, {1990, 70000 - 65536}},
        {11304, 1985, 1990, 1995, {7, 8}},  // no radio of the page: the pair stays
    };
    for (const auto& k : cases) {
        CAPTURE(k.mode);
        CAPTURE(k.start);
        FilterSettings f = Defaults();
        f.FilYearRadio = k.mode;
        f.FilYearOnly = k.only;
        f.FilYearStart = k.start;
        f.FilYearEnd = k.end;
        const int16_t before[2] = {7, 8};
        std::memcpy(f.Query.FilYearFirst, before, sizeof before);
        BuildFilterQueryBlock(f);
        CHECK_EQ(Years(f.Query), k.years);
    }
}

TEST_CASE("palette, resolution and frequency modes give their fixed, single or ranged bounds") {
    struct Bounds {
        std::string first, last;
        bool operator==(const Bounds&) const = default;
    };
    enum Page { Palette, Resolution, Frequency };
    const struct {
        Page page;
        uint32_t mode;
        Bounds bounds;
    } cases[] = {
        {Palette, IDC_FILTER_PALETTE_ALL, {"0", "99999"}},
        {Palette, IDC_FILTER_PALETTE_ONE, {"256", "256"}},
        {Palette, IDC_FILTER_PALETTE_RANGE, {"16", "65536"}},
        {Palette, IDC_FILTER_RESO_ALL, {"x", "y"}},
        {Resolution, IDC_FILTER_RESO_ALL, {" ", "9999999"}},
        {Resolution, IDC_FILTER_RESO_ONE, {"1280x1024", "1280x1024"}},
        {Resolution, IDC_FILTER_RESO_RANGE, {"256x224", "1024x768"}},
        {Resolution, 0, {"x", "y"}},
        {Frequency, IDC_FILTER_FREQ_ALL, {"0", "999"}},
        {Frequency, IDC_FILTER_FREQ_ONE, {"120", "120"}},
        {Frequency, IDC_FILTER_FREQ_RANGE, {"50", "144"}},
        {Frequency, IDC_FILTER_PALETTE_ALL, {"x", "y"}},
    };
    for (const auto& k : cases) {
        CAPTURE(k.page);
        CAPTURE(k.mode);
        FilterSettings f = Defaults();
        FilterQueryBlock& q = f.Query;
        std::strcpy(f.FilPaletteOnly, "256");
        std::strcpy(f.FilPaletteStart, "16");
        std::strcpy(f.FilPaletteEnd, "65536");
        std::strcpy(f.FilResoOnly, "1280x1024");
        std::strcpy(f.FilResoStart, "256x224");
        std::strcpy(f.FilResoEnd, "1024x768");
        std::strcpy(f.FilFreqOnly, "120");
        std::strcpy(f.FilFreqStart, "50");
        std::strcpy(f.FilFreqEnd, "144");
        char* first[] = {q.FilPaletteFirst, q.FilResoFirst, q.FilFreqFirst};
        char* last[] = {q.FilPaletteLast, q.FilResoLast, q.FilFreqLast};
        std::strcpy(first[k.page], "x");
        std::strcpy(last[k.page], "y");
        uint32_t* modes[] = {&f.FilPaletteRadio, &f.FilResoRadio, &f.FilFreqRadio};
        *modes[k.page] = k.mode;
        BuildFilterQueryBlock(f);
        CHECK_EQ(Bounds{first[k.page], last[k.page]}, k.bounds);
    }
}

TEST_CASE("the enable rule follows the low 16 bits of the mode") {
    const struct {
        uint32_t mode;
        RangeEnables e;
    } cases[] = {
        {IDC_FILTER_PALETTE_ALL, {true, false, false}},
        {IDC_FILTER_PALETTE_ONE, {true, true, false}},
        {IDC_FILTER_PALETTE_RANGE, {true, false, true}},
        {0x10000u | IDC_FILTER_PALETTE_RANGE, {true, false, true}},
        {IDC_FILTER_PALETTE_ALL - 1, {false, false, false}},
        {IDC_FILTER_PALETTE_RANGE + 1, {false, false, false}},
    };
    for (const auto& k : cases) {
        CAPTURE(k.mode);
        const RangeEnables e = RangeModeEnables(k.mode, IDC_FILTER_PALETTE_ALL);
        CHECK_EQ(std::vector<bool>{e.changes, e.one, e.range}, std::vector<bool>{k.e.changes, k.e.one, k.e.range});
    }
}

TEST_CASE("palette sizes and refresh rates are shown by value, other texts after them") {
    std::vector<std::string> values = {"65536", " ", "2", "16", "100", "60", "9", "060", "abc", "255"};
    std::sort(values.begin(), values.end(), [](const std::string& a, const std::string& b) {
        return FilterValueLess(a, b);
    });
    CHECK_EQ(values, std::vector<std::string>{"2", "9", "16", "060", "60", "100", "255", "65536", " ", "abc"});
}
