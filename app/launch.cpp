#include "app/launch.h"

#include <windows.h>

#include "base/report.h"
#include "db/rom_name.h"
#include "gamelist/game_list.h"
#include "resources/resource_ids.h"
#include "settings/command_lines.h"
#include "settings/frontend_settings.h"

namespace quillet {

namespace {

// Each command keeps the name of its last use: with no focused row it
// starts that one again. Before any use the name is empty, and then the
// command does nothing.
char runName[kRomNameField];
char downloadName[kRomNameField];

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
    // Two quoted texts, two spaces and the terminator.
    char commandLine[sizeof Settings.MameName + sizeof runName + 6];
    // A name holding a double quote is never started.
    if (!ComposeEmulatorCommand(commandLine, sizeof commandLine, Settings.MameName, runName)) return;
    StartDetached(commandLine, Settings.MameDir[0] ? Settings.MameDir : nullptr);
}

void OpenRomDownload() {
    GetFocusedItemText(downloadName, 0, sizeof downloadName);
    if (downloadName[0] == '\0') return;
    // The explorer by its full path: a bare name is looked for in the
    // program's folder and the current one before the system's.
    char explorer[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(explorer, sizeof explorer);
    if (length == 0 || length + sizeof "\\explorer.exe" > sizeof explorer) return;
    lstrcatA(explorer, "\\explorer.exe");
    char commandLine[sizeof explorer + sizeof Settings.RomServer + sizeof downloadName + 48];
    if (!ComposeRomDownloadCommand(commandLine, sizeof commandLine, explorer, RomServerOrBuiltIn(Settings.RomServer),
                                   downloadName))
        return;
    StartDetached(commandLine, nullptr);
}

}  // namespace quillet
