// Helpers for the catalogue scanner tests: inputs in exactly-sized heap
// buffers (so a read past the end is a heap overflow under ASan), fixture
// and real-data files, and sinks that record what the scanners hand over.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "catalogue/scanners.h"
#include "tests/exact_text.h"

namespace catalogue_test {

using quillet::test::ExactText;

// The whole file, or an empty string when it cannot be read.
inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string Fixture(const std::string& name) {
    return ReadFile(std::string(QUILLET_FIXTURES_DIR) + "/catalogue/" + name);
}

inline std::string RealDataPath(const std::string& name) { return std::string(QUILLET_REALDATA_DIR) + "/" + name; }

inline bool FileExists(const std::string& path) { return std::ifstream(path).good(); }

// A gzip-compressed real-data file, unpacked by the host's gzip; empty when
// the file or gzip is missing.
inline std::string GunzipRealData(const std::string& name) {
    std::string path = RealDataPath(name);
    if (!FileExists(path)) return {};
    std::string command = "gzip -dc '" + path + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string text;
    char chunk[1 << 16];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) text.append(chunk, got);
    if (pclose(pipe) != 0) return {};
    return text;
}

// Every occurrence of `needle` in `text`: counted the plain way, as a check
// on the scanners that does not share their code.
inline size_t CountOf(const std::string& text, const std::string& needle) {
    size_t count = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++count;
    return count;
}

inline void CollectGame(void* context, quillet::ImportRecord& record) {
    static_cast<std::vector<quillet::ImportRecord>*>(context)->push_back(record);
}

// A scan of the whole text and the games it handed over.
struct ListOutcome {
    quillet::GameListResult result;
    std::vector<quillet::ImportRecord> games;
};

inline ListOutcome ScanText(const std::string& text) {
    ExactText exact(text);
    ListOutcome out{};
    quillet::ImportRecord record;
    out.result = quillet::ScanGameList(exact.begin(), exact.end(), record, CollectGame, &out.games);
    return out;
}

struct Verdict {
    std::string name;
    int code;
    bool operator==(const Verdict&) const = default;
};

// "name=code name=code": one string, so a failed check shows the whole run.
inline std::string Describe(const std::vector<Verdict>& verdicts) {
    std::string out;
    for (const Verdict& v : verdicts) out += (out.empty() ? "" : " ") + v.name + "=" + std::to_string(v.code);
    return out;
}

inline void CollectVerdict(void* context, const char* name, uint8_t code) {
    static_cast<std::vector<Verdict>*>(context)->push_back({name, code});
}

struct CategoryLine {
    std::string name;
    std::string category;
    bool operator==(const CategoryLine&) const = default;
};

// "name=category|name=category".
inline std::string Describe(const std::vector<CategoryLine>& lines) {
    std::string out;
    for (const CategoryLine& l : lines) out += (out.empty() ? "" : "|") + l.name + "=" + l.category;
    return out;
}

inline void CollectCategory(void* context, const char* name, const char* category) {
    static_cast<std::vector<CategoryLine>*>(context)->push_back({name, category});
}

// Line ends turned to LF alone, as many saved copies of the files have them.
inline std::string WithLfOnly(std::string text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

inline std::string WithCrlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace catalogue_test
