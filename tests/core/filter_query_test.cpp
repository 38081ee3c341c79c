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

TEST_CASE("a ticked box admits its code at its byte, the status bytes crossed; a cleared one gives 10") {
    const struct {
        uint8_t rom[5], driver[8], video[4];        // page state
        std::vector<int> romDb, driverDb, videoDb;  // the block built from it
    } cases[] = {
        {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0},
         {10, 10, 10, 10, 10}, {10, 10, 10, 10, 10, 10, 10, 10}, {10, 10, 10, 10}},
        {{1, 0, 1, 0, 1}, {1, 0, 0, 0, 1, 0, 1, 0}, {0, 1, 1, 0},
         {0, 2, 10, 10, 1}, {0, 10, 10, 10, 2, 10, 1, 10}, {10, 1, 0, 10}},
        {{0, 1, 0, 1, 0}, {0, 1, 1, 1, 0, 1, 0, 1}, {1, 0, 0, 1},
         {10, 10, 1, 3, 10}, {10, 2, 0, 1, 10, 0, 10, 2}, {0, 10, 10, 1}},
    };
    for (const auto& k : cases) {
        FilterSettings f = Defaults();
        std::memcpy(f.FilRomStat, k.rom, sizeof k.rom);
        std::memcpy(f.FilDriverStat, k.driver, sizeof k.driver);
        std::memcpy(f.FilVideoStat, k.video, sizeof k.video);
        BuildFilterQueryBlock(f);
        CHECK_EQ(Bytes(f.Query.FilRomDb, 5), k.romDb);
        CHECK_EQ(Bytes(f.Query.FilDriverDb, 8), k.driverDb);
        CHECK_EQ(Bytes(f.Query.FilVideoDb, 4), k.videoDb);
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
        {Resolution, IDC_FILTER_RESO_ALL, {" ", "9x99999"}},
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
