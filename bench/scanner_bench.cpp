// scanner_bench: throughput of the game list scanner on a real 0.84 list
// (5,036 games, about 20 MB), the real 0.251 list of today's emulator
// (45,294 machines, 269 MB) and a generated 45,000-game list, beside a
// pass that only finds every '<' with memchr (a floor for any reader that
// looks at the tags) and beside general XML parsers on the same bytes.
//
//   scanner_bench [--rounds N] [--games N] [--list FILE]...
//
// Each figure is the best of N rounds (default 5). The lists are written to
// a temporary folder first and read back, as the program reads a capture.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "catalogue/scanners.h"

#ifdef QUILLET_HAVE_PUGIXML
#include <pugixml.hpp>
#endif
#ifdef QUILLET_HAVE_EXPAT
#include <expat.h>
#endif

namespace {

struct Input {
    std::string label;
    std::string text;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Run(const std::string& command) {
    int status = std::system(command.c_str());
    if (status != 0) std::fprintf(stderr, "failed (%d): %s\n", status, command.c_str());
    return status == 0;
}

// Best wall time in seconds of `rounds` runs; `result` keeps the last count
// so the work cannot be optimised away and can be cross-checked.
double BestOf(int rounds, const std::function<size_t()>& pass, size_t& result) {
    double best = 1e30;
    for (int i = 0; i < rounds; ++i) {
        auto start = std::chrono::steady_clock::now();
        result = pass();
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

size_t MemchrPass(const std::string& text) {
    size_t count = 0;
    const char* pos = text.data();
    const char* end = pos + text.size();
    while ((pos = static_cast<const char*>(std::memchr(pos, '<', static_cast<size_t>(end - pos))))) {
        ++count;
        ++pos;
    }
    return count;
}

size_t ScannerPass(const std::string& text) {
    quillet::ImportRecord record;
    size_t bytes = 0;
    quillet::GameListResult result = quillet::ScanGameList(
        text.data(), text.data() + text.size(), record,
        [](void* context, quillet::ImportRecord& r) { *static_cast<size_t*>(context) += std::strlen(r.RomName); },
        &bytes);
    if (result.status != quillet::GameListStatus::Complete) return 0;
    return result.games;
}

#ifdef QUILLET_HAVE_PUGIXML
// Parses in place and counts the games, as a reader built on a DOM would
// start. In-place parsing writes into its buffer, so each round parses a
// fresh copy; the copy is not timed.
double PugixmlBest(int rounds, const std::string& text, size_t& result) {
    double best = 1e30;
    std::vector<char> scratch;
    for (int i = 0; i < rounds; ++i) {
        scratch.assign(text.begin(), text.end());
        auto start = std::chrono::steady_clock::now();
        size_t games = 0;
        {
            pugi::xml_document document;
            if (document.load_buffer_inplace(scratch.data(), scratch.size())) {
                for (pugi::xml_node game : document.child("mame").children("game")) {
                    if (std::strcmp(game.attribute("runnable").value(), "no") != 0) ++games;
                }
            }
        }  // the document's memory is released inside the timing, as a reader would
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        result = games;
    }
    return best;
}
#endif

#ifdef QUILLET_HAVE_EXPAT
void XMLCALL ExpatStart(void* context, const XML_Char* name, const XML_Char** attributes) {
    if (std::strcmp(name, "game") != 0 && std::strcmp(name, "machine") != 0) return;
    for (const XML_Char** a = attributes; *a; a += 2) {
        if (std::strcmp(a[1], "no") == 0 && std::strcmp(a[0], "runnable") == 0) return;
        if (std::strcmp(a[1], "yes") == 0 && (std::strcmp(a[0], "isbios") == 0 || std::strcmp(a[0], "isdevice") == 0))
            return;
    }
    ++*static_cast<size_t*>(context);
}

size_t ExpatPass(const std::string& text) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    size_t games = 0;
    XML_SetUserData(parser, &games);
    XML_SetStartElementHandler(parser, ExpatStart);
    bool ok = XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return ok ? games : 0;
}
#endif

struct Row {
    std::string pass;
    double seconds;
    size_t result;
};

}  // namespace

int main(int argc, char** argv) {
    int rounds = 5;
    int generated = 45000;
    std::vector<std::string> extraLists;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--rounds" && i + 1 < argc) rounds = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--games" && i + 1 < argc) generated = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--list" && i + 1 < argc) extraLists.push_back(argv[++i]);
        else {
            std::fprintf(stderr, "usage: scanner_bench [--rounds N] [--games N] [--list FILE]...\n");
            return 2;
        }
    }

    char folderTemplate[] = "/tmp/quillet-bench-XXXXXX";
    if (!mkdtemp(folderTemplate)) {
        std::perror("mkdtemp");
        return 1;
    }
    std::string folder = folderTemplate;

    std::vector<Input> inputs;
    std::string real = std::string(QUILLET_REALDATA_DIR) + "/listxml_mame0084_full.xml.gz";
    if (std::ifstream(real).good() && Run("gzip -dc '" + real + "' > '" + folder + "/real084.xml'")) {
        inputs.push_back({"real 0.84 list", ReadFile(folder + "/real084.xml")});
    } else {
        std::fprintf(stderr, "real 0.84 list not found (%s): skipped\n", real.c_str());
    }
    // Today's list: 269 MB, 45,294 machines.
    std::string today = std::string(QUILLET_REALDATA_DIR) + "/listxml_mame0251_full.xml.gz";
    if (std::ifstream(today).good() && Run("gzip -dc '" + today + "' > '" + folder + "/real0251.xml'")) {
        inputs.push_back({"real 0.251 list", ReadFile(folder + "/real0251.xml")});
    } else {
        std::fprintf(stderr, "real 0.251 list not found (%s): skipped\n", today.c_str());
    }
    std::string generatedPath = folder + "/generated.xml";
    if (Run(std::string(QUILLET_GENGAMELIST) + " --games " + std::to_string(generated) +
            " --seed 1 --crlf --xml '" + generatedPath + "'")) {
        inputs.push_back({"generated " + std::to_string(generated) + " games", ReadFile(generatedPath)});
    }
    for (const std::string& path : extraLists) inputs.push_back({path, ReadFile(path)});
    Run("rm -rf '" + folder + "'");

    std::printf("%-24s %-22s %9s %10s %12s %10s\n", "input", "pass", "ms", "MB/s", "result", "scanner is");
    std::string verdicts;
    for (const Input& input : inputs) {
        const std::string& text = input.text;
        double megabytes = static_cast<double>(text.size()) / 1e6;
        std::vector<Row> rows;
        size_t result = 0;
        double t = BestOf(rounds, [&] { return MemchrPass(text); }, result);
        rows.push_back({"memchr every '<'", t, result});
        t = BestOf(rounds, [&] { return ScannerPass(text); }, result);
        rows.push_back({"game list scanner", t, result});
        double scanner = t;
#ifdef QUILLET_HAVE_PUGIXML
        // A document of today's whole list takes over a gigabyte: left out.
        if (text.size() < (size_t{100} << 20)) {
            t = PugixmlBest(rounds, text, result);
            rows.push_back({"pugixml (in place)", t, result});
        }
#endif
#ifdef QUILLET_HAVE_EXPAT
        t = BestOf(rounds, [&] { return ExpatPass(text); }, result);
        rows.push_back({"expat (start tags)", t, result});
#endif
        for (const Row& row : rows) {
            std::printf("%-24s %-22s %9.2f %10.0f %12zu %9.2fx\n", input.label.c_str(), row.pass.c_str(),
                        row.seconds * 1e3, megabytes / row.seconds, row.result, row.seconds / scanner);
        }
        std::printf("%-24s %.1f MB\n\n", "", megabytes);
        // The scanner should do at least half as well as the bare memchr
        // pass and five times as well as a general parser.
        char line[160];
        std::snprintf(line, sizeof line, "%s: scanner at %.2f of the memchr pass (target 0.5): %s\n",
                      input.label.c_str(), rows[0].seconds / scanner, scanner <= 2 * rows[0].seconds ? "met" : "NOT met");
        verdicts += line;
        for (size_t i = 2; i < rows.size(); ++i) {
            std::snprintf(line, sizeof line, "%s: scanner %.1fx %s (target 5x): %s\n", input.label.c_str(),
                          rows[i].seconds / scanner, rows[i].pass.c_str(), rows[i].seconds >= 5 * scanner ? "met" : "NOT met");
            verdicts += line;
        }
    }
    std::fputs(verdicts.c_str(), stdout);
    return 0;
}
