// The distinct-value lookups on a real SQLite catalogue: what each adds to
// which combo boxes, values at and beyond their buffers, and the failures.
#include "win/support.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/globals.h"
#include "filters/distinct_values.h"
#include "resources/resource_ids.h"
#include "win/catalogue_fixture.h"

using namespace quillet;
using namespace quillet::test;

namespace {

INT_PTR CALLBACK PassivePage(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The four pages of the language module, created without their procedures
// inside a hidden parent, so the lookups fill empty combo boxes.
class Pages {
public:
    Pages() {
        REQUIRE(UseLanguage("english"));
        parent_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        for (WORD id : {IDD_FILTER_MAKER, IDD_FILTER_PALETTE, IDD_FILTER_RESOLUTION, IDD_FILTER_FREQUENCY}) {
            HWND page = CreateDialogParamA(LanguageModule, MAKEINTRESOURCEA(id), parent_, PassivePage, 0);
            REQUIRE(page != nullptr);
            pages_.push_back(page);
        }
    }
    ~Pages() { DestroyWindow(parent_); }
    Pages(const Pages&) = delete;
    Pages& operator=(const Pages&) = delete;

    void FillAll() {
        FillManufacturerList(pages_[0]);
        FillPaletteLists(pages_[1]);
        FillResolutionLists(pages_[2]);
        FillFrequencyLists(pages_[3]);
    }
    // The entries of one combo box, in its order.
    std::vector<std::string> Entries(int page, int combo) const {
        std::vector<std::string> out;
        const HWND box = GetDlgItem(pages_[page], combo);
        for (LRESULT i = 0, n = SendMessageA(box, CB_GETCOUNT, 0, 0); i < n; ++i) {
            char text[256] = "";
            SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            out.push_back(text);
        }
        return out;
    }

private:
    HWND parent_;
    std::vector<HWND> pages_;
};

struct Lookup {
    const char* what;
    int page;
    std::vector<int> combos;
};
const Lookup kLookups[] = {
    {"manufacturer", 0, {IDC_FILTER_MAKER_LIST}},
    {"palette", 1, {IDC_FILTER_PALETTE_ONLY, IDC_FILTER_PALETTE_FROM, IDC_FILTER_PALETTE_TO}},
    {"resolution", 2, {IDC_FILTER_RESO_ONLY, IDC_FILTER_RESO_FROM, IDC_FILTER_RESO_TO}},
    {"frequency", 3, {IDC_FILTER_FREQ_ONLY, IDC_FILTER_FREQ_FROM, IDC_FILTER_FREQ_TO}},
};

}  // namespace

TEST_CASE("an empty table gives empty combo boxes and no message") {
    REQUIRE(UseLanguage("english"));
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    REQUIRE_MESSAGE(db.connected(), (boxes.boxes().empty() ? "" : boxes.boxes()[0].text));
    Pages pages;
    pages.FillAll();
    for (const Lookup& l : kLookups)
        for (int combo : l.combos) {
            INFO(l.what << " " << combo);
            CHECK(pages.Entries(l.page, combo).empty());
        }
    CHECK(boxes.boxes().empty());
}

// A manufacturer is cut at the column's width; a palette or resolution longer
// than its page field (7 and 9 characters) is not listed at all, since
// choosing it would store it cut.
TEST_CASE("each value is listed once: makers cut beyond the column's width, range values only when they fit") {
    REQUIRE(UseLanguage("english"));
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    REQUIRE_MESSAGE(db.connected(), (boxes.boxes().empty() ? "" : boxes.boxes()[0].text));
    const std::string maker99(99, 'm'), maker100(100, 'M'), maker150(150, 'L');
    const struct {
        const char* name;
        std::string maker;
        const char* palette;
        const char* resolution;
        int frequency;
    } rows[] = {
        {"a", "Namco", "65536", "1280x1024", 100},
        {"b", "Namco", "262144", "1024x768", 144},
        {"c", maker99, "16", "1024x768", 255},
        {"d", maker100, "16", "12345678901234", 60},
        {"e", maker150, "2147483647", " ", 60},
    };
    for (const auto& r : rows)
        REQUIRE(db.Execute(std::string("INSERT INTO main (RomName, Manufacturer, Palette, Resolution, Frequency) "
                                       "VALUES ('") + r.name + "', '" + r.maker + "', " + r.palette + ", '" +
                           r.resolution + "', " + std::to_string(r.frequency) + ")"));
    Pages pages;
    pages.FillAll();
    const std::vector<std::vector<std::string>> expected = {
        {"Namco", maker99, maker100, std::string(100, 'L')},
        {"65536", "262144", "16"},
        {"1280x1024", "1024x768", " "},
        {"100", "144", "255", "60"},
    };
    for (const Lookup& l : kLookups)
        for (int combo : l.combos) {
            INFO(l.what << " " << combo);
            std::vector<std::string> entries = pages.Entries(l.page, combo);
            std::vector<std::string> want = expected[l.page];
            // The boxes' own order is not the lookups' business.
            std::sort(entries.begin(), entries.end());
            std::sort(want.begin(), want.end());
            CHECK_EQ(entries, want);
        }
    CHECK(boxes.boxes().empty());
}

TEST_CASE("a failed execution shows 0xC0000004 and a missing connection 0xC0000003, once per lookup") {
    REQUIRE(UseLanguage("english"));
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    REQUIRE_MESSAGE(db.connected(), (boxes.boxes().empty() ? "" : boxes.boxes()[0].text));
    Pages pages;
    REQUIRE(db.Execute("DROP TABLE main"));
    pages.FillAll();
    const std::string execute = ModuleMessage(MSG_ODBC_EXECUTE), statement = ModuleMessage(MSG_ODBC_STATEMENT);
    REQUIRE_FALSE(execute.empty());
    REQUIRE_EQ(boxes.boxes().size(), 4u);
    for (const ShownBox& box : boxes.boxes()) CHECK_EQ(box.text, execute);

    boxes.clear();
    DisconnectDatabase();
    pages.FillAll();
    REQUIRE_EQ(boxes.boxes().size(), 4u);
    for (const ShownBox& box : boxes.boxes()) CHECK_EQ(box.text, statement);
    for (const Lookup& l : kLookups) CHECK(pages.Entries(l.page, l.combos[0]).empty());
}
