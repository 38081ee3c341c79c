// One fetched catalogue row with its display texts. Pure data and pure
// helpers; the ODBC glue is in game_query.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "settings/record_texts.h"
#include "db/rom_name.h"

namespace quillet {

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
};

using RecordTextTable = char[kRecordTextCount][16];

// A year whose first character is '0' becomes a single space.
void ApplyYearRule(GameRecord& r);
// Replaces the seven coded fields by their display texts.
void ApplyRecordTexts(GameRecord& r, const RecordTextTable& texts);

// Column i of the list (0-15) shows field kGameColumns[i] of the record.
struct GameColumnField {
    size_t offset;
    size_t width;
};
extern const GameColumnField kGameColumns[16];

inline const char* ColumnText(const GameRecord& r, int column) {
    return reinterpret_cast<const char*>(&r) + kGameColumns[column].offset;
}

}  // namespace quillet
