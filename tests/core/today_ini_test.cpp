// Today's ini files as lines: the layout test that picks the editor, and a
// model whose saves change exactly the lines of the options that changed.
#include <doctest/doctest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "options/today_ini.h"
#include "tests/real_data.h"

using quillet::IniLayout;
using quillet::test::RealDataAbsent;

namespace {

std::string ReadReal(const char* name) {
    std::ifstream in(std::string(QUILLET_REALDATA_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
}

// The real file as a Windows user has it: backslashed paths, CRLF, and a
// byte-order mark from the editor that last saved it.
std::string WindowsRendition(const std::string& text) {
    std::string out = Replace(Replace(text, "/usr/share/games/mame/", "C:\\MAME\\"), "$HOME/", "C:\\Users\\me\\");
    out = Replace(out, "\n", "\r\n");
    return "\xEF\xBB\xBF" + out;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace

TEST_CASE("the layout of a file decides its editor") {
    struct Case {
        const char* text;
        IniLayout layout;
    };
    const Case cases[] = {
        {"", IniLayout::Empty},
        {"\xEF\xBB\xBF\r\n# only a comment\r\n\r\n", IniLayout::Empty},
        {"rompath roms\r\nsamplepath samples\r\n", IniLayout::Era},
        {"### mame.ini ###\nclones 1\ninipath .;ini\n", IniLayout::Era},  // names of the real 0.84 file
        {"#\n# CORE CONFIGURATION OPTIONS\n#\n", IniLayout::Today},
        {"\xEF\xBB\xBF#\r\n# CORE SEARCH PATH OPTIONS\r\n#\r\nrompath roms\r\n", IniLayout::Today},
        {"rompath roms\njoystick_deadzone 0.3\n", IniLayout::Today},  // a name the era never had
        {"#\n# OSD VIDEO OPTIONS\n#\nvideo d3d\n", IniLayout::Today},
        {"# CORE OPTIONS without its frame\nrompath roms\n", IniLayout::Era},
    };
    for (const Case& c : cases) {
        INFO(c.text);
        CHECK_EQ(quillet::ClassifyIniText(c.text), c.layout);
    }
}

TEST_CASE("the real files get their own editors" * doctest::skip(RealDataAbsent("mame_ini_mame0251_default.ini"))) {
    CHECK_EQ(quillet::ClassifyIniText(ReadReal("mame_ini_mame0084_default.ini")), IniLayout::Era);
    CHECK_EQ(quillet::ClassifyIniText(ReadReal("mame_ini_mame0106_default.ini")), IniLayout::Era);
    CHECK_EQ(quillet::ClassifyIniText(ReadReal("mame_ini_mame0251_default.ini")), IniLayout::Today);
}

TEST_CASE("a change on the real 0.251 file changes exactly its own line" *
          doctest::skip(RealDataAbsent("mame_ini_mame0251_default.ini"))) {
    const std::string plain = ReadReal("mame_ini_mame0251_default.ini");
    for (const std::string& original : {plain, WindowsRendition(plain)}) {
        quillet::TodayIni ini = quillet::ReadTodayIni(original);
        CHECK_EQ(quillet::WriteTodayIni(ini), original);
        CHECK_EQ(ini.lines.size(), 404u);
        CHECK_FALSE(quillet::SetTodayIniValue(ini, "writeconfig", "0", "CORE CONFIGURATION OPTIONS"));
        CHECK(quillet::SetTodayIniValue(ini, "rompath", "D:\\My Roms;E:\\roms", "CORE SEARCH PATH OPTIONS"));
        const std::string saved = quillet::WriteTodayIni(ini);
        const auto before = Lines(original), after = Lines(saved);
        REQUIRE_EQ(before.size(), after.size());
        size_t changed = 0;
        for (size_t i = 0; i < before.size(); ++i) {
            if (before[i] == after[i]) continue;
            ++changed;
            const std::string end = original.find("\r\n") != std::string::npos ? "\r" : "";
            CHECK_EQ(after[i], "rompath                   \"D:\\My Roms;E:\\roms\"" + end);
        }
        CHECK_EQ(changed, 1u);
        CHECK_EQ(quillet::TodayIniValue(quillet::ReadTodayIni(saved), "rompath"), "D:\\My Roms;E:\\roms");
    }
}

TEST_CASE("an option the file lacks goes after its section's last option line") {
    const std::string text =
        "#\r\n# CORE SEARCH PATH OPTIONS\r\n#\r\nrompath roms\r\n# mine\r\nmy_own 1\r\n\r\n"
        "#\r\n# CORE SOUND OPTIONS\r\n#\r\n\r\n#\r\n# OSD VIDEO OPTIONS\r\n#\r\nvideo d3d";
    struct Case {
        const char* name;
        const char* section;
        const char* expected;  // the line after which it stands ("" = the first line)
    };
    const Case cases[] = {
        {"samplepath", "CORE SEARCH PATH OPTIONS", "my_own 1"},
        {"volume", "CORE SOUND OPTIONS", "#"},  // a section without options: under its header
        {"newer_option", "CORE NEWER OPTIONS", "video d3d"},  // no such section: at the end
    };
    for (const Case& c : cases) {
        INFO(c.name);
        quillet::TodayIni ini = quillet::ReadTodayIni(text);
        REQUIRE(quillet::SetTodayIniValue(ini, c.name, "7", c.section));
        const std::string saved = quillet::WriteTodayIni(ini);
        const std::string line = quillet::FormatTodayIniLine(c.name, "7") + "\r\n";
        const size_t at = saved.find(line);
        REQUIRE_NE(at, std::string::npos);
        CHECK_EQ(saved.substr(0, at) + saved.substr(at + line.size()),
                 std::string(text) + (std::string(c.name) == "newer_option" ? "\r\n" : ""));
        const std::string head = saved.substr(0, at - 2);
        CHECK_EQ(head.substr(head.rfind('\n') + 1), c.expected);
    }
}

TEST_CASE("values: MAME's own line form, removal, and what cannot be written") {
    CHECK_EQ(quillet::FormatTodayIniLine("volume", "-6"), "volume                    -6");
    CHECK_EQ(quillet::FormatTodayIniLine("state", ""), "state                     ");
    CHECK_EQ(quillet::FormatTodayIniLine("snapname", "%g/%i #1"), "snapname                  \"%g/%i #1\"");
    CHECK_EQ(quillet::FormatTodayIniLine("a_name_longer_than_the_column", "1"), "a_name_longer_than_the_column 1");
    CHECK(quillet::IsWritableIniValue("C:\\roms;D:\\more roms"));
    for (const char* bad : {"two\nlines", "cr\r", "a \"quote\""}) CHECK_FALSE(quillet::IsWritableIniValue(bad));

    // A game's file: a new one holds only what is set; removing the last
    // line leaves it empty.
    quillet::TodayIni game = quillet::ReadTodayIni("");
    quillet::SetTodayIniValue(game, "rotate", "0", "CORE ROTATION OPTIONS");
    CHECK_EQ(quillet::WriteTodayIni(game), "rotate                    0\r\n");
    CHECK(quillet::RemoveTodayIniValue(game, "rotate"));
    CHECK_FALSE(quillet::RemoveTodayIniValue(game, "rotate"));
    CHECK_EQ(quillet::WriteTodayIni(game), "");

    // A later line wins, and is the one rewritten; the earlier stays.
    quillet::TodayIni twice = quillet::ReadTodayIni("gamma 1.0\ngamma 1.2 # mine\n");
    CHECK_EQ(quillet::TodayIniValue(twice, "gamma"), "1.2");
    CHECK(quillet::SetTodayIniValue(twice, "gamma", "0.8", ""));
    CHECK_EQ(quillet::WriteTodayIni(twice), "gamma 1.0\ngamma                     0.8\n");
}
