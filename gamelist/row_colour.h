// Which colour a row gets from the text of its Status column.
#pragma once

#include <cstdint>
#include <cstring>

namespace quillet {

struct StatusColours {
    uint32_t good, best, bad, other;
};

// Compares the status text with the three status texts in order; no match
// gives the colour of every other status.
inline uint32_t RowColourFor(const char* status, const char* good, const char* best, const char* bad,
                             const StatusColours& colours) {
    if (std::strcmp(status, good) == 0) return colours.good;
    if (std::strcmp(status, best) == 0) return colours.best;
    if (std::strcmp(status, bad) == 0) return colours.bad;
    return colours.other;
}

}  // namespace quillet
