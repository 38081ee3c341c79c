// Which editor commands 1040-1048 and 1011 open: the file decides, a
// missing one follows the emulator, and a file that cannot be read opens
// nothing at all.
#include "win/support.h"

#include <commctrl.h>
#include <prsht.h>

#include <functional>

#include "app/main_window.h"
#include "base/report.h"
#include "options/emulator_texts.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "win/catalogue_fixture.h"

using namespace quillet::test;
using quillet::Settings;

namespace {

// ---- which sheet showed -----------------------------------------------------------

int shownTabs;  // tabs of the sheet that showed; 0 when none did

BOOL CALLBACK FindSheet(HWND window, LPARAM found) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(window) && PropSheet_GetTabControl(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK CloseSheet(HWND, UINT, UINT_PTR, DWORD) {
    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindSheet, reinterpret_cast<LPARAM>(&sheet));
    if (!sheet || shownTabs) return;
    shownTabs = TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet));
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
}

// Sends `command` to the main window's procedure; returns the tab count of
// the sheet it opened (9 the era's, 7 today's), cancelled at once, or 0.
int TabsOpenedBy(HWND owner, UINT command) {
    shownTabs = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, CloseSheet);
    quillet::MainWindowProc(owner, WM_COMMAND, command, 0);
    KillTimer(nullptr, timer);
    return shownTabs;
}

// Today's real mame.ini as a Windows user has it, or the hand-edited
// fixture (it names a today's option) when the shared folder is absent.
std::string TodayFile() {
    const std::string real = RealDataPath("mame_ini_mame0251_default.ini");
    if (!FileExists(real)) return ReadFileBytes(FixturePath("options/hand_edited.ini"));
    std::string text, bytes = ReadFileBytes(real);
    for (char c : bytes) {
        if (c == '\n') text += '\r';
        text += c;
    }
    return text;
}

}  // namespace

TEST_CASE_FIXTURE(EmulatorIniFixture, "today's file never gets the era's pages, also before the first rebuild") {
    const std::string today = TodayFile();
    REQUIRE(WriteFileBytes(ini, today));
    for (UINT command : {UINT{IDM_OPTIONS_FIRST}, UINT{IDM_OPTIONS_LAST}, UINT{IDM_GAME_OPTIONS}}) {
        INFO("command " << command);
        CHECK_EQ(TabsOpenedBy(owner, command), command == IDM_GAME_OPTIONS ? 0 : 7);
    }
    CHECK_EQ(ReadFileBytes(ini), today);
    CHECK_FALSE(FileExists(ini + ".bak"));
    for (const auto& box : boxes.boxes()) CHECK_NE(box.text, ModuleMessage(MSG_OPTIONS_NOT_HERE));
}

TEST_CASE_FIXTURE(EmulatorIniFixture, "a file held without sharing: the system's text, no sheet, the file unchanged") {
    const std::string today = TodayFile();
    for (const std::string& original : {today, std::string("rompath roms\r\n")}) {
        boxes.clear();
        REQUIRE(WriteFileBytes(ini, original));
        HANDLE held = CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        REQUIRE(held != INVALID_HANDLE_VALUE);
        CHECK_EQ(TabsOpenedBy(owner, IDM_OPTIONS_FIRST), 0);
        CloseHandle(held);
        REQUIRE_EQ(boxes.boxes().size(), 1u);
        CHECK_EQ(boxes.boxes()[0].text, SystemText(ERROR_SHARING_VIOLATION));
        CHECK_EQ(ReadFileBytes(ini), original);
    }
}

TEST_CASE_FIXTURE(EmulatorIniFixture, "a missing or empty file follows the emulator: the era's refuses -showconfig") {
    struct Case {
        bool today;
        const char* file;  // nullptr: none
        bool eraPages;
    };
    const Case cases[] = {{false, nullptr, true}, {false, "", true}, {true, nullptr, false}, {true, "\r\n# mine\r\n", false}};
    const int todayTabs = 7;
    for (const Case& c : cases) {
        INFO("today " << c.today << ", file " << (c.file ? "empty" : "missing"));
        quillet::ForgetEmulatorTexts();
        DeleteFileA(ini.c_str());
        DeleteFileA((emulator.folder() + "\\fakemame.today").c_str());
        if (c.today) emulator.ActAsToday();
        if (c.file) REQUIRE(WriteFileBytes(ini, c.file));
        CHECK_EQ(TabsOpenedBy(owner, IDM_OPTIONS_FIRST), c.eraPages ? 9 : todayTabs);
    }
}

TEST_CASE_FIXTURE(EmulatorIniFixture, "the Options menu names the pages its commands open on the file as it is") {
    HMENU menu = LoadMenuA(quillet::LanguageModule, MAKEINTRESOURCEA(IDM_MAIN));
    REQUIRE(menu != nullptr);
    auto text = [&](UINT command) {
        char buffer[128] = {};
        GetMenuStringA(menu, command, buffer, sizeof buffer, MF_BYCOMMAND);
        return std::string(buffer);
    };
    const std::string eraLast = text(IDM_OPTIONS_LAST);
    REQUIRE(WriteFileBytes(ini, TodayFile()));
    quillet::MainWindowProc(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    CHECK_EQ(text(IDM_OPTIONS_FIRST), "&Paths...");
    CHECK_EQ(text(IDM_OPTIONS_FIRST + 4), "&Screen and artwork...");
    CHECK_EQ(text(IDM_OPTIONS_LAST), "P&erformance and rotation...");

    REQUIRE(WriteFileBytes(ini, "rompath roms\r\n"));
    quillet::MainWindowProc(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    CHECK_EQ(text(IDM_OPTIONS_LAST), eraLast);
    DestroyMenu(menu);
}
