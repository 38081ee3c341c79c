#include <doctest/doctest.h>

#include <cstring>
#include <vector>
#include <set>
#include <string>

#include "settings/frontend_settings.h"

using namespace quillet;

namespace {

const SettingsValue* Find(const char* name) {
    for (size_t i = 0; i < kSettingsValueCount; ++i)
        if (std::strcmp(kSettingsValues[i].name, name) == 0) return &kSettingsValues[i];
    return nullptr;
}

}  // namespace

TEST_CASE("every registry value has its type, capacity and root") {
    struct Row {
        const char* name;
        RegRoot root;
        RegType type;
        size_t capacity;
    };
    const RegRoot M = RegRoot::Machine, U = RegRoot::User;
    const RegType S = RegType::String, B = RegType::Binary, D = RegType::Dword;
    const Row rows[] = {
        {"MameName", M, S, 260},       {"MameDir", M, S, 260},         {"MameCfg", M, S, 260},
        {"Version", M, D, 4},          {"Lang", U, S, 28},             {"EnableIcons", U, B, 1},
        {"FilNamePattern", U, S, 28},  {"FilRomStat", U, B, 5},        {"FilRomDb", U, B, 5},
        {"FilDriverStat", U, B, 8},    {"FilDriverDb", U, B, 8},       {"FilYearRadio", U, D, 4},
        {"FilYearStart", U, D, 4},     {"FilYearEnd", U, D, 4},        {"FilYearOnly", U, D, 4},
        {"FilYearFirst", U, D, 4},     {"FilManPattern", U, S, 104},   {"FilManRadio", U, D, 4},
        {"FilVideoStat", U, B, 4},     {"FilVideoDb", U, B, 4},        {"FilPaletteRadio", U, D, 4},
        {"FilPaletteStart", U, S, 8},  {"FilPaletteEnd", U, S, 8},     {"FilPaletteOnly", U, S, 8},
        {"FilPaletteFirst", U, S, 8},  {"FilPaletteLast", U, S, 8},    {"FilResoRadio", U, D, 4},
        {"FilResoStart", U, S, 10},    {"FilResoEnd", U, S, 10},       {"FilResoOnly", U, S, 10},
        {"FilResoFirst", U, S, 12},    {"FilResoLast", U, S, 12},      {"FilFreqRadio", U, D, 4},
        {"FilFreqStart", U, S, 4},     {"FilFreqEnd", U, S, 4},        {"FilFreqOnly", U, S, 4},
        {"FilFreqFirst", U, S, 4},     {"FilFreqLast", U, S, 4},       {"ListViewMode", U, D, 4},
        {"ListViewFocus", U, D, 4},    {"ListViewNumber", U, D, 4},    {"ListViewOrder", U, B, 80},
        {"ListViewSize", U, B, 80},    {"ListViewSortCol", U, D, 4},   {"ListViewSortWhat", U, D, 4},
        {"ColorGood", U, D, 4},        {"ColorBest", U, D, 4},         {"ColorBad", U, D, 4},
        {"ColorNot", U, D, 4},         {"RomServer", U, S, 260},
        {"EmulatorGeneration", U, D, 4},   {"ListViewDpi", U, D, 4},
        {"ViewHideClones", U, D, 4},   {"ViewHideMechanical", U, D, 4}, {"ViewHideNonWorking", U, D, 4},
        {"ViewFavouritesOnly", U, D, 4},
        {"PicturePane", U, D, 4},      {"PicturePaneWidth", U, D, 4},  {"PictureKind", U, D, 4},
    };
    REQUIRE_EQ(kSettingsValueCount, sizeof rows / sizeof rows[0]);
    for (size_t i = 0; i < kSettingsValueCount; ++i) {
        CAPTURE(rows[i].name);
        // Loaded and saved in this order: machine values, then the user table.
        CHECK_EQ(std::string(kSettingsValues[i].name), rows[i].name);
        CHECK(kSettingsValues[i].root == rows[i].root);
        CHECK(kSettingsValues[i].type == rows[i].type);
        CHECK_EQ(kSettingsValues[i].capacity, rows[i].capacity);
        CHECK_LE(kSettingsValues[i].offset + kSettingsValues[i].capacity, sizeof(FrontendSettings));
    }
}

TEST_CASE("no two registry values share bytes of the record") {
    std::set<size_t> used;
    for (size_t i = 0; i < kSettingsValueCount; ++i)
        for (size_t b = 0; b < kSettingsValues[i].capacity; ++b) {
            CAPTURE(kSettingsValues[i].name);
            CHECK(used.insert(kSettingsValues[i].offset + b).second);
        }
}

TEST_CASE("defaults") {
    FrontendSettings s;
    std::memset(&s, 0x5A, sizeof s);
    SetDefaultSettings(s);

    SUBCASE("machine values are empty and the wizard is due") {
        CHECK_EQ(std::string(s.MameName), "");
        CHECK_EQ(std::string(s.MameDir), "");
        CHECK_EQ(std::string(s.MameCfg), "");
        CHECK_EQ(s.Version, 0u);
        CHECK_EQ(std::string(s.Lang), "");
        CHECK_EQ(s.EnableIcons, 0);
    }
    SUBCASE("filter page states show everything") {
        const FilterSettings& f = s.Filter;
        for (uint8_t b : f.FilRomStat) CHECK_EQ(b, 1);
        for (uint8_t b : f.FilDriverStat) CHECK_EQ(b, 1);
        for (uint8_t b : f.FilVideoStat) CHECK_EQ(b, 1);
        CHECK_EQ(f.FilYearRadio, 11301u);
        CHECK_EQ(f.FilYearStart, 1960u);
        CHECK_EQ(f.FilYearEnd, 2100u);
        CHECK_EQ(f.FilYearOnly, 2000u);
        CHECK_EQ(f.FilManRadio, 11402u);
        CHECK_EQ(f.FilPaletteRadio, 11604u);
        CHECK_EQ(std::string(f.FilPaletteStart), "0");
        CHECK_EQ(std::string(f.FilPaletteEnd), "99999");
        CHECK_EQ(std::string(f.FilPaletteOnly), "0");
        CHECK_EQ(f.FilResoRadio, 11704u);
        CHECK_EQ(std::string(f.FilResoStart), " ");
        CHECK_EQ(std::string(f.FilResoEnd), "9999999");
        CHECK_EQ(std::string(f.FilResoOnly), "0");
        CHECK_EQ(f.FilFreqRadio, 11801u);
        CHECK_EQ(std::string(f.FilFreqStart), "0");
        CHECK_EQ(std::string(f.FilFreqEnd), "100");
        CHECK_EQ(std::string(f.FilFreqOnly), "0");
    }
    SUBCASE("the query block is the one those page states produce") {
        const FilterQueryBlock& q = s.Filter.Query;
        const uint8_t rom[5] = {0, 2, 1, 3, 1};
        CHECK_EQ(std::memcmp(q.FilRomDb, rom, 5), 0);
        CHECK_EQ(std::string(q.FilNamePattern), "%");
        CHECK_EQ(std::string(q.FilManPattern), "%");
        int16_t years[2];  // packed fields: copy before binding references
        std::memcpy(years, q.FilYearFirst, sizeof years);
        CHECK_EQ(years[0], 0);
        CHECK_EQ(years[1], 2200);
        CHECK_EQ(std::string(q.FilPaletteFirst), "0");
        CHECK_EQ(std::string(q.FilPaletteLast), "99999");
        CHECK_EQ(std::string(q.FilResoFirst), " ");
        CHECK_EQ(std::string(q.FilResoLast), "9x99999");
        CHECK_EQ(std::string(q.FilFreqFirst), "0");
        CHECK_EQ(std::string(q.FilFreqLast), "999");
        const uint8_t video[4] = {0, 1, 0, 1};
        CHECK_EQ(std::memcmp(q.FilVideoDb, video, 4), 0);
        const uint8_t driver[8] = {0, 2, 0, 1, 2, 0, 1, 2};
        CHECK_EQ(std::memcmp(q.FilDriverDb, driver, 8), 0);
    }
    SUBCASE("list layout and colours") {
        const ListLayoutState& l = s.ListLayout;
        CHECK_EQ(l.ListViewFocus, 0);
        CHECK_EQ(l.ListViewSortCol, 0u);
        CHECK_EQ(l.ListViewSortWhat, 5u);
        CHECK_EQ(l.ListViewNumber, 20u);
        CHECK_EQ(l.ListViewMode, 0u);
        CHECK_EQ(l.OrderArray, l.ListViewOrder);
        CHECK_EQ(l.SizeArray, l.ListViewSize);
        const int32_t widths[16] = {90, 300, 70, 280, 80, 75, 75, 100, 100, 100, 100, 70, 95, 95, 90, 130};
        for (int i = 0; i < 16; ++i) CHECK_EQ(l.ListViewSize[i], widths[i]);
        // The star stands first, then the catalogue's columns, then the play statistics.
        CHECK_EQ(l.ListViewOrder[0], 16);
        for (int i = 1; i < 17; ++i) CHECK_EQ(l.ListViewOrder[i], i - 1);
        for (int i = 17; i < 20; ++i) CHECK_EQ(l.ListViewOrder[i], i);
        CHECK_EQ(s.ColorGood, 0x00C6FEC6u);
        CHECK_EQ(s.ColorBest, 0x0096EFFAu);
        CHECK_EQ(s.ColorBad, 0x00FBC5D4u);
        CHECK_EQ(s.ColorNot, 0x00CCC5FFu);
        CHECK_EQ(std::string(s.RomServer), "");  // the built-in server
    }
}

TEST_CASE("the year bounds are one 32-bit value: first year low, last year high") {
    FrontendSettings s;
    SetDefaultSettings(s);
    const uint32_t stored = 0x08980000;
    std::memcpy(reinterpret_cast<char*>(&s) + Find("FilYearFirst")->offset, &stored, 4);
    int16_t years[2];
    std::memcpy(years, s.Filter.Query.FilYearFirst, sizeof years);
    CHECK_EQ(years[0], 0);
    CHECK_EQ(years[1], 2200);
}

TEST_CASE("DeriveEmulatorPaths") {
    struct Row {
        const char* name;
        const char* dir;
        const char* cfg;
    };
    const Row rows[] = {
        {"C:\\Emu\\mame.exe", "C:\\Emu\\", "C:\\Emu\\mame.ini"},
        {"C:\\Emu\\mame", "C:\\Emu\\", "C:\\Emu\\mame.ini"},
        {"mame.exe", "", "mame.ini"},
        {"C:\\my.emu\\mame", "C:\\my.emu\\", "C:\\my.emu\\mame.ini"},
        {"C:\\Emu\\mame.32.exe", "C:\\Emu\\", "C:\\Emu\\mame.32.ini"},
        {"C:\\Emu\\mame.x 2", "C:\\Emu\\", "C:\\Emu\\mame.x 2.ini"},
        {"D:\\Program Files\\MAME\\mame.exe", "D:\\Program Files\\MAME\\", "D:\\Program Files\\MAME\\mame.ini"},
        {"", "", ".ini"},
    };
    for (const Row& r : rows) {
        CAPTURE(r.name);
        FrontendSettings s;
        SetDefaultSettings(s);
        std::strcpy(s.MameName, r.name);
        DeriveEmulatorPaths(s);
        CHECK_EQ(std::string(s.MameDir), r.dir);
        CHECK_EQ(std::string(s.MameCfg), r.cfg);
    }
}

TEST_CASE("DeriveEmulatorPaths never writes past the 260-byte fields") {
    FrontendSettings s;
    SetDefaultSettings(s);
    std::memset(s.MameName, 'a', 259);
    s.MameName[259] = '\0';
    s.MameName[3] = '\\';
    DeriveEmulatorPaths(s);
    CHECK_EQ(std::strlen(s.MameDir), 4u);
    // 259 characters plus ".ini" does not fit: the ini path stays empty
    // rather than naming a different file.
    CHECK_EQ(std::string(s.MameCfg), "");
    CHECK_EQ(s.Version, 0u);
}

TEST_CASE("a new emulator path forgets the generation; the same path keeps it") {
    struct Case {
        const char* before;
        const char* after;
        uint32_t generation;
    };
    const Case cases[] = {
        {"C:\\MAME\\mame.exe", "C:\\MAME\\mame.exe", 1},
        {"C:\\MAME\\mame.exe", "C:\\MAME0251\\mame.exe", 0},
        {"", "C:\\MAME\\mame.exe", 0},
    };
    for (const Case& c : cases) {
        CAPTURE(c.after);
        FrontendSettings s;
        SetDefaultSettings(s);
        std::strcpy(s.MameName, c.before);
        s.EmulatorGeneration = 1;
        SetEmulatorPath(s, c.after);
        CHECK_EQ(std::string(s.MameName), c.after);
        CHECK_EQ(s.EmulatorGeneration, c.generation);
        CHECK_EQ(std::string(s.MameCfg), std::string(c.after).substr(0, std::strlen(c.after) - 4) + ".ini");
    }
}

TEST_CASE("column widths stored at one DPI come back at another, rounded; the new DPI is noted") {
    struct Case {
        const char* what;
        uint32_t stored, dpi;
        int32_t width, expected;
        uint32_t noted;
    };
    const Case cases[] = {
        {"96 to 144", 96, 144, 90, 135, 144},
        {"96 to 192", 96, 192, 75, 150, 192},
        {"144 to 96, rounded", 144, 96, 101, 67, 96},
        {"same DPI: unchanged", 120, 120, 333, 333, 120},
        {"missing (0) counts as 96", 0, 144, 100, 150, 144},
        {"an impossible stored DPI counts as 96", 5000, 192, 100, 200, 192},
        {"an impossible screen DPI changes nothing", 144, 0, 100, 100, 144},
        {"a negative width keeps its sign", 96, 144, -10, -15, 144},
        {"the largest width does not overflow", 96, 192, 0x3FFFFFFF, 0x7FFFFFFE, 192},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        FrontendSettings s;
        SetDefaultSettings(s);
        s.ListViewDpi = c.stored;
        s.ListLayout.ListViewSize[3] = c.width;
        ScaleListWidths(s, c.dpi);
        CHECK_EQ(s.ListLayout.ListViewSize[3], c.expected);
        CHECK_EQ(s.ListViewDpi, c.noted);
    }
}

TEST_CASE("a layout stored with fewer columns keeps its order and widths; the newer columns follow") {
    struct Case {
        const char* what;
        uint32_t count;
        std::vector<int32_t> order;  // the stored order's first `count` entries
        std::vector<int32_t> expectedOrder;
    };
    std::vector<int32_t> reversed16, reversedThenNew;
    for (int i = 15; i >= 0; --i) reversed16.push_back(i);
    reversedThenNew = reversed16;
    for (int i = 16; i < 20; ++i) reversedThenNew.push_back(i);
    std::vector<int32_t> defaults(kDefaultColumnOrder, kDefaultColumnOrder + kListColumns);
    std::vector<int32_t> broken16 = reversed16;
    broken16[3] = broken16[4];  // a column twice: no order at all
    const Case cases[] = {
        {"today's sixteen, reordered", 16, reversed16, reversedThenNew},
        {"sixteen with a column twice", 16, broken16, defaults},
        {"no columns", 0, {}, defaults},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        FrontendSettings s;
        SetDefaultSettings(s);
        ListLayoutState& l = s.ListLayout;
        // As LoadSettings leaves it after reading 64-byte values: the stored
        // part over the defaults.
        l.ListViewNumber = c.count;
        for (size_t i = 0; i < c.order.size(); ++i) {
            l.ListViewOrder[i] = c.order[i];
            l.ListViewSize[i] = 40 + static_cast<int32_t>(i);
        }
        ExtendListLayout(l);
        CHECK_EQ(l.ListViewNumber, 20u);
        CHECK_EQ(std::vector<int32_t>(l.ListViewOrder, l.ListViewOrder + 20), c.expectedOrder);
        for (size_t i = 0; i < c.order.size(); ++i) CHECK_EQ(l.ListViewSize[i], 40 + static_cast<int32_t>(i));
        for (int i = 16; i < 20; ++i) CHECK_EQ(l.ListViewSize[i], kDefaultColumnWidths[i]);
    }
    SUBCASE("a count above the columns is taken as all of them") {
        FrontendSettings s;
        SetDefaultSettings(s);
        s.ListLayout.ListViewNumber = 1000;
        ExtendListLayout(s.ListLayout);
        CHECK_EQ(s.ListLayout.ListViewNumber, 20u);
        CHECK_EQ(s.ListLayout.ListViewOrder[0], 16);
    }
}
