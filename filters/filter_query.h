// The filter sheet's page state turned into the parameters of the game
// query, and the small rules the pages share. Pure: no Windows header.
#pragma once

#include <string_view>

#include "settings/frontend_settings.h"

namespace quillet {

// The code an unticked box puts into an accepted-code byte: no row has it,
// so the rows of that box are left out.
constexpr uint8_t kExcludedCode = 10;

// The fixed bounds of the "all" modes. The frequency column holds refresh
// rates up to 255 Hz, so its upper bound lies above every stored rate.
constexpr int16_t kAllYearsFirst = 0;
constexpr int16_t kAllYearsLast = 2200;
constexpr char kAllPalettesFirst[] = "0";
constexpr char kAllPalettesLast[] = "99999";
constexpr char kAllResolutionsFirst[] = " ";  // also the stored text of "no resolution"
// Resolutions compare as text, and 'x' sorts above every digit: a bound of
// digits alone ("9999999") would leave out "99x16" (today's galileo and
// leonardo sets). "9x99999" lies above every "WIDTHxHEIGHT" but "9x...".
constexpr char kAllResolutionsLast[] = "9x99999";
constexpr char kAllFrequenciesFirst[] = "0";
constexpr char kAllFrequenciesLast[] = "999";

// Rewrites f.Query from the page state of f: status, video, driver, colour
// and sound codes from the boxes; year, palette, resolution and frequency
// bounds from their modes (a mode that is no radio of its page leaves its
// bounds as they were). The name and manufacturer patterns are page state
// and query field at once and stay as they stand.
void BuildFilterQueryBlock(FilterSettings& f);

// What a range page's mode enables: the one-value control, the two range
// controls. `changes` is false for an id that is none of the three radios.
struct RangeEnables {
    bool changes;
    bool one;
    bool range;
};
// `allRadio` is the page's first radio; the one-value and range radios
// follow it. Only the low 16 bits of the mode count.
RangeEnables RangeModeEnables(uint32_t mode, uint32_t allRadio);

// The order the palette and frequency pages show their values in, which is
// the order the query compares them in: by number ("16" before "512"), and
// texts without a leading number after the numbers, by bytes. Resolutions
// are compared as text by the query and are shown in plain byte order.
bool FilterValueLess(std::string_view a, std::string_view b);

}  // namespace quillet
