// FrontendSettings: the one process-wide settings record and the table that
// ties each field to its registry value. Pure data; the registry glue lives in
// settings_store.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillet {

// The list's columns: the catalogue's sixteen, then the favourite star,
// times played, last played and time played. Layouts stored before the
// last four were added hold sixteen (ExtendListLayout).
constexpr int kListColumns = 20;

// The part of the filter settings that the game query binds as its 27
// parameters. The statement is bound to these bytes by address, so the
// layout is fixed: contiguous, no padding, in this order.
#pragma pack(push, 1)
struct FilterQueryBlock {
    uint8_t FilRomDb[5];          // four accepted Status codes, then the accepted Original value
    char FilNamePattern[28];      // LIKE pattern for RomName
    char FilManPattern[104];      // LIKE pattern for Manufacturer
    int16_t FilYearFirst[2];      // first year, last year
    char FilPaletteFirst[8];
    char FilPaletteLast[8];
    char FilResoFirst[12];
    char FilResoLast[12];
    char FilFreqFirst[4];
    char FilFreqLast[4];
    uint8_t FilVideoDb[4];        // two Video codes, two Orientation codes
    uint8_t FilDriverDb[8];       // two DriverStatus, three ColorStatus, three SoundStatus codes
};
#pragma pack(pop)

static_assert(offsetof(FilterQueryBlock, FilRomDb) == 0);
static_assert(offsetof(FilterQueryBlock, FilNamePattern) == 5);
static_assert(offsetof(FilterQueryBlock, FilManPattern) == 33);
static_assert(offsetof(FilterQueryBlock, FilYearFirst) == 137);
static_assert(offsetof(FilterQueryBlock, FilPaletteFirst) == 141);
static_assert(offsetof(FilterQueryBlock, FilPaletteLast) == 149);
static_assert(offsetof(FilterQueryBlock, FilResoFirst) == 157);
static_assert(offsetof(FilterQueryBlock, FilResoLast) == 169);
static_assert(offsetof(FilterQueryBlock, FilFreqFirst) == 181);
static_assert(offsetof(FilterQueryBlock, FilFreqLast) == 185);
static_assert(offsetof(FilterQueryBlock, FilVideoDb) == 189);
static_assert(offsetof(FilterQueryBlock, FilDriverDb) == 193);
static_assert(sizeof(FilterQueryBlock) == 201);

// Page state of the filter sheet plus the query block.
struct FilterSettings {
    uint8_t FilRomStat[5];
    uint8_t FilDriverStat[8];
    uint32_t FilYearRadio;
    uint32_t FilYearStart;
    uint32_t FilYearEnd;
    uint32_t FilYearOnly;
    uint32_t FilManRadio;
    uint8_t FilVideoStat[4];
    uint32_t FilPaletteRadio;
    // Seven characters, as many as the query block's palette bounds carry:
    // 18-bit palettes ("262144") must fit a bound.
    char FilPaletteStart[8];
    char FilPaletteEnd[8];
    char FilPaletteOnly[8];
    uint32_t FilResoRadio;
    // Nine characters: four-digit widths ("1280x1024") must fit a bound.
    char FilResoStart[10];
    char FilResoEnd[10];
    char FilResoOnly[10];
    uint32_t FilFreqRadio;
    char FilFreqStart[4];
    char FilFreqEnd[4];
    char FilFreqOnly[4];
    FilterQueryBlock Query;
};

// The persisted list layout. Focus, sort column, sort direction and column
// count come first; then the addresses of the two arrays (not persisted);
// then the view command and the arrays themselves.
struct ListLayoutState {
    int32_t ListViewFocus;
    uint32_t ListViewSortCol;
    uint32_t ListViewSortWhat;
    uint32_t ListViewNumber;
    int32_t* OrderArray;
    int32_t* SizeArray;
    uint32_t ListViewMode;
    int32_t ListViewOrder[kListColumns];
    int32_t ListViewSize[kListColumns];
};

struct FrontendSettings {
    // Machine key
    char MameName[260];
    char MameDir[260];
    char MameCfg[260];
    uint32_t Version;
    // User key
    char Lang[28];
    uint8_t EnableIcons;
    FilterSettings Filter;
    ListLayoutState ListLayout;
    uint32_t ColorGood;   // COLORREF 0x00BBGGRR
    uint32_t ColorBest;
    uint32_t ColorBad;
    uint32_t ColorNot;
    // host[:port] of the ROM archive server; empty or unusable: the built-in one.
    char RomServer[260];
    // 0 while the emulator is one of the era's (or not known yet), 1 once a
    // rebuild has read a game list of today's emulator. A new emulator path
    // sets it back to 0 until the next rebuild.
    uint32_t EmulatorGeneration;
    // The DPI the column widths of ListViewSize were stored at; they are
    // pixels at that DPI. 96 when missing: before Quillet was DPI aware the
    // system drew it at 96 DPI, whatever the screen's.
    uint32_t ListViewDpi;
    // Quick hides and favourites only (View menu): 1 narrows the list.
    // They never change the FilterQueryBlock.
    uint32_t ViewHideClones;
    uint32_t ViewHideMechanical;
    uint32_t ViewHideNonWorking;
    uint32_t ViewFavouritesOnly;
    // The picture pane beside the list: shown (1) or hidden (0), its width in
    // pixels at 96 DPI (0: the default width) and the kind of picture it shows (0-6:
    // snapshot, title, flyer, cabinet, marquee, control panel, PCB).
    uint32_t PicturePane;
    uint32_t PicturePaneWidth;
    uint32_t PictureKind;
};

// Value of Version once the first-start wizard has been finished.
constexpr uint32_t kSettingsVersion = 0x70000;

// Registry value types, numerically equal to the platform's REG_* constants.
enum class RegType : uint32_t { String = 1, Binary = 3, Dword = 4 };

enum class RegRoot { Machine, User };

struct SettingsValue {
    const char* name;
    RegRoot root;
    RegType type;
    size_t offset;    // of the field inside FrontendSettings
    size_t capacity;  // field size in bytes (string capacity includes the NUL)
};

// Every registry value of FrontendSettings in load/save order: the four
// machine values first, then the user values in table order.
extern const SettingsValue kSettingsValues[];
extern const size_t kSettingsValueCount;

// The compiled-in defaults. The filter query block starts as the block that
// the default page states (every box ticked, every range on "all") produce,
// so a first start lists the whole catalogue.
void SetDefaultSettings(FrontendSettings& s);

// MameDir := MameName up to and including its last backslash (empty when the
// path has no directory part); MameCfg := MameName with its extension
// replaced by ".ini", or ".ini" appended when it has none. A result that
// would not fit its 260-byte field leaves that field empty.
void DeriveEmulatorPaths(FrontendSettings& s);

// Stores a new emulator path and derives the others; a path that differs
// from the one before sets EmulatorGeneration back to 0 (the era's), since
// nothing is known of the new emulator until the next rebuild.
void SetEmulatorPath(FrontendSettings& s, const char* path);

// DPI of a screen at 100 %: where stored pixel sizes without a DPI belong.
constexpr uint32_t kBaseDpi = 96;

// Scales the stored column widths from the DPI they were stored at
// (`storedDpi`; 0 or a value no screen has counts as 96) to `dpi`, and notes
// `dpi` as theirs. A width keeps its sign; rounding is to the nearest pixel.
void ScaleListWidths(FrontendSettings& s, uint32_t dpi);
// The list layout's default column widths and order (the star first).
extern const int32_t kDefaultColumnWidths[kListColumns];
extern const int32_t kDefaultColumnOrder[kListColumns];

// Brings a stored layout of fewer columns up to kListColumns: a layout of
// sixteen keeps its order and widths and the newer columns follow them with
// their default widths; an order that is no permutation of the stored
// columns gives way to the default order. A count above kListColumns is
// taken as kListColumns.
void ExtendListLayout(ListLayoutState& layout);

// The process-wide instance.
extern FrontendSettings Settings;

}  // namespace quillet
