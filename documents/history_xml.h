// Today's history file, history.xml: a root <history version="..."> of
// <entry> elements, each with the <systems> (<system name="..."/>) and
// <software> items (<item list="..." name="..."/>) it describes and one
// <text>. Pure scanners over a byte range [begin, end); they never read
// outside it, and they expand no entity beyond the five predefined ones and
// numeric character references (a document type definition is not read).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

// The root's version attribute, looked for in the first 64 KiB; empty
// when there is none.
std::string HistoryXmlVersion(const char* begin, const char* end);

// Called once per system name of an entry (software items are not
// systems) with the name and where the entry's raw text lies: offsets from
// `begin`, the text between <text> and </text> as written.
using HistorySystemSink = bool (*)(void* context, std::string_view name, size_t textOffset, size_t textLength);

struct HistoryXmlScan {
    uint32_t entries = 0;   // entries read whole
    bool complete = false;  // the root end tag was reached; false: damaged or cut short
};

// Reads entry after entry until </history>. An entry the scanner cannot
// read (an unclosed tag, a missing </text> or </entry>, the end of the
// range) ends the scan with complete false; the entries before it have
// been handed over. The sink may stop the scan by returning false
// (complete stays false then).
HistoryXmlScan ScanHistoryXml(const char* begin, const char* end, HistorySystemSink sink, void* context);

// An entry's raw text as a reader sees it: the five predefined entities
// and numeric character references decoded (into UTF-8), a CDATA section
// taken as written, anything else (an unknown entity, a bad reference)
// left as written. Line breaks and the "- SECTION -" headings stay.
std::string DecodeHistoryText(std::string_view raw);

}  // namespace quillet
