// What the two document fuzzers share: the input split into a name and a
// file, and the properties every found entry has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "documents/document_scan.h"
#include "fuzz_input.h"

namespace fuzz {

using DocumentSearch = bool (*)(const char*, const char*, const char*, quillet::DocumentSpan*);

// The first byte gives the name's length (0 to 20), the name follows, the
// rest is the file.
inline int RunDocumentSearch(DocumentSearch search, const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t nameLength = std::min<size_t>(data[0] % 21, size - 1);
    const std::string name(reinterpret_cast<const char*>(data + 1), strnlen(reinterpret_cast<const char*>(data + 1), nameLength));
    ExactText file(data + 1 + nameLength, size - 1 - nameLength);

    quillet::DocumentSpan span;
    if (!search(file.begin(), file.end(), name.c_str(), &span)) return 0;
    Require(file.begin() <= span.begin && span.begin <= span.end && span.end <= file.end());
    // The text stops at the first "$end" after its start, or at the file's end.
    const std::string text(span.begin, span.end);
    Require(text.find("$end") == std::string::npos);
    Require(span.end == file.end() || std::memcmp(span.end, "$end", 4) == 0);
    // Every line feed of the shown text has its carriage return.
    const std::string shown = quillet::WithCrLfLineEnds(span.begin, span.end);
    for (size_t at = shown.find('\n'); at != std::string::npos; at = shown.find('\n', at + 1))
        Require(at > 0 && shown[at - 1] == '\r');
    return 0;
}

}  // namespace fuzz
