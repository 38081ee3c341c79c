// Running the stand-in emulator and capturing what it prints.
#include "base/report.h"
#include "catalogue/stages.h"
#include "resources/resource_ids.h"
#include "win/catalogue_fixture.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// A region small enough that growing it and filling it are cheap: 64 KiB
// first, then 64 KiB more at a time up to 256 KiB.
constexpr CaptureSizes kSmall{65536, 262144, 0};

struct Capture {
    CaptureBuffer buffer;
    bool ran = false;
    Capture(HWND dialog, const char* option, const CaptureSizes& sizes) {
        REQUIRE(ObtainCaptureBuffer(buffer, sizes));
        ran = CaptureEmulatorOutput(dialog, option, sizes.pipeSize, buffer);
    }
    ~Capture() { ReleaseCaptureBuffer(buffer); }
    std::string text() const { return std::string(buffer.text, buffer.length); }
};

// Bytes that text-mode output would change: CR LF, lone LF, NUL, ^Z.
std::string Awkward(size_t size) {
    static const char cycle[] = "<game>\r\n\tx\n\0\x1a";
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = cycle[i % (sizeof cycle - 1)];
    return bytes;
}

}  // namespace

TEST_CASE("the capture holds the emulator's output byte for byte") {
    REQUIRE(UseLanguage());
    struct Row {
        const char* what;
        std::string output;
        CaptureSizes sizes;
    };
    const Row rows[] = {
        {"CR LF, lone LF, NUL and ^Z unchanged", Awkward(300), kGameListCapture},
        {"output that needs the region to grow", Awkward(3 * 65536 + 123), kSmall},
        {"output that fills the reservation to its last byte", Awkward(262143), kSmall},
        {"a verification capture", "romset a is good\r\nromset b is bad\r\n", kVerifyCapture},
    };
    for (const Row& row : rows) {
        CAPTURE(row.what);
        MessageBoxRecorder boxes;
        ProgressRecorder dialog;
        StandInEmulator emulator;
        emulator.Print("gamelist.xml", row.output);
        Capture capture(dialog.window(), "-lx", row.sizes);
        CHECK(capture.ran);
        CHECK_EQ(capture.buffer.length, row.output.size());
        CHECK(capture.text() == row.output);
        CHECK_EQ(capture.buffer.text[capture.buffer.length], '\0');
        CHECK_FALSE(capture.buffer.cut);
        CHECK_EQ(boxes.boxes().size(), 0u);
        // Totals so far, rising, the last one the whole output.
        CHECK(Rising(dialog.values(0x8001)));
        CHECK_EQ(dialog.lastCount(), static_cast<long long>(row.output.size()));
    }
}

TEST_CASE("the game-list region has room for today's lists of hundreds of megabytes") {
    CaptureBuffer buffer;
    REQUIRE(ObtainCaptureBuffer(buffer, kGameListCapture));
    CHECK_EQ(buffer.committed, 33554432u);
    CHECK_GE(buffer.reserved, size_t{512} << 20);
    // Committed memory is zero: the text is terminated before anything is read.
    CHECK_EQ(buffer.text[0], '\0');
    CHECK(ReleaseCaptureBuffer(buffer));
}

TEST_CASE("output beyond the reservation is cut at its last byte and reported once") {
    REQUIRE(UseLanguage());
    for (size_t size : {size_t{262144}, size_t{1} << 20}) {
        CAPTURE(size);
        MessageBoxRecorder boxes;
        ProgressRecorder dialog;
        StandInEmulator emulator;
        const std::string output = Awkward(size);
        emulator.Print("gamelist.xml", output);
        Capture capture(dialog.window(), "-lx", kSmall);
        // Everything but the terminator's byte of the reservation is text.
        CHECK_EQ(capture.buffer.length, 262143u);
        CHECK(capture.text() == output.substr(0, 262143));
        CHECK_EQ(capture.buffer.text[capture.buffer.length], '\0');
        CHECK(capture.buffer.cut);
        CHECK_EQ(dialog.lastCount(), 262143);
        REQUIRE_EQ(boxes.boxes().size(), 1u);
        CHECK_EQ(boxes.boxes()[0].text, ModuleMessage(MSG_CAPTURE_CUT));
        CHECK_EQ(boxes.boxes()[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
        CHECK_EQ(boxes.boxes()[0].owner, dialog.window());
    }
}

TEST_CASE("an emulator that prints nothing or cannot start gives an empty capture") {
    REQUIRE(UseLanguage());
    for (bool starts : {true, false}) {
        CAPTURE(starts);
        MessageBoxRecorder boxes;
        ProgressRecorder dialog;
        StandInEmulator emulator;  // no gamelist.xml beside it
        if (!starts) lstrcpyA(Settings.MameName, (emulator.folder() + "\\missing.exe").c_str());
        Capture capture(dialog.window(), "-lx", kGameListCapture);
        CHECK(capture.ran);
        CHECK_EQ(capture.buffer.length, 0u);
        CHECK_EQ(capture.buffer.text[0], '\0');
        CHECK_EQ(dialog.lastCount(), -1);  // no count was sent
        CHECK_EQ(boxes.boxes().size(), 0u);
    }
}

TEST_CASE("a command line that would not fit its 256 bytes is refused, not cut") {
    REQUIRE(UseLanguage());
    // The quoted path, two spaces and the quoted option must leave room for
    // the terminator: 246 characters with "-lx", 238 with "-verifysets".
    struct Row {
        size_t pathLength;
        const char* option;
        bool runs;
    };
    const Row rows[] = {
        {246, "-lx", true},
        {247, "-lx", false},
        {238, "-verifysets", true},
        {239, "-verifysets", false},
    };
    for (const Row& row : rows) {
        CAPTURE(row.pathLength);
        CAPTURE(row.option);
        MessageBoxRecorder boxes;
        ProgressRecorder dialog;
        StandInEmulator emulator(StandInEmulator::PathLength{row.pathLength});
        REQUIRE_EQ(std::string(Settings.MameName).size(), row.pathLength);
        emulator.Print("gamelist.xml", "list");
        emulator.Print("verify.txt", "sets");
        Capture capture(dialog.window(), row.option, kVerifyCapture);
        CHECK_EQ(capture.ran, row.runs);
        if (row.runs) {
            CHECK_EQ(capture.text(), std::string(row.option[1] == 'l' ? "list" : "sets"));
            CHECK_EQ(boxes.boxes().size(), 0u);
        } else {
            CHECK_EQ(capture.buffer.length, 0u);
            REQUIRE_EQ(boxes.boxes().size(), 1u);
            CHECK_EQ(boxes.boxes()[0].text, ModuleMessage(MSG_COMMAND_TOO_LONG));
        }
    }
}

TEST_CASE("the emulator starts in its own folder, its quoted path never taken for a shorter one") {
    MessageBoxRecorder boxes;
    ProgressRecorder dialog;
    StandInEmulator emulator("stand in");
    // Unquoted, "...\\stand in\\mame.exe" would start "...\\stand.exe" first.
    const std::string parent = emulator.folder().substr(0, emulator.folder().rfind('\\'));
    REQUIRE(CopyFileA(BuildPath("fakemame.exe").c_str(), (parent + "\\stand.exe").c_str(), FALSE));
    CHECK_EQ(std::string(Settings.MameDir), emulator.folder() + "\\");
    Capture capture(dialog.window(), "pacman", kVerifyCapture);
    // The stand-in logs a ROM name and its working directory.
    CHECK_EQ(emulator.RunLog(), "pacman\t" + emulator.folder() + "\r\n");
    CHECK_FALSE(FileExists(parent + "\\run.log"));
    CHECK_EQ(capture.buffer.length, 0u);
}

TEST_CASE("the count reaches the dialog at once, then a few times a second, and at its end") {
    MessageBoxRecorder boxes;
    ProgressRecorder dialog;
    StandInEmulator emulator;
    const std::string output = Awkward(16 << 20);
    emulator.Print("gamelist.xml", output);
    Capture capture(dialog.window(), "-lx", kGameListCapture);
    const auto counts = dialog.values(0x8001);
    REQUIRE_FALSE(counts.empty());
    CHECK_LE(counts.front(), 65536u);  // the first read's bytes
    CHECK_EQ(counts.back(), output.size());
    CHECK(Rising(counts));
    // Hundreds of reads; a send for each would cost the worker a thread
    // switch every time.
    CHECK_LT(counts.size(), output.size() / 65536 / 4);
}
