// ImportRecord: the one record that holds the game being imported. The
// INSERT statement's parameters are bound to its fields by address.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillet {

// The longest short name the catalogue holds: column RomName, the parent's
// name in Cloneof, and the names the verification and catver.ini lines
// give. A longer name is never cut (a cut clone name would clash with its
// parent's), it is left out wherever it is met.
constexpr size_t kRomNameLength = 8;

// True when a name of `length` characters fits the catalogue.
constexpr bool RomNameFits(size_t length) { return length <= kRomNameLength; }

struct ImportRecord {
    uint8_t Video;          // 0 raster, 1 vector
    uint8_t Orientation;    // 0 horizontal, 1 vertical
    char Width[6];
    char Height[6];
    char Resolution[10];    // "%sx%s" or a single space
    char AspectX[6];
    char AspectY[6];
    uint8_t Frequency;      // integer part of the refresh rate, low 8 bits
    char RomName[kRomNameLength + 1];
    char Runnable[9];
    char SourceFile[13];
    char Cloneof[kRomNameLength + 1];
    char RomOf[9];
    char SampleOf[9];
    char Description[120];
    uint16_t Year;
    char Manufacturer[100];
    uint32_t Original;      // 0 or 1
    char Channels[256];
    uint8_t DriverStatus;   // 0 good, 1 imperfect, 2 preliminary, 3 test
    uint8_t SoundStatus;
    uint8_t ColorStatus;
    char Palette[10];
    char IconPath[kRomNameLength + 6];  // the icon's short name and ".ico"
};

}  // namespace quillet
