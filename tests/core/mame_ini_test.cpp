#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "settings/mame_ini.h"

using namespace quillet;

TEST_CASE("ini lines read as MAME reads them") {
    struct Row {
        const char* line;
        const char* name;   // nullptr: a comment
        const char* value;
    };
    const Row rows[] = {
        {"rompath                   roms;D:\\more roms", "rompath", "roms;D:\\more roms"},
        {"  # a comment", nullptr, ""},
        {"", nullptr, ""},
        {" \t\r", nullptr, ""},
        {"snapname  %g/%i\r", "snapname", "%g/%i"},
        {"artpath \"C:\\My Art#1\"  # comment", "artpath", "C:\\My Art#1"},
        {"volume 0 # quieter", "volume", "0"},
        {"hash#tag value", "hash#tag", "value"},          // a '#' inside the name is part of it
        {"bare", "bare", ""},
        {"bare\n", "bare", ""},
        {"quoted \"half", "quoted", "\"half"},            // an unbalanced quote stays
        {"empty \"\"", "empty", ""},
    };
    for (const Row& r : rows) {
        CAPTURE(r.line);
        const auto parsed = ParseMameIniLine(r.line);
        REQUIRE_EQ(parsed.has_value(), r.name != nullptr);
        if (!parsed) continue;
        CHECK_EQ(std::string(parsed->name), r.name);
        CHECK_EQ(parsed->value, r.value);
    }
}

TEST_CASE("a file's value: the last line wins, a byte-order mark and CRLF are read through") {
    const std::string text =
        "\xEF\xBB\xBFsnapshot_directory snap\r\n#\r\n# CORE SEARCH PATH OPTIONS\r\n"
        "rompath roms\r\nsnapshot_directory \"D:\\snaps;snap2\"\r\nlast_without_end x";
    CHECK_EQ(MameIniValue(text, "snapshot_directory").value_or("?"), "D:\\snaps;snap2");
    CHECK_EQ(MameIniValue(text, "rompath").value_or("?"), "roms");
    CHECK_EQ(MameIniValue(text, "last_without_end").value_or("?"), "x");
    CHECK_FALSE(MameIniValue(text, "SNAPSHOT_DIRECTORY").has_value());
    CHECK_FALSE(MameIniValue("", "rompath").has_value());
}

TEST_CASE("folder lists split at ';' and resolve against MAME's folder unless absolute") {
    CHECK_EQ(SplitFolderList(".;ini; ini/presets ;;"), std::vector<std::string>{".", "ini", "ini/presets"});
    CHECK(SplitFolderList("").empty());

    struct Row {
        const char* base;
        const char* path;
        const char* resolved;
    };
    const Row rows[] = {
        {"C:\\MAME\\", "snap", "C:\\MAME\\snap"},
        {"C:\\MAME", "ini/presets", "C:\\MAME\\ini/presets"},
        {"C:\\MAME\\", ".", "C:\\MAME"},
        {"C:\\MAME\\", "D:\\art", "D:\\art"},
        {"C:\\MAME\\", "d:/art", "d:/art"},
        {"C:\\MAME\\", "\\\\server\\share", "\\\\server\\share"},
        {"C:\\MAME\\", "\\rooted", "\\rooted"},
        {"", "snap", "snap"},
    };
    for (const Row& r : rows) {
        CAPTURE(r.path);
        CHECK_EQ(ResolveMamePath(r.base, r.path), r.resolved);
    }
}
