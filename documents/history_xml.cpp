#include "documents/history_xml.h"

#include <cstring>
#include <vector>

#include "base/utf8.h"

namespace quillet {

namespace {

constexpr std::string_view kEntryStart = "<entry";
constexpr std::string_view kEntryEnd = "</entry>";
constexpr std::string_view kRootEnd = "</history>";
constexpr std::string_view kTextStart = "<text";
constexpr std::string_view kTextEnd = "</text>";
constexpr std::string_view kSystem = "<system";
constexpr std::string_view kCdataStart = "<![CDATA[";
constexpr std::string_view kCdataEnd = "]]>";

bool IsNameEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '>' || c == '/'; }

// The value of attribute `name` inside the tag text [tag, tagEnd), or
// empty when it is not there.
std::string_view Attribute(std::string_view tag, std::string_view name) {
    for (size_t at = tag.find(name); at != std::string_view::npos; at = tag.find(name, at + 1)) {
        if (at == 0 || !IsNameEnd(tag[at - 1])) continue;
        size_t p = at + name.size();
        while (p < tag.size() && (tag[p] == ' ' || tag[p] == '\t')) ++p;
        if (p >= tag.size() || tag[p] != '=') continue;
        ++p;
        while (p < tag.size() && (tag[p] == ' ' || tag[p] == '\t')) ++p;
        if (p >= tag.size() || (tag[p] != '"' && tag[p] != '\'')) continue;
        const char quote = tag[p++];
        const size_t close = tag.find(quote, p);
        if (close == std::string_view::npos) return {};
        return tag.substr(p, close - p);
    }
    return {};
}

// The tag that starts at `at` ('<'), up to its '>'; npos when unclosed.
size_t TagEnd(std::string_view text, size_t at) { return text.find('>', at); }

// Whether `text` at `at` starts the element `name` (its name, then a blank,
// '>' or '/').
bool StartsElement(std::string_view text, size_t at, std::string_view name) {
    return text.compare(at, name.size(), name) == 0 && at + name.size() < text.size() &&
           IsNameEnd(text[at + name.size()]);
}

// The reference at raw[at] ('&'): its character appended and its length
// returned, or 0 when it is none the scanner decodes.
size_t DecodeReference(std::string_view raw, size_t at, std::string& out) {
    const size_t semicolon = raw.find(';', at);
    if (semicolon == std::string_view::npos || semicolon - at > 12) return 0;
    const std::string_view name = raw.substr(at + 1, semicolon - at - 1);
    static constexpr struct {
        std::string_view name;
        char c;
    } kEntities[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& e : kEntities)
        if (name == e.name) {
            out += e.c;
            return semicolon - at + 1;
        }
    if (name.size() < 2 || name[0] != '#') return 0;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) return 0;
    uint32_t value = 0;
    for (char d : digits) {
        uint32_t v;
        if (d >= '0' && d <= '9')
            v = static_cast<uint32_t>(d - '0');
        else if (hex && d >= 'a' && d <= 'f')
            v = static_cast<uint32_t>(d - 'a' + 10);
        else if (hex && d >= 'A' && d <= 'F')
            v = static_cast<uint32_t>(d - 'A' + 10);
        else
            return 0;
        value = value * (hex ? 16 : 10) + v;
        if (value > 0x10FFFF) return 0;
    }
    if (value == 0 || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    AppendUtf8(out, value);
    return semicolon - at + 1;
}

}  // namespace

std::string HistoryXmlVersion(const char* begin, const char* end) {
    const size_t size = static_cast<size_t>(end - begin);
    const std::string_view head(begin, size < 65536 ? size : 65536);
    for (size_t at = head.find("<history"); at != std::string_view::npos; at = head.find("<history", at + 1)) {
        if (!StartsElement(head, at, "<history")) continue;
        const size_t close = TagEnd(head, at);
        if (close == std::string_view::npos) return {};
        return std::string(Attribute(head.substr(at, close - at), "version"));
    }
    return {};
}

HistoryXmlScan ScanHistoryXml(const char* begin, const char* end, HistorySystemSink sink, void* context) {
    HistoryXmlScan scan;
    const std::string_view text(begin, static_cast<size_t>(end - begin));
    std::vector<std::string_view> names;
    size_t pos = 0;
    for (;;) {
        const size_t entry = text.find(kEntryStart, pos);
        if (entry == std::string_view::npos) {
            scan.complete = text.find(kRootEnd, pos) != std::string_view::npos;
            return scan;
        }
        if (!StartsElement(text, entry, kEntryStart)) {
            pos = entry + kEntryStart.size();
            continue;
        }
        // The text first: everything else of the entry lies before it.
        const size_t textTag = text.find(kTextStart, entry);
        const size_t entryEnd = text.find(kEntryEnd, entry);
        if (entryEnd == std::string_view::npos) return scan;
        if (textTag == std::string_view::npos || textTag > entryEnd) {  // an entry without text
            pos = entryEnd + kEntryEnd.size();
            continue;
        }
        const size_t textOpen = TagEnd(text, textTag);
        if (textOpen == std::string_view::npos || textOpen > entryEnd) return scan;
        size_t textBegin = textOpen + 1;
        size_t textEnd = text.find(kTextEnd, textBegin);
        if (text[textOpen - 1] == '/') textEnd = textBegin = textOpen + 1;  // <text/>
        if (textEnd == std::string_view::npos || textEnd > entryEnd) return scan;
        // The system names between the entry's start and its text; the
        // software items there are no systems.
        names.clear();
        const std::string_view head = text.substr(entry, textTag - entry);
        for (size_t at = head.find(kSystem); at != std::string_view::npos; at = head.find(kSystem, at + 1)) {
            if (!StartsElement(head, at, kSystem)) continue;  // <systems>
            const size_t close = TagEnd(head, at);
            if (close == std::string_view::npos) return scan;
            const std::string_view name = Attribute(head.substr(at, close - at), "name");
            if (!name.empty()) names.push_back(name);
        }
        for (const std::string_view name : names)
            if (!sink(context, name, textBegin, textEnd - textBegin)) return scan;
        ++scan.entries;
        pos = entryEnd + kEntryEnd.size();
    }
}

std::string DecodeHistoryText(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    size_t i = 0;
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '<' && raw.compare(i, kCdataStart.size(), kCdataStart) == 0) {
            const size_t from = i + kCdataStart.size();
            const size_t close = raw.find(kCdataEnd, from);
            const size_t to = close == std::string_view::npos ? raw.size() : close;
            out.append(raw.substr(from, to - from));
            i = close == std::string_view::npos ? raw.size() : close + kCdataEnd.size();
            continue;
        }
        if (c == '&') {
            const size_t length = DecodeReference(raw, i, out);
            if (length) {
                i += length;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

}  // namespace quillet
