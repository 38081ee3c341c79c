// The filter sheet, run by the sheet routine of ui/property_sheet.h: each
// page loads its controls from Settings.Filter, marks the sheet changed on a
// user's change and stores the controls back on apply. The mode radios are
// the exception: a click stores its id at once, so a mode survives even a
// sheet that is then cancelled.
#include "filters/filter_sheet.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <cstring>
#include <string>
#include <vector>

#include "base/progress.h"
#include "db/database.h"
#include "gamelist/game_list.h"
#include "filters/distinct_values.h"
#include "filters/filter_query.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "settings/settings_store.h"
#include "ui/property_sheet.h"

namespace quillet {

namespace {

FilterSettings& Filter() { return Settings.Filter; }

void Enable(HWND page, int control, bool enable) { EnableWindow(GetDlgItem(page, control), enable); }

// Selects the entry whose text equals `text` byte for byte (the combo box's
// own search ignores case), or nothing when there is none.
void SelectExactly(HWND combo, const char* text) {
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    std::string item;
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, i, 0);
        if (length < 0) continue;
        item.assign(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        if (std::strcmp(item.c_str(), text) == 0) {
            SendMessageA(combo, CB_SETCURSEL, i, 0);
            return;
        }
    }
}

// Re-orders a combo box's values in the order the query compares them in
// (numbers by value, texts by bytes), since the database hands them over in
// no useful order; so a range chosen from top to bottom is never empty.
void SortValues(HWND combo, bool numeric) {
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    std::vector<std::string> values;
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, i, 0);
        std::string value(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
        if (length > 0) SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(value.data()));
        value.resize(std::strlen(value.c_str()));
        values.push_back(std::move(value));
    }
    if (numeric)
        std::stable_sort(values.begin(), values.end(), FilterValueLess);
    else
        std::sort(values.begin(), values.end());
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& value : values) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

// --- checkbox pages: ROM status, driver, video ------------------------------

// The box that shows each byte of the page's field, in field order.
template <size_t N>
struct CheckboxPage {
    uint8_t (FilterSettings::*field)[N];
    int boxes[N];
};

// [0] good, [1] best available, [2] bad, [3] other, [4] clones: 11102 and
// 11103 are crossed.
constexpr CheckboxPage<5> kRomStatusBoxes = {
    &FilterSettings::FilRomStat,
    {IDC_FILTER_ROM_GOOD, IDC_FILTER_ROM_BEST, IDC_FILTER_ROM_BAD, IDC_FILTER_ROM_OTHER, IDC_FILTER_ROM_CLONES}};
// Driver good/preliminary, colour good/imperfect/preliminary, sound
// good/imperfect/preliminary; colour preliminary is 11207.
constexpr CheckboxPage<8> kDriverBoxes = {
    &FilterSettings::FilDriverStat,
    {IDC_FILTER_DRIVER_GOOD, IDC_FILTER_DRIVER_PRELIM, IDC_FILTER_COLOR_GOOD, IDC_FILTER_COLOR_IMPERF,
     IDC_FILTER_COLOR_PRELIM, IDC_FILTER_SOUND_GOOD, IDC_FILTER_SOUND_IMPERF, IDC_FILTER_SOUND_PRELIM}};
// Raster, vector, horizontal, vertical: vertical is 11505.
constexpr CheckboxPage<4> kVideoBoxes = {
    &FilterSettings::FilVideoStat, {IDC_FILTER_RASTER, IDC_FILTER_VECTOR, IDC_FILTER_HORIZONTAL, IDC_FILTER_VERTICAL}};

template <const auto& Table>
struct Checkboxes {
    static void Load(const SheetPageCall& call) {
        const HWND page = call.page;
        const auto& field = Filter().*Table.field;
        for (size_t i = 0; i < std::size(Table.boxes); ++i)
            CheckDlgButton(page, Table.boxes[i], field[i] ? BST_CHECKED : BST_UNCHECKED);
    }
    static void Command(const SheetPageCall& call, int control, UINT code) {
        if (code == BN_CLICKED && std::find(std::begin(Table.boxes), std::end(Table.boxes), control) !=
                                      std::end(Table.boxes))
            call.MarkChanged();
    }
    static void Store(const SheetPageCall& call) {
        const HWND page = call.page;
        auto& field = Filter().*Table.field;
        for (size_t i = 0; i < std::size(Table.boxes); ++i)
            field[i] = IsDlgButtonChecked(page, Table.boxes[i]) == BST_CHECKED ? 1 : 0;
    }
    static constexpr PageHandlers handlers = {Load, Command, Store};
};

// --- name page ---------------------------------------------------------------

constexpr int kNamePatternLength = sizeof FilterQueryBlock::FilNamePattern - 2;     // 26
constexpr int kMakerListLength = sizeof FilterQueryBlock::FilManPattern - 2;        // 102
constexpr int kMakerPatternLength = sizeof FilterQueryBlock::FilManPattern - 1;     // 103

void LoadName(const SheetPageCall& call) {
    const HWND page = call.page;
    SendDlgItemMessageA(page, IDC_FILTER_NAME_PATTERN, EM_LIMITTEXT, kNamePatternLength, 0);
    SetDlgItemTextA(page, IDC_FILTER_NAME_PATTERN, Filter().Query.FilNamePattern);
}
void NameCommand(const SheetPageCall& call, int control, UINT code) {
    if (control == IDC_FILTER_NAME_PATTERN && code == EN_UPDATE) call.MarkChanged();
}
void StoreName(const SheetPageCall& call) {
    GetDlgItemTextA(call.page, IDC_FILTER_NAME_PATTERN, Filter().Query.FilNamePattern, kNamePatternLength + 1);
}
constexpr PageHandlers kNameHandlers = {LoadName, NameCommand, StoreName};

// --- mode pages: year, palette, resolution, frequency ----------------------

// The enable rule: "all" disables the one-value and range controls, "one"
// enables the one-value control alone, "range" the two range controls
// alone; any other id changes nothing. `spins` are the year's up-down
// controls, which follow their edits.
void ApplyEnableRule(HWND page, uint32_t mode, uint32_t allRadio, int one, int from, int to,
                     const int* spins = nullptr) {
    const RangeEnables e = RangeModeEnables(mode, allRadio);
    if (!e.changes) return;
    Enable(page, one, e.one);
    Enable(page, from, e.range);
    Enable(page, to, e.range);
    if (spins) {
        Enable(page, spins[0], e.one);
        Enable(page, spins[1], e.range);
        Enable(page, spins[2], e.range);
    }
}

constexpr int kYearSpins[3] = {IDC_FILTER_YEAR_ONLY_SPIN, IDC_FILTER_YEAR_FROM_SPIN, IDC_FILTER_YEAR_TO_SPIN};

void YearEnableRule(HWND page) {
    ApplyEnableRule(page, Filter().FilYearRadio, IDC_FILTER_YEAR_ALL, IDC_FILTER_YEAR_ONLY, IDC_FILTER_YEAR_FROM,
                    IDC_FILTER_YEAR_TO, kYearSpins);
}

void LoadYear(const SheetPageCall& call) {
    const HWND page = call.page;
    const FilterSettings& f = Filter();
    const struct {
        int edit;
        uint32_t value;
    } edits[3] = {{IDC_FILTER_YEAR_ONLY, f.FilYearOnly}, {IDC_FILTER_YEAR_FROM, f.FilYearStart},
                  {IDC_FILTER_YEAR_TO, f.FilYearEnd}};
    for (int i = 0; i < 3; ++i) {
        SendDlgItemMessageA(page, edits[i].edit, EM_LIMITTEXT, 4, 0);
        SetDlgItemInt(page, edits[i].edit, edits[i].value, FALSE);
        // The range bounds the arrows alone; a typed year may lie outside it.
        SendDlgItemMessageA(page, kYearSpins[i], UDM_SETRANGE32, 1960, 2050);
    }
    YearEnableRule(page);
    CheckRadioButton(page, IDC_FILTER_YEAR_ALL, IDC_FILTER_YEAR_RANGE, f.FilYearRadio);
}
void YearCommand(const SheetPageCall& call, int control, UINT code) {
    if (code != BN_CLICKED || control < IDC_FILTER_YEAR_ALL || control > IDC_FILTER_YEAR_RANGE) return;
    Filter().FilYearRadio = static_cast<uint32_t>(control);
    YearEnableRule(call.page);
    call.MarkChanged();
}
void StoreYear(const SheetPageCall& call) {
    const HWND page = call.page;
    FilterSettings& f = Filter();
    f.FilYearOnly = GetDlgItemInt(page, IDC_FILTER_YEAR_ONLY, nullptr, FALSE);
    f.FilYearStart = GetDlgItemInt(page, IDC_FILTER_YEAR_FROM, nullptr, FALSE);
    f.FilYearEnd = GetDlgItemInt(page, IDC_FILTER_YEAR_TO, nullptr, FALSE);
}
constexpr PageHandlers kYearHandlers = {LoadYear, YearCommand, StoreYear};

// A page of the palette/resolution/frequency family: its mode field and
// radios, its three combo boxes and the page fields they edit.
template <size_t P, size_t R>
struct RangePage {
    uint32_t FilterSettings::*mode;
    int allRadio;  // then the one-value and the range radio
    int oneBox, fromBox, toBox;
    char (FilterSettings::*only)[P];
    char (FilterSettings::*start)[R];
    char (FilterSettings::*end)[R];
    void (*fill)(HWND page);
    bool numeric;  // compared as numbers by the query; else as text
};

constexpr RangePage<8, 8> kPaletteRange = {
    &FilterSettings::FilPaletteRadio, IDC_FILTER_PALETTE_ALL,       IDC_FILTER_PALETTE_ONLY,
    IDC_FILTER_PALETTE_FROM,          IDC_FILTER_PALETTE_TO,        &FilterSettings::FilPaletteOnly,
    &FilterSettings::FilPaletteStart, &FilterSettings::FilPaletteEnd, FillPaletteLists, true};
constexpr RangePage<10, 10> kResolutionRange = {
    &FilterSettings::FilResoRadio, IDC_FILTER_RESO_ALL,          IDC_FILTER_RESO_ONLY,
    IDC_FILTER_RESO_FROM,          IDC_FILTER_RESO_TO,           &FilterSettings::FilResoOnly,
    &FilterSettings::FilResoStart, &FilterSettings::FilResoEnd,  FillResolutionLists, false};
constexpr RangePage<4, 4> kFrequencyRange = {
    &FilterSettings::FilFreqRadio, IDC_FILTER_FREQ_ALL,          IDC_FILTER_FREQ_ONLY,
    IDC_FILTER_FREQ_FROM,          IDC_FILTER_FREQ_TO,           &FilterSettings::FilFreqOnly,
    &FilterSettings::FilFreqStart, &FilterSettings::FilFreqEnd,  FillFrequencyLists, true};

template <const auto& Page>
struct Range {
    static void EnableRule(HWND page) {
        ApplyEnableRule(page, Filter().*Page.mode, Page.allRadio, Page.oneBox, Page.fromBox, Page.toBox);
    }
    static void Load(const SheetPageCall& call) {
        const HWND page = call.page;
        const FilterSettings& f = Filter();
        Page.fill(page);
        const struct {
            int box;
            const char* value;
        } boxes[3] = {{Page.oneBox, f.*Page.only}, {Page.fromBox, f.*Page.start}, {Page.toBox, f.*Page.end}};
        for (const auto& b : boxes) {
            SortValues(GetDlgItem(page, b.box), Page.numeric);
            SelectExactly(GetDlgItem(page, b.box), b.value);
        }
        EnableRule(page);
        CheckRadioButton(page, Page.allRadio, Page.allRadio + 2, f.*Page.mode);
    }
    // Choosing a value is no change by itself; the mode radios are.
    static void Command(const SheetPageCall& call, int control, UINT code) {
        if (code != BN_CLICKED || control < Page.allRadio || control > Page.allRadio + 2) return;
        Filter().*Page.mode = static_cast<uint32_t>(control);
        EnableRule(call.page);
        call.MarkChanged();
    }
    static void Store(const SheetPageCall& call) {
        const HWND page = call.page;
        FilterSettings& f = Filter();
        GetDlgItemTextA(page, Page.oneBox, f.*Page.only, sizeof(f.*Page.only));
        GetDlgItemTextA(page, Page.fromBox, f.*Page.start, sizeof(f.*Page.start));
        GetDlgItemTextA(page, Page.toBox, f.*Page.end, sizeof(f.*Page.end));
    }
    static constexpr PageHandlers handlers = {Load, Command, Store};
};

// --- manufacturer page --------------------------------------------------------

void ChooseFromList(HWND page, bool list) {
    Enable(page, IDC_FILTER_MAKER_LIST, list);
    Enable(page, IDC_FILTER_MAKER_PATTERN, !list);
}

void LoadManufacturer(const SheetPageCall& call) {
    const HWND page = call.page;
    const FilterSettings& f = Filter();
    const HWND combo = GetDlgItem(page, IDC_FILTER_MAKER_LIST);
    FillManufacturerList(page);
    // Inserted rather than added: the sorted box keeps an inserted entry
    // where it is put, so it stays first even before a maker whose name
    // begins with a space.
    char all[40];
    if (LoadStringA(LanguageModule, IDS_ALL_MANUFACTURERS, all, sizeof all) <= 0) std::strcpy(all, " *");
    SendMessageA(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(all));
    SendDlgItemMessageA(page, IDC_FILTER_MAKER_PATTERN, EM_LIMITTEXT, kMakerPatternLength, 0);
    // The pattern is there to edit in both modes, so a switch to typing
    // starts from the current choice.
    SetDlgItemTextA(page, IDC_FILTER_MAKER_PATTERN, f.Query.FilManPattern);
    CheckRadioButton(page, IDC_FILTER_MAKER_CHOOSE, IDC_FILTER_MAKER_TYPE, f.FilManRadio);
    if (f.FilManRadio == IDC_FILTER_MAKER_CHOOSE) {
        if (f.Query.FilManPattern[0] == '%')
            SendMessageA(combo, CB_SETCURSEL, 0, 0);
        else
            SelectExactly(combo, f.Query.FilManPattern);
        ChooseFromList(page, true);
    } else {
        ChooseFromList(page, false);
    }
}

void ManufacturerCommand(const SheetPageCall& call, int control, UINT code) {
    const HWND page = call.page;
    switch (control) {
    case IDC_FILTER_MAKER_LIST:
        if (code == CBN_SELCHANGE) call.MarkChanged();
        break;
    case IDC_FILTER_MAKER_PATTERN:
        if (code == EN_UPDATE) call.MarkChanged();
        break;
    case IDC_FILTER_MAKER_CHOOSE:
    case IDC_FILTER_MAKER_TYPE:
        if (code != BN_CLICKED) break;
        Filter().FilManRadio = static_cast<uint32_t>(control);
        ChooseFromList(page, control == IDC_FILTER_MAKER_CHOOSE);
        if (control == IDC_FILTER_MAKER_CHOOSE) SendDlgItemMessageA(page, IDC_FILTER_MAKER_LIST, CB_SETCURSEL, 0, 0);
        call.MarkChanged();
        break;
    default: break;
    }
}

void StoreManufacturer(const SheetPageCall& call) {
    const HWND page = call.page;
    char* pattern = Filter().Query.FilManPattern;
    if (Filter().FilManRadio == IDC_FILTER_MAKER_CHOOSE) {
        GetDlgItemTextA(page, IDC_FILTER_MAKER_LIST, pattern, kMakerListLength + 1);
        // The all-manufacturers entry (and only it) begins with a space.
        if (pattern[0] == ' ') std::strcpy(pattern, "%");
    } else {
        GetDlgItemTextA(page, IDC_FILTER_MAKER_PATTERN, pattern, kMakerPatternLength + 1);
    }
}
constexpr PageHandlers kManufacturerHandlers = {LoadManufacturer, ManufacturerCommand, StoreManufacturer};

// The pages in command order (1020-1028).
constexpr SheetPage kPages[9] = {
    {IDD_FILTER_NAME, &kNameHandlers},
    {IDD_FILTER_ROM_STATUS, &Checkboxes<kRomStatusBoxes>::handlers},
    {IDD_FILTER_DRIVER, &Checkboxes<kDriverBoxes>::handlers},
    {IDD_FILTER_YEAR, &kYearHandlers},
    {IDD_FILTER_MAKER, &kManufacturerHandlers},
    {IDD_FILTER_VIDEO, &Checkboxes<kVideoBoxes>::handlers},
    {IDD_FILTER_PALETTE, &Range<kPaletteRange>::handlers},
    {IDD_FILTER_RESOLUTION, &Range<kResolutionRange>::handlers},
    {IDD_FILTER_FREQUENCY, &Range<kFrequencyRange>::handlers},
};

}  // namespace

void ShowFilterSheet(HWND owner, UINT startPage) {
    SheetHeader header{owner, LanguageModule, IDS_CAPTION_FILTER};
    header.startPage = startPage;
    SheetRun run;
    RunPropertySheet(header, kPages, run);

    // Apply or OK, even when the sheet was cancelled afterwards.
    if (run.applied) {
        BuildFilterQueryBlock(Settings.Filter);
        RunBackgroundTask(owner, ReloadGameList);
        SaveSettings(owner);
    }
}

}  // namespace quillet
