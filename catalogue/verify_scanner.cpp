// The emulator's "-verifysets" (the era) or "-verifyroms" (today) output:
// one result line per ROM set, "romset NAME is VERDICT", clones as
// "romset NAME [PARENT] is VERDICT", among detail lines ("NAME : FILE ...
// NOT FOUND") and followed by a summary line, all of which the scan passes over.
#include <cstring>

#include "catalogue/scan_util.h"
#include "catalogue/scanners.h"

namespace quillet {

namespace {

// The two search strings share one text: its first seven bytes are the
// start of a result line, its last four the separator before the verdict.
constexpr char kVerifyPatterns[] = "romset  is ";
constexpr size_t kRomsetLength = 7;
constexpr size_t kIsLength = 4;
constexpr const char* kIs = kVerifyPatterns + sizeof kVerifyPatterns - 1 - kIsLength;

}  // namespace

const char* FindBytes(const char* begin, const char* end, const char* pattern, size_t length) {
    if (!begin || begin >= end || static_cast<size_t>(end - begin) < length) return nullptr;
    if (length == 0) return begin;
    const char* last = end - length;  // the last start at which the pattern still fits
    for (const char* p = begin; p <= last; ++p) {
        p = static_cast<const char*>(std::memchr(p, static_cast<unsigned char>(pattern[0]),
                                                 static_cast<size_t>(last - p) + 1));
        if (!p) return nullptr;
        if (std::memcmp(p, pattern, length) == 0) return p;
    }
    return nullptr;
}

bool HasVerifyResult(const char* begin, const char* end) {
    return FindBytes(begin, end, kVerifyPatterns, kRomsetLength) != nullptr;
}

uint8_t VerdictCode(char third) {
    switch (third) {
    case 'o': return 0;  // good
    case 's': return 1;  // best available
    case 'd': return 2;  // bad
    default: return 3;
    }
}

uint32_t ScanVerifyResults(const char* begin, const char* end, VerifySink sink, void* context) {
    uint32_t count = 0;
    const char* pos = begin;
    for (;;) {
        const char* line = FindBytes(pos, end, kVerifyPatterns, kRomsetLength);
        if (!line) break;

        // The name runs to the next space.
        char name[kRomNameField];
        const char* nameStart = line + kRomsetLength;
        const char* space = scan::Find(nameStart, end, ' ');
        const char* nameEnd = space ? space : end;
        const bool fits = RomNameFits(static_cast<size_t>(nameEnd - nameStart));
        scan::CopyCut(name, nameStart, nameEnd);

        // Words between the name and " is " (a clone's [parent]) are passed over.
        const char* is = FindBytes(line, end, kIs, kIsLength);
        if (!is) break;
        const char* verdict = is + kIsLength;
        if (end - verdict < 3) break;  // the verdict's third character is not in the text
        // A name longer than the catalogue holds is no set of it.
        if (fits) {
            sink(context, name, VerdictCode(verdict[2]));
            ++count;
        }

        // The next search starts at the line's end; without one the text is used up.
        const char* lineEnd = scan::FindLineEnd(verdict, end);
        if (!lineEnd) break;
        pos = lineEnd;
    }
    return count;
}

}  // namespace quillet
