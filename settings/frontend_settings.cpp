#include "settings/frontend_settings.h"

#include <cstring>

namespace quillet {

FrontendSettings Settings;

namespace {

constexpr size_t FilterOffset(size_t member) { return offsetof(FrontendSettings, Filter) + member; }
constexpr size_t QueryOffset(size_t member) { return FilterOffset(offsetof(FilterSettings, Query)) + member; }
constexpr size_t LayoutOffset(size_t member) { return offsetof(FrontendSettings, ListLayout) + member; }

#define FIELD(field) offsetof(FrontendSettings, field), sizeof(FrontendSettings::field)
#define FILTER(field) FilterOffset(offsetof(FilterSettings, field)), sizeof(FilterSettings::field)
#define QUERY(field) QueryOffset(offsetof(FilterQueryBlock, field)), sizeof(FilterQueryBlock::field)
#define LAYOUT(field) LayoutOffset(offsetof(ListLayoutState, field)), sizeof(ListLayoutState::field)

constexpr RegRoot M = RegRoot::Machine;
constexpr RegRoot U = RegRoot::User;
constexpr RegType S = RegType::String;
constexpr RegType B = RegType::Binary;
constexpr RegType D = RegType::Dword;

}  // namespace

const SettingsValue kSettingsValues[] = {
    {"MameName", M, S, FIELD(MameName)},
    {"MameDir", M, S, FIELD(MameDir)},
    {"MameCfg", M, S, FIELD(MameCfg)},
    {"Version", M, D, FIELD(Version)},
    {"Lang", U, S, FIELD(Lang)},
    {"EnableIcons", U, B, FIELD(EnableIcons)},
    {"FilNamePattern", U, S, QUERY(FilNamePattern)},
    {"FilRomStat", U, B, FILTER(FilRomStat)},
    {"FilRomDb", U, B, QUERY(FilRomDb)},
    {"FilDriverStat", U, B, FILTER(FilDriverStat)},
    {"FilDriverDb", U, B, QUERY(FilDriverDb)},
    {"FilYearRadio", U, D, FILTER(FilYearRadio)},
    {"FilYearStart", U, D, FILTER(FilYearStart)},
    {"FilYearEnd", U, D, FILTER(FilYearEnd)},
    {"FilYearOnly", U, D, FILTER(FilYearOnly)},
    {"FilYearFirst", U, D, QUERY(FilYearFirst)},
    {"FilManPattern", U, S, QUERY(FilManPattern)},
    {"FilManRadio", U, D, FILTER(FilManRadio)},
    {"FilVideoStat", U, B, FILTER(FilVideoStat)},
    {"FilVideoDb", U, B, QUERY(FilVideoDb)},
    {"FilPaletteRadio", U, D, FILTER(FilPaletteRadio)},
    {"FilPaletteStart", U, S, FILTER(FilPaletteStart)},
    {"FilPaletteEnd", U, S, FILTER(FilPaletteEnd)},
    {"FilPaletteOnly", U, S, FILTER(FilPaletteOnly)},
    {"FilPaletteFirst", U, S, QUERY(FilPaletteFirst)},
    {"FilPaletteLast", U, S, QUERY(FilPaletteLast)},
    {"FilResoRadio", U, D, FILTER(FilResoRadio)},
    {"FilResoStart", U, S, FILTER(FilResoStart)},
    {"FilResoEnd", U, S, FILTER(FilResoEnd)},
    {"FilResoOnly", U, S, FILTER(FilResoOnly)},
    {"FilResoFirst", U, S, QUERY(FilResoFirst)},
    {"FilResoLast", U, S, QUERY(FilResoLast)},
    {"FilFreqRadio", U, D, FILTER(FilFreqRadio)},
    {"FilFreqStart", U, S, FILTER(FilFreqStart)},
    {"FilFreqEnd", U, S, FILTER(FilFreqEnd)},
    {"FilFreqOnly", U, S, FILTER(FilFreqOnly)},
    {"FilFreqFirst", U, S, QUERY(FilFreqFirst)},
    {"FilFreqLast", U, S, QUERY(FilFreqLast)},
    {"ListViewMode", U, D, LAYOUT(ListViewMode)},
    {"ListViewFocus", U, D, LAYOUT(ListViewFocus)},
    {"ListViewNumber", U, D, LAYOUT(ListViewNumber)},
    {"ListViewOrder", U, B, LAYOUT(ListViewOrder)},
    {"ListViewSize", U, B, LAYOUT(ListViewSize)},
    {"ListViewSortCol", U, D, LAYOUT(ListViewSortCol)},
    {"ListViewSortWhat", U, D, LAYOUT(ListViewSortWhat)},
    {"ColorGood", U, D, FIELD(ColorGood)},
    {"ColorBest", U, D, FIELD(ColorBest)},
    {"ColorBad", U, D, FIELD(ColorBad)},
    {"ColorNot", U, D, FIELD(ColorNot)},
    {"RomServer", U, S, FIELD(RomServer)},
    {"EmulatorGeneration", U, D, FIELD(EmulatorGeneration)},
    {"ListViewDpi", U, D, FIELD(ListViewDpi)},
    {"ViewHideClones", U, D, FIELD(ViewHideClones)},
    {"ViewHideMechanical", U, D, FIELD(ViewHideMechanical)},
    {"ViewHideNonWorking", U, D, FIELD(ViewHideNonWorking)},
    {"ViewFavouritesOnly", U, D, FIELD(ViewFavouritesOnly)},
    {"PicturePane", U, D, FIELD(PicturePane)},
    {"PicturePaneWidth", U, D, FIELD(PicturePaneWidth)},
    {"PictureKind", U, D, FIELD(PictureKind)},
};
const size_t kSettingsValueCount = sizeof(kSettingsValues) / sizeof(kSettingsValues[0]);

#undef FIELD
#undef FILTER
#undef QUERY
#undef LAYOUT

namespace {

template <size_t N>
void SetText(char (&field)[N], const char* text) {
    const size_t length = strnlen(text, N - 1);
    std::memcpy(field, text, length);
    field[length] = '\0';
}

}  // namespace

const int32_t kDefaultColumnWidths[kListColumns] = {90,  300, 70,  280, 80, 75, 75, 100, 100, 100,
                                                    100, 70,  95,  95,  90, 130, 24, 60, 115, 85};
const int32_t kDefaultColumnOrder[kListColumns] = {16, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18, 19};

void ExtendListLayout(ListLayoutState& l) {
    const uint32_t count = l.ListViewNumber > kListColumns ? kListColumns : l.ListViewNumber;
    bool seen[kListColumns] = {};
    bool permutation = true;
    for (uint32_t i = 0; i < count && permutation; ++i) {
        const int32_t column = l.ListViewOrder[i];
        permutation = column >= 0 && static_cast<uint32_t>(column) < count && !seen[column];
        if (permutation) seen[column] = true;
    }
    for (uint32_t i = count; i < kListColumns; ++i) {
        l.ListViewSize[i] = kDefaultColumnWidths[i];
        l.ListViewOrder[i] = static_cast<int32_t>(i);
    }
    if (!permutation || count == 0)
        for (int i = 0; i < kListColumns; ++i) l.ListViewOrder[i] = kDefaultColumnOrder[i];
    l.ListViewNumber = kListColumns;
}

void SetDefaultSettings(FrontendSettings& s) {
    std::memset(&s, 0, sizeof s);

    FilterSettings& f = s.Filter;
    std::memset(f.FilRomStat, 1, sizeof f.FilRomStat);
    std::memset(f.FilDriverStat, 1, sizeof f.FilDriverStat);
    f.FilYearRadio = 11301;
    f.FilYearStart = 1960;
    f.FilYearEnd = 2100;
    f.FilYearOnly = 2000;
    f.FilManRadio = 11402;
    std::memset(f.FilVideoStat, 1, sizeof f.FilVideoStat);
    f.FilPaletteRadio = 11604;
    SetText(f.FilPaletteStart, "0");
    SetText(f.FilPaletteEnd, "99999");
    SetText(f.FilPaletteOnly, "0");
    f.FilResoRadio = 11704;
    SetText(f.FilResoStart, " ");
    SetText(f.FilResoEnd, "9999999");
    SetText(f.FilResoOnly, "0");
    f.FilFreqRadio = 11801;
    SetText(f.FilFreqStart, "0");
    SetText(f.FilFreqEnd, "100");
    SetText(f.FilFreqOnly, "0");

    // The block the default page states stand for: every status, clones
    // shown, any name and maker, all years, palettes, resolutions and
    // frequencies, every video, orientation, driver, colour and sound code.
    FilterQueryBlock& q = f.Query;
    const uint8_t rom[5] = {0, 2, 1, 3, 1};
    std::memcpy(q.FilRomDb, rom, sizeof rom);
    SetText(q.FilNamePattern, "%");
    SetText(q.FilManPattern, "%");
    q.FilYearFirst[0] = 0;
    q.FilYearFirst[1] = 2200;
    SetText(q.FilPaletteFirst, "0");
    SetText(q.FilPaletteLast, "99999");
    SetText(q.FilResoFirst, " ");
    SetText(q.FilResoLast, "9x99999");  // the filter sheet's "all resolutions" bound
    SetText(q.FilFreqFirst, "0");
    SetText(q.FilFreqLast, "999");  // above every refresh rate a byte can hold
    const uint8_t video[4] = {0, 1, 0, 1};
    std::memcpy(q.FilVideoDb, video, sizeof video);
    const uint8_t driver[8] = {0, 2, 0, 1, 2, 0, 1, 2};
    std::memcpy(q.FilDriverDb, driver, sizeof driver);

    ListLayoutState& l = s.ListLayout;
    l.ListViewFocus = 0;
    l.ListViewSortCol = 0;
    l.ListViewSortWhat = 5;
    l.ListViewNumber = kListColumns;
    l.OrderArray = l.ListViewOrder;
    l.SizeArray = l.ListViewSize;
    l.ListViewMode = 0;
    for (int i = 0; i < kListColumns; ++i) {
        l.ListViewOrder[i] = kDefaultColumnOrder[i];
        l.ListViewSize[i] = kDefaultColumnWidths[i];
    }

    s.ColorGood = 0x00C6FEC6;
    s.ColorBest = 0x0096EFFA;
    s.ColorBad = 0x00FBC5D4;
    s.ColorNot = 0x00CCC5FF;
    s.PicturePane = 1;
    s.ListViewDpi = kBaseDpi;
}

void ScaleListWidths(FrontendSettings& s, uint32_t dpi) {
    // 48 to 960 DPI covers 50 % to 1000 %, every scale Windows offers.
    auto plausible = [](uint32_t value) { return value >= 48 && value <= 960; };
    const uint32_t from = plausible(s.ListViewDpi) ? s.ListViewDpi : kBaseDpi;
    if (!plausible(dpi)) return;
    if (from != dpi)
        for (int32_t& width : s.ListLayout.ListViewSize) {
            const int64_t scaled = static_cast<int64_t>(width) * dpi;
            width = static_cast<int32_t>((scaled + (scaled < 0 ? -1 : 1) * static_cast<int64_t>(from / 2)) / from);
        }
    s.ListViewDpi = dpi;
}

namespace {

// Where the extension of a path begins, by the shell's rule: the last dot of
// the last component, unless a space follows it in that component. Returns
// the terminating NUL when there is no extension.
const char* FindExtension(const char* path) {
    const char* dot = nullptr;
    const char* p = path;
    for (; *p; ++p) {
        if (*p == '\\' || *p == ' ')
            dot = nullptr;
        else if (*p == '.')
            dot = p;
    }
    return dot ? dot : p;
}

}  // namespace

void SetEmulatorPath(FrontendSettings& s, const char* path) {
    if (std::strncmp(s.MameName, path, sizeof s.MameName) != 0) s.EmulatorGeneration = 0;
    SetText(s.MameName, path);
    DeriveEmulatorPaths(s);
}

void DeriveEmulatorPaths(FrontendSettings& s) {
    const char* name = s.MameName;

    const char* slash = std::strrchr(name, '\\');
    const size_t dirLen = slash ? static_cast<size_t>(slash - name) + 1 : 0;
    std::memcpy(s.MameDir, name, dirLen);
    s.MameDir[dirLen] = '\0';

    const size_t stemLen = static_cast<size_t>(FindExtension(name) - name);
    if (stemLen + 4 < sizeof s.MameCfg) {
        std::memcpy(s.MameCfg, name, stemLen);
        std::memcpy(s.MameCfg + stemLen, ".ini", 5);
    } else {
        s.MameCfg[0] = '\0';
    }
}

}  // namespace quillet
