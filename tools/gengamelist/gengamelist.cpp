// gengamelist: writes a made-up game list in the XML format the emulator
// prints with -lx in its 0.7x to 0.10x versions, the -verifysets output that
// matches it, and a catver.ini. Names, descriptions and makers are built from
// syllables; the same seed always gives the same bytes.
//
//   gengamelist [--games N] [--seed S] [--xml FILE] [--verify FILE]
//               [--catver FILE] [--crlf] [--build-attr] [--not-found] [--today]
//
// --today writes today's format instead (MAME 0.107 on, as 0.251 prints it):
// <mame build="0.251 (gengamelist)">, <machine> elements with names of up to
// 15 characters, a BIOS set (isbios="yes"), devices (isdevice="yes"
// runnable="no") that games refer to, <display> elements (some machines have
// two), driver status good, imperfect or preliminary with the colour and
// sound status in <feature> elements, UTF-8 text, and the children the era
// never wrote (device_ref, port, slot, configuration, softwarelist...); the
// verification output is that of -verifyroms, with detail lines.
//
// --build-attr writes the 0.106 form: <mame build="...">, sourcefile on each
// game and the later driver attributes. --crlf ends every line in CR LF, as
// the emulator's Windows build prints. --not-found adds lines
// 'romset "name" not found!' to the verification output; the emulator prints
// those only when asked about one set, and they have no " is " of their own,
// so a reader looking for " is " takes the verdict of the next line: leave
// them out unless that is what is being tested.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

// splitmix64: small, fast and the same everywhere.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool Percent(int p) { return Below(100) < p; }
    template <typename T, size_t N>
    const T& Pick(const T (&items)[N]) { return items[Below(static_cast<int>(N))]; }
    std::string Hex(int digits) {
        static const char kDigits[] = "0123456789abcdef";
        std::string out;
        for (int i = 0; i < digits; ++i) out += kDigits[Below(16)];
        return out;
    }

private:
    uint64_t state_;
};

// FNV-1a: a hash that is the same on every platform (std::hash is not).
uint64_t Fnv1a(const std::string& text) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (unsigned char c : text) h = (h ^ c) * 0x100000001b3ull;
    return h;
}

// Offsets are written in hexadecimal without a prefix.
std::string HexNumber(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", value);
    return text;
}

const char* const kOnsets[] = {"b", "d", "f", "g", "k", "l", "m", "n", "p", "r", "s", "t", "v", "z",
                               "br", "dr", "gr", "kr", "pl", "st", "tr", "sk", "qu", "x", "h", "j"};
const char* const kVowels[] = {"a", "e", "i", "o", "u", "a", "o", "ai", "ou", "y"};
const char* const kCodas[] = {"", "", "", "n", "r", "x", "k", "l", "s", "m", "t", "z"};

const char* const kTitleWords[] = {"Raiders", "Quest", "Force", "Patrol", "Legend", "Fighter", "Attack",
                                   "Blaster", "Runner", "Warriors", "Squadron", "Hunter", "Striker",
                                   "Racer", "Champion", "Commando", "Invasion", "Kingdom", "Dragon",
                                   "Galaxy", "Thunder", "Mission", "Riders", "Tower", "Castle"};
const char* const kRegions[] = {"World", "US", "Japan", "Europe", "Asia", "Korea", "set 2", "set 3", "bootleg",
                                "prototype", "older", "Rev A"};
const char* const kCategories[] = {"Maze", "Maze / Digging", "Shooter / Flying Vertical", "Shooter / Flying Horizontal",
                                   "Shooter / Gallery", "Shooter / Space", "Platform", "Climbing",
                                   "Fighter / Versus", "Fighter / Scrolling", "Sports / Baseball",
                                   "Sports / Golf", "Sports / Soccer", "Driving / Race", "Puzzle / Drop",
                                   "Puzzle / Match", "Ball & Paddle", "Quiz / English", "Casino / Cards",
                                   "Tabletop / Mahjong", "Multiplay", "Misc."};
const char* const kChips[] = {"Z80", "M6502", "M68000", "M6809", "I8085", "HD6309", "V30", "MCS48"};
const char* const kAudioChips[] = {"AY-3-8910", "YM2151", "YM2203", "SN76496", "Samples", "DAC", "MSM5205", "OKIM6295"};
const char* const kControls[] = {"joy2way", "joy4way", "joy8way", "dial", "trackball", "paddle", "stick"};
const char* const kRefresh[] = {"60.000000", "60.606060", "57.500000", "59.185606", "54.000000", "60.000000", "58.000000"};
const char* const kDipNames[] = {"Lives", "Bonus Life", "Coinage", "Difficulty", "Cabinet", "Demo Sounds",
                                 "Flip Screen", "Service Mode", "Free Play", "Allow Continue"};
const char* const kDipValues[] = {"Off", "On", "1", "2", "3", "5", "Easy", "Normal", "Hard", "Hardest",
                                  "Upright", "Cocktail", "1 Coin/1 Credit", "2 Coins/1 Credit", "10000", "None"};
const char* const kRasterSizes[][2] = {{"224", "288"}, {"256", "224"}, {"288", "224"}, {"320", "240"},
                                       {"384", "224"}, {"240", "256"}, {"336", "240"}, {"512", "448"}};

struct Game {
    std::string name;
    std::string cloneof;  // empty for a parent
    std::string romof;    // parent or BIOS
    std::string sampleof;
    std::string sourcefile;
    std::string description;
    std::string year;  // empty: no year element
    std::string manufacturer;
    bool bios = false;
    bool vector = false;
    bool vertical = false;
    bool noWidth = false;  // a raster game written without width and height
    int rasterSize = 0;
    int status = 0, color = 0, sound = 0;  // 0 good, 1 imperfect, 2 preliminary
    bool twoScreens = false;               // today: a second display
};

// Devices of today's lists: machines that are not games, referred to by games.
const char* const kDevices[] = {"z80", "m6502", "m68000", "m6809", "ym2151", "ay8910", "sn76496", "okim6295",
                                "gfxdecode", "palette", "screen", "speaker", "watchdog", "generic_latch_8",
                                "ls259", "eeprom_serial_93cxx_16bit", "timer", "nvram"};

class Generator {
public:
    Generator(uint64_t seed, bool buildAttr, bool today) : random_(seed), buildAttr_(buildAttr), today_(today) {}

    std::vector<Game> MakeGames(int count);
    std::string Xml(const std::vector<Game>& games);
    std::string Verify(const std::vector<Game>& games, bool notFound);
    std::string Catver(const std::vector<Game>& games);

private:
    std::string Syllable() {
        return std::string(random_.Pick(kOnsets)) + random_.Pick(kVowels) + random_.Pick(kCodas);
    }
    std::string Word() {
        std::string w = Syllable() + Syllable();
        w[0] = static_cast<char>(w[0] - 'a' + 'A');
        return w;
    }
    // A short name of at most `limit` characters not used before.
    std::string UniqueName(size_t limit);
    std::string Maker();
    void WriteGame(std::string& out, const Game& g);
    void WriteMachine(std::string& out, const Game& g);

    Random random_;
    bool buildAttr_;
    bool today_;
    std::set<std::string> used_;
    std::vector<std::string> makers_;
};

std::string Generator::UniqueName(size_t limit) {
    for (;;) {
        std::string name = Syllable() + Syllable();
        if (random_.Percent(30)) name += Syllable();
        if (random_.Percent(15)) name += std::to_string(random_.Between(1, 99));
        if (name.size() > limit) name.resize(limit);
        if (name.size() >= 3 && used_.insert(name).second) return name;
    }
}

std::string Generator::Maker() {
    if (makers_.empty()) {
        for (int i = 0; i < 40; ++i) {
            std::string m = Word();
            if (i % 5 == 0) m += " &amp; " + Word();                     // "Tarpel &amp; Quen"
            else if (i % 7 == 0) m += " (" + Word() + " license)";
            else if (i % 4 == 0) m += " Corporation";
            makers_.push_back(m);
        }
    }
    // A few makers make most of the games.
    int index = random_.Percent(60) ? random_.Below(8) : random_.Below(static_cast<int>(makers_.size()));
    return makers_[static_cast<size_t>(index)];
}

std::vector<Game> Generator::MakeGames(int count) {
    std::vector<Game> games;
    // A BIOS set first: not runnable, the romof of some games.
    Game bios;
    do {
        bios.name = UniqueName(4) + "bios";
    } while (!used_.insert(bios.name).second);
    bios.bios = true;
    bios.description = Word() + " BIOS";
    bios.manufacturer = Maker();
    bios.year = std::to_string(random_.Between(1985, 1995));
    bios.sourcefile = bios.name.substr(0, 5) + ".c";
    if (count > 0) games.push_back(bios);

    for (int parents = 0; static_cast<int>(games.size()) < count; ++parents) {
        Game parent;
        // Today's names run up to 15 characters, clones' suffixes included.
        parent.name = UniqueName(today_ && random_.Percent(35) ? 13 : 6);
        if (today_ && parents == 4) parent.name = "longnamed" + UniqueName(4);
        parent.sourcefile = (random_.Percent(50) ? parent.name.substr(0, 5) : UniqueName(8)) + ".c";
        std::string title = Word();
        if (random_.Percent(70)) title += " " + std::string(random_.Pick(kTitleWords));
        if (random_.Percent(10)) title += " &amp; " + Word();
        // The emulator escapes &, < and > but writes an apostrophe as it is.
        if (random_.Percent(5)) title = Word() + "'s " + title;
        parent.description = title;
        int year = random_.Between(1975, 2005);
        if (random_.Percent(5)) parent.year = std::to_string(year / 10) + "?";  // "198?"
        else if (!random_.Percent(3)) parent.year = std::to_string(year);
        parent.manufacturer = random_.Percent(3) ? "&lt;unknown&gt;" : Maker();
        parent.vector = random_.Percent(4);
        parent.vertical = random_.Percent(25);
        parent.noWidth = !parent.vector && random_.Percent(1);
        // Small lists still show each kind: a vector game, a raster game
        // written without width, a vertical one.
        if (parents == 1) parent.vector = true;
        if (parents == 2) parent.vector = false, parent.noWidth = true;
        if (parents == 3) parent.vector = false, parent.vertical = true;
        parent.rasterSize = random_.Below(static_cast<int>(std::size(kRasterSizes)));
        if (random_.Percent(6)) parent.sampleof = parent.name;
        if (random_.Percent(6)) parent.romof = bios.name;
        // The emulator's drivers of this era are good or preliminary; only colour
        // and sound are ever imperfect.
        parent.status = random_.Percent(85) ? 0 : 2;
        if (today_ && random_.Percent(30)) parent.status = 1;  // today's drivers may be imperfect
        parent.twoScreens = today_ && !parent.vector && random_.Percent(6);
        if (today_ && parents == 5) parent.twoScreens = true, parent.vector = false;
        // Today's years may hide two digits.
        if (today_ && random_.Percent(3)) parent.year = std::to_string(year / 100) + "??";
        // Today's text is UTF-8.
        if (today_ && random_.Percent(4)) parent.description += " (Caf\xC3\xA9 \xE2\x80\x94 r\xC3\xA9v.)";
        parent.color = random_.Percent(90) ? 0 : random_.Between(1, 2);
        parent.sound = random_.Percent(75) ? 0 : random_.Between(1, 2);
        games.push_back(parent);

        int clones = random_.Percent(55) ? 0 : random_.Between(1, 4);
        static const char* const kSuffixes[] = {"j", "u", "a", "b", "2", "bl", "e", "k", "o", "p", "h", "3"};
        for (int i = 0; i < clones && static_cast<int>(games.size()) < count; ++i) {
            Game clone = parent;
            std::string name = parent.name + random_.Pick(kSuffixes);
            if (!used_.insert(name).second) continue;
            clone.name = name;
            clone.cloneof = parent.name;
            clone.romof = parent.name;
            const char* region = random_.Pick(kRegions);
            clone.description = parent.description + " (" + region + ")";
            if (std::strcmp(region, "bootleg") == 0) clone.manufacturer = "bootleg";
            if (random_.Percent(20) && !parent.year.empty() && parent.year.back() != '?') {
                clone.year = std::to_string(std::atoi(parent.year.c_str()) + random_.Between(0, 2));
            }
            clone.status = random_.Percent(80) ? parent.status : (random_.Percent(50) ? 0 : 2);
            games.push_back(clone);
        }
    }
    return games;
}

void Generator::WriteMachine(std::string& out, const Game& g) {
    static const char* const kStatus[] = {"good", "imperfect", "preliminary"};
    out += "\t<machine name=\"" + g.name + "\" sourcefile=\"" + g.sourcefile + "pp\"";
    if (g.bios) out += " isbios=\"yes\"";
    if (!g.cloneof.empty()) out += " cloneof=\"" + g.cloneof + "\"";
    if (!g.romof.empty()) out += " romof=\"" + g.romof + "\"";
    if (!g.sampleof.empty()) out += " sampleof=\"" + g.sampleof + "\"";
    out += ">\n";
    out += "\t\t<description>" + g.description + "</description>\n";
    if (!g.year.empty()) out += "\t\t<year>" + g.year + "</year>\n";
    out += "\t\t<manufacturer>" + g.manufacturer + "</manufacturer>\n";
    if (g.bios) out += "\t\t<biosset name=\"v1\" description=\"Version 1\" default=\"yes\"/>\n";
    int roms = random_.Between(1, 8);
    for (int i = 0; i < roms; ++i) {
        out += "\t\t<rom name=\"" + g.name.substr(0, 4) + "." + std::to_string(i + 1) + "\" size=\"" +
               std::to_string(1024 << random_.Below(7)) + "\" crc=\"" + random_.Hex(8) + "\" sha1=\"" +
               random_.Hex(40) + "\" region=\"maincpu\" offset=\"" + HexNumber(i * 0x1000) + "\"/>\n";
    }
    for (int i = random_.Between(2, 5); i > 0; --i) out += "\t\t<device_ref name=\"" + std::string(random_.Pick(kDevices)) + "\"/>\n";
    if (!g.sampleof.empty()) out += "\t\t<sample name=\"" + Syllable() + "\"/>\n";
    out += "\t\t<chip type=\"cpu\" tag=\"maincpu\" name=\"" + std::string(random_.Pick(kChips)) + "\" clock=\"" +
           std::to_string(random_.Between(1000, 12000) * 1000) + "\"/>\n";
    if (!g.bios) {
        // The screen's own size; a vertical game's monitor is turned 90 or 270 degrees.
        const char* rotate = g.vertical ? (random_.Percent(50) ? "90" : "270") : "0";
        out += std::string("\t\t<display tag=\"screen\" type=\"") + (g.vector ? "vector" : "raster") +
               "\" rotate=\"" + rotate + "\"";
        if (!g.vector && !g.noWidth) {
            const char* const* size = kRasterSizes[g.rasterSize];
            out += std::string(" width=\"") + size[1] + "\" height=\"" + size[0] + "\"";
        }
        out += std::string(" refresh=\"") + (g.vector ? "40.000000" : random_.Pick(kRefresh)) +
               "\" pixclock=\"6144000\" htotal=\"384\" hbend=\"0\" vtotal=\"264\" vbend=\"0\" />\n";
        if (g.twoScreens) {
            out += "\t\t<display tag=\"lcd\" type=\"lcd\" rotate=\"0\" width=\"640\" height=\"480\" "
                   "refresh=\"30.000000\" />\n";
        }
        out += "\t\t<sound channels=\"" + std::to_string(random_.Percent(80) ? 1 : 2) + "\"/>\n";
        out += "\t\t<input players=\"2\" coins=\"2\" service=\"yes\">\n"
               "\t\t\t<control type=\"joy\" player=\"1\" buttons=\"2\" ways=\"8\"/>\n\t\t</input>\n";
        for (int i = random_.Between(0, 3); i > 0; --i) {
            out += "\t\t<dipswitch name=\"" + std::string(random_.Pick(kDipNames)) + "\" tag=\"DSW\" mask=\"3\">\n"
                   "\t\t\t<diplocation name=\"SW1\" number=\"1\"/>\n"
                   "\t\t\t<dipvalue name=\"Off\" value=\"0\" default=\"yes\"/>\n"
                   "\t\t\t<dipvalue name=\"On\" value=\"1\"/>\n\t\t</dipswitch>\n";
        }
        out += "\t\t<configuration name=\"Monitor\" tag=\"CONF\" mask=\"1\">\n"
               "\t\t\t<confsetting name=\"Color\" value=\"0\" default=\"yes\"/>\n\t\t</configuration>\n";
        out += "\t\t<port tag=\":IN0\">\n\t\t\t<analog mask=\"16\"/>\n\t\t</port>\n";
        if (random_.Percent(10)) {
            out += "\t\t<slot name=\"cart\">\n\t\t\t<slotoption name=\"std\" devname=\"cart\" default=\"yes\"/>\n"
                   "\t\t</slot>\n\t\t<softwarelist tag=\"cart_list\" name=\"" + g.name.substr(0, 5) +
                   "\" status=\"original\"/>\n\t\t<ramoption name=\"64K\" default=\"1\">65536</ramoption>\n";
        }
    }
    out += std::string("\t\t<driver status=\"") + kStatus[g.status] + "\" emulation=\"" + kStatus[g.status] +
           "\" savestate=\"" + (random_.Percent(30) ? "supported" : "unsupported") + "\"/>\n";
    static const char* const kFeature[] = {"", "imperfect", "unemulated"};
    if (g.color) out += std::string("\t\t<feature type=\"") + (random_.Percent(50) ? "graphics" : "palette") +
                        "\" status=\"" + kFeature[g.color] + "\"/>\n";
    if (g.sound) out += std::string("\t\t<feature type=\"sound\" status=\"") + kFeature[g.sound] + "\"/>\n";
    if (random_.Percent(5)) out += "\t\t<feature type=\"protection\" status=\"unemulated\"/>\n";
    out += "\t</machine>\n";
}

void Generator::WriteGame(std::string& out, const Game& g) {
    if (today_) {
        WriteMachine(out, g);
        return;
    }
    static const char* const kStatus[] = {"good", "imperfect", "preliminary"};
    out += "\t<game";
    if (g.bios) out += " runnable=\"no\"";  // BIOS sets put runnable first
    out += " name=\"" + g.name + "\"";
    if (buildAttr_) out += " sourcefile=\"" + g.sourcefile + "\"";
    if (!g.cloneof.empty()) out += " cloneof=\"" + g.cloneof + "\"";
    if (!g.romof.empty()) out += " romof=\"" + g.romof + "\"";
    if (!g.sampleof.empty()) out += " sampleof=\"" + g.sampleof + "\"";
    out += ">\n";
    out += "\t\t<description>" + g.description + "</description>\n";
    if (!g.year.empty()) out += "\t\t<year>" + g.year + "</year>\n";
    out += "\t\t<manufacturer>" + g.manufacturer + "</manufacturer>\n";
    if (g.bios) {
        for (int i = 1; i <= 2; ++i) {
            out += "\t\t<biosset name=\"v" + std::to_string(i) + "\" description=\"Version " + std::to_string(i) +
                   "\"" + (i == 1 ? " default=\"yes\"" : "") + "/>\n";
        }
    }
    int roms = g.bios ? 2 : random_.Between(1, 20);
    static const char* const kRegionNames[] = {"cpu1", "cpu2", "gfx1", "gfx2", "proms", "sound1"};
    for (int i = 0; i < roms; ++i) {
        int size = 1024 << random_.Below(7);
        out += "\t\t<rom name=\"" + g.name.substr(0, 4) + "." + std::to_string(i + 1) + random_.Pick(kOnsets) +
               "\"" + (g.bios ? " bios=\"v" + std::to_string(i + 1) + "\"" : "") +
               " size=\"" + std::to_string(size) + "\" crc=\"" + random_.Hex(8) + "\" sha1=\"" + random_.Hex(40) +
               "\" region=\"" + random_.Pick(kRegionNames) + "\"" +
               (random_.Percent(20) ? " dispose=\"yes\"" : "") + " offset=\"" + HexNumber(i * 0x1000) + "\"/>\n";
    }
    if (g.bios) {
        out += "\t</game>\n";
        return;
    }
    if (!g.sampleof.empty()) {
        int samples = random_.Between(1, 6);
        for (int i = 0; i < samples; ++i) out += "\t\t<sample name=\"" + Syllable() + "\"/>\n";
    }
    out += "\t\t<chip type=\"cpu\" name=\"" + std::string(random_.Pick(kChips)) + "\" clock=\"" +
           std::to_string(random_.Between(1000, 12000) * 1000) + "\"/>\n";
    out += "\t\t<chip type=\"audio\" name=\"" + std::string(random_.Pick(kAudioChips)) + "\" clock=\"" +
           std::to_string(random_.Between(100, 4000) * 1000) + "\"/>\n";
    out += "\t\t<video screen=\"";
    out += g.vector ? "vector" : "raster";
    out += "\" orientation=\"";
    out += g.vertical ? "vertical" : "horizontal";
    out += "\"";
    if (!g.vector && !g.noWidth) {
        const char* const* size = kRasterSizes[g.rasterSize];
        const char* w = size[g.vertical ? 1 : 0];
        const char* h = size[g.vertical ? 0 : 1];
        out += std::string(" width=\"") + w + "\" height=\"" + h + "\"";
    }
    out += g.vertical ? " aspectx=\"3\" aspecty=\"4\"" : " aspectx=\"4\" aspecty=\"3\"";
    out += std::string(" refresh=\"") + (g.vector ? "40.000000" : random_.Pick(kRefresh)) + "\"/>\n";
    out += "\t\t<sound channels=\"" + std::to_string(random_.Percent(80) ? 1 : 2) + "\"/>\n";
    out += "\t\t<input players=\"" + std::to_string(random_.Between(1, 4)) + "\" control=\"" +
           random_.Pick(kControls) + "\" buttons=\"" + std::to_string(random_.Between(1, 6)) + "\" coins=\"" +
           std::to_string(random_.Between(1, 4)) + "\"/>\n";
    int dips = random_.Between(0, 8);
    for (int i = 0; i < dips; ++i) {
        out += "\t\t<dipswitch name=\"" + std::string(random_.Pick(kDipNames)) + "\">\n";
        int values = random_.Between(2, 8);
        for (int v = 0; v < values; ++v) {
            out += "\t\t\t<dipvalue name=\"" + std::string(random_.Pick(kDipValues)) + "\"" +
                   (v == 0 ? " default=\"yes\"" : "") + "/>\n";
        }
        out += "\t\t</dipswitch>\n";
    }
    out += std::string("\t\t<driver status=\"") + kStatus[g.status] + "\"";
    if (buildAttr_) out += std::string(" emulation=\"") + kStatus[g.status] + "\"";
    out += std::string(" color=\"") + kStatus[g.color] + "\" sound=\"" + kStatus[g.sound] + "\"";
    if (buildAttr_) out += " graphic=\"good\" savestate=\"" + std::string(random_.Percent(30) ? "supported" : "unsupported") + "\"";
    out += " palettesize=\"" + std::to_string(g.vector ? 0 : 16 << random_.Below(9)) + "\"/>\n";
    out += "\t</game>\n";
}

std::string Generator::Xml(const std::vector<Game>& games) {
    if (today_) {
        std::string out = "<?xml version=\"1.0\"?>\n<!DOCTYPE mame [\n<!ELEMENT mame (machine+)>\n"
                          "\t<!ATTLIST mame build CDATA #IMPLIED>\n\t<!ATTLIST mame debug (yes|no) \"no\">\n"
                          "\t<!ATTLIST mame mameconfig CDATA #REQUIRED>\n"
                          "\t<!ELEMENT machine (description, year?, manufacturer?, biosset*, rom*, disk*, "
                          "device_ref*, sample*, chip*, display*, sound?, input?, dipswitch*, configuration*, "
                          "port*, adjuster*, driver?, feature*, device*, slot*, softwarelist*, ramoption*)>\n"
                          "]>\n\n<mame build=\"0.251 (gengamelist)\" debug=\"no\" mameconfig=\"10\">\n";
        for (const Game& g : games) WriteGame(out, g);
        for (const char* device : kDevices) {
            out += std::string("\t<machine name=\"") + device + "\" sourcefile=\"devices/" + device +
                   ".cpp\" isdevice=\"yes\" runnable=\"no\">\n\t\t<description>" + device +
                   " device</description>\n\t</machine>\n";
        }
        out += "</mame>\n";
        return out;
    }
    std::string out = "<?xml version=\"1.0\"?>\n<!DOCTYPE mame [\n<!ELEMENT mame (game+)>\n";
    if (buildAttr_) out += "\t<!ATTLIST mame build CDATA #IMPLIED>\n";
    out += "\t<!ELEMENT game (description, year?, manufacturer, history?, biosset*, rom*, disk*, sample*, chip*, "
           "video?, sound?, input?, dipswitch*, driver?)>\n";
    for (const char* attribute : {"name CDATA #REQUIRED", "sourcefile CDATA #IMPLIED", "runnable (yes|no) \"yes\"",
                                  "cloneof CDATA #IMPLIED", "romof CDATA #IMPLIED", "sampleof CDATA #IMPLIED"}) {
        if (!buildAttr_ && std::strncmp(attribute, "sourcefile", 10) == 0) continue;
        out += std::string("\t\t<!ATTLIST game ") + attribute + ">\n";
    }
    for (const char* element : {"description (#PCDATA)", "year (#PCDATA)", "manufacturer (#PCDATA)", "rom EMPTY",
                                "sample EMPTY", "chip EMPTY", "video EMPTY", "sound EMPTY", "input EMPTY",
                                "dipswitch (dipvalue*)", "driver EMPTY"}) {
        out += std::string("\t\t<!ELEMENT ") + element + ">\n";
    }
    out += "]>\n\n";
    out += buildAttr_ ? "<mame build=\"0.106 (May  7 2006)\">\n" : "<mame>\n";
    for (const Game& g : games) WriteGame(out, g);
    out += "</mame>\n";
    return out;
}

std::string Generator::Verify(const std::vector<Game>& games, bool notFound) {
    std::string out;
    int found = 0, ok = 0;
    for (const Game& g : games) {
        int roll = random_.Below(100);
        // BIOS sets are left out: they are not in the catalogue, so their
        // lines would only ask to update rows that do not exist.
        if (g.bios) continue;
        if (roll < 20) {  // not in the ROM folder: -verifysets says nothing about it
            if (notFound && roll < 2) out += "romset \"" + g.name + "\" not found!\n";
            continue;
        }
        ++found;
        // -verifyroms of today prints what it misses before the result line.
        if (today_ && roll >= 90) out += g.name + " : " + g.name.substr(0, 4) + ".1 (4096 bytes) - NOT FOUND\n";
        out += "romset " + g.name;
        if (!g.cloneof.empty()) out += " [" + g.cloneof + "]";
        if (roll < 80) {
            out += " is good\n";
            ++ok;
        } else if (roll < 90) {
            out += " is best available\n";
            ++ok;
        } else {
            out += " is bad\n";
        }
    }
    out += std::to_string(found) + " romsets found, " + std::to_string(ok) + " were OK.\n";
    return out;
}

std::string Generator::Catver(const std::vector<Game>& games) {
    std::vector<const Game*> sorted;
    for (const Game& g : games) sorted.push_back(&g);
    std::sort(sorted.begin(), sorted.end(), [](const Game* a, const Game* b) { return a->name < b->name; });

    std::string out = ";; Quillet demo CatVer / made by gengamelist ;;\n\n[Category]\n";
    std::vector<const Game*> listed;
    for (const Game* g : sorted) {
        if (g->bios) {
            out += g->name + "=BIOS\n";
            continue;
        }
        if (random_.Percent(8)) continue;  // categories lag behind new games
        // A clone mostly shares its parent's category: pick by the parent's name.
        const std::string& key = g->cloneof.empty() ? g->name : g->cloneof;
        uint64_t hash = Fnv1a(key);
        std::string category = kCategories[hash % std::size(kCategories)];
        if (random_.Percent(5)) category += " * Mature *";
        out += g->name + "=" + category + "\n";
        listed.push_back(g);
    }
    out += "\n[VerAdded]\n";
    for (const Game* g : listed) {
        int version = 30 + static_cast<int>(Fnv1a(g->name) % 76);
        out += g->name + "=." + std::to_string(version) + "\n";
    }
    return out;
}

std::string WithCrlf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

bool WriteFile(const std::string& path, const std::string& text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        return false;
    }
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok) std::perror(path.c_str());
    return ok;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: gengamelist [--games N] [--seed S] [--xml FILE] [--verify FILE] [--catver FILE]\n"
                 "                   [--crlf] [--build-attr] [--not-found] [--today]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int count = 300;
    uint64_t seed = 1;
    std::string xmlPath, verifyPath, catverPath;
    bool crlf = false, buildAttr = false, notFound = false, today = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--games" && hasValue) count = std::atoi(argv[++i]);
        else if (arg == "--seed" && hasValue) seed = std::strtoull(argv[++i], nullptr, 10);
        else if (arg == "--xml" && hasValue) xmlPath = argv[++i];
        else if (arg == "--verify" && hasValue) verifyPath = argv[++i];
        else if (arg == "--catver" && hasValue) catverPath = argv[++i];
        else if (arg == "--crlf") crlf = true;
        else if (arg == "--build-attr") buildAttr = true;
        else if (arg == "--not-found") notFound = true;
        else if (arg == "--today") today = true;
        else return Usage();
    }
    if (count < 1 || (xmlPath.empty() && verifyPath.empty() && catverPath.empty())) return Usage();

    // One generator and one order of use, so each file depends only on the seed.
    Generator generator(seed, buildAttr, today);
    std::vector<Game> games = generator.MakeGames(count);
    std::string xml = generator.Xml(games);
    std::string verify = generator.Verify(games, notFound);
    std::string catver = generator.Catver(games);
    auto lineEnds = [crlf](const std::string& text) { return crlf ? WithCrlf(text) : text; };
    bool ok = true;
    if (!xmlPath.empty()) ok = WriteFile(xmlPath, lineEnds(xml)) && ok;
    if (!verifyPath.empty()) ok = WriteFile(verifyPath, lineEnds(verify)) && ok;
    if (!catverPath.empty()) ok = WriteFile(catverPath, lineEnds(catver)) && ok;
    return ok ? 0 : 1;
}
