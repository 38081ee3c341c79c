// The history.dat and mameinfo.dat searches: hand-made entries for each rule,
// then the real files of three eras, when the real-data folder is there.
#include <doctest/doctest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "documents/document_scan.h"
#include "exact_text.h"
#include "tests/real_data.h"

using quillet::DocumentSpan;
using quillet::test::ExactText;

namespace {

using Search = bool (*)(const char*, const char*, const char*, DocumentSpan*);

// The entry's text, or "<none>" when the search finds no entry. The input is
// an exact-size copy so that a read past its end is caught by the sanitizer.
std::string Found(Search search, const std::string& file, const char* name) {
    ExactText text(file);
    DocumentSpan span;
    if (!search(text.begin(), text.end(), name, &span)) return "<none>";
    REQUIRE(text.begin() <= span.begin);
    REQUIRE(span.begin <= span.end);
    REQUIRE(span.end <= text.end());
    return std::string(span.begin, span.end);
}

struct Case {
    const char* what;
    const char* file;
    const char* name;
    const char* text;
};

const Case kHistoryCases[] = {
    {"today's layout: $bio skipped, the blank line after it kept",
     "$info=alpha,alpha2,\r\n$bio\r\n\r\nAlpha (c) 1981.\r\n$end\r\n", "alpha", "\r\nAlpha (c) 1981.\r\n"},
    {"only the first name is compared", "$info=alpha,alpha2,\r\n$bio\r\n\r\nAlpha\r\n$end\r\n", "alpha2", "<none>"},
    {"names match regardless of case", "$info=Alpha,\r\n$bio\r\nAlpha\r\n$end\r\n", "ALPHA", "Alpha\r\n"},
    {"a $ that does not begin $end is text", "$info=alpha,\n$bio\nCosts $1, $en$d.\n$end\n", "alpha",
     "Costs $1, $en$d.\n"},
    {"pinmame: link line and $bio", "$info=pin,\n$<a href=\"x\">Edit</a>\n$bio\n\nPin\n$end\n", "pin", "\nPin\n"},
    {"Raine: no tag line, no trailing comma, LF only",
     "$info=1941,1941u,1941r1\nArcade game.\n\nMore.\n$end\n$info=1941j\nJapan.\n$end\n", "1941",
     "Arcade game.\n\nMore.\n"},
    {"a name ends at a line feed", "$info=1941,1941u\n$end\n$info=1941j\nJapan.\n$end\n", "1941j", "Japan.\n"},
    {"a marker with nothing behind it is passed over", "$info=\r\n$info=,\r\nx\r\n$info=b,\r\nB\r\n$end", "b", "B\r\n"},
    {"the empty name matches nothing", "$info=\r\n$info=,\r\nx\r\n$end", "", "<none>"},
    {"a longer name in the file is not a match", "$info=abcdefghijklmnopq,\nlong\n$end\n", "abcdefghijklmnop",
     "<none>"},
    {"sixteen characters", "$info=abcdefghijklmnop,\nlong\n$end\n", "abcdefghijklmnop", "long\n"},
    {"marker not at the start of a line", " $info=alpha,\nx\n$end\n", "alpha", "<none>"},
    {"an empty entry does not run into the next", "$info=alpha,\n$end\n$info=beta,\nBeta\n$end\n", "alpha", ""},
    {"no $end: the text runs to the end", "$info=alpha,\n$bio\nto the end", "alpha", "to the end"},
    {"the file ends in the name", "$info=alpha", "alpha", ""},
    {"the file ends in the marker", "$info", "alpha", "<none>"},
    {"a byte-order mark before the first marker", "\xEF\xBB\xBF$info=alpha\nA\n$end\n", "alpha", "A\n"},
    {"empty file", "", "alpha", "<none>"},
};

const Case kInfoCases[] = {
    {"today's layout: $mame skipped", "$info=1943\r\n$mame\r\nText.\r\n\r\nMore.\r\n$end\r\n", "1943",
     "Text.\r\n\r\nMore.\r\n"},
    {"blank space before the tag line", "$info=1943\r\n\r\n \t\r\n$mame\r\nText.\r\n$end", "1943", "Text.\r\n"},
    {"no tag line: the text keeps its indentation", "$info=a\n\n   Indented.\n$end\n", "a", "   Indented.\n"},
    {"names match regardless of case", "$info=MsPacman\n$mame\nm\n$end\n", "mspacman", "m\n"},
    {"another entry first", "$info=a\n$mame\nA\n$end\n$info=b\n$mame\nB $5\n$end\n", "b", "B $5\n"},
    {"an empty entry", "$info=a\n$mame\n$end\n$info=b\n$mame\nB\n$end\n", "a", ""},
    {"the file ends in blank space", "$info=a\r\n\r\n  ", "a", ""},
    {"no entry", "$info=a\n$mame\nA\n$end\n", "b", "<none>"},
};

std::string Visible(std::string text) {
    for (size_t at = 0; (at = text.find_first_of("\r\n", at)) != std::string::npos; at += 2)
        text.replace(at, 1, text[at] == '\r' ? "\\r" : "\\n");
    return text;
}

std::string ReadRealData(const char* name) {
    std::ifstream in(std::string(QUILLET_REALDATA_DIR) + "/" + name, std::ios::binary);
    if (!in) return {};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace

TEST_CASE("FindHistoryText") {
    for (const Case& c : kHistoryCases) {
        CAPTURE(std::string(c.what));
        CHECK_EQ(Visible(Found(quillet::FindHistoryText, c.file, c.name)), Visible(c.text));
    }
}

TEST_CASE("FindInfoText") {
    for (const Case& c : kInfoCases) {
        CAPTURE(std::string(c.what));
        CHECK_EQ(Visible(Found(quillet::FindInfoText, c.file, c.name)), Visible(c.text));
    }
}

TEST_CASE("entries longer than 4 KiB come back whole") {
    std::string body;
    while (body.size() < 20000) body += "A line of a long entry, $ signs and all.\r\n";
    CHECK_EQ(Found(quillet::FindHistoryText, "$info=long,\r\n$bio\r\n" + body + "$end\r\n", "long"), body);
    CHECK_EQ(Found(quillet::FindInfoText, "$info=long\r\n$mame\r\n" + body + "$end\r\n", "long"), body);
}

TEST_CASE("WithCrLfLineEnds gives every line feed its carriage return once") {
    const std::pair<std::string, std::string> cases[] = {
        {"a\nb\n", "a\r\nb\r\n"}, {"a\r\nb", "a\r\nb"}, {"\n\n", "\r\n\r\n"}, {"a\r\r\nb", "a\r\r\nb"}, {"", ""},
    };
    for (const auto& [in, out] : cases) CHECK_EQ(Visible(quillet::WithCrLfLineEnds(in.data(), in.data() + in.size())), Visible(out));
}

// Real files: three history layouts and a Japanese UTF-8 mameinfo.dat. Each
// first name of a marker line finds text that ends right before an "$end"
// (or the file's end); a few entries are checked by their first words.
TEST_CASE("the real history.dat and mameinfo.dat files" *
          doctest::skip(quillet::test::RealDataAbsent("history_pinmame_rev1.60_2008-05-14.dat"))) {
    struct RealCase {
        std::string file;
        Search search;
        std::string name;
        std::string textStart;
    };
    const RealCase cases[] = {
        {"history_pinmame_rev1.60_2008-05-14.dat", quillet::FindHistoryText, "2mindril", "\n2 Minute Drill (c) 1993 Taito."},
        {"history_raine_2025-01_subset150.dat", quillet::FindHistoryText, "1941", "Arcade Video game published 35 years ago:\n"},
        {"history_raine_2025-01_subset150.dat", quillet::FindHistoryText, "1941u", "<none>"},
        {"sysinfo_mess_from_xmame074_docs.dat", quillet::FindHistoryText, "A2600", "Atari 2600 Video Computer System\n"},
        {"mameinfo_japanese_retrofire_2024-08-04.dat", quillet::FindInfoText, "1943", "\xE3\x80\x90" "FAQ\xE3\x80\x91\n"},
    };
    for (const RealCase& c : cases) {
        CAPTURE(c.file);
        CAPTURE(c.name);
        const std::string file = ReadRealData(c.file.c_str());
        if (file.empty()) {
            MESSAGE("real data not present, skipped: ", c.file);
            continue;
        }
        const std::string text = Found(c.search, file, c.name.c_str());
        CHECK_EQ(Visible(text.substr(0, c.textStart.size())), Visible(c.textStart));

        // Every entry, by the first name of its marker line.
        size_t entries = 0, longest = 0;
        for (size_t at = file.find("\n$info="); at != std::string::npos; at = file.find("\n$info=", at + 1)) {
            const size_t nameAt = at + 7;
            const std::string name = file.substr(nameAt, file.find_first_of(",\r\n", nameAt) - nameAt);
            if (name.empty() || file.find("\n$info=" + name + ",") < at || file.find("\n$info=" + name + "\n") < at)
                continue;  // a repeated name finds its first entry
            CAPTURE(name);
            const std::string entry = Found(c.search, file, name.c_str());
            REQUIRE_NE(entry, "<none>");
            const size_t entryAt = file.find(entry, at);
            REQUIRE_NE(entryAt, std::string::npos);
            CHECK((entryAt + entry.size() == file.size() || file.compare(entryAt + entry.size(), 4, "$end") == 0));
            CHECK_EQ(entry.find("$end"), std::string::npos);
            longest = std::max(longest, entry.size());
            ++entries;
        }
        CHECK_GT(entries, 100u);
        if (c.search == quillet::FindHistoryText) CHECK_GT(longest, 4096u);
    }
}
