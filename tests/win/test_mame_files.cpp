// MAME's ini files found along its inipath below the emulator's folder.
#include <doctest/doctest.h>

#include <windows.h>

#include "settings/frontend_settings.h"
#include "settings/mame_files.h"
#include "support.h"

using namespace quillet;
using namespace quillet::test;

TEST_CASE("ini files are found along the default inipath, then along the one mame.ini sets") {
    TempDir mame;
    const std::string dir = mame.path() + "\\";
    lstrcpynA(Settings.MameDir, dir.c_str(), sizeof Settings.MameDir);
    CreateDirectoryA((dir + "ini").c_str(), nullptr);
    CreateDirectoryA((dir + "cfg").c_str(), nullptr);

    CHECK_EQ(FindMameIni("mame.ini"), "");
    CHECK_EQ(MameOptionFolders("ui.ini", "historypath", "history;dats;."),
             std::vector<std::string>{dir + "history", dir + "dats", mame.path()});

    REQUIRE(WriteFileBytes(dir + "ini\\mame.ini", "inipath \"cfg;ini\"\r\nsnapshot_directory D:\\snaps\r\n"));
    REQUIRE(WriteFileBytes(dir + "ini\\ui.ini", "historypath old\r\n"));
    REQUIRE(WriteFileBytes(dir + "cfg\\ui.ini", "\xEF\xBB\xBFhistorypath \"dats\"\r\n"));
    CHECK_EQ(FindMameIni("mame.ini"), dir + "ini\\mame.ini");
    CHECK_EQ(MameIniFolders(), std::vector<std::string>{dir + "cfg", dir + "ini"});
    CHECK_EQ(FindMameIni("ui.ini"), dir + "cfg\\ui.ini");
    CHECK_EQ(MameOptionFolders("ui.ini", "historypath", "x"), std::vector<std::string>{dir + "dats"});
    CHECK_EQ(MameOptionFolders("mame.ini", "snapshot_directory", "snap"), std::vector<std::string>{"D:\\snaps"});
}

TEST_CASE("a file held open by another program is still read; a missing one says so") {
    TempDir dir;
    const std::string path = dir.path() + "\\held.ini";
    REQUIRE(WriteFileBytes(path, "rompath roms\n"));
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    REQUIRE(holder != INVALID_HANDLE_VALUE);
    std::string text;
    unsigned long error = 1;
    CHECK(ReadWholeFile(path, text, &error));
    CHECK_EQ(text, "rompath roms\n");
    CloseHandle(holder);

    CHECK_FALSE(ReadWholeFile(dir.path() + "\\missing.ini", text, &error));
    CHECK_EQ(error, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
    CHECK_FALSE(ReadWholeFile(path, text, &error, 4));
    CHECK_EQ(error, static_cast<unsigned long>(ERROR_FILE_TOO_LARGE));
}
