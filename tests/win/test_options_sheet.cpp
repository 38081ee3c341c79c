// The option sheet driven as a user drives it: each page's controls change
// exactly the lines the writer then puts in the file; Cancel, Apply, a
// read-only file, the per-game sheet and the commands that open the sheet.
#include "win/support.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstring>
#include <functional>
#include <map>
#include <sstream>

#include "app/main_window.h"
#include "base/report.h"
#include "gamelist/game_list.h"
#include "base/globals.h"
#include "options/emulator_options.h"
#include "options/options.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"

using namespace quillet::test;
using quillet::Settings;

namespace {

// ---- driving the modal sheet from a timer of its own thread ------------------

using Script = std::function<void(HWND sheet)>;
const Script* pendingScript;
bool scriptRan;

BOOL CALLBACK FindSheetWindow(HWND window, LPARAM found) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "#32770") == 0 && IsWindowVisible(window) &&
        FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK RunPendingScript(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND sheet = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindSheetWindow, reinterpret_cast<LPARAM>(&sheet));
    if (!sheet || scriptRan) return;
    KillTimer(nullptr, timer);
    scriptRan = true;
    (*pendingScript)(sheet);  // CHECKs only: nothing may throw through the modal loop
}

// Runs `open`, which shows the sheet modally, with `script` played on the
// sheet once it shows. Returns whether the sheet showed at all.
bool WithSheet(const std::function<void()>& open, const Script& script) {
    pendingScript = &script;
    scriptRan = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 30, RunPendingScript);
    open();
    KillTimer(nullptr, timer);
    return scriptRan;
}

HWND ShowPage(HWND sheet, int index) {
    PropSheet_SetCurSel(sheet, nullptr, index);
    return PropSheet_GetCurrentPageHwnd(sheet);
}

void Notify(HWND page, int id, WORD code) {
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

bool ApplyEnabled(HWND sheet) { return IsWindowEnabled(GetDlgItem(sheet, 0x3021)) != FALSE; }

std::string ItemText(HWND page, int id) {
    char text[300] = {};
    GetDlgItemTextA(page, id, text, sizeof text);
    return text;
}

// One user action on a control of the current page.
struct Action {
    enum Kind { Check, Select, Slide, Type, Radio } kind;
    int id;
    int number = 0;                   // check state, slider position
    const char* text = nullptr;       // list entry, typed text
    int label = 0;                    // slider label to read afterwards
    const char* labelText = nullptr;  // what it must show
};

void Perform(HWND page, const Action& action) {
    HWND control = GetDlgItem(page, action.id);
    CHECK_MESSAGE(control != nullptr, "control " << action.id);
    switch (action.kind) {
    case Action::Check:
        SendMessageA(control, BM_SETCHECK, action.number, 0);
        Notify(page, action.id, BN_CLICKED);
        break;
    case Action::Select: {
        const LRESULT index = SendMessageA(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(action.text));
        CHECK_MESSAGE(index != CB_ERR, action.text);
        SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        Notify(page, action.id, CBN_SELCHANGE);
        break;
    }
    case Action::Slide:
        SendMessageA(control, TBM_SETPOS, TRUE, action.number);
        SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, action.number), reinterpret_cast<LPARAM>(control));
        break;
    case Action::Type: SetWindowTextA(control, action.text); break;
    case Action::Radio: {
        const int first = action.id >= IDC_OPT_SAMPLERATE_FIRST ? IDC_OPT_SAMPLERATE_FIRST : IDC_OPT_LATENCY_FIRST;
        CheckRadioButton(page, first, first + 4, action.id);
        Notify(page, action.id, BN_CLICKED);
        break;
    }
    }
    if (action.label) CHECK_EQ(ItemText(page, action.label), std::string(action.labelText));
}

// ---- comparing files -------------------------------------------------------------

std::string Canonical(const std::string& text) {
    quillet::EmulatorOptions options;
    quillet::ResetEmulatorOptions(options);
    quillet::ParseEmulatorOptions(text.data(), text.data() + text.size(), options);
    char buffer[quillet::kOptionsTextCapacity];
    return std::string(buffer, quillet::FormatEmulatorOptions(options, buffer, sizeof buffer));
}

std::map<std::string, std::string> OptionLines(const std::string& text) {
    std::map<std::string, std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() < 26 || line[0] == '#') continue;
        std::string name = line.substr(0, 25);
        name.erase(name.find_last_not_of(' ') + 1);
        lines[name] = line.substr(25);
    }
    return lines;
}

// The option lines that differ between the writer's text of `before` and the
// file `after`, as "name=value" in file order ("name=" when left out).
std::string ChangedLines(const std::string& before, const std::string& after) {
    auto was = OptionLines(Canonical(before)), now = OptionLines(after);
    std::string out;
    for (const quillet::OptionField& field : quillet::kOptionFields) {
        auto a = was.find(field.name), b = now.find(field.name);
        const std::string oldValue = a == was.end() ? "" : a->second, newValue = b == now.end() ? "" : b->second;
        if (oldValue == newValue) continue;
        if (!out.empty()) out += '|';
        out.append(field.name).append("=").append(newValue);
    }
    return out;
}

size_t FilesIn(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    size_t count = 0;
    if (search == INVALID_HANDLE_VALUE) return 0;
    do count += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

struct SheetFixture {
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    TempDir folder;
    std::string ini = folder.file("mame.ini");
    std::string base = ReadFileBytes(FixturePath("options/every_control.ini"));
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);

    SheetFixture() {
        REQUIRE(UseLanguage("english"));
        REQUIRE_FALSE(base.empty());
        std::snprintf(Settings.MameName, sizeof Settings.MameName, "%s", folder.file("mame.exe").c_str());
        std::snprintf(Settings.MameDir, sizeof Settings.MameDir, "%s\\", folder.path().c_str());
        std::snprintf(Settings.MameCfg, sizeof Settings.MameCfg, "%s", ini.c_str());
        REQUIRE(WriteFileBytes(ini, base));
    }
    ~SheetFixture() { DestroyWindow(owner); }

    bool Open(int page, const Script& script) {
        return WithSheet([&] { quillet::OpenEmulatorOptionsSheet(owner, page, ini.c_str()); }, script);
    }
};

}  // namespace

TEST_CASE_FIXTURE(SheetFixture, "each page's controls change exactly their own lines of the file") {
    using A = Action;
    struct PageCase {
        int page;
        std::vector<Action> actions;
        const char* expected;
    };
    const PageCase cases[] = {
        {0,
         {{A::Type, IDC_OPT_ROMPATH, 0, "D:\\roms;E:\\more roms"}, {A::Type, IDC_OPT_SAMPLEPATH, 0, ""}},
         "rompath=D:\\roms;E:\\more roms|samplepath="},
        {1, {{A::Type, IDC_OPT_CHEAT_FILE, 0, "C:\\mame\\cheat.dat"}}, "cheat_file=C:\\mame\\cheat.dat"},
        {2,
         {{A::Check, IDC_OPT_AUTOFRAMESKIP, BST_UNCHECKED},
          {A::Check, IDC_OPT_THROTTLE, BST_INDETERMINATE},
          {A::Check, IDC_OPT_HIGH_PRIORITY, BST_CHECKED},
          {A::Select, IDC_OPT_RESOLUTION, 0, "640x480"},
          {A::Select, IDC_OPT_EFFECT, 0, "default"},
          {A::Slide, IDC_OPT_FRAMESKIP, -1, nullptr, IDC_OPT_FRAMESKIP_LABEL, "default"},
          {A::Slide, IDC_OPT_FS_BRIGHTNESS, 125, nullptr, IDC_OPT_FS_BRIGHTNESS_LABEL, "1.25"},
          {A::Type, IDC_OPT_FRAMES_TO_RUN, 0, "70000"}},
         "autoframeskip=0|frameskip=|resolution=640x480|throttle=|full_screen_brightness=1.250000|"
         "frames_to_run=70000|effect=|high_priority=1"},
        {3,
         {{A::Slide, IDC_OPT_GAMMA, 49, nullptr, IDC_OPT_GAMMA_LABEL, "default"},
          {A::Slide, IDC_OPT_BRIGHTNESS, 5, nullptr, IDC_OPT_BRIGHTNESS_LABEL, "0.05"},
          {A::Check, IDC_OPT_FLIPX, BST_CHECKED},
          {A::Select, IDC_OPT_DEBUG_RESOLUTION, 0, "1600x1200"}},
         "flipx=1|debug_resolution=1600x1200|gamma=|brightness=0.050000"},
        {4,
         {{A::Select, IDC_OPT_D3DFILTER_LIST, 0, "anisotropic"},
          {A::Select, IDC_OPT_D3DEFFECT, 0, "dotmedmask"},
          {A::Type, IDC_OPT_ZOOM, 0, "7"},
          {A::Slide, IDC_OPT_D3DSCAN, 50, nullptr, IDC_OPT_D3DSCAN_LABEL, "50"},
          {A::Slide, IDC_OPT_D3DFEEDBACK, -1, nullptr, IDC_OPT_D3DFEEDBACK_LABEL, "default"},
          {A::Check, IDC_OPT_DIRECT3D, BST_CHECKED}},
         "direct3d=1|zoom=7|d3dfeedback=|d3dscan=50|d3deffect=dotmedmask"},
        {5,
         {{A::Slide, IDC_OPT_FLICKER, 50, nullptr, IDC_OPT_FLICKER_LABEL, "50.00"},
          {A::Slide, IDC_OPT_BEAM, 355, nullptr, IDC_OPT_BEAM_LABEL, "3.55"},
          {A::Slide, IDC_OPT_INTENSITY, 49, nullptr, IDC_OPT_INTENSITY_LABEL, "default"},
          {A::Check, IDC_OPT_ANTIALIAS, BST_UNCHECKED}},
         "antialias=0|beam=3.550000|flicker=0.500000|intensity="},
        {6,
         {{A::Slide, IDC_OPT_VOLUME, -12, nullptr, IDC_OPT_VOLUME_LABEL, "-12"},
          {A::Radio, IDC_OPT_SAMPLERATE_FIRST + 4},
          {A::Radio, IDC_OPT_LATENCY_FIRST + 3},
          {A::Check, IDC_OPT_SOUND, BST_UNCHECKED}},
         "audio_latency=3|samplerate=48000|sound=0|volume=-12"},
        {7,
         {{A::Select, IDC_OPT_CTRLR_LIST, 0, "xarcade"},
          {A::Slide, IDC_OPT_A2D_DEADZONE, 5, nullptr, IDC_OPT_A2D_DEADZONE_LABEL, "0.05"},
          {A::Check, IDC_OPT_MOUSE, BST_CHECKED}},
         "mouse=1|a2d_deadzone=0.050000"},
        {8,
         {{A::Type, IDC_OPT_MAXLOGSIZE, 0, "2000000"},
          {A::Slide, IDC_OPT_ARTWORK_RESOLUTION, 10, nullptr, IDC_OPT_ARTWORK_RESOLUTION_LABEL, "10"},
          {A::Check, IDC_OPT_SKIP_GAMEINFO, BST_CHECKED},
          {A::Check, IDC_OPT_READCONFIG, BST_UNCHECKED}},
         "artwork_resolution=10|maxlogsize=2000000|skip_gameinfo=1|readconfig=0"},
    };
    for (const PageCase& c : cases) {
        INFO("page " << c.page);
        REQUIRE(WriteFileBytes(ini, base));
        DeleteFileA((ini + ".bak").c_str());
        const bool shown = Open(c.page, [&](HWND sheet) {
            HWND page = PropSheet_GetCurrentPageHwnd(sheet);
            CHECK_EQ(page, PropSheet_IndexToHwnd(sheet, c.page));
            CHECK_FALSE(ApplyEnabled(sheet));  // loading the controls is no change
            for (const Action& action : c.actions) Perform(page, action);
            CHECK(ApplyEnabled(sheet));
            PropSheet_PressButton(sheet, PSBTN_OK);
        });
        REQUIRE(shown);
        CHECK_EQ(ChangedLines(base, ReadFileBytes(ini)), std::string(c.expected));
        CHECK_EQ(ReadFileBytes(ini + ".bak"), base);
    }
    CHECK(boxes.boxes().empty());
    CHECK_EQ(ReadFileBytes(ini + ".orig"), base);
    CHECK_EQ(FilesIn(folder.path()), 3u);  // mame.ini, its .bak and .orig: no temporary file left
}

TEST_CASE_FIXTURE(SheetFixture, "the sheet on the real 0.84 file: every page shows its values and OK keeps them" *
                                     doctest::skip(!FileExists(RealDataPath("mame_ini_mame0084_default.ini")))) {
    const std::string real = RealDataPath("mame_ini_mame0084_default.ini");
    const std::string original = ReadFileBytes(real);
    REQUIRE(WriteFileBytes(ini, original));
    REQUIRE(Open(0, [](HWND sheet) {
        HWND page = PropSheet_GetCurrentPageHwnd(sheet);
        CHECK_EQ(ItemText(page, IDC_OPT_ROMPATH), "roms");
        page = ShowPage(sheet, 6);
        CHECK_EQ(IsDlgButtonChecked(page, IDC_OPT_SAMPLERATE_FIRST + 3), BST_CHECKED);
        CHECK_EQ(ItemText(page, IDC_OPT_VOLUME_LABEL), "0");
        page = ShowPage(sheet, 5);
        CHECK_EQ(ItemText(page, IDC_OPT_INTENSITY_LABEL), "1.50");
        for (int i = 0; i < 9; ++i) ShowPage(sheet, i);
        PropSheet_PressButton(sheet, PSBTN_OK);
    }));
    // The file loses its comments and unknown options, not one value.
    CHECK_EQ(ReadFileBytes(ini), Canonical(original));
    CHECK_EQ(ReadFileBytes(ini + ".bak"), original);
    CHECK(boxes.boxes().empty());
}

TEST_CASE_FIXTURE(SheetFixture, "a page never shown keeps what its controls cannot show") {
    const std::string odd = base + "resolution 1920x1080\r\nsamplerate 8000\r\ngamma 2.50\r\n";
    REQUIRE(WriteFileBytes(ini, odd));
    REQUIRE(Open(0, [](HWND sheet) { PropSheet_PressButton(sheet, PSBTN_OK); }));
    CHECK_EQ(ReadFileBytes(ini), Canonical(odd));

    // Shown and applied: the list has no 1920x1080 and the option becomes
    // unset; the sound page selects no radio for 8000 and keeps it.
    REQUIRE(WriteFileBytes(ini, odd));
    REQUIRE(Open(2, [](HWND sheet) {
        ShowPage(sheet, 6);
        PropSheet_PressButton(sheet, PSBTN_OK);
    }));
    CHECK_EQ(ChangedLines(odd, ReadFileBytes(ini)), "resolution=");
}

TEST_CASE_FIXTURE(SheetFixture, "Cancel with nothing applied leaves the file byte for byte") {
    std::vector<std::string> files = {base};
    for (const char* name : {"mame_ini_mame0084_default.ini", "mame_ini_mame0106_default.ini"})
        if (FileExists(RealDataPath(name))) files.push_back(ReadFileBytes(RealDataPath(name)));
    for (const std::string& original : files) {
        REQUIRE_FALSE(original.empty());
        REQUIRE(WriteFileBytes(ini, original));
        REQUIRE(Open(0, [](HWND sheet) {
            for (int i = 0; i < 9; ++i) ShowPage(sheet, i);
            CHECK_FALSE(ApplyEnabled(sheet));  // creating pages is no change
            HWND page = ShowPage(sheet, 0);
            SetDlgItemTextA(page, IDC_OPT_ROMPATH, "changed, then cancelled");
            PropSheet_PressButton(sheet, PSBTN_CANCEL);
        }));
        CHECK_EQ(ReadFileBytes(ini), original);
        CHECK_FALSE(FileExists(ini + ".bak"));
    }
    CHECK_EQ(FilesIn(folder.path()), 1u);
}

TEST_CASE_FIXTURE(SheetFixture, "the era's sheet refuses today's files: a message, no sheet, the file untouched") {
    std::vector<std::string> files = {ReadFileBytes(FixturePath("options/hand_edited.ini"))};
    const std::string today = RealDataPath("mame_ini_mame0251_default.ini");
    if (FileExists(today)) files.push_back(ReadFileBytes(today));
    char expected[1024] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, quillet::LanguageModule,
                   MSG_ERA_EDITOR_TODAY_FILE, 0, expected, sizeof expected, nullptr);
    for (const std::string& original : files) {
        boxes.clear();
        REQUIRE(WriteFileBytes(ini, original));
        CHECK_FALSE(Open(0, [](HWND sheet) { PropSheet_PressButton(sheet, PSBTN_OK); }));
        REQUIRE_EQ(boxes.boxes().size(), 1u);
        CHECK_EQ(boxes.boxes()[0].text, std::string(expected));
        CHECK_EQ(ReadFileBytes(ini), original);
    }
    CHECK_EQ(FilesIn(folder.path()), 1u);
}

TEST_CASE_FIXTURE(SheetFixture, "Apply then Cancel writes what was applied") {
    REQUIRE(Open(0, [](HWND sheet) {
        HWND page = PropSheet_GetCurrentPageHwnd(sheet);
        SetDlgItemTextA(page, IDC_OPT_ROMPATH, "applied");
        PropSheet_PressButton(sheet, PSBTN_APPLYNOW);  // posted: let the sheet apply first
        PumpMessages(200);
        SetDlgItemTextA(page, IDC_OPT_ROMPATH, "typed after the apply");
        PropSheet_PressButton(sheet, PSBTN_CANCEL);
    }));
    CHECK_EQ(ChangedLines(base, ReadFileBytes(ini)), "rompath=applied");
    CHECK_EQ(ReadFileBytes(ini + ".bak"), base);
}

TEST_CASE_FIXTURE(SheetFixture, "a read-only ini file is reported and kept") {
    REQUIRE(SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY));
    REQUIRE(Open(0, [](HWND sheet) {
        SetDlgItemTextA(PropSheet_GetCurrentPageHwnd(sheet), IDC_OPT_ROMPATH, "lost");
        PropSheet_PressButton(sheet, PSBTN_OK);
    }));
    REQUIRE_EQ(boxes.boxes().size(), 1u);
    CHECK_EQ(boxes.boxes()[0].text, SystemText(ERROR_ACCESS_DENIED));
    CHECK_EQ(boxes.boxes()[0].owner, owner);
    CHECK_EQ(ReadFileBytes(ini), base);
    CHECK_EQ(FilesIn(folder.path()), 1u);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_CASE_FIXTURE(SheetFixture, "without an emulator the sheet warns and touches nothing") {
    Settings.MameName[0] = '\0';
    CHECK_FALSE(Open(3, [](HWND sheet) { PropSheet_PressButton(sheet, PSBTN_OK); }));
    REQUIRE_EQ(boxes.boxes().size(), 1u);
    char expected[1024] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, quillet::LanguageModule,
                   MSG_NO_EMULATOR, 0, expected, sizeof expected, nullptr);
    CHECK_EQ(boxes.boxes()[0].text, std::string(expected));
    CHECK_EQ(ReadFileBytes(ini), base);
}

TEST_CASE_FIXTURE(SheetFixture, "the file decides the editor: the era's file keeps the era's pages with today's emulator") {
    Settings.EmulatorGeneration = 1;
    for (UINT command : {UINT{IDM_OPTIONS_FIRST}, UINT{IDM_OPTIONS_LAST}}) {
        INFO("command " << command);
        CHECK(WithSheet([&] { quillet::MainWindowProc(owner, WM_COMMAND, command, 0); }, [&](HWND sheet) {
            CHECK_EQ(PropSheet_GetCurrentPageHwnd(sheet), PropSheet_IndexToHwnd(sheet, command - IDM_OPTIONS_FIRST));
            CHECK_EQ(TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet)), 9);
            PropSheet_PressButton(sheet, PSBTN_CANCEL);
        }));
    }
    Settings.EmulatorGeneration = 0;
    CHECK(boxes.boxes().empty());
    CHECK_EQ(ReadFileBytes(ini), base);
}

TEST_CASE_FIXTURE(SheetFixture, "commands 1040-1048 open the global file at their page") {
    for (UINT command : {UINT{IDM_OPTIONS_FIRST}, UINT{IDM_OPTIONS_FIRST + 4}, UINT{IDM_OPTIONS_LAST}}) {
        INFO("command " << command);
        const bool shown = WithSheet([&] { quillet::MainWindowProc(owner, WM_COMMAND, command, 0); },
                                     [&](HWND sheet) {
                                         CHECK_EQ(PropSheet_GetCurrentPageHwnd(sheet),
                                                  PropSheet_IndexToHwnd(sheet, command - IDM_OPTIONS_FIRST));
                                         char caption[128] = {};
                                         GetWindowTextA(sheet, caption, sizeof caption);
                                         CHECK_EQ(std::string(caption), "Quillet - MAME settings");
                                         PropSheet_PressButton(sheet, PSBTN_OK);
                                     });
        CHECK(shown);
    }
    CHECK_EQ(ReadFileBytes(ini), Canonical(base));
}

TEST_CASE_FIXTURE(SheetFixture, "the per-game sheet edits <MameDir><rom>.ini at its first page") {
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 200, 100, nullptr, nullptr,
                                nullptr, nullptr);
    REQUIRE(list != nullptr);
    quillet::GameListWindow = list;
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));

    // An empty list: the command does nothing at all.
    CHECK_FALSE(WithSheet([&] { quillet::MainWindowProc(owner, WM_COMMAND, IDM_GAME_OPTIONS, 0); },
                          [](HWND sheet) { PropSheet_PressButton(sheet, PSBTN_CANCEL); }));
    CHECK(boxes.boxes().empty());

    // A ROM name of today's full 16 characters.
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_STATE;
    item.pszText = const_cast<char*>("abcdefghijklmnop");
    item.state = item.stateMask = LVIS_FOCUSED;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    const bool shown = WithSheet([&] { quillet::MainWindowProc(owner, WM_COMMAND, IDM_GAME_OPTIONS, 0); },
                                 [](HWND sheet) {
                                     HWND page = PropSheet_GetCurrentPageHwnd(sheet);
                                     CHECK_EQ(page, PropSheet_IndexToHwnd(sheet, 0));
                                     CHECK_EQ(ItemText(page, IDC_OPT_ROMPATH), "");
                                     SetDlgItemTextA(page, IDC_OPT_ROMPATH, "game roms");
                                     PropSheet_PressButton(sheet, PSBTN_OK);
                                 });
    CHECK(shown);
    CHECK_EQ(OptionLines(ReadFileBytes(folder.file("abcdefghijklmnop.ini")))["rompath"], "game roms");
    CHECK_EQ(ReadFileBytes(ini), base);
    quillet::GameListWindow = nullptr;
    DestroyWindow(list);
}
