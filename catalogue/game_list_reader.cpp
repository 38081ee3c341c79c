// The emulator's XML game list ("-lx"), read by a fixed-token scanner rather
// than a general XML parser: it knows the elements and attributes the
// emulator writes for a game, copies the few values the catalogue needs into
// the ImportRecord and steps over everything else. It moves forward only,
// copies values byte for byte (entities stay undecoded, "A &amp; B" keeps its
// five-character entity) and accepts double-quoted attribute values only.
//
// Every step stays inside [begin, end): text that ends inside a game, a
// missing '=' or quote, an unknown child or status letter are format errors,
// and the reader returns false instead of guessing.
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

// The 35 tokens back to back, without separators; each is addressed by its
// start and length below.
constexpr char kXmlTokenTable[] =
    "<mame></mame><game</game><description><year><manufacturer><history><biosset<rom<disk"
    "<sample<chip<video<sound<input<dipswitch<driver"
    "namesourcefilerunnablecloneofromofsampleof"
    "screenorientationwidthheightaspectrefresh"
    "channels"
    "statussoundcolorpalettesize";
static_assert(sizeof(kXmlTokenTable) - 1 == 249);

enum Token : uint8_t {
    kRoot, kRootEnd, kGame, kGameEnd, kDescription, kYear, kManufacturer, kHistory, kBiosset,
    kRom, kDisk, kSample, kChip, kVideo, kSound, kInput, kDipswitch, kDriver,
    kName, kSourceFile, kRunnable, kCloneof, kRomOf, kSampleOf,
    kScreen, kOrientation, kWidth, kHeight, kAspect, kRefresh,
    kChannels,
    kStatus, kSoundStatus, kColor, kPaletteSize,
    kTokenCount,
    kNoToken = kTokenCount,
};

struct TokenInfo {
    uint16_t start;
    uint8_t length;
    bool whole;       // compared over its full length, else acts on its first four bytes
    uint32_t first4;  // the first four bytes as a native-endian load sees them
};

constexpr uint8_t kLengths[kTokenCount] = {6, 7, 5, 7, 13, 6, 14, 9, 8, 4, 5, 7, 5, 6, 6, 6, 10, 7,
                                           4, 10, 8, 7, 5, 8, 6, 11, 5, 6, 6, 7, 8, 6, 5, 5, 11};

// Tokens that only mark a child to step over, and the root start tag, which
// is found by its first four bytes.
constexpr bool IsFirst4Only(int t) {
    return t == kRoot || t == kHistory || t == kBiosset || t == kRom || t == kDisk || t == kSample ||
           t == kChip || t == kInput || t == kDipswitch;
}

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
        tokens[t] = {start, kLengths[t], !IsFirst4Only(t), Load4(kXmlTokenTable + start)};
        start = static_cast<uint16_t>(start + kLengths[t]);
    }
    return tokens;
}

constexpr auto kTokens = MakeTokens();
static_assert(kTokens[kPaletteSize].start + kTokens[kPaletteSize].length == 249);

// The tokens of each context, in table order.
constexpr Token kBetweenGames[] = {kRootEnd, kGame};
constexpr Token kGameChildren[] = {kGameEnd, kDescription, kYear, kManufacturer, kHistory,
                                   kBiosset, kRom, kDisk, kSample, kChip,
                                   kVideo, kSound, kInput, kDipswitch, kDriver};
constexpr Token kGameAttributes[] = {kName, kSourceFile, kRunnable, kCloneof, kRomOf, kSampleOf};
constexpr Token kVideoAttributes[] = {kScreen, kOrientation, kWidth, kHeight, kAspect, kRefresh};
constexpr Token kSoundAttributes[] = {kChannels};
constexpr Token kDriverAttributes[] = {kStatus, kSoundStatus, kColor, kPaletteSize};

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
              DistinctFirst4(kSoundAttributes) && DistinctFirst4(kDriverAttributes));

// The shared position and the end of the capture, and whether the game's
// name was longer than the catalogue holds.
struct Cursor {
    const char* pos;
    const char* end;
    bool longName = false;

    size_t Left() const { return static_cast<size_t>(end - pos); }
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

// Steps over a whole token, which must stand there in full; a first-4 token
// leaves the position where it is.
bool TakeToken(Cursor& c, Token t) {
    const TokenInfo& info = kTokens[t];
    if (!info.whole) return true;
    if (c.Left() < info.length || std::memcmp(c.pos, kXmlTokenTable + info.start, info.length) != 0) {
        return false;
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

// The game's short name. One too long for the catalogue is noted, so that
// the game is left out rather than stored under a cut name that may be
// another game's.
bool ReadName(Cursor& c, char (&field)[kRomNameLength + 1]) {
    if (!OpenValue(c)) return false;
    const char* quote = Find(c.pos, c.end, '"');
    if (!quote) return false;
    c.longName = !RomNameFits(static_cast<size_t>(quote - c.pos));
    CopyCut(field, c.pos, quote);
    c.pos = quote + 1;
    return true;
}

bool SkipAttribute(Cursor& c) {
    while (c.pos < c.end && !IsWhitespace(*c.pos) && *c.pos != '=') ++c.pos;
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
template <const auto& context, bool (*ReadValue)(Cursor&, Token, ImportRecord&), bool (*TakeTagEnd)(Cursor&)>
bool ReadAttributes(Cursor& c, ImportRecord& r) {
    for (;;) {
        SkipWhitespace(c);
        Token t = PeekToken(c, context);
        if (t == kNoToken) {
            if (TakeTagEnd(c)) return true;
            if (!SkipAttribute(c)) return false;
            continue;
        }
        if (!TakeToken(c, t) || !ReadValue(c, t, r)) return false;
    }
}

bool ReadGameValue(Cursor& c, Token t, ImportRecord& r) {
    switch (t) {
    case kName: return ReadName(c, r.RomName);
    case kSourceFile: return ReadAttributeValue(c, r.SourceFile);
    case kRunnable: return ReadAttributeValue(c, r.Runnable);
    case kCloneof: return ReadAttributeValue(c, r.Cloneof);
    case kRomOf: return ReadAttributeValue(c, r.RomOf);
    case kSampleOf: return ReadAttributeValue(c, r.SampleOf);
    default: return false;
    }
}

bool ReadVideoValue(Cursor& c, Token t, ImportRecord& r) {
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

bool ReadSoundValue(Cursor& c, Token t, ImportRecord& r) {
    return t == kChannels && ReadAttributeValue(c, r.Channels);
}

bool ReadDriverValue(Cursor& c, Token t, ImportRecord& r) {
    switch (t) {
    case kStatus: return ReadStatusValue(c, r.DriverStatus);
    case kSoundStatus: return ReadStatusValue(c, r.SoundStatus);
    case kColor: return ReadStatusValue(c, r.ColorStatus);
    case kPaletteSize: return ReadAttributeValue(c, r.Palette);
    default: return false;
    }
}

bool ReadGameAttributes(Cursor& c, ImportRecord& r) {
    return ReadAttributes<kGameAttributes, ReadGameValue, TakeStartTagEnd>(c, r);
}

// A dipswitch's dipvalue children end with the dipswitch end tag, the first
// "</di" behind its start; the position ends just behind that tag's '>'.
bool SkipDipswitch(Cursor& c) {
    for (;;) {
        const char* lt = Find(c.pos, c.end, '<');
        if (!lt) return false;
        c.pos = lt;
        if (c.Left() >= 4 && std::memcmp(c.pos, "</di", 4) == 0) break;
        ++c.pos;
    }
    ++c.pos;
    return AdvancePast(c, '>');
}

bool ReadYear(Cursor& c, uint16_t& field) {
    const char* lt = Find(c.pos, c.end, '<');
    if (!lt) return false;
    field = static_cast<uint16_t>(DecimalOf(c.pos, lt));
    c.pos = lt;
    return AdvancePast(c, '>');
}

// The children of a game up to and including "</game>".
bool ReadGameChildren(Cursor& c, ImportRecord& r) {
    for (;;) {
        SkipWhitespace(c);
        Token t = PeekToken(c, kGameChildren);
        if (t == kNoToken || !TakeToken(c, t)) return false;
        bool ok = false;
        switch (t) {
        case kGameEnd: return true;
        case kDescription: ok = CopyUpTo(c, '<', r.Description) && AdvancePast(c, '>'); break;
        case kYear: ok = ReadYear(c, r.Year); break;
        case kManufacturer: ok = CopyUpTo(c, '<', r.Manufacturer) && AdvancePast(c, '>'); break;
        // Start tag, text (which holds no '>'), end tag.
        case kHistory: ok = AdvancePast(c, '>') && AdvancePast(c, '>'); break;
        case kBiosset:
        case kRom:
        case kDisk:
        case kSample:
        case kChip:
        case kInput: ok = AdvancePast(c, '>'); break;
        case kDipswitch: ok = SkipDipswitch(c); break;
        case kVideo: ok = ReadAttributes<kVideoAttributes, ReadVideoValue, TakeEmptyTagEnd>(c, r); break;
        case kSound: ok = ReadAttributes<kSoundAttributes, ReadSoundValue, TakeEmptyTagEnd>(c, r); break;
        case kDriver: ok = ReadAttributes<kDriverAttributes, ReadDriverValue, TakeEmptyTagEnd>(c, r); break;
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

bool HasGameListRoot(const char* begin, const char* end) { return FindBytes(begin, end, "<mam", 4) != nullptr; }

bool ReadGameElement(const char*& pos, const char* end, ImportRecord& record) {
    Cursor c{pos, end};
    bool ok = ReadGameAttributes(c, record) && ReadGameChildren(c, record);
    pos = c.pos;
    return ok;
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
                            void* context) {
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

    for (;;) {
        SkipWhitespace(c);
        Token t = PeekToken(c, kBetweenGames);
        if (t == kNoToken || !TakeToken(c, t)) return result;
        if (t == kRootEnd) {
            result.status = GameListStatus::Complete;
            return result;
        }
        std::memset(&record, 0, sizeof record);
        c.longName = false;
        if (!ReadGameAttributes(c, record) || !ReadGameChildren(c, record)) return result;
        if (!c.longName) std::memcpy(result.lastRead, record.RomName, sizeof result.lastRead);
        DeriveCatalogueFields(record);
        // BIOS sets are listed with runnable="no"; they are not games.
        if (record.Runnable[0] == 'n') continue;
        // Known now to be a game: one whose name does not fit is left out
        // and counted.
        if (c.longName) {
            ++result.skipped;
            continue;
        }
        sink(context, record);
        ++result.games;
    }
}

}  // namespace quillet
