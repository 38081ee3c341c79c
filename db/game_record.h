// One fetched catalogue row with its display texts. Pure data and pure
// helpers; the ODBC glue is in game_query.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/record_texts.h"
#include "db/rom_name.h"

namespace quillet {

// What the list keeps of a game beyond its catalogue texts: the codes the
// quick hides test, the player's own data (table usergames) with the texts
// of its columns, and where the game's folded search text lies.
struct GameExtras {
    uint8_t Clone;          // Original code: nonzero for a clone
    uint8_t DriverCode;     // 0 good, 1 imperfect, 2 preliminary, 3 test
    uint8_t Mechanical;     // ismechanical="yes" in today's lists
    uint8_t Favourite;
    uint32_t TimesPlayed;
    uint32_t SecondsPlayed;
    char LastPlayed[20];    // "YYYY-MM-DD HH:MM:SS", local time; empty: never
    char StarText[4];       // column 16: a star (UTF-8) for a favourite
    char PlayedText[12];    // column 17
    char LastPlayedText[17];  // column 18: "YYYY-MM-DD HH:MM"
    char TimePlayedText[16];  // column 19: "H:MM:SS"
    uint32_t SearchOffset;  // of the folded search text in the list's arena
    uint32_t SearchLength;
};

// Text fields are zero-terminated; widths include the terminator. The seven
// coded fields (Original, Status, DriverStatus, ColorStatus, SoundStatus,
// Video, Orientation) are fetched as one unsigned byte into their first byte
// and then overwritten by their display text.
struct GameRecord {
    char RomName[kRomNameField];
    char Description[120];
    char Year[8];
    char Manufacturer[112];
    char Original[8];
    char Cloneof[kRomNameField];
    char Status[16];
    char DriverStatus[16];
    char ColorStatus[16];
    char SoundStatus[16];
    char Palette[8];
    char Video[16];
    char Orientation[16];
    char Resolution[12];  // wide enough for four-digit widths such as 1024x768
    char Frequency[4];
    char Category[96];
    char IconPath[kRomNameField + 4];  // short name and ".ico"

    // ---- Beyond table main's columns ----
    GameExtras Extra;
};

using RecordTextTable = char[kRecordTextCount][16];

// A year whose first character is '0' becomes a single space.
void ApplyYearRule(GameRecord& r);
// Replaces the seven coded fields by their display texts.
void ApplyRecordTexts(GameRecord& r, const RecordTextTable& texts);
// Keeps the coded fields' codes in Extra before ApplyRecordTexts replaces them.
void KeepRecordCodes(GameRecord& r);
// The texts of columns 16-19 from the player's data in Extra.
void FormatPlayerTexts(GameExtras& e);

// The catalogue's sixteen columns, then the star and the three play
// statistics columns.
constexpr int kCatalogueColumns = 16;
constexpr int kGameColumnCount = 20;
constexpr int kStarColumn = 16;
constexpr int kPlayedColumn = 17;
constexpr int kLastPlayedColumn = 18;
constexpr int kTimePlayedColumn = 19;

// Column i of the list (0-19) shows field kGameColumns[i] of the record.
struct GameColumnField {
    size_t offset;
    size_t width;
};
extern const GameColumnField kGameColumns[kGameColumnCount];

inline const char* ColumnText(const GameRecord& r, int column) {
    return reinterpret_cast<const char*>(&r) + kGameColumns[column].offset;
}

}  // namespace quillet
