#include "db/game_record.h"

#include <cstdio>
#include <cstring>

namespace quillet {

#define COLUMN(field) {offsetof(GameRecord, field), sizeof(GameRecord::field)}
const GameColumnField kGameColumns[kGameColumnCount] = {
    COLUMN(RomName),      COLUMN(Description),  COLUMN(Year),        COLUMN(Manufacturer),
    COLUMN(Original),     COLUMN(Cloneof),      COLUMN(Status),      COLUMN(DriverStatus),
    COLUMN(ColorStatus),  COLUMN(SoundStatus),  COLUMN(Palette),     COLUMN(Video),
    COLUMN(Orientation),  COLUMN(Resolution),   COLUMN(Frequency),   COLUMN(Category),
    COLUMN(Extra.StarText), COLUMN(Extra.PlayedText), COLUMN(Extra.LastPlayedText), COLUMN(Extra.TimePlayedText),
};
#undef COLUMN

void ApplyYearRule(GameRecord& r) {
    if (r.Year[0] == '0') {
        r.Year[0] = ' ';
        r.Year[1] = '\0';
    }
}

namespace {

// Code-to-text tables: the slot of RecordTexts for codes 0, 1, 2 and any other.
struct CodeTexts {
    RecordText code0, code1, code2, other;
};
constexpr CodeTexts kOriginalTexts{kTextOriginalNo, kTextOriginalYes, kTextOriginalYes, kTextOriginalYes};
constexpr CodeTexts kStatusTexts{kTextGood, kTextBestAvailable, kTextBad, kTextOtherStatus};
constexpr CodeTexts kDriverTexts{kTextGood, kTextImperfect, kTextPreliminary, kTextDriverOther};
constexpr CodeTexts kEmulationTexts{kTextGood, kTextImperfect, kTextPreliminary, kTextPreliminary};
constexpr CodeTexts kVideoTexts{kTextRaster, kTextVector, kTextVector, kTextVector};
constexpr CodeTexts kOrientationTexts{kTextHorizontal, kTextVertical, kTextVertical, kTextVertical};

template <size_t N>
void ReplaceCode(char (&field)[N], const CodeTexts& map, const RecordTextTable& texts) {
    const uint8_t code = static_cast<uint8_t>(field[0]);
    const RecordText slot = code == 0 ? map.code0 : code == 1 ? map.code1 : code == 2 ? map.code2 : map.other;
    static_assert(N >= 8);
    const size_t limit = N < sizeof texts[0] ? N : sizeof texts[0];
    std::memset(field, 0, N);
    std::strncpy(field, texts[slot], limit - 1);
}

}  // namespace

void ApplyRecordTexts(GameRecord& r, const RecordTextTable& texts) {
    ReplaceCode(r.Original, kOriginalTexts, texts);
    ReplaceCode(r.Status, kStatusTexts, texts);
    ReplaceCode(r.DriverStatus, kDriverTexts, texts);
    ReplaceCode(r.ColorStatus, kEmulationTexts, texts);
    ReplaceCode(r.SoundStatus, kEmulationTexts, texts);
    ReplaceCode(r.Video, kVideoTexts, texts);
    ReplaceCode(r.Orientation, kOrientationTexts, texts);
}

void KeepRecordCodes(GameRecord& r) {
    r.Extra.Clone = static_cast<uint8_t>(r.Original[0]);
    r.Extra.DriverCode = static_cast<uint8_t>(r.DriverStatus[0]);
}

void FormatPlayerTexts(GameExtras& e) {
    std::strcpy(e.StarText, e.Favourite ? "\xE2\x98\x85" : "");  // U+2605 BLACK STAR
    if (e.TimesPlayed)
        std::snprintf(e.PlayedText, sizeof e.PlayedText, "%lu", static_cast<unsigned long>(e.TimesPlayed));
    else
        e.PlayedText[0] = '\0';
    // "YYYY-MM-DD HH:MM" of the stored "YYYY-MM-DD HH:MM:SS".
    std::snprintf(e.LastPlayedText, sizeof e.LastPlayedText, "%.16s", e.LastPlayed);
    if (e.SecondsPlayed) {
        const unsigned long s = e.SecondsPlayed;
        std::snprintf(e.TimePlayedText, sizeof e.TimePlayedText, "%lu:%02lu:%02lu", s / 3600, s / 60 % 60, s % 60);
    } else {
        e.TimePlayedText[0] = '\0';
    }
}

}  // namespace quillet
