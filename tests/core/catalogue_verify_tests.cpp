// ScanVerifyResults and FindBytes: the "-verifysets" result lines.
#include <doctest/doctest.h>

#include <string>
#include <vector>

#include "catalogue/scanners.h"
#include "catalogue_support.h"
#include "tests/real_data.h"

using catalogue_test::CollectVerdict;
using catalogue_test::Describe;
using catalogue_test::ExactText;
using catalogue_test::Fixture;
using catalogue_test::Verdict;
using catalogue_test::WithLfOnly;

namespace {

struct VerifyOutcome {
    uint32_t count;
    std::string verdicts;
};

VerifyOutcome Scan(const std::string& text) {
    ExactText exact(text);
    std::vector<Verdict> verdicts;
    uint32_t count = quillet::ScanVerifyResults(exact.begin(), exact.end(), CollectVerdict, &verdicts);
    CHECK_EQ(size_t(count), verdicts.size());
    return {count, Describe(verdicts)};
}

}  // namespace

TEST_CASE("FindBytes finds a pattern only where it lies wholly inside the range") {
    const std::string text = "abcabd";
    const char* b = text.data();
    const char* e = b + text.size();
    CHECK_EQ(quillet::FindBytes(b, e, "abd", 3), b + 3);
    CHECK_EQ(quillet::FindBytes(b, e, "ab", 2), b);
    CHECK_EQ(quillet::FindBytes(b + 1, e, "ab", 2), b + 3);
    CHECK(quillet::FindBytes(b, e - 1, "abd", 3) == nullptr);  // would end past the range
    CHECK(quillet::FindBytes(b, e, "abe", 3) == nullptr);
    CHECK(quillet::FindBytes(b, e, "abcabdx", 7) == nullptr);
    CHECK(quillet::FindBytes(e, e, "a", 1) == nullptr);
    CHECK(quillet::FindBytes(e, b, "a", 1) == nullptr);
}

TEST_CASE("the verdict's third character selects the status code") {
    struct Case {
        std::string line;
        std::string expected;
    };
    const Case cases[] = {
        {"romset gridlee is good\r\n", "gridlee=0"},
        {"romset pacmanj [pacman] is best available\r\n", "pacmanj=1"},
        {"romset robby is bad\r\n", "robby=2"},
        {"romset robby is incorrect\r\n", "robby=3"},
        {"romset robby is ok\r\n", "robby=3"},  // the third character is the line's end
        {"romset zz is not good\r\n", "zz=3"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.line);
        CHECK_EQ(Scan(c.line).verdicts, c.expected);
    }
}

TEST_CASE("result lines among other text") {
    struct Case {
        std::string fixture;
        std::string expected;
    };
    const Case cases[] = {
        {"verify_results.txt", "morvik=0 morvikb=1 astrovan=2 rollwex=3"},
        // Audit detail lines before and between results, a summary line after.
        {"verify_detail.txt", "morvikb=2 morvik=0 astrovan=2"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.fixture);
        std::string text = Fixture(c.fixture);
        REQUIRE_FALSE(text.empty());
        CHECK_EQ(Scan(text).verdicts, c.expected);
        // Line feeds alone read the same.
        CHECK_EQ(Scan(WithLfOnly(text)).verdicts, c.expected);
    }
}

TEST_CASE("scanning ends where the text does") {
    struct Case {
        std::string what;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"empty capture", "", ""},
        {"no result line", "3 romsets found, 0 were OK.\r\n", ""},
        {"romset without is", "romset abc is good\r\nromset xyz\r\n", "abc=0"},
        {"romset at the very end", "romset abc is good\r\nromset ", "abc=0"},
        {"verdict without line end", "romset abc is good\r\nromset xyz is bad", "abc=0 xyz=2"},
        {"verdict's third character is the last byte", "romset abc is goo", "abc=0"},
        {"verdict's third character missing", "romset abc is go", ""},
        {"nothing behind is", "romset abc is ", ""},
        {"mixed line ends", "romset a is good\nromset b is bad\r\nromset c is best available\n", "a=0 b=2 c=1"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        VerifyOutcome out = Scan(c.text);
        CHECK_EQ(out.verdicts, c.expected);
    }
}

TEST_CASE("set names of 16 characters are kept whole, longer ones passed over") {
    CHECK_EQ(Scan("romset abcdefghijklmnop is good\r\nromset abcdefghijklmnopq is good\nromset short is bad\r\n").verdicts,
             "abcdefghijklmnop=0 short=2");
}

TEST_CASE("real -verifysets and -vset output" *
          doctest::skip(quillet::test::RealDataAbsent("verifysets_mame0084_freeroms_all_good.txt"))) {
    struct Case {
        std::string file;
        std::string expected;
    };
    const Case cases[] = {
        {"verifysets_mame0084_freeroms_all_good.txt", "robby=0 gridlee=0 polyplay=0"},
        {"verifysets_mame0084_freeroms_2_damaged.txt", "robby=2 gridlee=0 polyplay=2"},
        {"vset_mame0084_freeroms_2_damaged.txt", "robby=2 gridlee=0 polyplay=2"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.file);
        std::string text = catalogue_test::ReadFile(catalogue_test::RealDataPath(c.file));
        if (text.empty()) {
            MESSAGE("real data not present, skipped: ", c.file);
            continue;
        }
        CHECK_EQ(Scan(text).verdicts, c.expected);
        CHECK_EQ(Scan(catalogue_test::WithCrlf(text)).verdicts, c.expected);
    }
}
