#include "filters/filter_query.h"

#include <cstring>

#include "resources/resource_ids.h"

namespace quillet {

namespace {

template <size_t N>
void CopyText(char (&field)[N], const char* text) {
    const size_t length = strnlen(text, N - 1);
    std::memcpy(field, text, length);
    field[length] = '\0';
}

uint8_t Accepted(uint8_t box, uint8_t code) { return box ? code : kExcludedCode; }

// The bounds of one range page. `first`/`last` are the query's fields,
// `only`/`start`/`end` the page's.
template <size_t Q, size_t P, size_t R>
void SetRange(uint32_t mode, uint32_t allRadio, char (&first)[Q], char (&last)[Q], const char* allFirst,
              const char* allLast, const char (&only)[P], const char (&start)[R], const char (&end)[R]) {
    if (mode == allRadio) {
        CopyText(first, allFirst);
        CopyText(last, allLast);
    } else if (mode == allRadio + 1) {
        CopyText(first, only);
        CopyText(last, only);
    } else if (mode == allRadio + 2) {
        CopyText(first, start);
        CopyText(last, end);
    }
}

// The leading decimal number of `s` (none when it starts otherwise), and
// where the text after it begins.
bool LeadingNumber(std::string_view s, size_t& at, unsigned long long& value) {
    const size_t begin = at;
    value = 0;
    while (at < s.size() && s[at] >= '0' && s[at] <= '9') {
        if (value < 100000000000ULL) value = value * 10 + static_cast<unsigned>(s[at] - '0');
        ++at;
    }
    return at > begin;
}

}  // namespace

void BuildFilterQueryBlock(FilterSettings& f) {
    FilterQueryBlock& q = f.Query;

    // Status IN (good, bad, best available, other), then the second value of
    // Original IN (0, ?): parents always pass, clones only with their box.
    q.FilRomDb[0] = Accepted(f.FilRomStat[0], 0);
    q.FilRomDb[1] = Accepted(f.FilRomStat[2], 2);
    q.FilRomDb[2] = Accepted(f.FilRomStat[1], 1);
    q.FilRomDb[3] = Accepted(f.FilRomStat[3], 3);
    q.FilRomDb[4] = Accepted(f.FilRomStat[4], 1);

    switch (f.FilYearRadio) {
    case IDC_FILTER_YEAR_ALL:
        q.FilYearFirst[0] = kAllYearsFirst;
        q.FilYearFirst[1] = kAllYearsLast;
        break;
    case IDC_FILTER_YEAR_ONE:
        q.FilYearFirst[0] = q.FilYearFirst[1] = static_cast<int16_t>(f.FilYearOnly & 0xFFFF);
        break;
    case IDC_FILTER_YEAR_RANGE:
        q.FilYearFirst[0] = static_cast<int16_t>(f.FilYearStart & 0xFFFF);
        q.FilYearFirst[1] = static_cast<int16_t>(f.FilYearEnd & 0xFFFF);
        break;
    default: break;
    }

    SetRange(f.FilPaletteRadio, IDC_FILTER_PALETTE_ALL, q.FilPaletteFirst, q.FilPaletteLast, kAllPalettesFirst,
             kAllPalettesLast, f.FilPaletteOnly, f.FilPaletteStart, f.FilPaletteEnd);
    SetRange(f.FilResoRadio, IDC_FILTER_RESO_ALL, q.FilResoFirst, q.FilResoLast, kAllResolutionsFirst,
             kAllResolutionsLast, f.FilResoOnly, f.FilResoStart, f.FilResoEnd);
    SetRange(f.FilFreqRadio, IDC_FILTER_FREQ_ALL, q.FilFreqFirst, q.FilFreqLast, kAllFrequenciesFirst,
             kAllFrequenciesLast, f.FilFreqOnly, f.FilFreqStart, f.FilFreqEnd);

    q.FilVideoDb[0] = Accepted(f.FilVideoStat[0], 0);  // Video IN (raster, vector)
    q.FilVideoDb[1] = Accepted(f.FilVideoStat[1], 1);
    q.FilVideoDb[2] = Accepted(f.FilVideoStat[2], 0);  // Orientation IN (horizontal, vertical)
    q.FilVideoDb[3] = Accepted(f.FilVideoStat[3], 1);

    // DriverStatus IN (good, preliminary); the query also admits imperfect
    // drivers (code 1) whenever byte 0 holds the good code.
    q.FilDriverDb[0] = Accepted(f.FilDriverStat[0], 0);
    q.FilDriverDb[1] = Accepted(f.FilDriverStat[1], 2);
    for (int i = 0; i < 3; ++i) {
        q.FilDriverDb[2 + i] = Accepted(f.FilDriverStat[2 + i], static_cast<uint8_t>(i));  // colour
        q.FilDriverDb[5 + i] = Accepted(f.FilDriverStat[5 + i], static_cast<uint8_t>(i));  // sound
    }
}

RangeEnables RangeModeEnables(uint32_t mode, uint32_t allRadio) {
    switch (static_cast<int>(mode & 0xFFFF) - static_cast<int>(allRadio)) {
    case 0: return {true, false, false};
    case 1: return {true, true, false};
    case 2: return {true, false, true};
    default: return {false, false, false};
    }
}

bool FilterValueLess(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    unsigned long long x = 0, y = 0;
    const bool na = LeadingNumber(a, i, x), nb = LeadingNumber(b, j, y);
    if (na != nb) return na;
    if (na && x != y) return x < y;
    return a < b;
}

}  // namespace quillet
