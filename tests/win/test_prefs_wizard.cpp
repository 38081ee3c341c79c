// The first-start wizard and the preferences sheet, run modally and driven
// from inside their loops: button states, what Next, Finish, Cancel and
// Apply store, and the wizard at start-up.
#include "win/support.h"

#include <commctrl.h>

#include <cstring>
#include <cwchar>

#include "app/application.h"
#include "base/globals.h"
#include "app/main_window.h"
#include "preferences/preferences.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "settings/settings_store.h"
#include "ui/common_controls.h"
#include "win/main_window_run.h"
#include "win/modal_script.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// The wizard's own buttons.
constexpr int kBack = 0x3023;
constexpr int kNext = 0x3024;
constexpr int kFinish = 0x3025;

std::string ButtonStates(HWND sheet) {
    std::string states;
    for (auto [id, name] : {std::pair{kBack, "back"}, std::pair{kNext, "next"}, std::pair{kFinish, "finish"}}) {
        HWND button = GetDlgItem(sheet, id);
        if (button && IsWindowVisible(button) && IsWindowEnabled(button)) states += std::string(states.empty() ? "" : " ") + name;
    }
    return states;
}

HWND Page(HWND sheet) { return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
void Press(HWND sheet, int button) { SendMessageA(sheet, PSM_PRESSBUTTON, button, 0); }
void TypePath(HWND sheet, const char* path) { SetDlgItemTextA(Page(sheet), IDC_WIZARD_MAME_PATH, path); }

std::string MachineValue(const char* name) {
    char text[300] = "<absent>";
    DWORD size = sizeof text;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key)) return "<no key>";
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size)) std::strcpy(text, "<absent>");
    RegCloseKey(key);
    return text;
}

DWORD MachineVersion() {
    DWORD version = 0, size = sizeof version;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key)) return 0;
    RegQueryValueExA(key, "Version", nullptr, nullptr, reinterpret_cast<BYTE*>(&version), &size);
    RegCloseKey(key);
    return version;
}

struct Fixture {
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    Fixture() {
        InitCommonControlClasses();
        registry.CreateMachineKey();
        SetDefaultSettings(Settings);
        LoadSettings();
        REQUIRE(UseLanguage("english"));
    }
};

}  // namespace

TEST_CASE("wizard: the buttons of each page, Next takes over the path, Finish stores it with Version") {
    Fixture f;
    std::strcpy(Settings.MameName, "C:\\MAME\\mame.exe");  // not shown: the page starts empty
    std::string states[5];
    std::string nameAtFinishPage, startPath;
    ModalScript script(kNext, {
        [&](HWND sheet) { states[0] = ButtonStates(sheet); Press(sheet, PSBTN_NEXT); },
        // A path typed by hand does not offer Next until the page is shown again.
        [&](HWND sheet) {
            char text[64] = "";
            GetDlgItemTextA(Page(sheet), IDC_WIZARD_MAME_PATH, text, sizeof text);
            startPath = text;
            TypePath(sheet, "D:\\emu\\mame.exe");
            states[1] = ButtonStates(sheet);
            Press(sheet, PSBTN_BACK);
        },
        [&](HWND sheet) { Press(sheet, PSBTN_NEXT); },
        [&](HWND sheet) { states[2] = ButtonStates(sheet); Press(sheet, PSBTN_NEXT); },
        // Back and Next again take the edit's text over once more.
        [&](HWND sheet) { Press(sheet, PSBTN_BACK); },
        [&](HWND sheet) { TypePath(sheet, "E:\\arcade\\mame64.exe"); Press(sheet, PSBTN_NEXT); },
        [&](HWND sheet) { states[3] = ButtonStates(sheet); nameAtFinishPage = Settings.MameName; Press(sheet, PSBTN_FINISH); },
    });
    script.Run([] { RunFirstStartWizard(nullptr); });

    CHECK_EQ(states[0], "next");
    CHECK_EQ(startPath, "");
    CHECK_EQ(states[1], "back");
    CHECK_EQ(states[2], "back next");
    CHECK_EQ(states[3], "back finish");
    CHECK_EQ(nameAtFinishPage, "E:\\arcade\\mame64.exe");
    CHECK_EQ(MachineVersion(), 0x70000u);
    CHECK_EQ(MachineValue("MameName"), "E:\\arcade\\mame64.exe");
    CHECK_EQ(MachineValue("MameDir"), "E:\\arcade\\");
    CHECK_EQ(MachineValue("MameCfg"), "E:\\arcade\\mame64.ini");
    CHECK(f.boxes.boxes().empty());
}

TEST_CASE("start-up: Cancel stores nothing and the wizard comes again; after Finish it does not") {
    Fixture f;
    TempDir start;
    CopyFileA(BuildPath("gamelist.mdb").c_str(), start.file("gamelist.mdb").c_str(), FALSE);

    // Through to the last page, where Next has taken the path over; `last`
    // ends the run there.
    const auto throughTo = [](int last) {
        return ModalScript(kNext, {
            [](HWND sheet) { Press(sheet, PSBTN_NEXT); },
            [](HWND sheet) { TypePath(sheet, "D:\\emu\\mame.exe"); Press(sheet, PSBTN_BACK); },
            [](HWND sheet) { Press(sheet, PSBTN_NEXT); },
            [](HWND sheet) { Press(sheet, PSBTN_NEXT); },
            [last](HWND sheet) { Press(sheet, last); },
        });
    };
    // Cancel: neither the path nor Version stay.
    ModalScript cancelled = throughTo(PSBTN_CANCEL);
    MainWindowRun(StartFolder{start.path()}, &cancelled);
    CHECK_EQ(MachineVersion(), 0u);
    CHECK_EQ(MachineValue("MameName"), "");

    ModalScript finished = throughTo(PSBTN_FINISH);
    MainWindowRun(StartFolder{start.path()}, &finished);
    CHECK_EQ(MachineVersion(), 0x70000u);
    CHECK_EQ(MachineValue("MameName"), "D:\\emu\\mame.exe");

    // No steps: a wizard that came anyway would be failed and closed.
    ModalScript none(kNext, {});
    MainWindowRun(StartFolder{start.path()}, &none);
}

TEST_CASE("preferences: the page shows the settings; Apply stores path, icons and language") {
    Fixture f;
    std::strcpy(Settings.MameName, "C:\\old\\mame.exe");
    std::strcpy(Settings.Lang, "italian");
    Settings.EnableIcons = 0;
    std::wcscpy(CatalogueFile, L"C:\\Users\\ann\\AppData\\Local\\Quillet\\gamelist.mdb");
    std::string shownPath, shownLanguage, shownCatalogue, applyAfterTyping, applyAfterClick;
    int shownIcons = -1;
    ModalScript script(IDC_PREF_MAME_PATH, {
        [&](HWND sheet) {
            HWND page = Page(sheet);
            char text[300] = "";
            GetDlgItemTextA(page, IDC_PREF_MAME_PATH, text, sizeof text);
            shownPath = text;
            GetDlgItemTextA(page, IDC_PREF_LANGUAGE, text, sizeof text);
            shownLanguage = text;
            shownIcons = IsDlgButtonChecked(page, IDC_PREF_ICONS);
            GetDlgItemTextA(page, IDC_PREF_CATALOGUE, text, sizeof text);
            shownCatalogue = text;
            SetDlgItemTextA(page, IDC_PREF_MAME_PATH, "D:\\emu\\mame");
            applyAfterTyping = IsWindowEnabled(GetDlgItem(sheet, 0x3021)) ? "on" : "off";
            SendDlgItemMessageA(page, IDC_PREF_ICONS, BM_CLICK, 0, 0);
            applyAfterClick = IsWindowEnabled(GetDlgItem(sheet, 0x3021)) ? "on" : "off";
            HWND combo = GetDlgItem(page, IDC_PREF_LANGUAGE);
            SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("english"));
            SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_PREF_LANGUAGE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
            Press(sheet, PSBTN_OK);
        },
    });
    script.Run([] { ShowPreferencesSheet(nullptr, 0); });

    CHECK_EQ(shownPath, "C:\\old\\mame.exe");
    CHECK_EQ(shownLanguage, "italian");
    CHECK_EQ(shownIcons, BST_UNCHECKED);
    CHECK_EQ(shownCatalogue, "C:\\Users\\ann\\AppData\\Local\\Quillet\\gamelist.mdb");
    CatalogueFile[0] = L'\0';
    CHECK_EQ(applyAfterTyping, "off");
    CHECK_EQ(applyAfterClick, "on");
    CHECK_EQ(std::string(Settings.MameCfg), "D:\\emu\\mame.ini");
    CHECK_EQ(MachineValue("MameName"), "D:\\emu\\mame");
    CHECK_EQ(MachineValue("MameDir"), "D:\\emu\\");
    CHECK_EQ(MachineValue("MameCfg"), "D:\\emu\\mame.ini");
    CHECK_EQ(Settings.EnableIcons, 1);
    CHECK_EQ(std::string(Settings.Lang), "english");
    LoadSettings();  // what the next start reads
    CHECK_EQ(std::string(Settings.Lang), "english");
    CHECK_EQ(Settings.EnableIcons, 1);
}
