// catver.ini: "[Category]" sections of "shortname=Category" lines. Other
// sections ([VerAdded] and the like) and lines outside a section are passed
// over. Lines may end in CR LF (as the file is distributed) or in LF alone
// (as many copies are saved).
#include <cstring>

#include "catalogue/scan_util.h"
#include "catalogue/scanners.h"

namespace quillet {

namespace {

constexpr char kCategoryHeader[] = "[Category]";
constexpr size_t kHeaderLength = sizeof kCategoryHeader - 1;

// The position just behind the next line feed, or end when there is none.
const char* NextLine(const char* pos, const char* end) {
    const char* lf = scan::Find(pos, end, '\n');
    return lf ? lf + 1 : end;
}

bool IsCategoryHeader(const char* pos, const char* end) {
    return static_cast<size_t>(end - pos) >= kHeaderLength && std::memcmp(pos, kCategoryHeader, kHeaderLength) == 0;
}

// Reads the lines of one section, entered at its header line. Returns the
// position of the line that ended it: an empty line, the next section's
// header, or the end of the text.
const char* ApplySection(const char* pos, const char* end, CategorySink sink, void* context, uint32_t& count) {
    for (;;) {
        pos = NextLine(pos, end);
        if (pos >= end || *pos == '\r' || *pos == '\n' || *pos == '[') return pos;

        const char* lineEnd = scan::FindLineEnd(pos, end);
        if (!lineEnd) lineEnd = end;
        const char* equals = scan::Find(pos, lineEnd, '=');
        if (!equals) continue;  // not a name=category line

        const bool fits = RomNameFits(static_cast<size_t>(equals - pos));
        char name[kRomNameField];
        scan::CopyCut(name, pos, equals);
        const char* value = equals + 1;
        pos = value;
        // BIOS sets are not games; the catalogue does not hold them, nor a
        // set whose name is longer than its names.
        if (!fits || (lineEnd - value >= 4 && std::memcmp(value, "BIOS", 4) == 0)) continue;

        char category[90];
        scan::CopyCut(category, value, lineEnd);
        sink(context, name, category);
        ++count;
        pos = lineEnd;
    }
}

}  // namespace

uint32_t ScanCategoryFile(const char* begin, const char* end, CategorySink sink, void* context) {
    uint32_t count = 0;
    const char* pos = begin;
    while (pos && pos < end) {
        if (*pos == '[' && IsCategoryHeader(pos, end)) {
            pos = ApplySection(pos, end, sink, context, count);
        } else {
            pos = NextLine(pos, end);
        }
    }
    return count;
}

}  // namespace quillet
