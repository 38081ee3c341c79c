// Reading an ini file into EmuOptions and replacing it: never an empty or
// half file, the old one kept as .bak and the first as .orig, failures
// reported with the system's text, today's files left alone.
#include "win/support.h"

#include <cstring>

#include "base/report.h"
#include "options/emulator_options.h"
#include "options/ini_files.h"
#include "options/options.h"
#include "resources/resource_ids.h"
#include "settings/language.h"

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

TEST_CASE_FIXTURE(FileFixture, "loading: a missing or empty file is no error; one that cannot be read opens nothing") {
    std::strcpy(EmuOptions.rompath, "left over");
    CHECK_EQ(quillet::LoadEmulatorOptions(owner, ini.c_str()), 1);
    CHECK_EQ(EmuOptions.rompath[0], '\0');
    CHECK_EQ(quillet::LoadEmulatorOptions(owner, folder.file("no such folder\\mame.ini").c_str()), 1);
    REQUIRE(WriteFileBytes(ini, ""));
    CHECK_EQ(quillet::LoadEmulatorOptions(owner, ini.c_str()), 1);
    CHECK(boxes.boxes().empty());

    // Another program holding it for reading: read all the same.
    REQUIRE(WriteFileBytes(ini, "rompath roms\r\n"));
    HANDLE shared = CreateFileA(ini.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    REQUIRE(shared != INVALID_HANDLE_VALUE);
    CHECK_EQ(quillet::LoadEmulatorOptions(owner, ini.c_str()), 1);
    CloseHandle(shared);
    CHECK_EQ(std::string(EmuOptions.rompath), "roms");
    CHECK(boxes.boxes().empty());

    // Held without sharing: the system's text, and no sheet may open on
    // defaults that OK would then write over the real file.
    HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    CHECK_EQ(quillet::LoadEmulatorOptions(owner, ini.c_str()), 0);
    CloseHandle(held);
    REQUIRE_EQ(boxes.boxes().size(), 1u);
    CHECK_EQ(boxes.boxes()[0].owner, owner);
    CHECK_EQ(boxes.boxes()[0].text, SystemText(ERROR_SHARING_VIOLATION));
}

TEST_CASE_FIXTURE(FileFixture, "saving creates, then replaces and keeps the old file as .bak") {
    quillet::ResetEmulatorOptions(EmuOptions);
    CHECK(quillet::SaveEmulatorOptions(owner, ini.c_str()));
    CHECK_EQ(ReadFileBytes(ini).size(), 331u);
    CHECK_FALSE(FileExists(ini + ".bak"));

    const std::string old = "# the user's comment\r\nrompath roms\r\nclones 1\r\n";
    REQUIRE(WriteFileBytes(ini, old));
    std::strcpy(EmuOptions.rompath, "new roms");
    EmuOptions.volume = -32;
    CHECK(quillet::SaveEmulatorOptions(owner, ini.c_str()));
    CHECK_EQ(ReadFileBytes(ini), Written(EmuOptions));
    CHECK_EQ(ReadFileBytes(ini + ".bak"), old);
    CHECK(boxes.boxes().empty());
}

TEST_CASE_FIXTURE(FileFixture, ".orig keeps the file as it was before the first save, .bak the one before the last") {
    CHECK(quillet::WriteIniFile(owner, ini.c_str(), "first\r\n"));  // a new file: nothing to keep
    CHECK_FALSE(FileExists(ini + ".orig"));
    DeleteFileA(ini.c_str());

    REQUIRE(WriteFileBytes(ini, "the user's own\r\n"));
    const char* texts[] = {"second\r\n", "third\r\n", "fourth\r\n"};
    std::string previous = "the user's own\r\n";
    for (const char* text : texts) {
        INFO(text);
        CHECK(quillet::WriteIniFile(owner, ini.c_str(), text));
        CHECK_EQ(ReadFileBytes(ini), text);
        CHECK_EQ(ReadFileBytes(ini + ".bak"), previous);
        CHECK_EQ(ReadFileBytes(ini + ".orig"), "the user's own\r\n");
        previous = text;
    }
    CHECK(boxes.boxes().empty());
}

namespace {

// ReplaceFileA failing part-way: the old file has gone to the backup name,
// the replacement never took its place (ERROR_UNABLE_TO_MOVE_REPLACEMENT_2).
// With `loseReplacement` the temporary file is gone too.
bool loseReplacement;
BOOL WINAPI ReplaceHalfway(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD, LPVOID, LPVOID) {
    MoveFileExA(replaced, backup, MOVEFILE_REPLACE_EXISTING);
    if (loseReplacement) DeleteFileA(replacement);
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
    return FALSE;
}

}  // namespace

TEST_CASE_FIXTURE(FileFixture, "a replacement that fails part-way leaves the new or else the old text in place") {
    struct Case {
        bool loseReplacement;
        const char* expected;
        size_t boxes;
    };
    const Case cases[] = {{false, "new\r\n", 0}, {true, "old\r\n", 1}};
    quillet::IniReplaceFile = ReplaceHalfway;
    for (const Case& c : cases) {
        INFO("replacement lost: " << c.loseReplacement);
        boxes.clear();
        loseReplacement = c.loseReplacement;
        REQUIRE(WriteFileBytes(ini, "old\r\n"));
        CHECK_EQ(quillet::WriteIniFile(owner, ini.c_str(), "new\r\n"), c.boxes == 0);
        CHECK_EQ(ReadFileBytes(ini), c.expected);
        CHECK_EQ(ReadFileBytes(ini + ".bak"), "old\r\n");
        REQUIRE_EQ(boxes.boxes().size(), c.boxes);
        if (c.boxes) CHECK_EQ(boxes.boxes()[0].text, SystemText(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2));
    }
    quillet::IniReplaceFile = ReplaceFileA;
}

TEST_CASE_FIXTURE(FileFixture, "the era's model refuses a file of today's layout, loading and saving") {
    REQUIRE(UseLanguage("english"));
    const std::string today = "#\r\n# CORE CONFIGURATION OPTIONS\r\n#\r\nreadconfig 1\r\n";
    REQUIRE(WriteFileBytes(ini, today));
    CHECK_EQ(quillet::LoadEmulatorOptions(owner, ini.c_str()), 0);
    quillet::ResetEmulatorOptions(EmuOptions);
    CHECK_FALSE(quillet::SaveEmulatorOptions(owner, ini.c_str()));
    CHECK_EQ(ReadFileBytes(ini), today);
    CHECK_FALSE(FileExists(ini + ".bak"));
    REQUIRE_EQ(boxes.boxes().size(), 2u);
    CHECK_EQ(boxes.boxes()[0].text, boxes.boxes()[1].text);
    CHECK_EQ(boxes.boxes()[0].text, ModuleMessage(MSG_ERA_EDITOR_TODAY_FILE));
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
