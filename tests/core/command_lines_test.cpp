#include <doctest/doctest.h>

#include <string>

#include "settings/command_lines.h"

using namespace quillet;

TEST_CASE("emulator command lines quote the path and the argument, and refuse what they cannot quote") {
    struct Row {
        const char* emulator;
        const char* argument;
        size_t capacity;
        const char* expected;  // nullptr: refused, empty output
    };
    const Row rows[] = {
        {"C:\\Program Files\\MAME\\mame.exe", "pacman", 64, "\"C:\\Program Files\\MAME\\mame.exe\"  \"pacman\""},
        {"D:\\Emu\\emu.exe", "-lx", 64, "\"D:\\Emu\\emu.exe\"  \"-lx\""},
        {"mame.exe", "abcdefghijklmnop", 64, "\"mame.exe\"  \"abcdefghijklmnop\""},  // 16-character names
        {"mame.exe", "-noreadconfig -showconfig", 64, "\"mame.exe\"  \"-noreadconfig\" \"-showconfig\""},
        {"mame.exe", "-noreadconfig -showconfig", 38, nullptr},  // the second option does not fit
        // Exactly fitting: 12 characters and the terminator.
        {"abc", "-lx", 13, "\"abc\"  \"-lx\""},
        {"abc", "-lx", 12, nullptr},
        {"mame.exe", "pac\"man", 64, nullptr},
        {"mame.exe", "\"", 64, nullptr},
        {"C:\\x.exe\" -evil \"", "pacman", 64, nullptr},
    };
    for (const Row& r : rows) {
        CAPTURE(r.emulator);
        CAPTURE(r.argument);
        char out[64] = "stale";
        CHECK_EQ(ComposeEmulatorCommand(out, r.capacity, r.emulator, r.argument), r.expected != nullptr);
        CHECK_EQ(std::string(out), r.expected ? r.expected : "");
    }
}

TEST_CASE("RomServer: host[:port] of letters, digits, dots and hyphens, else the built-in server") {
    struct Row {
        const char* value;
        bool usable;
    };
    const Row rows[] = {
        {"ftp.example.net", true},   {"roms-1.example.com:2121", true}, {"10.0.0.7:21", true},
        {"localhost", true},         {"host:1", true},                  {"host:65535", true},
        {"", false},                 {":21", false},                    {"host:", false},
        {"host:0", false},           {"host:65536", false},             {"host:123456", false},
        {"host:21:22", false},       {"host:2a", false},                {"ho st", false},
        {"host/evil", false},        {"host\"x", false},                {"user@host", false},
        {"h\xe9te.example.org", false}, {"[::1]:21", false},
    };
    for (const Row& r : rows) {
        CAPTURE(r.value);
        CHECK_EQ(IsUsableRomServer(r.value), r.usable);
        CHECK_EQ(std::string(RomServerOrBuiltIn(r.value)), r.usable ? r.value : kBuiltInRomServer);
    }
}

TEST_CASE("the download command names the archive on the server, never a quoted-out name") {
    const char explorer[] = "C:\\Windows\\explorer.exe";
    char out[128] = "stale";
    CHECK(ComposeRomDownloadCommand(out, sizeof out, explorer, "roms.example.org", "pacman"));
    CHECK_EQ(std::string(out), "\"C:\\Windows\\explorer.exe\" \"ftp://roms.example.org/arcade/mame/roms/pacman.zip\"");
    CHECK(ComposeRomDownloadCommand(out, sizeof out, explorer, "mirror.example.net:2121", "abcdefghijklmnop"));
    CHECK_EQ(std::string(out),
             "\"C:\\Windows\\explorer.exe\" \"ftp://mirror.example.net:2121/arcade/mame/roms/abcdefghijklmnop.zip\"");
    CHECK_FALSE(ComposeRomDownloadCommand(out, sizeof out, explorer, "roms.example.org", "pac\" man"));
    CHECK_EQ(std::string(out), "");
    CHECK_FALSE(ComposeRomDownloadCommand(out, 40, explorer, "roms.example.org", "pacman"));
    CHECK_EQ(std::string(out), "");
}
