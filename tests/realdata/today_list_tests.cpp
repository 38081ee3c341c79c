// The real game list of today's emulator (MAME 0.251, 269 MB unpacked)
// through the scanner, checked against expat, a streaming XML parser that
// shares nothing with it. A program of its own, outside the sanitizer build:
// the list alone takes a quarter of a gigabyte. Skips when the file is absent.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest/doctest.h>
#include <expat.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "catalogue/scanners.h"

namespace {

std::string Gunzip(const std::string& path) {
    if (FILE* probe = std::fopen(path.c_str(), "rb")) std::fclose(probe);
    else return {};
    FILE* pipe = popen(("gzip -dc '" + path + "' 2>/dev/null").c_str(), "r");
    if (!pipe) return {};
    std::string text;
    std::vector<char> chunk(1 << 20);
    size_t got;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0) text.append(chunk.data(), got);
    return pclose(pipe) == 0 ? text : std::string();
}

// One machine as expat reads it, in the catalogue's terms.
struct Machine {
    std::string name, cloneof, description, manufacturer, year, resolution;
    bool game = true;
    unsigned video = 0, orientation = 0, frequency = 0, driver = 0, color = 0, sound = 0;
    bool displaySeen = false;
};

struct Reader {
    std::vector<Machine> games;
    Machine current;
    std::string* text = nullptr;  // the element whose text is being collected
};

const char* Attribute(const XML_Char** attributes, const char* name) {
    for (const XML_Char** a = attributes; *a; a += 2)
        if (std::strcmp(a[0], name) == 0) return a[1];
    return nullptr;
}

unsigned StatusCode(const char* value) {
    if (!value) return 0;
    return std::strcmp(value, "imperfect") == 0 ? 1 : std::strcmp(value, "unemulated") == 0 ? 2 : 0;
}

void XMLCALL Start(void* context, const XML_Char* element, const XML_Char** attributes) {
    Reader& r = *static_cast<Reader*>(context);
    Machine& m = r.current;
    if (std::strcmp(element, "machine") == 0) {
        m = Machine{};
        m.name = Attribute(attributes, "name");
        const char* cloneof = Attribute(attributes, "cloneof");
        m.cloneof = cloneof ? cloneof : " ";
        for (const char* flag : {"isdevice", "isbios"}) {
            const char* value = Attribute(attributes, flag);
            if (value && std::strcmp(value, "yes") == 0) m.game = false;
        }
        const char* runnable = Attribute(attributes, "runnable");
        if (runnable && std::strcmp(runnable, "no") == 0) m.game = false;
    } else if (std::strcmp(element, "description") == 0) {
        r.text = &m.description;
    } else if (std::strcmp(element, "manufacturer") == 0) {
        r.text = &m.manufacturer;
    } else if (std::strcmp(element, "year") == 0) {
        r.text = &m.year;
    } else if (std::strcmp(element, "display") == 0 && !m.displaySeen) {
        m.displaySeen = true;
        m.video = std::strcmp(Attribute(attributes, "type"), "vector") == 0;
        const int rotate = std::atoi(Attribute(attributes, "rotate"));
        m.orientation = rotate == 90 || rotate == 270;
        const char* width = Attribute(attributes, "width");
        const char* height = Attribute(attributes, "height");
        if (width && height) m.resolution = m.orientation ? std::string(height) + "x" + width : std::string(width) + "x" + height;
        const char* refresh = Attribute(attributes, "refresh");
        m.frequency = refresh ? static_cast<unsigned>(std::atof(refresh)) % 256 : 0;
    } else if (std::strcmp(element, "driver") == 0) {
        const char* status = Attribute(attributes, "status");
        m.driver = std::strcmp(status, "good") == 0 ? 0 : std::strcmp(status, "imperfect") == 0 ? 1 : 2;
    } else if (std::strcmp(element, "feature") == 0) {
        const char* type = Attribute(attributes, "type");
        const char* status = Attribute(attributes, "status");
        unsigned code = StatusCode(status ? status : Attribute(attributes, "overall"));
        if ((std::strcmp(type, "graphics") == 0 || std::strcmp(type, "palette") == 0) && code > m.color) m.color = code;
        if (std::strcmp(type, "sound") == 0 && code > m.sound) m.sound = code;
    }
}

void XMLCALL End(void* context, const XML_Char* element) {
    Reader& r = *static_cast<Reader*>(context);
    r.text = nullptr;
    if (std::strcmp(element, "machine") == 0 && r.current.game && r.current.name.size() <= quillet::kLongestRomName)
        r.games.push_back(r.current);
}

void XMLCALL Text(void* context, const XML_Char* text, int length) {
    Reader& r = *static_cast<Reader*>(context);
    if (r.text) r.text->append(text, static_cast<size_t>(length));
}

void Collect(void* context, quillet::ImportRecord& record) {
    static_cast<std::vector<quillet::ImportRecord>*>(context)->push_back(record);
}

// The catalogue's year: 0 for two or more '?' or more than four characters.
unsigned Year(const std::string& text) {
    size_t unknown = 0;
    for (char c : text) unknown += c == '?';
    if (text.empty() || unknown >= 2 || text.size() > 4) return 0;
    unsigned value = 0;
    for (char c : text) value = value * 10 + static_cast<uint8_t>(c - '0');
    return value & 0xFFFF;
}

}  // namespace

TEST_CASE("the real 0.251 list: every game, and each field as expat reads it") {
    const std::string text = Gunzip(std::string(QUILLET_REALDATA_DIR) + "/listxml_mame0251_full.xml.gz");
    if (text.empty()) {
        MESSAGE("real 0.251 list absent: skipped");
        return;
    }
    Reader expected;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &expected);
    XML_SetElementHandler(parser, Start, End);
    XML_SetCharacterDataHandler(parser, Text);
    bool parsed = true;
    for (size_t at = 0; at < text.size() && parsed; at += 1 << 24) {
        const size_t size = std::min<size_t>(1 << 24, text.size() - at);
        parsed = XML_Parse(parser, text.data() + at, static_cast<int>(size), at + size == text.size()) == XML_STATUS_OK;
    }
    XML_ParserFree(parser);
    REQUIRE(parsed);

    std::vector<quillet::ImportRecord> games;
    quillet::ImportRecord record;
    const quillet::GameListResult result =
        quillet::ScanGameList(text.data(), text.data() + text.size(), record, Collect, &games);
    CHECK_EQ(int(result.status), int(quillet::GameListStatus::Complete));
    CHECK_EQ(int(result.generation), int(quillet::Generation::Today));
    CHECK_EQ(size_t(result.games), expected.games.size());
    REQUIRE_EQ(games.size(), expected.games.size());

    // Every game's key fields; each 50th game's every field.
    size_t mismatches = 0;
    for (size_t i = 0; i < games.size(); ++i) {
        const quillet::ImportRecord& g = games[i];
        const Machine& e = expected.games[i];
        std::string got = std::string(g.RomName) + "|" + g.Cloneof;
        std::string want = e.name + "|" + e.cloneof;
        if (i % 50 == 0) {
            auto fits = [](const std::string& s, size_t field) { return s.size() < field ? s : std::string(); };
            auto cut = [](const char* s, size_t field, const std::string& full) {
                return full.size() < field ? std::string(s) : std::string();
            };
            got += "|" + cut(g.Description, sizeof g.Description, e.description) + "|" +
                   cut(g.Manufacturer, sizeof g.Manufacturer, e.manufacturer) + "|" + std::to_string(g.Year) + "|" +
                   g.Resolution + "|" + std::to_string(g.Video) + std::to_string(g.Orientation) + "|" +
                   std::to_string(g.Frequency) + "|" + std::to_string(g.DriverStatus) +
                   std::to_string(g.ColorStatus) + std::to_string(g.SoundStatus);
            want += "|" + fits(e.description, sizeof g.Description) + "|" +
                    fits(e.manufacturer, sizeof g.Manufacturer) + "|" + std::to_string(Year(e.year)) + "|" +
                    (e.resolution.empty() ? " " : e.resolution) + "|" + std::to_string(e.video) +
                    std::to_string(e.orientation) + "|" + std::to_string(e.frequency) + "|" +
                    std::to_string(e.driver) + std::to_string(e.color) + std::to_string(e.sound);
        }
        if (got != want && mismatches++ < 10) CHECK_EQ(got, want);
    }
    CHECK_EQ(mismatches, 0u);
}
