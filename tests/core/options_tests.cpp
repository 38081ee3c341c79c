// The emulator ini reader and writer as pure functions.
#include <doctest/doctest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "options/emulator_options.h"
#include "tests/exact_text.h"
#include "tests/real_data.h"

using quillet::EmulatorOptions;
using quillet::OptionField;
using quillet::OptionKind;

namespace {

EmulatorOptions Fresh() {
    EmulatorOptions options;
    std::memset(&options, 0xA5, sizeof options);  // so a field the reset misses shows
    quillet::ResetEmulatorOptions(options);
    return options;
}

EmulatorOptions Parse(const std::string& text) {
    EmulatorOptions options = Fresh();
    quillet::test::ExactText exact(text);
    quillet::ParseEmulatorOptions(exact.begin(), exact.end(), options);
    return options;
}

std::string Format(const EmulatorOptions& options) {
    char buffer[quillet::kOptionsTextCapacity];
    return std::string(buffer, quillet::FormatEmulatorOptions(options, buffer, sizeof buffer));
}

// The set options as "name=value|...", in file order, from the writer's text.
std::string SetOptions(const EmulatorOptions& options) {
    std::istringstream lines(Format(options));
    std::string line, out;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::string name = line.substr(0, 25);
        name.erase(name.find_last_not_of(' ') + 1);
        out += (out.empty() ? "" : "|") + name + "=" + line.substr(25);
    }
    return out;
}

const OptionField& Field(const char* name) {
    for (const OptionField& field : quillet::kOptionFields)
        if (std::strcmp(field.name, name) == 0) return field;
    FAIL("no option " << name);
    return quillet::kOptionFields[0];
}

uint8_t* At(EmulatorOptions& options, const OptionField& field) {
    return reinterpret_cast<uint8_t*>(&options) + field.offset;
}

void SetNumber(EmulatorOptions& options, const OptionField& field, int64_t value) {
    if (field.kind == OptionKind::Count || field.kind == OptionKind::Hundredths) {
        const uint32_t v = static_cast<uint32_t>(value);
        std::memcpy(At(options, field), &v, 4);
    } else {
        *At(options, field) = static_cast<uint8_t>(value);
    }
}

std::string RealData(const char* name) {
    std::ifstream in(std::string(QUILLET_REALDATA_DIR) + "/" + name, std::ios::binary);
    if (!in) return {};
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST_CASE("the reader takes the options a file holds") {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"", ""},
        {"# only a comment\r\n\r\n   \t\r\n#rompath roms\r\n", ""},
        // Section headers are comments; order is free; the later line wins.
        {"## Windows video options ###\r\nthrottle 1\r\nrompath roms\r\nthrottle 0\r\n", "rompath=roms|throttle=0"},
        {"THROTTLE 1\r\nsound 0", "sound=0"},
        {"frameskip 10\r\nd3dfeedback 100\r\nartwork_resolution 10\r\nvolume -12\r\n",
         "frameskip=10|d3dfeedback=100|volume=-12|artwork_resolution=10"},
        {"gamma 1.250000\r\nbeam 16.000000\r\nflicker 0.05\r\n", "gamma=1.250000|beam=16.000000|flicker=0.050000"},
        {"frames_to_run 70000\r\nmaxlogsize 4294967295\r\n", "frames_to_run=70000|maxlogsize=4294967295"},
        {"rompath roms;D:\\more roms\r\n", "rompath=roms;D:\\more roms"},
        {"rompath\troms \r\n", "rompath=roms "},  // a trailing blank belongs to the value
        // Names of other versions that begin like ours are not ours.
        {"joystick_deadzone 0.3\r\nlightgun_device keyboard\r\ndebuglog 1\r\nbeam_width_min 1.0\r\nmouse 1\r\n",
         "mouse=1"},
        {"artwork_foo 1\r\nartwork_crop 1\r\ncheat 1\r\ncheat_file c.dat\r\n",
         "cheat_file=c.dat|artwork_crop=1|cheat=1"},
        {"d3deffectrotate 1\r\n", ""},
        // A name with no value leaves the next line alone.
        {"bios                      \ncheat                     0\n", "cheat=0"},
        // Line feeds only, and no line end at all after the last value.
        {"rompath roms\nthrottle 1\nbios default", "rompath=roms|throttle=1|bios=default"},
        {"zoom 12\r\naudio_latency 3\r\nd3dfilter 1\r\n", "zoom=1|d3dfilter=1|audio_latency=3"},
        {"gamma 1\r\nbrightness 0.5\r\npause_brightness 0.65\r\nintensity .5\r\n",
         "gamma=1.000000|brightness=0.500000|pause_brightness=0.650000|intensity=0.500000"},
        // Stray characters: the digits before them count, or nothing does.
        {"maxlogsize 10x\r\nframes_to_run -5\r\nthrottle yes\r\nvolume -\r\ngamma .\r\n", "maxlogsize=10"},
        // Over-long texts are cut at their field.
        {"effect abcdefghijklmnop\r\nscreen_aspect 16:10\r\n", "effect=abcdefghi|screen_aspect=16:"},
    };
    for (const Case& c : cases) {
        INFO("text: " << c.text);
        CHECK_EQ(SetOptions(Parse(c.text)), std::string(c.expected));
    }
}

TEST_CASE("the writer's layout") {
    const EmulatorOptions empty = Fresh();
    const std::string headers =
        "\r\n## Windows video options ###\r\n\r\n## Windows Direct3D 2D video options ###\r\n"
        "\r\n## Windows sound options ###\r\n\r\n## Input device options ###\r\n"
        "\r\n## Mame CORE video options ###\r\n\r\n## Mame CORE vector game options ###\r\n"
        "\r\n## Mame CORE sound options ###\r\n\r\n## Mame CORE misc options ###\r\n"
        "\r\n## Configuration options ###\r\n";
    CHECK_EQ(Format(empty), "## videdu.ini ###\r\n" + headers);
    CHECK_EQ(Format(empty).size(), 331u);

    EmulatorOptions example = Fresh();
    std::strcpy(example.rompath, "roms");
    example.frameskip = 2;
    example.gamma = 125;
    example.full_screen_brightness = 0;
    CHECK_EQ(Format(example),
             "## videdu.ini ###\r\nrompath                  roms\r\n"
             "\r\n## Windows video options ###\r\nframeskip                2\r\n"
             "full_screen_brightness   0.000000\r\n"
             "\r\n## Windows Direct3D 2D video options ###\r\n\r\n## Windows sound options ###\r\n"
             "\r\n## Input device options ###\r\n\r\n## Mame CORE video options ###\r\n"
             "gamma                    1.250000\r\n"
             "\r\n## Mame CORE vector game options ###\r\n\r\n## Mame CORE sound options ###\r\n"
             "\r\n## Mame CORE misc options ###\r\n\r\n## Configuration options ###\r\n");
}

TEST_CASE("the writer's value texts and what counts as unset") {
    struct Case {
        const char* name;
        int64_t value;
        const char* expected;  // "" when the option is left out
    };
    const Case cases[] = {
        {"beam", 100, "1.000000"},       {"beam", 5, "0.050000"},        {"beam", 1600, "16.000000"},
        {"beam", 355, "3.550000"},       {"beam", 99, ""},               {"gamma", 49, ""},
        {"gamma", 50, "0.500000"},       {"flicker", -1, ""},            {"flicker", 0, "0.000000"},
        {"volume", -33, ""},             {"volume", -32, "-32"},         {"volume", 0, "0"},
        {"frames_to_run", 256, "256"},   {"frames_to_run", 0, ""},       {"maxlogsize", 2000000, "2000000"},
        {"frameskip", 255, ""},          {"frameskip", 0, "0"},          {"frameskip", 11, "11"},
        {"zoom", 0, ""},                 {"zoom", 3, "3"},               {"throttle", 2, ""},
        {"throttle", 0, "0"},            {"throttle", 1, "1"},
    };
    for (const Case& c : cases) {
        INFO(c.name << " = " << c.value);
        EmulatorOptions options = Fresh();
        SetNumber(options, Field(c.name), c.value);
        const std::string expected = *c.expected ? std::string(c.name) + "=" + c.expected : "";
        CHECK_EQ(SetOptions(options), expected);
    }
}

TEST_CASE("every value the pages can produce reads back as written") {
    // Slider ranges, spin ranges, radio and check box values, and list texts.
    struct Sweep {
        const char* name;
        int64_t first, last;
    };
    const Sweep sweeps[] = {
        {"frameskip", -1, 11},  {"full_screen_brightness", -1, 200}, {"d3dscan", -1, 100},
        {"d3dfeedback", -1, 100}, {"gamma", 49, 200},   {"brightness", -1, 200}, {"pause_brightness", -1, 200},
        {"beam", 99, 1600},     {"flicker", -1, 100},   {"intensity", 49, 300}, {"volume", -33, 0},
        {"a2d_deadzone", -1, 100}, {"artwork_resolution", -1, 10}, {"zoom", 0, 9}, {"audio_latency", 0, 4},
        {"frames_to_run", 0, 300}, {"maxlogsize", 0, 300},
    };
    for (const Sweep& sweep : sweeps) {
        for (int64_t value = sweep.first; value <= sweep.last; ++value) {
            EmulatorOptions options = Fresh();
            SetNumber(options, Field(sweep.name), value);
            CAPTURE(sweep.name);
            CAPTURE(value);
            const EmulatorOptions back = Parse(Format(options));
            REQUIRE_EQ(std::memcmp(&back, &options, sizeof options), 0);
        }
    }

    // Everything at once: switches on and off, big counts, every text full to
    // its width with a blank at the end.
    for (int pass = 0; pass < 2; ++pass) {
        EmulatorOptions options = Fresh();
        for (const OptionField& field : quillet::kOptionFields) {
            uint8_t* value = At(options, field);
            if (field.kind == OptionKind::Text) {
                std::memset(value, pass ? 'x' : '\\', field.size - 1u);
                value[field.size - 2u] = ' ';
            } else if (field.kind == OptionKind::Switch) {
                *value = static_cast<uint8_t>(pass);
            } else if (field.kind == OptionKind::Count) {
                SetNumber(options, field, pass ? 4294967295u : 2000000000u);
            }
        }
        const std::string text = Format(options);
        CHECK_LT(text.size(), 7000u);
        const EmulatorOptions back = Parse(text);
        CHECK_EQ(std::memcmp(&back, &options, sizeof options), 0);
    }
}

TEST_CASE("the real default ini files of the era" *
          doctest::skip(quillet::test::RealDataAbsent("mame_ini_mame0084_default.ini"))) {
    const std::string v084 = RealData("mame_ini_mame0084_default.ini");
    REQUIRE_FALSE(v084.empty());
    const EmulatorOptions options = Parse(v084);
    CHECK_EQ(std::string(options.rompath), "roms");
    CHECK_EQ(std::string(options.samplerate), "44100");
    CHECK_EQ(std::string(options.bios), "default");
    CHECK_EQ(int(options.zoom), 2);
    CHECK_EQ(int(options.d3dscan), 100);
    CHECK_EQ(int(options.volume), 0);
    CHECK_EQ(options.full_screen_brightness, 0);
    CHECK_EQ(options.a2d_deadzone, 30);
    CHECK_EQ(options.pause_brightness, 65);
    CHECK_EQ(options.maxlogsize, 10000u);
    const EmulatorOptions back = Parse(Format(options));
    CHECK_EQ(std::memcmp(&back, &options, sizeof options), 0);

    // 0.106 adds lightgun_device after lightgun: lightgun keeps its 0.
    const std::string v106 = RealData("mame_ini_mame0106_default.ini");
    if (!v106.empty()) CHECK_EQ(int(Parse(v106).lightgun), 0);

    // Today's file: an empty bios does not swallow the cheat line; names that
    // begin like ours (joystick_deadzone, beam_width_min) are not ours.
    const std::string v251 = RealData("mame_ini_mame0251_default.ini");
    if (!v251.empty()) {
        const EmulatorOptions today = Parse(v251);
        CHECK_EQ(std::string(today.bios), "");
        CHECK_EQ(int(today.cheat), 0);
        CHECK_EQ(int(today.joystick), 1);
        CHECK_EQ(today.beam, 99);
        CHECK_EQ(int(today.sound), 2);  // "auto" is no switch value
    }
}
