#include "documents/document_scan.h"

#include <cstring>

namespace quillet {

namespace {

constexpr char kMarker[] = "$info=";
constexpr size_t kMarkerLength = sizeof kMarker - 1;
constexpr char kEndTag[] = "$end";
constexpr size_t kEndTagLength = sizeof kEndTag - 1;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

bool StartsWith(const char* p, const char* end, const char* text, size_t length) {
    return static_cast<size_t>(end - p) >= length && std::memcmp(p, text, length) == 0;
}

// The start of the next line: just past the next line feed, or `end`.
const char* NextLine(const char* p, const char* end) {
    const void* feed = std::memchr(p, '\n', static_cast<size_t>(end - p));
    return feed ? static_cast<const char*>(feed) + 1 : end;
}

const char* NameEnd(const char* p, const char* end) {
    while (p < end && *p != ',' && *p != '\r' && *p != '\n') ++p;
    return p;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The whole candidate is compared, however long: a name cut to a buffer
// could match a longer entry that is not the game's.
bool SameName(const char* begin, const char* end, const char* name) {
    const size_t length = std::strlen(name);
    if (length == 0 || static_cast<size_t>(end - begin) != length) return false;
    for (size_t i = 0; i < length; ++i)
        if (AsciiLower(begin[i]) != AsciiLower(name[i])) return false;
    return true;
}

bool IsEndTag(const char* p, const char* end) { return StartsWith(p, end, kEndTag, kEndTagLength); }

// Tag lines ("$bio", "$mame", the pinmame link line) are not text. An "$end"
// is never a tag: an empty entry ends there and does not run into the next.
const char* SkipTagLines(const char* p, const char* end) {
    while (p < end && *p == '$' && !IsEndTag(p, end)) p = NextLine(p, end);
    return p;
}

const char* TextEnd(const char* p, const char* end) {
    while (p < end) {
        const void* dollar = std::memchr(p, '$', static_cast<size_t>(end - p));
        if (!dollar) break;
        p = static_cast<const char*>(dollar);
        if (IsEndTag(p, end)) return p;
        ++p;
    }
    return end;
}

// What follows a history marker line: tag lines, then the text.
const char* HistoryTextStart(const char* p, const char* end) { return SkipTagLines(p, end); }

// What follows a mameinfo marker line: blank space, tag lines, then the
// text. Without a tag line the text starts with the line of the first
// non-blank character, so its indentation stays.
const char* InfoTextStart(const char* p, const char* end) {
    const char* lineStart = p;
    while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')) {
        if (*p == '\n') lineStart = p + 1;
        ++p;
    }
    if (p == end) return end;
    if (*p == '$') return SkipTagLines(p, end);
    return lineStart;
}

bool FindEntry(const char* begin, const char* end, const char* name, DocumentSpan* text,
               const char* (*textStart)(const char*, const char*)) {
    const char* line = begin;
    if (StartsWith(line, end, kByteOrderMark, 3)) line += 3;
    for (; line < end; line = NextLine(line, end)) {
        if (!StartsWith(line, end, kMarker, kMarkerLength)) continue;
        const char* nameBegin = line + kMarkerLength;
        const char* nameEnd = NameEnd(nameBegin, end);
        if (!SameName(nameBegin, nameEnd, name)) continue;
        const char* start = textStart(NextLine(nameEnd, end), end);
        text->begin = start;
        text->end = TextEnd(start, end);
        return true;
    }
    return false;
}

}  // namespace

bool FindHistoryText(const char* begin, const char* end, const char* name, DocumentSpan* text) {
    return FindEntry(begin, end, name, text, HistoryTextStart);
}

bool FindInfoText(const char* begin, const char* end, const char* name, DocumentSpan* text) {
    return FindEntry(begin, end, name, text, InfoTextStart);
}

std::string WithCrLfLineEnds(const char* begin, const char* end) {
    std::string out;
    out.reserve(static_cast<size_t>(end - begin) + static_cast<size_t>(end - begin) / 32);
    for (const char* p = begin; p < end; ++p) {
        if (*p == '\n' && (p == begin || p[-1] != '\r')) out += '\r';
        out += *p;
    }
    return out;
}

}  // namespace quillet
