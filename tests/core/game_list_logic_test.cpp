#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <vector>

#include "db/game_record.h"
#include "gamelist/row_colour.h"
#include "gamelist/shell_sort.h"

using namespace quillet;

namespace {

std::vector<std::string> Sorted(std::vector<std::string> v, bool descending) {
    std::vector<const char*> p;
    for (auto& s : v) p.push_back(s.c_str());
    if (descending)
        ShellSort(p.data(), p.size(), [](const char* a, const char* b) { return std::strcmp(a, b) > 0; });
    else
        ShellSort(p.data(), p.size(), [](const char* a, const char* b) { return std::strcmp(a, b) < 0; });
    return {p.begin(), p.end()};
}

}  // namespace

TEST_CASE("the list sorts every column as text") {
    CHECK_EQ(Sorted({"256", "1024", "64"}, false), std::vector<std::string>{"1024", "256", "64"});
    CHECK_EQ(Sorted({"1982", " ", "1979"}, false), std::vector<std::string>{" ", "1979", "1982"});
    CHECK_EQ(Sorted({"1982", " ", "1979"}, true), std::vector<std::string>{"1982", "1979", " "});
}

TEST_CASE("Shell sort orders large inputs and keeps equal keys where the passes leave them") {
    struct Item {
        int key;
        int seq;
    };
    std::vector<Item> items;
    unsigned x = 12345;
    for (int i = 0; i < 5000; ++i) {
        x = x * 1103515245u + 12345u;
        items.push_back({static_cast<int>((x >> 16) % 97), i});
    }
    ShellSort(items.data(), items.size(), [](const Item& a, const Item& b) { return a.key < b.key; });
    for (size_t i = 1; i < items.size(); ++i) CHECK_LE(items[i - 1].key, items[i].key);

    // With increment 1 only (n < 10), equal keys never pass each other.
    std::vector<Item> small = {{2, 0}, {1, 1}, {2, 2}, {1, 3}, {2, 4}};
    ShellSort(small.data(), small.size(), [](const Item& a, const Item& b) { return a.key < b.key; });
    const int seq[] = {1, 3, 0, 2, 4};
    for (int i = 0; i < 5; ++i) CHECK_EQ(small[i].seq, seq[i]);
}

TEST_CASE("Shell sort on zero and one item does nothing") {
    int none[1] = {7};
    ShellSort(none, 0, [](int a, int b) { return a < b; });
    ShellSort(none, 1, [](int a, int b) { return a < b; });
    CHECK_EQ(none[0], 7);
}

TEST_CASE("coded columns show their texts") {
    RecordTextTable texts;
    const char* names[kRecordTextCount] = {"Yes", "No", "Good", "Best available", "Bad", "Other", "Imperfect",
                                           "Preliminary", "Test", "Raster", "Vector", "Horizontal", "Vertical"};
    for (int i = 0; i < kRecordTextCount; ++i) std::strcpy(texts[i], names[i]);

    struct Row {
        size_t offset;
        const char* column;
        const char* byCode[5];  // codes 0, 1, 2, 3, 200
    };
    const Row rows[] = {
        {offsetof(GameRecord, Original), "Original", {"Yes", "No", "No", "No", "No"}},
        {offsetof(GameRecord, Status), "Status", {"Good", "Best available", "Bad", "Other", "Other"}},
        {offsetof(GameRecord, DriverStatus), "DriverStatus", {"Good", "Imperfect", "Preliminary", "Test", "Test"}},
        {offsetof(GameRecord, ColorStatus), "ColorStatus", {"Good", "Imperfect", "Preliminary", "Preliminary", "Preliminary"}},
        {offsetof(GameRecord, SoundStatus), "SoundStatus", {"Good", "Imperfect", "Preliminary", "Preliminary", "Preliminary"}},
        {offsetof(GameRecord, Video), "Video", {"Raster", "Vector", "Vector", "Vector", "Vector"}},
        {offsetof(GameRecord, Orientation), "Orientation", {"Horizontal", "Vertical", "Vertical", "Vertical", "Vertical"}},
    };
    const uint8_t codes[5] = {0, 1, 2, 3, 200};
    for (const Row& row : rows)
        for (int c = 0; c < 5; ++c) {
            CAPTURE(row.column);
            CAPTURE(c);
            GameRecord r{};
            reinterpret_cast<char*>(&r)[row.offset] = static_cast<char>(codes[c]);
            ApplyRecordTexts(r, texts);
            CHECK_EQ(std::string(reinterpret_cast<char*>(&r) + row.offset), row.byCode[c]);
        }
}

TEST_CASE("the Original field holds at most seven characters") {
    RecordTextTable texts{};
    std::strcpy(texts[kTextOriginalNo], "Originale");
    GameRecord r{};
    std::memset(r.Cloneof, 'x', sizeof r.Cloneof);  // the field after Original stays untouched
    ApplyRecordTexts(r, texts);
    CHECK_EQ(std::string(r.Original), "Origina");
    CHECK_EQ(r.Cloneof[0], 'x');
}

TEST_CASE("a year beginning with 0 shows as one space") {
    const char* rows[][2] = {{"0", " "}, {"1980", "1980"}, {"0198", " "}, {"", ""}};
    for (auto& row : rows) {
        GameRecord r{};
        std::strcpy(r.Year, row[0]);
        ApplyYearRule(r);
        CHECK_EQ(std::string(r.Year), row[1]);
    }
}

TEST_CASE("the sixteen columns map to their record fields") {
    GameRecord r{};
    std::strcpy(r.RomName, "pacman");
    std::strcpy(r.Description, "Pac-Man");
    std::strcpy(r.Resolution, "1024x768");
    std::strcpy(r.Category, "Maze");
    CHECK_EQ(std::string(ColumnText(r, 0)), "pacman");
    CHECK_EQ(std::string(ColumnText(r, 1)), "Pac-Man");
    CHECK_EQ(std::string(ColumnText(r, 13)), "1024x768");
    CHECK_EQ(std::string(ColumnText(r, 15)), "Maze");
    CHECK_EQ(kGameColumns[6].offset, offsetof(GameRecord, Status));
    CHECK_EQ(kGameColumns[10].offset, offsetof(GameRecord, Palette));
}

TEST_CASE("row colours follow the status text") {
    const StatusColours c{1, 2, 3, 4};
    CHECK_EQ(RowColourFor("Good", "Good", "Best available", "Bad", c), 1u);
    CHECK_EQ(RowColourFor("Best available", "Good", "Best available", "Bad", c), 2u);
    CHECK_EQ(RowColourFor("Bad", "Good", "Best available", "Bad", c), 3u);
    CHECK_EQ(RowColourFor("Other", "Good", "Best available", "Bad", c), 4u);
    CHECK_EQ(RowColourFor("good", "Good", "Best available", "Bad", c), 4u);  // case matters
}
