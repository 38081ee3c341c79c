// EmulatorOptions: the emulator's ini options as one record, with the reader
// and the writer of the ini text. Pure logic; the file I/O and the option
// sheet live in options_file.cpp and options_sheet.cpp.
//
// A field never holds the emulator's own default. Each option has an unset
// value instead, meaning "not in the file": it is not written, and the pages
// show it as "default" (or as a grey check box).
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillet {

struct EmulatorOptions {
    // paths
    char rompath[256];
    char samplepath[256];
    char cfg_directory[256];
    char nvram_directory[256];
    char memcard_directory[256];
    char input_directory[256];
    char hiscore_directory[256];
    char state_directory[256];
    char artwork_directory[256];
    char snapshot_directory[256];
    char diff_directory[256];
    char ctrlr_directory[256];
    char cheat_file[256];
    char history_file[256];
    char mameinfo_file[256];
    // Windows video
    uint8_t autoframeskip;
    uint8_t frameskip;  // small number: the pages take it as a signed byte
    uint8_t waitvsync;
    uint8_t triplebuffer;
    uint8_t window;
    uint8_t ddraw;
    uint8_t direct3d;
    uint8_t hwstretch;
    char cleanstretch[12];
    char resolution[12];
    uint8_t zoom;
    uint8_t refresh;
    uint8_t scanlines;
    uint8_t switchres;
    uint8_t switchbpp;
    uint8_t maximize;
    uint8_t keepaspect;
    uint8_t matchrefresh;
    uint8_t syncrefresh;
    uint8_t throttle;
    int32_t full_screen_brightness;
    uint32_t frames_to_run;
    char effect[10];
    char screen_aspect[4];
    uint8_t sleep;
    uint8_t rdtsc;
    uint8_t high_priority;
    // Direct3D
    uint8_t d3dtexmanage;
    uint8_t d3dfilter;
    uint8_t d3dfeedback;
    uint8_t d3dscan;
    char d3dprescale[5];
    char d3deffect[16];
    // Windows sound
    uint8_t audio_latency;
    // Input
    uint8_t mouse;
    uint8_t joystick;
    uint8_t lightgun;
    uint8_t steadykey;
    uint8_t keyboard_leds;
    int32_t a2d_deadzone;
    // Core video
    uint8_t norotate;
    uint8_t ror;
    uint8_t rol;
    uint8_t autoror;
    uint8_t autorol;
    uint8_t flipx;
    uint8_t flipy;
    char debug_resolution[10];
    int32_t gamma;
    int32_t brightness;
    int32_t pause_brightness;
    // Vector
    uint8_t antialias;
    uint8_t translucency;
    int32_t beam;
    int32_t flicker;
    int32_t intensity;
    // Core sound
    char samplerate[6];
    uint8_t samples;
    uint8_t resamplefilter;
    uint8_t sound;
    int8_t volume;
    // Misc
    uint8_t artwork;
    uint8_t use_backdrops;
    uint8_t use_overlays;
    uint8_t use_bezels;
    uint8_t artwork_crop;
    uint8_t artwork_resolution;
    uint8_t cheat;
    uint8_t debug;
    uint8_t log;
    uint32_t maxlogsize;
    uint8_t oslog;
    uint8_t skip_disclaimer;
    uint8_t skip_gameinfo;
    uint8_t crconly;
    char bios[10];
    // Configuration
    uint8_t readconfig;
    uint8_t verbose;
};

enum class OptionKind : uint8_t {
    Text,         // char[N], at most N-1 characters; unset = empty
    Switch,       // 0 off, 1 on; unset 2
    Digit,        // one character 0-9 in the file
    SmallNumber,  // one byte, written unsigned; 255 reads as -1 on the pages
    SignedSmall,  // one signed byte (volume)
    Count,        // unsigned 32-bit; unset 0
    Hundredths,   // signed 32-bit, the decimal value times 100
};

// The ten sections of the file; paths has no header line.
constexpr int kOptionSections = 10;

struct OptionField {
    const char* name;  // the emulator's own spelling, lower case
    OptionKind kind;
    uint8_t section;
    uint16_t offset;  // inside EmulatorOptions
    uint16_t size;    // bytes of the field
    int32_t unset;    // for the numeric kinds
};

constexpr size_t kOptionCount = 93;
extern const OptionField kOptionFields[kOptionCount];  // file order
extern const char* const kOptionSectionHeaders[kOptionSections];  // [0] is null

// The writer's text never exceeds this (every option set, every path at 255
// characters stays under 7,000 bytes).
constexpr size_t kOptionsTextCapacity = 8192;

// The record of the sheet, process-wide; only the user-interface thread
// touches it.
extern EmulatorOptions EmuOptions;

// Stores every option's unset value.
void ResetEmulatorOptions(EmulatorOptions& options);

// Reads the ini text [begin, end) into `options` without resetting it first;
// a later line wins over an earlier one. A carriage return or a line feed
// ends a line, and the last line needs no line end. Lines that name no
// known option, comments and section headers are skipped. Never reads
// outside the range and never writes past a field.
void ParseEmulatorOptions(const char* begin, const char* end, EmulatorOptions& options);

// Writes the whole ini text (CRLF lines, no NUL) into `buffer` and returns
// its length. `capacity` of kOptionsTextCapacity always suffices; a smaller
// buffer gets a text cut at its end.
size_t FormatEmulatorOptions(const EmulatorOptions& options, char* buffer, size_t capacity);

}  // namespace quillet
