// ImportRecord: the one record that holds the game being imported. The
// INSERT statement's parameters are bound to its fields by address.
#pragma once

#include <cstdint>

namespace quillet {

struct ImportRecord {
    uint8_t Video;          // 0 raster, 1 vector
    uint8_t Orientation;    // 0 horizontal, 1 vertical
    char Width[6];
    char Height[6];
    char Resolution[10];    // "%sx%s" or a single space
    char AspectX[6];
    char AspectY[6];
    uint8_t Frequency;      // integer part of the refresh rate, low 8 bits
    char RomName[9];
    char Runnable[9];
    char SourceFile[13];
    char Cloneof[9];
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
    char IconPath[14];
};

}  // namespace quillet
