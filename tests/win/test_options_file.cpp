// Reading an ini file into EmuOptions and replacing it: never an empty or
// half file, the old one kept as .bak, failures reported with the system's text.
#include "win/support.h"

#include <cstring>

#include "base/report.h"
#include "options/emulator_options.h"
#include "options/options.h"

using namespace quillet::test;
using quillet::EmuOptions;

namespace {

std::string Written(const quillet::EmulatorOptions& options) {
    char buffer[quillet::kOptionsTextCapacity];
    return std::string(buffer, quillet::FormatEmulatorOptions(options, buffer, sizeof buffer));
}

struct FileFixture {
    MessageBoxRecorder boxes;
    TempDir folder;
    std::string ini = folder.file("mame.ini");
    HWND owner = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));  // only passed on to the boxes
};

}  // namespace

TEST_CASE_FIXTURE(FileFixture, "loading: a missing or locked file is no error, an empty one cannot be mapped") {
    std::strcpy(EmuOptions.rompath, "left over");
    CHECK_EQ(quillet::LoadEmulatorOptions(owner, ini.c_str()), 1);
    CHECK_EQ(EmuOptions.rompath[0], '\0');
    CHECK(boxes.boxes().empty());

    REQUIRE(WriteFileBytes(ini, "rompath roms\r\n"));
    HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    CHECK_EQ(quillet::LoadEmulatorOptions(owner, ini.c_str()), 1);
    CloseHandle(held);
    CHECK_EQ(EmuOptions.rompath[0], '\0');
    CHECK(boxes.boxes().empty());

    quillet::LoadEmulatorOptions(owner, ini.c_str());
    CHECK_EQ(std::string(EmuOptions.rompath), "roms");

    REQUIRE(WriteFileBytes(ini, ""));
    quillet::LoadEmulatorOptions(owner, ini.c_str());
    REQUIRE_EQ(boxes.boxes().size(), 1u);
    CHECK_EQ(boxes.boxes()[0].owner, owner);
    CHECK_EQ(EmuOptions.rompath[0], '\0');
}

TEST_CASE_FIXTURE(FileFixture, "saving creates, then replaces and keeps the old file as .bak") {
    quillet::ResetEmulatorOptions(EmuOptions);
    CHECK(quillet::SaveEmulatorOptions(owner, ini.c_str()));
    CHECK_EQ(ReadFileBytes(ini).size(), 331u);
    CHECK_FALSE(FileExists(ini + ".bak"));

    const std::string old = "# the user's comment\r\nrompath roms\r\nunknown_option 1\r\n";
    REQUIRE(WriteFileBytes(ini, old));
    std::strcpy(EmuOptions.rompath, "new roms");
    EmuOptions.volume = -32;
    CHECK(quillet::SaveEmulatorOptions(owner, ini.c_str()));
    CHECK_EQ(ReadFileBytes(ini), Written(EmuOptions));
    CHECK_EQ(ReadFileBytes(ini + ".bak"), old);
    CHECK(boxes.boxes().empty());
}

TEST_CASE_FIXTURE(FileFixture, "a file that cannot be written is reported and stays as it was") {
    quillet::ResetEmulatorOptions(EmuOptions);
    std::strcpy(EmuOptions.rompath, "never written");

    CHECK_FALSE(quillet::SaveEmulatorOptions(owner, folder.file("no such folder\\mame.ini").c_str()));
    REQUIRE_EQ(boxes.boxes().size(), 1u);
    CHECK_FALSE(boxes.boxes()[0].text.empty());  // the system's text for the missing folder

    // Held open by another program: the replacement fails, the old file and
    // no temporary file remain.
    boxes.clear();
    REQUIRE(WriteFileBytes(ini, "rompath old\r\n"));
    HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    CHECK_FALSE(quillet::SaveEmulatorOptions(owner, ini.c_str()));
    CloseHandle(held);
    CHECK_EQ(boxes.boxes().size(), 1u);
    CHECK_EQ(ReadFileBytes(ini), "rompath old\r\n");

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder.file("*.tmp").c_str(), &found);
    CHECK_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}
