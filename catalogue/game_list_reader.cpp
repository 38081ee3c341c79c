// The emulator's XML game list ("-lx" of the era's emulators, "-listxml"
// of today's), read by a fixed-token scanner rather than a general XML
// parser: it knows the elements and attributes it needs, copies their
// values into the ImportRecord and steps over every other element with its
// children, whatever its name. It moves forward only and accepts
// double-quoted attribute values only. Text (description, manufacturer) has
// its five predefined entities and numeric character references decoded,
// the latter into UTF-8, which is what today's lists are written in.
//
// Both generations: <game> and <machine> elements; <video> (the era) and
// <display> (today, the first of a machine's displays counts); colour and
// sound status from the driver's attributes where it has them, otherwise
// from <feature> elements.
//
// Every step stays inside [begin, end): text that ends inside a game, a
// missing '=' or quote, an unknown status letter are format errors, and
// the reader returns false instead of guessing.
#include <array>
#include <bit>
#include <cstring>
#include <span>

#include "catalogue/scan_util.h"
#include "catalogue/scanners.h"

namespace quillet {

namespace {

using scan::CopyCut;
using scan::Find;

// The era's 35 tokens back to back, without separators (249 bytes), then
// the tokens of today's lists; each is addressed by its start and length.
constexpr char kXmlTokenTable[] =
    "<mame></mame><game</game><description><year><manufacturer><history><biosset<rom<disk"
    "<sample<chip<video<sound<input<dipswitch<driver"
    "namesourcefilerunnablecloneofromofsampleof"
    "screenorientationwidthheightaspectrefresh"
    "channels"
    "statussoundcolorpalettesize"
    "<machine</machine><display<featureisbiosisdevicetyperotateoverall";
static_assert(sizeof(kXmlTokenTable) - 1 == 249 + 65);

enum Token : uint8_t {
    kRoot, kRootEnd, kGame, kGameEnd, kDescription, kYear, kManufacturer, kHistory, kBiosset,
    kRom, kDisk, kSample, kChip, kVideo, kSound, kInput, kDipswitch, kDriver,
    kName, kSourceFile, kRunnable, kCloneof, kRomOf, kSampleOf,
    kScreen, kOrientation, kWidth, kHeight, kAspect, kRefresh,
    kChannels,
    kStatus, kSoundStatus, kColor, kPaletteSize,
    kMachine, kMachineEnd, kDisplay, kFeature, kIsBios, kIsDevice, kType, kRotate, kOverall,
    kTokenCount,
    kNoToken = kTokenCount,
};

struct TokenInfo {
    uint16_t start;
    uint8_t length;
    uint32_t first4;  // the first four bytes as a native-endian load sees them
};

constexpr uint8_t kLengths[kTokenCount] = {6, 7, 5, 7, 13, 6, 14, 9, 8, 4, 5, 7, 5, 6, 6, 6, 10, 7,
                                           4, 10, 8, 7, 5, 8, 6, 11, 5, 6, 6, 7, 8, 6, 5, 5, 11,
                                           8, 10, 8, 8, 6, 8, 4, 6, 7};

constexpr uint32_t Load4(const char* p) {
    uint32_t b0 = static_cast<unsigned char>(p[0]), b1 = static_cast<unsigned char>(p[1]);
    uint32_t b2 = static_cast<unsigned char>(p[2]), b3 = static_cast<unsigned char>(p[3]);
    if constexpr (std::endian::native == std::endian::little) return b0 | b1 << 8 | b2 << 16 | b3 << 24;
    return b3 | b2 << 8 | b1 << 16 | b0 << 24;
}

constexpr std::array<TokenInfo, kTokenCount> MakeTokens() {
    std::array<TokenInfo, kTokenCount> tokens{};
    uint16_t start = 0;
    for (int t = 0; t < kTokenCount; ++t) {
        tokens[t] = {start, kLengths[t], Load4(kXmlTokenTable + start)};
        start = static_cast<uint16_t>(start + kLengths[t]);
    }
    return tokens;
}

constexpr auto kTokens = MakeTokens();
static_assert(kTokens[kOverall].start + kTokens[kOverall].length == sizeof(kXmlTokenTable) - 1);

// The tokens of each context. A child the game context does not list (rom,
// chip, device_ref, dipswitch, port, slot...) is stepped over whole.
constexpr Token kBetweenGames[] = {kRootEnd, kGame, kMachine};
constexpr Token kGameChildren[] = {kGameEnd, kMachineEnd, kDescription, kYear, kManufacturer,
                                   kVideo, kSound, kDriver, kDisplay, kFeature};
constexpr Token kGameAttributes[] = {kName, kSourceFile, kRunnable, kCloneof, kRomOf, kSampleOf, kIsBios, kIsDevice};
constexpr Token kVideoAttributes[] = {kScreen, kOrientation, kWidth, kHeight, kAspect, kRefresh};
constexpr Token kDisplayAttributes[] = {kType, kRotate, kWidth, kHeight, kRefresh};
constexpr Token kSoundAttributes[] = {kChannels};
constexpr Token kDriverAttributes[] = {kStatus, kSoundStatus, kColor, kPaletteSize};
constexpr Token kFeatureAttributes[] = {kType, kStatus, kOverall};

// No two tokens of one context may share their first four bytes, or the
// second could never be recognised.
constexpr bool DistinctFirst4(std::span<const Token> context) {
    for (size_t i = 0; i < context.size(); ++i)
        for (size_t j = i + 1; j < context.size(); ++j)
            if (kTokens[context[i]].first4 == kTokens[context[j]].first4) return false;
    return true;
}
static_assert(DistinctFirst4(kBetweenGames) && DistinctFirst4(kGameChildren) &&
              DistinctFirst4(kGameAttributes) && DistinctFirst4(kVideoAttributes) &&
              DistinctFirst4(kDisplayAttributes) && DistinctFirst4(kSoundAttributes) &&
              DistinctFirst4(kDriverAttributes) && DistinctFirst4(kFeatureAttributes));

// The shared position and the end of the capture.
struct Cursor {
    const char* pos;
    const char* end;

    size_t Left() const { return static_cast<size_t>(end - pos); }
};

// What a game's elements leave for the end of the game: feature statuses
// apply only where the driver element gave none, and only the first display
// of a machine counts.
struct GameState {
    ImportRecord& r;
    GameTraits& traits;
    bool driverColor = false;
    bool driverSound = false;
    uint8_t featureColor = 0;
    uint8_t featureSound = 0;
    bool displaySeen = false;
    // The feature element being read.
    char featureType = 0;
    uint8_t featureStatus = 0;
    uint8_t featureOverall = 0;
    // The display element being read.
    bool turned = false;
};

bool IsWhitespace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

void SkipWhitespace(Cursor& c) {
    while (c.pos < c.end && IsWhitespace(*c.pos)) ++c.pos;
}

bool Expect(Cursor& c, char byte) {
    if (c.pos >= c.end || *c.pos != byte) return false;
    ++c.pos;
    return true;
}

bool AdvancePast(Cursor& c, char byte) {
    const char* found = Find(c.pos, c.end, byte);
    if (!found) return false;
    c.pos = found + 1;
    return true;
}

// The token of `context` whose first four bytes stand at the position, by
// one 32-bit comparison each; kNoToken when none does (also when fewer than
// four bytes are left: every token is at least four long).
Token PeekToken(const Cursor& c, std::span<const Token> context) {
    if (c.Left() < 4) return kNoToken;
    uint32_t here;
    std::memcpy(&here, c.pos, 4);
    for (Token t : context) {
        if (kTokens[t].first4 == here) return t;
    }
    return kNoToken;
}

// Steps over a whole token when it stands there in full and ends there: a
// name or tag token must be followed by whitespace, '=', '/' or '>' (a
// token that closes itself, such as "<year>", needs nothing behind it).
// False, with the position unchanged, when another name only shares the
// token's first bytes (<disk> against <display>).
bool TakeToken(Cursor& c, Token t) {
    const TokenInfo& info = kTokens[t];
    if (c.Left() < info.length || std::memcmp(c.pos, kXmlTokenTable + info.start, info.length) != 0) return false;
    const char last = kXmlTokenTable[info.start + info.length - 1];
    if (last != '>' && t != kAspect) {  // aspect is followed by its x or y
        if (c.Left() == info.length) return false;
        const char next = c.pos[info.length];
        if (!IsWhitespace(next) && next != '=' && next != '/' && next != '>') return false;
    }
    c.pos += info.length;
    return true;
}

// = and the opening double quote, whitespace allowed around the '='.
bool OpenValue(Cursor& c) {
    SkipWhitespace(c);
    if (!Expect(c, '=')) return false;
    SkipWhitespace(c);
    return Expect(c, '"');
}

// Copies up to the next `stop`, cut to the field; the position ends just
// behind the `stop`.
template <size_t N>
bool CopyUpTo(Cursor& c, char stop, char (&field)[N]) {
    const char* found = Find(c.pos, c.end, stop);
    if (!found) return false;
    CopyCut(field, c.pos, found);
    c.pos = found + 1;
    return true;
}

template <size_t N>
bool ReadAttributeValue(Cursor& c, char (&field)[N]) {
    return OpenValue(c) && CopyUpTo(c, '"', field);
}

bool SkipAttribute(Cursor& c) {
    while (c.pos < c.end && !IsWhitespace(*c.pos) && *c.pos != '=' && *c.pos != '>' && *c.pos != '/') ++c.pos;
    return OpenValue(c) && AdvancePast(c, '"');
}

// value * 10 + (byte - '0') modulo 256 per byte, in 32-bit arithmetic. Bytes
// other than digits are taken in the same way, so "198?" gives 1995.
uint32_t DecimalOf(const char* from, const char* to) {
    uint32_t value = 0;
    for (; from < to; ++from) {
        value = value * 10u + static_cast<uint8_t>(static_cast<unsigned char>(*from) - 48u);
    }
    return value;
}

// A one-letter code from the value's first byte, then past the closing quote.
bool ReadCodeValue(Cursor& c, uint8_t& field, const char* letters) {
    if (!OpenValue(c) || c.pos >= c.end) return false;
    const char* hit = *c.pos != '\0' ? std::strchr(letters, *c.pos) : nullptr;
    if (!hit) return false;
    field = static_cast<uint8_t>(hit - letters);
    return AdvancePast(c, '"');
}

// g good, i imperfect, p preliminary, t test.
bool ReadStatusValue(Cursor& c, uint8_t& field) { return ReadCodeValue(c, field, "gipt"); }

// The first byte of a value, then past the closing quote; 0 for an empty value.
bool ReadFirstByte(Cursor& c, char& first) {
    if (!OpenValue(c) || c.pos >= c.end) return false;
    first = *c.pos == '"' ? '\0' : *c.pos;
    return AdvancePast(c, '"');
}

// A feature's status: imperfect 1, unemulated 2, anything else 0.
bool ReadFeatureStatus(Cursor& c, uint8_t& field) {
    char first = 0;
    if (!ReadFirstByte(c, first)) return false;
    field = first == 'i' ? 1 : first == 'u' ? 2 : 0;
    return true;
}

// Steps over the "/>" that ends a child's empty tag, when it stands there.
bool TakeEmptyTagEnd(Cursor& c) {
    if (c.Left() < 2 || c.pos[0] != '/' || c.pos[1] != '>') return false;
    c.pos += 2;
    return true;
}

// Steps over the '>' that ends the game's start tag, when it stands there.
bool TakeStartTagEnd(Cursor& c) { return Expect(c, '>'); }

// The refresh rate's integer part, low 8 bits. The digits end at the '.';
// a value written without one ends at its closing quote instead of running
// on through the rest of the list.
bool ReadRefresh(Cursor& c, uint8_t& field) {
    if (!OpenValue(c)) return false;
    const char* from = c.pos;
    while (c.pos < c.end && *c.pos != '.' && *c.pos != '"') ++c.pos;
    if (c.pos >= c.end) return false;
    field = static_cast<uint8_t>(DecimalOf(from, c.pos));
    return AdvancePast(c, '"');
}

// The attributes of a start tag up to and including the tag's end, which
// TakeTagEnd recognises: each attribute of `context` is handed to ReadValue
// once its name is taken, every other one is stepped over. `context` is a
// template argument so that PeekToken compares against constants.
template <const auto& context, bool (*ReadValue)(Cursor&, Token, GameState&), bool (*TakeTagEnd)(Cursor&)>
bool ReadAttributes(Cursor& c, GameState& g) {
    for (;;) {
        SkipWhitespace(c);
        Token t = PeekToken(c, context);
        if (t == kNoToken || !TakeToken(c, t)) {
            if (TakeTagEnd(c)) return true;
            if (!SkipAttribute(c)) return false;
            continue;
        }
        if (!ReadValue(c, t, g)) return false;
    }
}

bool ReadGameValue(Cursor& c, Token t, GameState& g) {
    ImportRecord& r = g.r;
    switch (t) {
    case kName: {
        // The length as written decides whether the name fits the catalogue.
        if (!OpenValue(c)) return false;
        const char* quote = Find(c.pos, c.end, '"');
        if (!quote) return false;
        g.traits.nameLength = static_cast<size_t>(quote - c.pos);
        CopyCut(r.RomName, c.pos, quote);
        c.pos = quote + 1;
        return true;
    }
    case kSourceFile: return ReadAttributeValue(c, r.SourceFile);
    case kRunnable:
        if (!ReadAttributeValue(c, r.Runnable)) return false;
        if (r.Runnable[0] == 'n') g.traits.notAGame = true;
        return true;
    case kCloneof: return ReadAttributeValue(c, r.Cloneof);
    case kRomOf: return ReadAttributeValue(c, r.RomOf);
    case kSampleOf: return ReadAttributeValue(c, r.SampleOf);
    case kIsBios:
    case kIsDevice: {
        char first = 0;
        if (!ReadFirstByte(c, first)) return false;
        if (first == 'y') g.traits.notAGame = true;
        return true;
    }
    default: return false;
    }
}

bool ReadVideoValue(Cursor& c, Token t, GameState& g) {
    ImportRecord& r = g.r;
    switch (t) {
    case kScreen: return ReadCodeValue(c, r.Video, "rv");
    case kOrientation: return ReadCodeValue(c, r.Orientation, "hv");
    case kWidth: return ReadAttributeValue(c, r.Width);
    case kHeight: return ReadAttributeValue(c, r.Height);
    case kAspect:
        // aspectx or aspecty: the byte behind the token picks the field.
        if (c.pos >= c.end) return false;
        return *c.pos++ == 'x' ? ReadAttributeValue(c, r.AspectX) : ReadAttributeValue(c, r.AspectY);
    case kRefresh: return ReadRefresh(c, r.Frequency);
    default: return false;
    }
}

// type="raster|vector|lcd|svg": vector is Video 1, everything else raster.
// rotate="90|270" is a vertical screen.
bool ReadDisplayValue(Cursor& c, Token t, GameState& g) {
    ImportRecord& r = g.r;
    switch (t) {
    case kType: {
        char first = 0;
        if (!ReadFirstByte(c, first)) return false;
        r.Video = first == 'v' ? 1 : 0;
        return true;
    }
    case kRotate: {
        if (!OpenValue(c)) return false;
        const char* quote = Find(c.pos, c.end, '"');
        if (!quote) return false;
        const uint32_t degrees = DecimalOf(c.pos, quote);
        g.turned = degrees == 90 || degrees == 270;
        r.Orientation = g.turned ? 1 : 0;
        c.pos = quote + 1;
        return true;
    }
    case kWidth: return ReadAttributeValue(c, r.Width);
    case kHeight: return ReadAttributeValue(c, r.Height);
    case kRefresh: return ReadRefresh(c, r.Frequency);
    default: return false;
    }
}

bool ReadSoundValue(Cursor& c, Token t, GameState& g) {
    return t == kChannels && ReadAttributeValue(c, g.r.Channels);
}

bool ReadDriverValue(Cursor& c, Token t, GameState& g) {
    ImportRecord& r = g.r;
    switch (t) {
    case kStatus: return ReadStatusValue(c, r.DriverStatus);
    case kSoundStatus: g.driverSound = true; return ReadStatusValue(c, r.SoundStatus);
    case kColor: g.driverColor = true; return ReadStatusValue(c, r.ColorStatus);
    case kPaletteSize: return ReadAttributeValue(c, r.Palette);
    default: return false;
    }
}

bool ReadFeatureValue(Cursor& c, Token t, GameState& g) {
    switch (t) {
    case kType: {
        // graphics and palette set the colour status, sound the sound status.
        if (!OpenValue(c)) return false;
        const char* quote = Find(c.pos, c.end, '"');
        if (!quote) return false;
        const size_t length = static_cast<size_t>(quote - c.pos);
        auto is = [&](const char* word) { return length == std::strlen(word) && std::memcmp(c.pos, word, length) == 0; };
        g.featureType = is("graphics") || is("palette") ? 'c' : is("sound") ? 's' : 0;
        c.pos = quote + 1;
        return true;
    }
    case kStatus: return ReadFeatureStatus(c, g.featureStatus);
    case kOverall: return ReadFeatureStatus(c, g.featureOverall);
    default: return false;
    }
}

bool ReadGameAttributes(Cursor& c, GameState& g) {
    return ReadAttributes<kGameAttributes, ReadGameValue, TakeStartTagEnd>(c, g);
}

// Steps over the element whose '<' is at the position, with everything it
// holds: its start tag, and unless that tag closes itself, every child and
// text up to its own end tag. Comments, processing instructions and CDATA
// have no children. Text holds no '<'; a '>' in it is passed over.
bool SkipElement(Cursor& c) {
    size_t depth = 0;
    for (;;) {
        // c.pos is at a '<'.
        if (c.Left() >= 4 && std::memcmp(c.pos, "<!--", 4) == 0) {
            const char* close = FindBytes(c.pos + 4, c.end, "-->", 3);
            if (!close) return false;
            c.pos = close + 3;
        } else if (c.Left() >= 2 && c.pos[1] == '/') {
            if (!AdvancePast(c, '>')) return false;
            if (depth == 0) return false;  // an end tag where an element should start
            --depth;
        } else {
            const char* tag = c.pos;
            if (!AdvancePast(c, '>')) return false;
            // <x/>, <?pi?> and <!declaration> hold nothing.
            const bool empty = c.pos[-2] == '/' || tag[1] == '?' || tag[1] == '!';
            if (!empty) ++depth;
        }
        if (depth == 0) return true;
        // The next tag: usually behind a line end and indentation.
        while (c.pos < c.end && IsWhitespace(*c.pos)) ++c.pos;
        if (c.pos < c.end && *c.pos != '<') {
            const char* lt = Find(c.pos, c.end, '<');
            if (!lt) return false;
            c.pos = lt;
        }
        if (c.pos >= c.end) return false;
    }
}

// A year with a single unknown digit reads as the era read it ("198?" is
// 1995). Two or more question marks, or more than four characters, give 0:
// "19??" would be 2065 and "1980?" 19815, years the default filter hides.
bool ReadYear(Cursor& c, uint16_t& field) {
    const char* lt = Find(c.pos, c.end, '<');
    if (!lt) return false;
    size_t unknown = 0;
    for (const char* p = c.pos; p < lt; ++p) unknown += *p == '?';
    field = unknown >= 2 || lt - c.pos > 4 ? 0 : static_cast<uint16_t>(DecimalOf(c.pos, lt));
    c.pos = lt;
    return AdvancePast(c, '>');
}

// Element text up to the next '<' into `field`, entities decoded, then past
// the end tag.
template <size_t N>
bool ReadText(Cursor& c, char (&field)[N]) {
    const char* lt = Find(c.pos, c.end, '<');
    if (!lt) return false;
    DecodeXmlText(field, N, c.pos, lt);
    c.pos = lt;
    return AdvancePast(c, '>');
}

// At the end of a display element: the size as the screen shows it.
void EndDisplay(GameState& g) {
    if (!g.turned) return;
    char width[sizeof g.r.Width];
    std::memcpy(width, g.r.Width, sizeof width);
    std::memcpy(g.r.Width, g.r.Height, sizeof width);
    std::memcpy(g.r.Height, width, sizeof width);
}

// At the end of a feature element: its status (or overall status) worsens
// the colour or sound status it is about.
void EndFeature(GameState& g) {
    const uint8_t status = g.featureStatus ? g.featureStatus : g.featureOverall;
    if (g.featureType == 'c' && status > g.featureColor) g.featureColor = status;
    if (g.featureType == 's' && status > g.featureSound) g.featureSound = status;
}

// The children of a game up to and including its end tag.
bool ReadGameChildren(Cursor& c, GameState& g) {
    ImportRecord& r = g.r;
    for (;;) {
        SkipWhitespace(c);
        if (c.pos >= c.end || *c.pos != '<') return false;
        Token t = PeekToken(c, kGameChildren);
        if (t == kDisplay && g.displaySeen) t = kNoToken;  // only the first display counts
        if (t == kNoToken || !TakeToken(c, t)) {
            if (!SkipElement(c)) return false;
            continue;
        }
        bool ok = false;
        switch (t) {
        case kGameEnd:
        case kMachineEnd:
            if (!g.driverColor) r.ColorStatus = g.featureColor;
            if (!g.driverSound) r.SoundStatus = g.featureSound;
            return true;
        case kDescription: ok = ReadText(c, r.Description); break;
        case kYear: ok = ReadYear(c, r.Year); break;
        case kManufacturer: ok = ReadText(c, r.Manufacturer); break;
        case kVideo: ok = ReadAttributes<kVideoAttributes, ReadVideoValue, TakeEmptyTagEnd>(c, g); break;
        case kDisplay:
            g.displaySeen = true;
            g.turned = false;
            ok = ReadAttributes<kDisplayAttributes, ReadDisplayValue, TakeEmptyTagEnd>(c, g);
            EndDisplay(g);
            break;
        case kSound: ok = ReadAttributes<kSoundAttributes, ReadSoundValue, TakeEmptyTagEnd>(c, g); break;
        case kDriver: ok = ReadAttributes<kDriverAttributes, ReadDriverValue, TakeEmptyTagEnd>(c, g); break;
        case kFeature:
            g.featureType = 0;
            g.featureStatus = g.featureOverall = 0;
            ok = ReadAttributes<kFeatureAttributes, ReadFeatureValue, TakeEmptyTagEnd>(c, g);
            EndFeature(g);
            break;
        default: break;
        }
        if (!ok) return false;
    }
}

// Appends [text] to field at *length, cut to the field.
template <size_t N>
void Append(char (&field)[N], size_t& length, const char* text) {
    for (; *text && length < N - 1; ++text) field[length++] = *text;
    field[length] = '\0';
}

}  // namespace

size_t DecodeXmlText(char* field, size_t capacity, const char* from, const char* to) {
    size_t length = 0;
    const size_t limit = capacity - 1;
    while (from < to && length < limit) {
        if (*from != '&') {
            field[length++] = *from++;
            continue;
        }
        const char* semicolon = Find(from, to - from > 12 ? from + 12 : to, ';');
        uint32_t code = 0;
        if (semicolon) {
            const char* name = from + 1;
            const size_t size = static_cast<size_t>(semicolon - name);
            auto is = [&](const char* word) { return size == std::strlen(word) && std::memcmp(name, word, size) == 0; };
            if (is("amp")) code = '&';
            else if (is("lt")) code = '<';
            else if (is("gt")) code = '>';
            else if (is("quot")) code = '"';
            else if (is("apos")) code = '\'';
            else if (size >= 2 && name[0] == '#') {
                const bool hex = name[1] == 'x' || name[1] == 'X';
                const char* digit = name + (hex ? 2 : 1);
                bool valid = digit < semicolon;
                for (; digit < semicolon && valid; ++digit) {
                    const char d = *digit;
                    uint32_t v = d >= '0' && d <= '9' ? uint32_t(d - '0')
                                 : hex && d >= 'a' && d <= 'f' ? uint32_t(d - 'a' + 10)
                                 : hex && d >= 'A' && d <= 'F' ? uint32_t(d - 'A' + 10)
                                                               : 99;
                    if (v > (hex ? 15u : 9u) || code > 0x10FFFF) valid = false;
                    else code = code * (hex ? 16 : 10) + v;
                }
                if (!valid || code == 0 || code > 0x10FFFF) code = 0;
            }
        }
        if (code == 0) {  // not a reference we know: the '&' stays as written
            field[length++] = *from++;
            continue;
        }
        char bytes[4];
        size_t count;
        if (code < 0x80) {
            bytes[0] = static_cast<char>(code);
            count = 1;
        } else if (code < 0x800) {
            bytes[0] = static_cast<char>(0xC0 | code >> 6);
            bytes[1] = static_cast<char>(0x80 | (code & 0x3F));
            count = 2;
        } else if (code < 0x10000) {
            bytes[0] = static_cast<char>(0xE0 | code >> 12);
            bytes[1] = static_cast<char>(0x80 | (code >> 6 & 0x3F));
            bytes[2] = static_cast<char>(0x80 | (code & 0x3F));
            count = 3;
        } else {
            bytes[0] = static_cast<char>(0xF0 | code >> 18);
            bytes[1] = static_cast<char>(0x80 | (code >> 12 & 0x3F));
            bytes[2] = static_cast<char>(0x80 | (code >> 6 & 0x3F));
            bytes[3] = static_cast<char>(0x80 | (code & 0x3F));
            count = 4;
        }
        if (length + count > limit) break;  // a character is never cut in half
        std::memcpy(field + length, bytes, count);
        length += count;
        from = semicolon + 1;
    }
    // A text cut at the field's width must not end in half a UTF-8 character.
    if (from < to && length > 0) {
        size_t lead = length;
        while (lead > 0 && (static_cast<unsigned char>(field[lead - 1]) & 0xC0) == 0x80) --lead;
        if (lead > 0) {
            const unsigned char first = static_cast<unsigned char>(field[lead - 1]);
            const size_t need = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
            if (first >= 0xC0 && length - (lead - 1) < need) length = lead - 1;
        }
    }
    field[length] = '\0';
    return length;
}

bool HasGameListRoot(const char* begin, const char* end) { return FindBytes(begin, end, "<mam", 4) != nullptr; }

bool ReadGameElement(const char*& pos, const char* end, ImportRecord& record, GameTraits& traits) {
    traits = GameTraits{};
    Cursor c{pos, end};
    GameState g{record, traits};
    bool ok = ReadGameAttributes(c, g) && ReadGameChildren(c, g);
    pos = c.pos;
    return ok;
}

Generation GenerationOfBuild(const char* tagBegin, const char* tagEnd) {
    const char* build = FindBytes(tagBegin, tagEnd, "build=\"", 7);
    if (!build) return Generation::Era;
    const char* p = build + 7;
    uint32_t major = 0, minor = 0;
    for (; p < tagEnd && *p >= '0' && *p <= '9'; ++p) major = major * 10 + uint32_t(*p - '0');
    if (p < tagEnd && *p == '.') {
        ++p;
        for (int digits = 0; p < tagEnd && *p >= '0' && *p <= '9' && digits < 6; ++p, ++digits)
            minor = minor * 10 + uint32_t(*p - '0');
    }
    return major > 0 || minor >= 107 ? Generation::Today : Generation::Era;
}

void DeriveCatalogueFields(ImportRecord& r) {
    const char* iconName = r.RomName;
    if (r.Cloneof[0] == '\0') {
        r.Cloneof[0] = ' ';
        r.Cloneof[1] = '\0';
        r.Original = 0;
    } else {
        r.Original = 1;
        iconName = r.Cloneof;
    }
    size_t length = 0;
    Append(r.IconPath, length, iconName);
    Append(r.IconPath, length, ".ico");

    length = 0;
    if (r.Width[0] == '\0') {
        Append(r.Resolution, length, " ");
    } else {
        Append(r.Resolution, length, r.Width);
        Append(r.Resolution, length, "x");
        Append(r.Resolution, length, r.Height);
    }
}

GameListResult ScanGameList(const char* begin, const char* end, ImportRecord& record, GameSink sink,
                            void* context, const bool* stop) {
    GameListResult result{};
    const char* root = FindBytes(begin, end, "<mam", 4);
    if (!root) {
        result.status = GameListStatus::NoRoot;
        return result;
    }
    result.status = GameListStatus::FormatError;

    // The root start tag is "<mame>" up to version 0.101 and carries a build
    // attribute after that, so step past its '>' rather than six bytes.
    Cursor c{root, end};
    if (!AdvancePast(c, '>')) return result;
    result.generation = GenerationOfBuild(root, c.pos);

    for (;;) {
        SkipWhitespace(c);
        Token t = PeekToken(c, kBetweenGames);
        if (t == kNoToken || !TakeToken(c, t)) return result;
        if (t == kRootEnd) {
            result.status = GameListStatus::Complete;
            return result;
        }
        if (t == kMachine) result.generation = Generation::Today;
        std::memset(&record, 0, sizeof record);
        GameTraits traits;
        if (!ReadGameElement(c.pos, c.end, record, traits)) return result;
        const bool fits = traits.nameLength <= kLongestRomName;
        if (fits) std::memcpy(result.lastRead, record.RomName, sizeof result.lastRead);
        // Devices and BIOS sets are not games: neither inserted nor counted.
        if (traits.notAGame) continue;
        // Known now to be a game: one whose name does not fit is left out
        // and counted.
        if (!fits) {
            ++result.longNames;
            continue;
        }
        DeriveCatalogueFields(record);
        sink(context, record);
        ++result.games;
        if (stop && *stop) {
            result.status = GameListStatus::Stopped;
            return result;
        }
    }
}

}  // namespace quillet
