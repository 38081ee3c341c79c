#include "options/emulator_options.h"

#include <cstdio>
#include <cstring>

namespace quillet {

EmulatorOptions EmuOptions;

namespace {

enum Section : uint8_t { Paths, WinVideo, Direct3D, WinSound, Input, CoreVideo, Vector, CoreSound, Misc, Config };

#define QUILLET_OPTION(name, kind, section, unset) \
    {#name, OptionKind::kind, section, offsetof(EmulatorOptions, name), sizeof(EmulatorOptions::name), unset}

}  // namespace

const OptionField kOptionFields[kOptionCount] = {
    QUILLET_OPTION(rompath, Text, Paths, 0),
    QUILLET_OPTION(samplepath, Text, Paths, 0),
    QUILLET_OPTION(cfg_directory, Text, Paths, 0),
    QUILLET_OPTION(nvram_directory, Text, Paths, 0),
    QUILLET_OPTION(memcard_directory, Text, Paths, 0),
    QUILLET_OPTION(input_directory, Text, Paths, 0),
    QUILLET_OPTION(hiscore_directory, Text, Paths, 0),
    QUILLET_OPTION(state_directory, Text, Paths, 0),
    QUILLET_OPTION(artwork_directory, Text, Paths, 0),
    QUILLET_OPTION(snapshot_directory, Text, Paths, 0),
    QUILLET_OPTION(diff_directory, Text, Paths, 0),
    QUILLET_OPTION(ctrlr_directory, Text, Paths, 0),
    QUILLET_OPTION(cheat_file, Text, Paths, 0),
    QUILLET_OPTION(history_file, Text, Paths, 0),
    QUILLET_OPTION(mameinfo_file, Text, Paths, 0),
    QUILLET_OPTION(autoframeskip, Switch, WinVideo, 2),
    QUILLET_OPTION(frameskip, SmallNumber, WinVideo, 255),
    QUILLET_OPTION(waitvsync, Switch, WinVideo, 2),
    QUILLET_OPTION(triplebuffer, Switch, WinVideo, 2),
    QUILLET_OPTION(window, Switch, WinVideo, 2),
    QUILLET_OPTION(ddraw, Switch, WinVideo, 2),
    QUILLET_OPTION(direct3d, Switch, WinVideo, 2),
    QUILLET_OPTION(hwstretch, Switch, WinVideo, 2),
    QUILLET_OPTION(cleanstretch, Text, WinVideo, 0),
    QUILLET_OPTION(resolution, Text, WinVideo, 0),
    QUILLET_OPTION(zoom, Digit, WinVideo, 0),
    QUILLET_OPTION(refresh, Switch, WinVideo, 2),
    QUILLET_OPTION(scanlines, Switch, WinVideo, 2),
    QUILLET_OPTION(switchres, Switch, WinVideo, 2),
    QUILLET_OPTION(switchbpp, Switch, WinVideo, 2),
    QUILLET_OPTION(maximize, Switch, WinVideo, 2),
    QUILLET_OPTION(keepaspect, Switch, WinVideo, 2),
    QUILLET_OPTION(matchrefresh, Switch, WinVideo, 2),
    QUILLET_OPTION(syncrefresh, Switch, WinVideo, 2),
    QUILLET_OPTION(throttle, Switch, WinVideo, 2),
    QUILLET_OPTION(full_screen_brightness, Hundredths, WinVideo, -1),
    QUILLET_OPTION(frames_to_run, Count, WinVideo, 0),
    QUILLET_OPTION(effect, Text, WinVideo, 0),
    QUILLET_OPTION(screen_aspect, Text, WinVideo, 0),
    QUILLET_OPTION(sleep, Switch, WinVideo, 2),
    QUILLET_OPTION(rdtsc, Switch, WinVideo, 2),
    QUILLET_OPTION(high_priority, Switch, WinVideo, 2),
    QUILLET_OPTION(d3dtexmanage, Switch, Direct3D, 2),
    QUILLET_OPTION(d3dfilter, Digit, Direct3D, 0),
    QUILLET_OPTION(d3dfeedback, SmallNumber, Direct3D, 255),
    QUILLET_OPTION(d3dscan, SmallNumber, Direct3D, 255),
    QUILLET_OPTION(d3dprescale, Text, Direct3D, 0),
    QUILLET_OPTION(d3deffect, Text, Direct3D, 0),
    QUILLET_OPTION(audio_latency, Digit, WinSound, 0),
    QUILLET_OPTION(mouse, Switch, Input, 2),
    QUILLET_OPTION(joystick, Switch, Input, 2),
    QUILLET_OPTION(lightgun, Switch, Input, 2),
    QUILLET_OPTION(steadykey, Switch, Input, 2),
    QUILLET_OPTION(keyboard_leds, Switch, Input, 2),
    QUILLET_OPTION(a2d_deadzone, Hundredths, Input, -1),
    QUILLET_OPTION(norotate, Switch, CoreVideo, 2),
    QUILLET_OPTION(ror, Switch, CoreVideo, 2),
    QUILLET_OPTION(rol, Switch, CoreVideo, 2),
    QUILLET_OPTION(autoror, Switch, CoreVideo, 2),
    QUILLET_OPTION(autorol, Switch, CoreVideo, 2),
    QUILLET_OPTION(flipx, Switch, CoreVideo, 2),
    QUILLET_OPTION(flipy, Switch, CoreVideo, 2),
    QUILLET_OPTION(debug_resolution, Text, CoreVideo, 0),
    QUILLET_OPTION(gamma, Hundredths, CoreVideo, 49),
    QUILLET_OPTION(brightness, Hundredths, CoreVideo, -1),
    QUILLET_OPTION(pause_brightness, Hundredths, CoreVideo, -1),
    QUILLET_OPTION(antialias, Switch, Vector, 2),
    QUILLET_OPTION(translucency, Switch, Vector, 2),
    QUILLET_OPTION(beam, Hundredths, Vector, 99),
    QUILLET_OPTION(flicker, Hundredths, Vector, -1),
    QUILLET_OPTION(intensity, Hundredths, Vector, 49),
    QUILLET_OPTION(samplerate, Text, CoreSound, 0),
    QUILLET_OPTION(samples, Switch, CoreSound, 2),
    QUILLET_OPTION(resamplefilter, Switch, CoreSound, 2),
    QUILLET_OPTION(sound, Switch, CoreSound, 2),
    QUILLET_OPTION(volume, SignedSmall, CoreSound, -33),
    QUILLET_OPTION(artwork, Switch, Misc, 2),
    QUILLET_OPTION(use_backdrops, Switch, Misc, 2),
    QUILLET_OPTION(use_overlays, Switch, Misc, 2),
    QUILLET_OPTION(use_bezels, Switch, Misc, 2),
    QUILLET_OPTION(artwork_crop, Switch, Misc, 2),
    QUILLET_OPTION(artwork_resolution, SmallNumber, Misc, 255),
    QUILLET_OPTION(cheat, Switch, Misc, 2),
    QUILLET_OPTION(debug, Switch, Misc, 2),
    QUILLET_OPTION(log, Switch, Misc, 2),
    QUILLET_OPTION(maxlogsize, Count, Misc, 0),
    QUILLET_OPTION(oslog, Switch, Misc, 2),
    QUILLET_OPTION(skip_disclaimer, Switch, Misc, 2),
    QUILLET_OPTION(skip_gameinfo, Switch, Misc, 2),
    QUILLET_OPTION(crconly, Switch, Misc, 2),
    QUILLET_OPTION(bios, Text, Misc, 0),
    QUILLET_OPTION(readconfig, Switch, Config, 2),
    QUILLET_OPTION(verbose, Switch, Config, 2),
};

#undef QUILLET_OPTION

const char* const kOptionSectionHeaders[kOptionSections] = {
    nullptr,
    "## Windows video options ###",
    "## Windows Direct3D 2D video options ###",
    "## Windows sound options ###",
    "## Input device options ###",
    "## Mame CORE video options ###",
    "## Mame CORE vector game options ###",
    "## Mame CORE sound options ###",
    "## Mame CORE misc options ###",
    "## Configuration options ###",
};

namespace {

constexpr char kTitleLine[] = "## videdu.ini ###";
constexpr int kValueColumn = 25;  // names are padded to 25, values begin in column 26

uint8_t* FieldOf(EmulatorOptions& options, const OptionField& field) {
    return reinterpret_cast<uint8_t*>(&options) + field.offset;
}
const uint8_t* FieldOf(const EmulatorOptions& options, const OptionField& field) {
    return reinterpret_cast<const uint8_t*>(&options) + field.offset;
}

int32_t Load32(const uint8_t* p) {
    int32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
void Store32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, sizeof v); }

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsSpace(char c) { return IsBlank(c) || IsLineEnd(c); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

const char* SkipSpace(const char* p, const char* end) {
    while (p < end && IsSpace(*p)) ++p;
    return p;
}
const char* SkipBlanks(const char* p, const char* end) {
    while (p < end && IsBlank(*p)) ++p;
    return p;
}
const char* SkipLine(const char* p, const char* end) {
    while (p < end && !IsLineEnd(*p)) ++p;
    return p;
}

// The option named at p, or null. A name counts only as a whole word: it
// must be followed by a blank, a line end or the end of the text, so a name
// of another emulator version that merely begins like one of ours
// (joystick_deadzone, lightgun_device, debuglog, d3deffectrotate) is not
// taken for it. Among names sharing a beginning (artwork, artwork_crop) the
// longer one is tried first, and the first byte is compared before the rest.
const OptionField* MatchOption(const char* p, const char* end) {
    const OptionField* best = nullptr;
    size_t bestLength = 0;
    const size_t available = static_cast<size_t>(end - p);
    for (const OptionField& field : kOptionFields) {
        if (field.name[0] != *p) continue;
        const size_t length = std::strlen(field.name);
        if (length <= bestLength || length > available) continue;
        if (std::memcmp(p, field.name, length) != 0) continue;
        if (length < available && !IsSpace(p[length])) continue;
        best = &field;
        bestLength = length;
    }
    return best;
}

// Decimal digits at p into a wrapping 32-bit accumulator; `p` ends on the
// first byte that is no digit. Returns false when there was no digit.
bool ReadDigits(const char*& p, const char* end, uint32_t& value) {
    const char* start = p;
    value = 0;
    for (; p < end && IsDigit(*p); ++p) value = value * 10 + static_cast<uint32_t>(*p - '0');
    return p != start;
}

// Reads one value starting at p (blanks already skipped, p may be at the line
// end or the end of the text). Returns where scanning goes on; the caller
// skips whatever is left of the line.
const char* ReadValue(const OptionField& field, const char* p, const char* end, EmulatorOptions& options) {
    uint8_t* target = FieldOf(options, field);
    uint32_t value = 0;
    switch (field.kind) {
    case OptionKind::Text: {
        // Everything up to the line end, trailing blanks included, cut at the
        // field's width; the rest of an over-long value is skipped.
        const char* stop = SkipLine(p, end);
        size_t length = static_cast<size_t>(stop - p);
        if (length > field.size - 1u) length = field.size - 1u;
        std::memcpy(target, p, length);
        target[length] = '\0';
        return stop;
    }
    case OptionKind::Switch:
    case OptionKind::Digit:
        // One character, as the emulator writes it.
        if (p < end && IsDigit(*p)) *target = static_cast<uint8_t>(*p++ - '0');
        return p;
    case OptionKind::SmallNumber:
        if (ReadDigits(p, end, value)) *target = static_cast<uint8_t>(value);
        return p;
    case OptionKind::SignedSmall: {
        const char* q = p;
        const bool negative = q < end && *q == '-';
        if (negative) ++q;
        if (ReadDigits(q, end, value)) {
            *target = static_cast<uint8_t>(negative ? 0u - value : value);
            p = q;
        }
        return p;
    }
    case OptionKind::Count:
        if (ReadDigits(p, end, value)) Store32(target, value);
        return p;
    case OptionKind::Hundredths: {
        // Whole part, then at most two decimals; missing decimals count as
        // zeros (1 is 1.00, 0.5 is 0.50). The whole part saturates so that
        // the stored value stays positive.
        uint32_t whole = 0;
        const char* start = p;
        for (; p < end && IsDigit(*p); ++p)
            whole = whole >= 21474835u ? 21474835u : whole * 10 + static_cast<uint32_t>(*p - '0');
        uint32_t fraction = 0;
        bool any = p != start;
        if (p < end && *p == '.') {
            const char* digits = p + 1;
            const char* q = digits;
            for (int i = 0; i < 2; ++i) {
                fraction *= 10;
                if (q < end && IsDigit(*q)) fraction += static_cast<uint32_t>(*q++ - '0');
            }
            if (q != digits) any = true;
            if (any) p = q;
        }
        if (any) Store32(target, whole * 100 + fraction);
        return p;
    }
    }
    return p;
}

// Appends without ever passing the buffer's end.
struct Appender {
    char* out;
    size_t capacity;
    size_t length = 0;

    void Bytes(const char* text, size_t n) {
        if (n > capacity - length) n = capacity - length;
        std::memcpy(out + length, text, n);
        length += n;
    }
    void Text(const char* text) { Bytes(text, std::strlen(text)); }
    void LineEnd() { Bytes("\r\n", 2); }
};

bool IsSet(const EmulatorOptions& options, const OptionField& field) {
    const uint8_t* value = FieldOf(options, field);
    switch (field.kind) {
    case OptionKind::Text: return value[0] != '\0';
    case OptionKind::Count:
    case OptionKind::Hundredths: return Load32(value) != field.unset;
    case OptionKind::SignedSmall: return static_cast<int8_t>(*value) != field.unset;
    default: return *value != field.unset;
    }
}

void AppendOption(Appender& out, const EmulatorOptions& options, const OptionField& field) {
    const uint8_t* value = FieldOf(options, field);
    char text[64];  // a 25-character name column and at most 20 digits
    int n = 0;
    switch (field.kind) {
    case OptionKind::Text:
        n = std::snprintf(text, sizeof text, "%-*s", kValueColumn, field.name);
        out.Bytes(text, static_cast<size_t>(n));
        out.Bytes(reinterpret_cast<const char*>(value), strnlen(reinterpret_cast<const char*>(value), field.size - 1u));
        out.LineEnd();
        return;
    case OptionKind::Switch: {
        const char digit = static_cast<char>('0' + *value);
        n = std::snprintf(text, sizeof text, "%-*s%c", kValueColumn, field.name, digit);
        break;
    }
    case OptionKind::Digit:
    case OptionKind::SmallNumber: n = std::snprintf(text, sizeof text, "%-*s%u", kValueColumn, field.name, static_cast<unsigned>(*value)); break;
    case OptionKind::SignedSmall:
        n = std::snprintf(text, sizeof text, "%-*s%d", kValueColumn, field.name, static_cast<int8_t>(*value));
        break;
    case OptionKind::Count:
        n = std::snprintf(text, sizeof text, "%-*s%u", kValueColumn, field.name, static_cast<uint32_t>(Load32(value)));
        break;
    case OptionKind::Hundredths: {
        // "%hu.%.2hu0000": whole part, exactly two decimals, four zeros. The
        // whole part is written in full, not cut to 16 bits.
        const uint32_t hundredths = static_cast<uint32_t>(Load32(value));
        n = std::snprintf(text, sizeof text, "%-*s%u.%.2u0000", kValueColumn, field.name, hundredths / 100,
                          hundredths % 100);
        break;
    }
    }
    out.Bytes(text, static_cast<size_t>(n));
    out.LineEnd();
}

}  // namespace

void ResetEmulatorOptions(EmulatorOptions& options) {
    for (const OptionField& field : kOptionFields) {
        uint8_t* value = FieldOf(options, field);
        switch (field.kind) {
        case OptionKind::Text: std::memset(value, 0, field.size); break;
        case OptionKind::Count:
        case OptionKind::Hundredths: Store32(value, static_cast<uint32_t>(field.unset)); break;
        default: *value = static_cast<uint8_t>(field.unset); break;
        }
    }
}

void ParseEmulatorOptions(const char* begin, const char* end, EmulatorOptions& options) {
    const char* p = begin;
    for (;;) {
        p = SkipSpace(p, end);
        if (p >= end) return;
        if (*p != '#') {
            if (const OptionField* field = MatchOption(p, end)) {
                // The value stands on the name's line; a name with nothing
                // after it leaves a number as it was and a text empty.
                p = ReadValue(*field, SkipBlanks(p + std::strlen(field->name), end), end, options);
            }
        }
        // Comments, unknown lines and whatever follows a value on its line.
        p = SkipLine(p, end);
    }
}

size_t FormatEmulatorOptions(const EmulatorOptions& options, char* buffer, size_t capacity) {
    Appender out{buffer, capacity};
    out.Text(kTitleLine);
    out.LineEnd();
    int section = 0;
    for (const OptionField& field : kOptionFields) {
        for (; section < field.section; ++section) {
            out.LineEnd();
            out.Text(kOptionSectionHeaders[section + 1]);
            out.LineEnd();
        }
        if (IsSet(options, field)) AppendOption(out, options, field);
    }
    for (; section < kOptionSections - 1; ++section) {
        out.LineEnd();
        out.Text(kOptionSectionHeaders[section + 1]);
        out.LineEnd();
    }
    return out.length;
}

}  // namespace quillet
