// ImportRecord: the one record that holds the game being imported. The
// INSERT statement's parameters are bound to its fields by address.
#pragma once

#include <cstddef>
#include <cstdint>

#include "db/rom_name.h"

namespace quillet {

// Which emulator printed the list: the era's (0.7x to 0.106, <game>
// elements, -verifysets) or today's (<machine> elements, -verifyroms).
enum class Generation : uint32_t { Era = 0, Today = 1 };

// True when a name of `length` characters fits the catalogue. A longer name
// is never cut (a cut clone name would clash with its parent's): it is left
// out wherever it is met, in the import, the verification and catver.ini.
constexpr bool RomNameFits(size_t length) { return length <= kLongestRomName; }

struct ImportRecord {
    uint8_t Video;          // 0 raster, 1 vector
    uint8_t Orientation;    // 0 horizontal, 1 vertical
    char Width[6];
    char Height[6];
    char Resolution[10];    // "%sx%s" or a single space
    char AspectX[6];
    char AspectY[6];
    uint8_t Frequency;      // integer part of the refresh rate, low 8 bits
    char RomName[kRomNameField];
    char Runnable[9];
    char SourceFile[13];
    char Cloneof[kRomNameField];
    char RomOf[kRomNameField];
    char SampleOf[kRomNameField];
    char Description[120];  // entities decoded; UTF-8 where the list is
    uint16_t Year;
    char Manufacturer[100];
    uint32_t Original;      // 0 or 1
    char Channels[256];
    uint8_t DriverStatus;   // 0 good, 1 imperfect, 2 preliminary, 3 test
    uint8_t SoundStatus;    // 0 good, 1 imperfect, 2 preliminary/unemulated, 3 test
    uint8_t ColorStatus;
    char Palette[10];
    char IconPath[kRomNameField + 4];  // short name and ".ico"
    uint8_t Mechanical;     // 1 for ismechanical="yes"
};

}  // namespace quillet
