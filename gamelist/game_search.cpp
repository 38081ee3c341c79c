#include "gamelist/game_search.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "base/utf8.h"

namespace quillet {

namespace {

struct Fold {
    uint32_t codePoint;
    const char* base;
};

// Latin-1 Supplement, Latin Extended-A and -B and Latin Extended
// Additional: each letter with its base letters, lowercase, sorted by code
// point. Letters that decompose into no plain base letters (ð, ø, ł, þ, ß,
// the ligatures) have the spelling readers type for them.
constexpr Fold kFolds[] = {
    {0x00C0, "a"}, {0x00C1, "a"}, {0x00C2, "a"}, {0x00C3, "a"}, {0x00C4, "a"}, {0x00C5, "a"}, {0x00C6, "ae"},
    {0x00C7, "c"}, {0x00C8, "e"}, {0x00C9, "e"}, {0x00CA, "e"}, {0x00CB, "e"}, {0x00CC, "i"}, {0x00CD, "i"},
    {0x00CE, "i"}, {0x00CF, "i"}, {0x00D0, "d"}, {0x00D1, "n"}, {0x00D2, "o"}, {0x00D3, "o"}, {0x00D4, "o"},
    {0x00D5, "o"}, {0x00D6, "o"}, {0x00D8, "o"}, {0x00D9, "u"}, {0x00DA, "u"}, {0x00DB, "u"}, {0x00DC, "u"},
    {0x00DD, "y"}, {0x00DE, "th"}, {0x00DF, "ss"}, {0x00E0, "a"}, {0x00E1, "a"}, {0x00E2, "a"}, {0x00E3, "a"},
    {0x00E4, "a"}, {0x00E5, "a"}, {0x00E6, "ae"}, {0x00E7, "c"}, {0x00E8, "e"}, {0x00E9, "e"}, {0x00EA, "e"},
    {0x00EB, "e"}, {0x00EC, "i"}, {0x00ED, "i"}, {0x00EE, "i"}, {0x00EF, "i"}, {0x00F0, "d"}, {0x00F1, "n"},
    {0x00F2, "o"}, {0x00F3, "o"}, {0x00F4, "o"}, {0x00F5, "o"}, {0x00F6, "o"}, {0x00F8, "o"}, {0x00F9, "u"},
    {0x00FA, "u"}, {0x00FB, "u"}, {0x00FC, "u"}, {0x00FD, "y"}, {0x00FE, "th"}, {0x00FF, "y"}, {0x0100, "a"},
    {0x0101, "a"}, {0x0102, "a"}, {0x0103, "a"}, {0x0104, "a"}, {0x0105, "a"}, {0x0106, "c"}, {0x0107, "c"},
    {0x0108, "c"}, {0x0109, "c"}, {0x010A, "c"}, {0x010B, "c"}, {0x010C, "c"}, {0x010D, "c"}, {0x010E, "d"},
    {0x010F, "d"}, {0x0110, "d"}, {0x0111, "d"}, {0x0112, "e"}, {0x0113, "e"}, {0x0114, "e"}, {0x0115, "e"},
    {0x0116, "e"}, {0x0117, "e"}, {0x0118, "e"}, {0x0119, "e"}, {0x011A, "e"}, {0x011B, "e"}, {0x011C, "g"},
    {0x011D, "g"}, {0x011E, "g"}, {0x011F, "g"}, {0x0120, "g"}, {0x0121, "g"}, {0x0122, "g"}, {0x0123, "g"},
    {0x0124, "h"}, {0x0125, "h"}, {0x0126, "h"}, {0x0127, "h"}, {0x0128, "i"}, {0x0129, "i"}, {0x012A, "i"},
    {0x012B, "i"}, {0x012C, "i"}, {0x012D, "i"}, {0x012E, "i"}, {0x012F, "i"}, {0x0130, "i"}, {0x0131, "i"},
    {0x0132, "ij"}, {0x0133, "ij"}, {0x0134, "j"}, {0x0135, "j"}, {0x0136, "k"}, {0x0137, "k"}, {0x0138, "k"},
    {0x0139, "l"}, {0x013A, "l"}, {0x013B, "l"}, {0x013C, "l"}, {0x013D, "l"}, {0x013E, "l"}, {0x013F, "l"},
    {0x0140, "l"}, {0x0141, "l"}, {0x0142, "l"}, {0x0143, "n"}, {0x0144, "n"}, {0x0145, "n"}, {0x0146, "n"},
    {0x0147, "n"}, {0x0148, "n"}, {0x0149, "n"}, {0x014C, "o"}, {0x014D, "o"}, {0x014E, "o"}, {0x014F, "o"},
    {0x0150, "o"}, {0x0151, "o"}, {0x0152, "oe"}, {0x0153, "oe"}, {0x0154, "r"}, {0x0155, "r"}, {0x0156, "r"},
    {0x0157, "r"}, {0x0158, "r"}, {0x0159, "r"}, {0x015A, "s"}, {0x015B, "s"}, {0x015C, "s"}, {0x015D, "s"},
    {0x015E, "s"}, {0x015F, "s"}, {0x0160, "s"}, {0x0161, "s"}, {0x0162, "t"}, {0x0163, "t"}, {0x0164, "t"},
    {0x0165, "t"}, {0x0166, "t"}, {0x0167, "t"}, {0x0168, "u"}, {0x0169, "u"}, {0x016A, "u"}, {0x016B, "u"},
    {0x016C, "u"}, {0x016D, "u"}, {0x016E, "u"}, {0x016F, "u"}, {0x0170, "u"}, {0x0171, "u"}, {0x0172, "u"},
    {0x0173, "u"}, {0x0174, "w"}, {0x0175, "w"}, {0x0176, "y"}, {0x0177, "y"}, {0x0178, "y"}, {0x0179, "z"},
    {0x017A, "z"}, {0x017B, "z"}, {0x017C, "z"}, {0x017D, "z"}, {0x017E, "z"}, {0x017F, "s"}, {0x0192, "f"},
    {0x01A0, "o"}, {0x01A1, "o"}, {0x01AF, "u"}, {0x01B0, "u"}, {0x01C4, "dz"}, {0x01C5, "dz"}, {0x01C6, "dz"},
    {0x01C7, "lj"}, {0x01C8, "lj"}, {0x01C9, "lj"}, {0x01CA, "nj"}, {0x01CB, "nj"}, {0x01CC, "nj"}, {0x01CD, "a"},
    {0x01CE, "a"}, {0x01CF, "i"}, {0x01D0, "i"}, {0x01D1, "o"}, {0x01D2, "o"}, {0x01D3, "u"}, {0x01D4, "u"},
    {0x01D5, "u"}, {0x01D6, "u"}, {0x01D7, "u"}, {0x01D8, "u"}, {0x01D9, "u"}, {0x01DA, "u"}, {0x01DB, "u"},
    {0x01DC, "u"}, {0x01DE, "a"}, {0x01DF, "a"}, {0x01E0, "a"}, {0x01E1, "a"}, {0x01E6, "g"}, {0x01E7, "g"},
    {0x01E8, "k"}, {0x01E9, "k"}, {0x01EA, "o"}, {0x01EB, "o"}, {0x01EC, "o"}, {0x01ED, "o"}, {0x01F0, "j"},
    {0x01F1, "dz"}, {0x01F2, "dz"}, {0x01F3, "dz"}, {0x01F4, "g"}, {0x01F5, "g"}, {0x01F8, "n"}, {0x01F9, "n"},
    {0x01FA, "a"}, {0x01FB, "a"}, {0x0200, "a"}, {0x0201, "a"}, {0x0202, "a"}, {0x0203, "a"}, {0x0204, "e"},
    {0x0205, "e"}, {0x0206, "e"}, {0x0207, "e"}, {0x0208, "i"}, {0x0209, "i"}, {0x020A, "i"}, {0x020B, "i"},
    {0x020C, "o"}, {0x020D, "o"}, {0x020E, "o"}, {0x020F, "o"}, {0x0210, "r"}, {0x0211, "r"}, {0x0212, "r"},
    {0x0213, "r"}, {0x0214, "u"}, {0x0215, "u"}, {0x0216, "u"}, {0x0217, "u"}, {0x0218, "s"}, {0x0219, "s"},
    {0x021A, "t"}, {0x021B, "t"}, {0x021E, "h"}, {0x021F, "h"}, {0x0226, "a"}, {0x0227, "a"}, {0x0228, "e"},
    {0x0229, "e"}, {0x022A, "o"}, {0x022B, "o"}, {0x022C, "o"}, {0x022D, "o"}, {0x022E, "o"}, {0x022F, "o"},
    {0x0230, "o"}, {0x0231, "o"}, {0x0232, "y"}, {0x0233, "y"}, {0x1E00, "a"}, {0x1E01, "a"}, {0x1E02, "b"},
    {0x1E03, "b"}, {0x1E04, "b"}, {0x1E05, "b"}, {0x1E06, "b"}, {0x1E07, "b"}, {0x1E08, "c"}, {0x1E09, "c"},
    {0x1E0A, "d"}, {0x1E0B, "d"}, {0x1E0C, "d"}, {0x1E0D, "d"}, {0x1E0E, "d"}, {0x1E0F, "d"}, {0x1E10, "d"},
    {0x1E11, "d"}, {0x1E12, "d"}, {0x1E13, "d"}, {0x1E14, "e"}, {0x1E15, "e"}, {0x1E16, "e"}, {0x1E17, "e"},
    {0x1E18, "e"}, {0x1E19, "e"}, {0x1E1A, "e"}, {0x1E1B, "e"}, {0x1E1C, "e"}, {0x1E1D, "e"}, {0x1E1E, "f"},
    {0x1E1F, "f"}, {0x1E20, "g"}, {0x1E21, "g"}, {0x1E22, "h"}, {0x1E23, "h"}, {0x1E24, "h"}, {0x1E25, "h"},
    {0x1E26, "h"}, {0x1E27, "h"}, {0x1E28, "h"}, {0x1E29, "h"}, {0x1E2A, "h"}, {0x1E2B, "h"}, {0x1E2C, "i"},
    {0x1E2D, "i"}, {0x1E2E, "i"}, {0x1E2F, "i"}, {0x1E30, "k"}, {0x1E31, "k"}, {0x1E32, "k"}, {0x1E33, "k"},
    {0x1E34, "k"}, {0x1E35, "k"}, {0x1E36, "l"}, {0x1E37, "l"}, {0x1E38, "l"}, {0x1E39, "l"}, {0x1E3A, "l"},
    {0x1E3B, "l"}, {0x1E3C, "l"}, {0x1E3D, "l"}, {0x1E3E, "m"}, {0x1E3F, "m"}, {0x1E40, "m"}, {0x1E41, "m"},
    {0x1E42, "m"}, {0x1E43, "m"}, {0x1E44, "n"}, {0x1E45, "n"}, {0x1E46, "n"}, {0x1E47, "n"}, {0x1E48, "n"},
    {0x1E49, "n"}, {0x1E4A, "n"}, {0x1E4B, "n"}, {0x1E4C, "o"}, {0x1E4D, "o"}, {0x1E4E, "o"}, {0x1E4F, "o"},
    {0x1E50, "o"}, {0x1E51, "o"}, {0x1E52, "o"}, {0x1E53, "o"}, {0x1E54, "p"}, {0x1E55, "p"}, {0x1E56, "p"},
    {0x1E57, "p"}, {0x1E58, "r"}, {0x1E59, "r"}, {0x1E5A, "r"}, {0x1E5B, "r"}, {0x1E5C, "r"}, {0x1E5D, "r"},
    {0x1E5E, "r"}, {0x1E5F, "r"}, {0x1E60, "s"}, {0x1E61, "s"}, {0x1E62, "s"}, {0x1E63, "s"}, {0x1E64, "s"},
    {0x1E65, "s"}, {0x1E66, "s"}, {0x1E67, "s"}, {0x1E68, "s"}, {0x1E69, "s"}, {0x1E6A, "t"}, {0x1E6B, "t"},
    {0x1E6C, "t"}, {0x1E6D, "t"}, {0x1E6E, "t"}, {0x1E6F, "t"}, {0x1E70, "t"}, {0x1E71, "t"}, {0x1E72, "u"},
    {0x1E73, "u"}, {0x1E74, "u"}, {0x1E75, "u"}, {0x1E76, "u"}, {0x1E77, "u"}, {0x1E78, "u"}, {0x1E79, "u"},
    {0x1E7A, "u"}, {0x1E7B, "u"}, {0x1E7C, "v"}, {0x1E7D, "v"}, {0x1E7E, "v"}, {0x1E7F, "v"}, {0x1E80, "w"},
    {0x1E81, "w"}, {0x1E82, "w"}, {0x1E83, "w"}, {0x1E84, "w"}, {0x1E85, "w"}, {0x1E86, "w"}, {0x1E87, "w"},
    {0x1E88, "w"}, {0x1E89, "w"}, {0x1E8A, "x"}, {0x1E8B, "x"}, {0x1E8C, "x"}, {0x1E8D, "x"}, {0x1E8E, "y"},
    {0x1E8F, "y"}, {0x1E90, "z"}, {0x1E91, "z"}, {0x1E92, "z"}, {0x1E93, "z"}, {0x1E94, "z"}, {0x1E95, "z"},
    {0x1E96, "h"}, {0x1E97, "t"}, {0x1E98, "w"}, {0x1E99, "y"}, {0x1E9B, "s"}, {0x1E9E, "ss"}, {0x1EA0, "a"},
    {0x1EA1, "a"}, {0x1EA2, "a"}, {0x1EA3, "a"}, {0x1EA4, "a"}, {0x1EA5, "a"}, {0x1EA6, "a"}, {0x1EA7, "a"},
    {0x1EA8, "a"}, {0x1EA9, "a"}, {0x1EAA, "a"}, {0x1EAB, "a"}, {0x1EAC, "a"}, {0x1EAD, "a"}, {0x1EAE, "a"},
    {0x1EAF, "a"}, {0x1EB0, "a"}, {0x1EB1, "a"}, {0x1EB2, "a"}, {0x1EB3, "a"}, {0x1EB4, "a"}, {0x1EB5, "a"},
    {0x1EB6, "a"}, {0x1EB7, "a"}, {0x1EB8, "e"}, {0x1EB9, "e"}, {0x1EBA, "e"}, {0x1EBB, "e"}, {0x1EBC, "e"},
    {0x1EBD, "e"}, {0x1EBE, "e"}, {0x1EBF, "e"}, {0x1EC0, "e"}, {0x1EC1, "e"}, {0x1EC2, "e"}, {0x1EC3, "e"},
    {0x1EC4, "e"}, {0x1EC5, "e"}, {0x1EC6, "e"}, {0x1EC7, "e"}, {0x1EC8, "i"}, {0x1EC9, "i"}, {0x1ECA, "i"},
    {0x1ECB, "i"}, {0x1ECC, "o"}, {0x1ECD, "o"}, {0x1ECE, "o"}, {0x1ECF, "o"}, {0x1ED0, "o"}, {0x1ED1, "o"},
    {0x1ED2, "o"}, {0x1ED3, "o"}, {0x1ED4, "o"}, {0x1ED5, "o"}, {0x1ED6, "o"}, {0x1ED7, "o"}, {0x1ED8, "o"},
    {0x1ED9, "o"}, {0x1EDA, "o"}, {0x1EDB, "o"}, {0x1EDC, "o"}, {0x1EDD, "o"}, {0x1EDE, "o"}, {0x1EDF, "o"},
    {0x1EE0, "o"}, {0x1EE1, "o"}, {0x1EE2, "o"}, {0x1EE3, "o"}, {0x1EE4, "u"}, {0x1EE5, "u"}, {0x1EE6, "u"},
    {0x1EE7, "u"}, {0x1EE8, "u"}, {0x1EE9, "u"}, {0x1EEA, "u"}, {0x1EEB, "u"}, {0x1EEC, "u"}, {0x1EED, "u"},
    {0x1EEE, "u"}, {0x1EEF, "u"}, {0x1EF0, "u"}, {0x1EF1, "u"}, {0x1EF2, "y"}, {0x1EF3, "y"}, {0x1EF4, "y"},
    {0x1EF5, "y"}, {0x1EF6, "y"}, {0x1EF7, "y"}, {0x1EF8, "y"}, {0x1EF9, "y"},
};

constexpr bool SortedByCodePoint() {
    for (size_t i = 1; i < std::size(kFolds); ++i)
        if (kFolds[i - 1].codePoint >= kFolds[i].codePoint) return false;
    return true;
}
static_assert(SortedByCodePoint());

// The next character of [p, end) and its length in bytes. A byte that
// starts no valid, shortest-form UTF-8 sequence is one Latin-1 character.
uint32_t NextCodePoint(const unsigned char* p, const unsigned char* end, size_t& length) {
    const unsigned char b = *p;
    length = 1;
    if (b < 0x80) return b;
    size_t need;
    uint32_t c, least;
    if (b >= 0xC2 && b <= 0xDF) {
        need = 1, c = b & 0x1Fu, least = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        need = 2, c = b & 0x0Fu, least = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        need = 3, c = b & 0x07u, least = 0x10000;
    } else {
        return b;
    }
    if (static_cast<size_t>(end - p) <= need) return b;
    for (size_t i = 1; i <= need; ++i) {
        if ((p[i] & 0xC0) != 0x80) return b;
        c = (c << 6) | (p[i] & 0x3Fu);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return b;
    length = need + 1;
    return c;
}

// Lowercase of the capitals outside the table: Greek, Cyrillic and the
// fullwidth forms of ASCII (letters lowercased as well).
uint32_t SimpleLower(uint32_t c) {
    if (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) return c + 0x20;
    if (c >= 0x0410 && c <= 0x042F) return c + 0x20;
    if (c >= 0x0400 && c <= 0x040F) return c + 0x50;
    if (c >= 0xFF01 && c <= 0xFF5E) {
        const uint32_t ascii = c - 0xFF01 + 0x21;
        return ascii >= 'A' && ascii <= 'Z' ? ascii + 0x20 : ascii;
    }
    return c;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }  // controls as well

}  // namespace

const char* FoldOfCodePoint(uint32_t codePoint) {
    const Fold* end = std::end(kFolds);
    const Fold* it = std::lower_bound(std::begin(kFolds), end, codePoint,
                                      [](const Fold& f, uint32_t c) { return f.codePoint < c; });
    return it != end && it->codePoint == codePoint ? it->base : nullptr;
}

void AppendFolded(std::string& out, std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {  // most of every catalogue
            out += static_cast<char>(b >= 'A' && b <= 'Z' ? b + 0x20 : b);
            ++p;
            continue;
        }
        size_t length;
        const uint32_t c = NextCodePoint(p, end, length);
        p += length;
        if (const char* base = FoldOfCodePoint(c))
            out += base;
        else
            AppendUtf8(out, SimpleLower(c));
    }
}

std::string Folded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendFolded(out, text);
    return out;
}

std::vector<std::string> SearchWords(std::string_view typed) {
    const std::string folded = Folded(typed);
    std::vector<std::string> words;
    size_t i = 0;
    while (i < folded.size()) {
        while (i < folded.size() && IsBlank(folded[i])) ++i;
        const size_t start = i;
        while (i < folded.size() && !IsBlank(folded[i])) ++i;
        if (i > start) words.emplace_back(folded, start, i - start);
    }
    // The longest word first: it rules out most games soonest.
    std::stable_sort(words.begin(), words.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    return words;
}

void AppendSearchText(std::string& out, std::string_view romName, std::string_view description,
                      std::string_view manufacturer) {
    AppendFolded(out, romName);
    out += kSearchFieldSeparator;
    AppendFolded(out, description);
    out += kSearchFieldSeparator;
    AppendFolded(out, manufacturer);
}

bool MatchesEveryWord(std::string_view searchText, const std::vector<std::string>& words) {
    for (const std::string& word : words)
        if (searchText.find(word) == std::string_view::npos) return false;
    return true;
}

}  // namespace quillet
