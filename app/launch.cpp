#include "app/launch.h"

#include <windows.h>

#include <cstdio>

#include "base/report.h"
#include "gamelist/game_list.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"

namespace quillet {

const char RomDownloadUrlFormat[] = "explorer.exe \"ftp://roms.quillet-mame.org:21/arcade/mame/roms/%s.zip\"";

namespace {

// Each command keeps the name of its last use: with no focused row it
// starts that one again. Before any use the name is empty, and then the
// command does nothing. Room for ROM names of up to 16 characters.
char runName[17];
char downloadName[17];

void StartDetached(char* commandLine, const char* directory) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, directory, &startup, &process)) {
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
}

}  // namespace

void RunSelectedGame() {
    if (Settings.MameName[0] == '\0') {
        ReportMessage(nullptr, MessageSourceModule, MSG_NO_EMULATOR);
        return;
    }
    GetFocusedItemText(runName, 0, sizeof runName);
    if (runName[0] == '\0') return;
    char commandLine[sizeof Settings.MameName + sizeof runName + 8];
    std::snprintf(commandLine, sizeof commandLine, "%s  \"%s\"", Settings.MameName, runName);
    StartDetached(commandLine, Settings.MameDir[0] ? Settings.MameDir : nullptr);
}

void OpenRomDownload() {
    GetFocusedItemText(downloadName, 0, sizeof downloadName);
    if (downloadName[0] == '\0') return;
    char commandLine[sizeof RomDownloadUrlFormat + sizeof downloadName];
    std::snprintf(commandLine, sizeof commandLine, RomDownloadUrlFormat, downloadName);
    StartDetached(commandLine, nullptr);
}

}  // namespace quillet
