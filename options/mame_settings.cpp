// Which editor an ini file gets: the era's nine pages or today's pages. The
// file decides; a missing or empty one follows the emulator. The era's
// layout is never written over today's file.
#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <iterator>
#include <string>

#include "base/report.h"
#include "db/game_record.h"
#include "db/rom_name.h"
#include "gamelist/game_list.h"
#include "options/emulator_texts.h"
#include "options/ini_files.h"
#include "settings/mame_files.h"
#include "options/options.h"
#include "options/today_ini.h"
#include "options/today_sheet.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"

namespace quillet {

namespace {

enum class Editor : uint8_t { None, Era, Today };

// The layout of the file at `path`; Failed reading leaves `readable` false.
IniLayout LayoutOf(HWND owner, const std::string& path, bool& readable) {
    std::string bytes;
    const IniRead state = ReadIniForEditing(owner, path, bytes);
    readable = state != IniRead::Failed;
    return state == IniRead::Read ? ClassifyIniText(bytes) : IniLayout::Empty;
}

// Neither file tells: the emulator does. Today's prints its options with
// -showconfig; the era's refuses it.
Editor EditorOfEmulator(HWND owner) {
    if (Settings.EmulatorGeneration != 0) return Editor::Today;
    return ClassifyIniText(TodayEmulatorTexts(owner).config) == IniLayout::Today ? Editor::Today : Editor::Era;
}

// The global choice: the era's file (MameCfg) first, then the mame.ini
// today's emulator reads, then the emulator.
Editor GlobalEditor(HWND owner, const std::string& todayPath) {
    bool readable = true;
    switch (LayoutOf(owner, Settings.MameCfg, readable)) {
    case IniLayout::Era: return Editor::Era;
    case IniLayout::Today: return Editor::Today;
    case IniLayout::Empty: break;
    }
    if (!readable) return Editor::None;
    if (todayPath != Settings.MameCfg && LayoutOf(owner, todayPath, readable) == IniLayout::Today)
        return Editor::Today;
    if (!readable) return Editor::None;
    return EditorOfEmulator(owner);
}

// The mame.ini today's emulator reads: the first along its inipath, else
// the one in its folder.
std::string TodayGlobalPath() {
    std::string path = FindMameIni("mame.ini");
    return path.empty() ? std::string(Settings.MameDir) + "mame.ini" : path;
}

// Today's pages by command: 1040-1041 paths, 1042-1043 video, 1044-1045
// screen and artwork, 1046 sound, 1047 input, 1048 performance and rotation.
TodayPage TodayPageOf(UINT command) {
    switch (command - IDM_OPTIONS_FIRST) {
    case 0:
    case 1: return TodayPage::Paths;
    case 2:
    case 3: return TodayPage::Video;
    case 4:
    case 5: return TodayPage::Screen;
    case 6: return TodayPage::Sound;
    case 7: return TodayPage::Input;
    default: return TodayPage::Performance;
    }
}

// The focused game's parent when it is a clone, from the list's column.
std::string CloneParent() {
    for (int column = 0; column < static_cast<int>(std::size(kGameColumns)); ++column) {
        if (kGameColumns[column].offset != offsetof(GameRecord, Cloneof)) continue;
        char parent[kRomNameField] = {};
        GetFocusedItemText(parent, column, sizeof parent);
        return parent;
    }
    return {};
}

}  // namespace

void OpenMameSettings(HWND owner, UINT command) {
    if (Settings.MameName[0] == '\0') {
        ReportMessage(owner, MessageSourceModule, MSG_NO_EMULATOR);
        return;
    }
    const std::string todayPath = TodayGlobalPath();
    switch (GlobalEditor(owner, todayPath)) {
    case Editor::None: return;
    case Editor::Era: OpenEmulatorOptionsSheet(owner, static_cast<int>(command - IDM_OPTIONS_FIRST), Settings.MameCfg); return;
    case Editor::Today:
        // 1041, the era's second paths page, shows the output folders.
        OpenTodaySheet(owner, TodayPageOf(command), todayPath, "", "",
                       command == IDM_OPTIONS_FIRST + 1 ? "cfg_directory" : nullptr);
        return;
    }
}

void LabelMameSettingsMenu(HMENU menu) {
    if (GetMenuState(menu, IDM_OPTIONS_FIRST, MF_BYCOMMAND) == static_cast<UINT>(-1)) return;
    // The file's layout, read quietly: a file that cannot be read keeps the
    // labels it has (opening it will say why).
    std::string bytes;
    unsigned long error = 0;
    IniLayout layout = IniLayout::Empty;
    if (ReadWholeFile(Settings.MameCfg, bytes, &error)) layout = ClassifyIniText(bytes);
    else if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return;
    if (layout == IniLayout::Empty) {
        const std::string todayPath = TodayGlobalPath();
        if (todayPath != Settings.MameCfg && ReadWholeFile(todayPath, bytes)) layout = ClassifyIniText(bytes);
    }
    bool today = layout == IniLayout::Today;
    if (layout == IniLayout::Empty) {
        const EmulatorTexts* texts = CapturedEmulatorTexts();
        today = Settings.EmulatorGeneration != 0 || (texts && ClassifyIniText(texts->config) == IniLayout::Today);
    }
    HMENU era = today ? nullptr : LoadMenuA(LanguageModule, MAKEINTRESOURCEA(IDM_MAIN));
    for (UINT command = IDM_OPTIONS_FIRST; command <= IDM_OPTIONS_LAST; ++command) {
        char text[128] = "";
        if (today)
            LoadStringA(LanguageModule, IDS_TODAY_MENU_FIRST + (command - IDM_OPTIONS_FIRST), text, sizeof text);
        else if (era)
            GetMenuStringA(era, command, text, sizeof text, MF_BYCOMMAND);
        if (text[0]) ModifyMenuA(menu, command, MF_BYCOMMAND | MF_STRING, command, text);
    }
    if (era) DestroyMenu(era);
}

void OpenGameOptionsSheet(HWND owner) {
    if (Settings.MameName[0] == '\0') {
        ReportMessage(owner, MessageSourceModule, MSG_NO_EMULATOR);
        return;
    }
    char rom[kRomNameField] = {};
    GetFocusedItemText(rom, 0, sizeof rom);
    if (rom[0] == '\0') return;  // no game has the focus: nothing to open

    // The era's file lies beside the emulator; today's along inipath, and a
    // new one goes to the ini folder.
    char eraPath[MAX_PATH + 32];
    std::snprintf(eraPath, sizeof eraPath, "%s%s.ini", Settings.MameDir, rom);
    bool readable = true;
    const IniLayout own = LayoutOf(owner, eraPath, readable);
    if (!readable) return;
    Editor editor = own == IniLayout::Today ? Editor::Today : GlobalEditor(owner, TodayGlobalPath());
    if (editor == Editor::None) return;
    if (editor == Editor::Era) {
        OpenEmulatorOptionsSheet(owner, 0, eraPath);
        return;
    }
    const std::string name = std::string(rom) + ".ini";
    std::string path = FindMameIni(name.c_str());
    if (path.empty()) path = std::string(Settings.MameDir) + "ini\\" + name;
    OpenTodaySheet(owner, TodayPage::Paths, path, rom, CloneParent());
}

}  // namespace quillet
