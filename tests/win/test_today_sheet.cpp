// Today's settings sheet driven as a user drives it: a change on a page
// changes exactly its own line, a game's file holds only what the game
// sets, values that do not fit their kind survive, bad values are refused.
#include "win/support.h"

#include <commctrl.h>
#include <prsht.h>

#include <functional>
#include <map>
#include <sstream>

#include "app/main_window.h"
#include "base/globals.h"
#include "base/report.h"
#include "options/emulator_texts.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "win/catalogue_fixture.h"
#include "win/modal_script.h"

using namespace quillet::test;
using quillet::Settings;

namespace {

std::string Crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
}

// The real 0.251 file as a Windows user has it, or a short one of today's
// layout when the shared folder is absent.
std::string TodayFile() {
    const std::string real = RealDataPath("mame_ini_mame0251_default.ini");
    std::string text = FileExists(real) ? ReadFileBytes(real)
                                        : "#\n# CORE SEARCH PATH OPTIONS\n#\nrompath                   roms\n"
                                          "samplepath                samples\n\n#\n# CORE PERFORMANCE OPTIONS\n#\n"
                                          "throttle                  1\n\n#\n# CORE SOUND OPTIONS\n#\n"
                                          "volume                    0\n";
    text = Replace(Replace(text, "/usr/share/games/mame/", "C:\\MAME\\"), "$HOME/", "C:\\Users\\me\\");
    return "\xEF\xBB\xBF" + Crlf(text);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The lines of `after` that differ from `before`, joined with '|' (the two
// must have the same number of lines).
std::string ChangedLines(const std::string& before, const std::string& after) {
    const auto a = Lines(before), b = Lines(after);
    if (a.size() != b.size()) return "line count " + std::to_string(a.size()) + " -> " + std::to_string(b.size());
    std::string out;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) continue;
        if (!out.empty()) out += '|';
        out += b[i].back() == '\r' ? b[i].substr(0, b[i].size() - 1) : b[i];
    }
    return out;
}

HWND Page(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }
HWND ShowPage(HWND sheet, int index) {
    PropSheet_SetCurSel(sheet, nullptr, index);
    return Page(sheet);
}
bool ApplyEnabled(HWND sheet) { return IsWindowEnabled(GetDlgItem(sheet, 0x3021)) != FALSE; }

std::string ItemText(HWND page, int id) {
    char text[1024] = {};
    GetDlgItemTextA(page, id, text, sizeof text);
    return text;
}

// Selects the All options row named `name` (after typing it in the find box).
void SelectOption(HWND page, const char* name) {
    SetDlgItemTextA(page, IDC_TODAY_FIND, name);
    HWND list = GetDlgItem(page, IDC_TODAY_LIST);
    const int count = ListView_GetItemCount(list);
    for (int i = 0; i < count; ++i) {
        char text[128] = {};
        ListView_GetItemText(list, i, 0, text, sizeof text);
        if (std::string(text) == name) {
            ListView_SetItemState(list, i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            return;
        }
    }
    FAIL_CHECK("no row " << name);
}

// A dynamic page's control for `name`: the row whose label or check box
// reads `label`.
HWND RowControl(HWND page, const std::string& label) {
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char text[128] = {};
        GetWindowTextA(child, text, sizeof text);
        if (label != text) continue;
        char cls[32] = {};
        GetClassNameA(child, cls, sizeof cls);
        return std::string(cls) == "Static" ? GetDlgItem(page, GetDlgCtrlID(child) + 1) : child;
    }
    FAIL_CHECK("no row " << label);
    return nullptr;
}

struct TodayFixture : EmulatorIniFixture {
    HWND list = nullptr;

    TodayFixture() { emulator.ActAsToday(); }
    ~TodayFixture() {
        if (list) DestroyWindow(list);
        quillet::GameListWindow = nullptr;
    }
    void Run(UINT command, std::vector<ModalScript::Step> steps) {
        // The sheet's tab control: the progress dialog of the first capture is passed over.
        ModalScript(0x3020, std::move(steps)).Run([&] { quillet::MainWindowProc(owner, WM_COMMAND, command, 0); });
    }
    // A game list with one focused row: `rom`, a clone of `parent`.
    void FocusGame(const char* rom, const char* parent) {
        if (!list) {
            list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 200, 100, nullptr, nullptr,
                                   nullptr, nullptr);
            for (int i = 0; i < 16; ++i) {
                LVCOLUMNA column = {};
                column.mask = LVCF_WIDTH;
                column.cx = 50;
                ListView_InsertColumn(list, i, &column);
            }
            quillet::GameListWindow = list;
        }
        ListView_DeleteAllItems(list);
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_STATE;
        item.pszText = const_cast<char*>(rom);
        item.state = item.stateMask = LVIS_FOCUSED;
        ListView_InsertItem(list, &item);
        ListView_SetItemText(list, 0, 5, const_cast<char*>(parent));
    }
};

}  // namespace

TEST_CASE_FIXTURE(TodayFixture, "a folder changed on Paths changes exactly the rompath line, before any rebuild") {
    const std::string original = TodayFile();
    REQUIRE(WriteFileBytes(ini, original));
    Run(IDM_OPTIONS_FIRST, {[](HWND sheet) {
                                HWND page = Page(sheet);
                                CHECK_FALSE(ApplyEnabled(sheet));
                                CHECK_EQ(SendDlgItemMessageA(page, IDC_TODAY_PATH_OPTION, CB_GETCURSEL, 0, 0), 0);
                                if (FileExists(RealDataPath("showusage_mame0251.txt")))
                                    CHECK_EQ(ItemText(page, IDC_TODAY_PATH_DESCRIPTION), "path to ROM sets and hard disk images");
                                SendDlgItemMessageA(page, IDC_TODAY_PATH_LIST, LB_SETCURSEL, 0, 0);
                                SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_TODAY_PATH_LIST, LBN_SELCHANGE), 0);
                                SetDlgItemTextA(page, IDC_TODAY_PATH_ENTRY, "D:\\My Roms");
                                CHECK(ApplyEnabled(sheet));
                                // The second entry moves up to the first place.
                                if (SendDlgItemMessageA(page, IDC_TODAY_PATH_LIST, LB_GETCOUNT, 0, 0) > 1) {
                                    SendDlgItemMessageA(page, IDC_TODAY_PATH_LIST, LB_SETCURSEL, 1, 0);
                                    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_TODAY_PATH_UP, BN_CLICKED), 0);
                                }
                                for (int i = 0; i < 7; ++i) ShowPage(sheet, i);
                            },
                            [](HWND sheet) { PropSheet_PressButton(sheet, PSBTN_OK); }});
    const std::string saved = ReadFileBytes(ini);
    const std::string changed = ChangedLines(original, saved);
    CHECK_EQ(changed.substr(0, 26), "rompath                   ");
    CHECK_NE(changed.find("D:\\My Roms"), std::string::npos);
    CHECK_EQ(changed.find('|'), std::string::npos);
    CHECK_EQ(saved.substr(0, 3), "\xEF\xBB\xBF");
    CHECK_EQ(ReadFileBytes(ini + ".orig"), original);
    CHECK(boxes.boxes().empty());
}

TEST_CASE_FIXTURE(TodayFixture, "commands open today's pages: 1040-1041 Paths, 1042-1043 Video, 1044-1045 Screen, 1046-1048") {
    REQUIRE(WriteFileBytes(ini, TodayFile()));
    const std::pair<UINT, int> cases[] = {{1040, 0}, {1041, 0}, {1042, 1}, {1043, 1}, {1044, 5},
                                          {1045, 5}, {1046, 2}, {1047, 3}, {1048, 4}};
    for (const auto& [command, index] : cases) {
        INFO("command " << command);
        Run(command, {[index = index, command = command](HWND sheet) {
                CHECK_EQ(Page(sheet), PropSheet_IndexToHwnd(sheet, index));
                // 1041, the era's second paths page, shows the output folders.
                if (index == 0)
                    CHECK_EQ(ItemText(Page(sheet), IDC_TODAY_PATH_OPTION), command == 1041 ? "Configuration" : "ROMs and disk images");
                CHECK_EQ(TabCtrl_GetItemCount(PropSheet_GetTabControl(sheet)), 7);
                PropSheet_PressButton(sheet, PSBTN_CANCEL);
            }});
    }
    CHECK(boxes.boxes().empty());
}

TEST_CASE_FIXTURE(TodayFixture, "a value that does not fit its kind is kept as text; a bad value is refused and nothing written") {
    const std::string original = TodayFile() + "frameskip                 1.5\r\n";
    REQUIRE(WriteFileBytes(ini, original));
    Run(IDM_OPTIONS_LAST, {[](HWND sheet) {
                               HWND page = Page(sheet);
                               CHECK_EQ(ItemText(page, GetDlgCtrlID(RowControl(page, "&Frames to skip (0 - 10):"))), "1.5");
                               SendMessageA(RowControl(page, "&Throttle to real time"), BM_CLICK, 0, 0);
                               PropSheet_PressButton(sheet, PSBTN_OK);
                           }});
    const std::string saved = ReadFileBytes(ini);
    CHECK_EQ(ChangedLines(original, saved).substr(0, 9), "throttle ");
    CHECK_NE(saved.find("frameskip                 1.5\r\n"), std::string::npos);

    // Out of range, and text that cannot stand on a line: a message naming
    // the option, the sheet stays, and Cancel leaves the file as it was.
    struct Bad {
        UINT command;
        const char* label;
        const char* value;
    };
    const Bad cases[] = {{1046, "&Volume (-32 - 0 dB):", "5"}, {1046, "&Volume (-32 - 0 dB):", "loud"},
                         {1047, "&Controller definition:", "my \"pad\""}};
    for (const Bad& c : cases) {
        INFO(c.value);
        boxes.clear();
        REQUIRE(WriteFileBytes(ini, original));
        DeleteFileA((ini + ".bak").c_str());
        Run(c.command, {[&](HWND sheet) {
                            SetWindowTextA(RowControl(Page(sheet), c.label), c.value);
                            PropSheet_PressButton(sheet, PSBTN_OK);
                        },
                        [](HWND sheet) { PropSheet_PressButton(sheet, PSBTN_CANCEL); }});
        REQUIRE_EQ(boxes.boxes().size(), 1u);
        CHECK_NE(boxes.boxes()[0].text.find(c.command == 1046 ? "volume" : "ctrlr"), std::string::npos);
        CHECK_EQ(ReadFileBytes(ini), original);
        CHECK_FALSE(FileExists(ini + ".bak"));
    }
}

TEST_CASE_FIXTURE(TodayFixture, "per game: only overrides written, the global value restored, a clone sees its parent") {
    // MAME looks for the games' files along the inipath of mame.ini.
    REQUIRE(WriteFileBytes(ini, Replace(TodayFile(), "C:\\Users\\me\\.mame;/etc/mame", ".;ini")));
    CreateDirectoryA((emulator.folder() + "\\ini").c_str(), nullptr);
    const std::string parentIni = emulator.folder() + "\\ini\\pacman.ini";
    const std::string gameIni = emulator.folder() + "\\ini\\puckman.ini";
    REQUIRE(WriteFileBytes(parentIni, "volume -10\r\n"));

    // A clone: volume inherited from its parent, rotation set for itself.
    FocusGame("puckman", "pacman");
    Run(IDM_GAME_OPTIONS, {[](HWND sheet) {
                               HWND page = ShowPage(sheet, 2);
                               HWND volume = RowControl(page, "&Volume (-32 - 0 dB):");
                               CHECK_EQ(ItemText(page, GetDlgCtrlID(volume)), "-10");
                               CHECK_EQ(ItemText(page, GetDlgCtrlID(volume) + 2), "from the parent's ini");
                               page = ShowPage(sheet, 4);
                               SendMessageA(RowControl(page, "&Throttle to real time"), BM_CLICK, 0, 0);
                               SendMessageA(RowControl(page, "&Throttle to real time"), BM_CLICK, 0, 0);
                               SendMessageA(RowControl(page, "Flip &left-right"), BM_CLICK, 0, 0);
                               PropSheet_PressButton(sheet, PSBTN_OK);
                           }});
    CHECK_EQ(ReadFileBytes(gameIni), "flipx                     1\r\n");

    // "Use the global value" takes the line out again.
    Run(IDM_GAME_OPTIONS, {[](HWND sheet) {
                               HWND page = ShowPage(sheet, 6);
                               SelectOption(page, "flipx");
                               CHECK_EQ(ItemText(page, IDC_TODAY_VALUE), "1");
                               SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_TODAY_GLOBAL, BN_CLICKED), 0);
                               CHECK_EQ(ItemText(page, IDC_TODAY_VALUE), "0");
                               PropSheet_PressButton(sheet, PSBTN_OK);
                           }});
    CHECK_EQ(ReadFileBytes(gameIni), "");

    // On the row pages the check box beside a row does the same.
    REQUIRE(WriteFileBytes(gameIni, "volume                    -3\r\nflipy                     1\r\n"));
    Run(IDM_GAME_OPTIONS, {[](HWND sheet) {
                               HWND page = ShowPage(sheet, 2);
                               const int volume = GetDlgCtrlID(RowControl(page, "&Volume (-32 - 0 dB):"));
                               CHECK_EQ(ItemText(page, volume), "-3");
                               CHECK_EQ(IsDlgButtonChecked(page, volume + 2), BST_CHECKED);
                               CHECK_EQ(ItemText(page, volume + 2), "set for this game");
                               SendDlgItemMessageA(page, volume + 2, BM_CLICK, 0, 0);
                               CHECK_EQ(ItemText(page, volume), "-10");
                               CHECK_EQ(ItemText(page, volume + 2), "from the parent's ini");
                               PropSheet_PressButton(sheet, PSBTN_OK);
                           }});
    CHECK_EQ(ReadFileBytes(gameIni), "flipy                     1\r\n");
    CHECK(boxes.boxes().empty());
    DeleteFileA(parentIni.c_str());
    for (const char* suffix : {"", ".bak", ".orig"}) DeleteFileA((gameIni + suffix).c_str());
    RemoveDirectoryA((emulator.folder() + "\\ini").c_str());
}

TEST_CASE_FIXTURE(TodayFixture, "All options: found by name, edited in place with F2 or Enter, Escape drops the edit") {
    const std::string original = TodayFile() + "writeconfig               0\r\n";
    REQUIRE(WriteFileBytes(ini, original));
    auto cellEdit = [](HWND page) { return FindWindowExA(GetDlgItem(page, IDC_TODAY_LIST), nullptr, "Edit", nullptr); };
    Run(IDM_OPTIONS_FIRST, {[&](HWND sheet) {
                                HWND page = ShowPage(sheet, 6);
                                SelectOption(page, "writeconfig");
                                CHECK_EQ(ListView_GetItemCount(GetDlgItem(page, IDC_TODAY_LIST)), 1);
                                // Escape: nothing staged, Apply stays dark.
                                SendDlgItemMessageA(page, IDC_TODAY_LIST, WM_KEYDOWN, VK_F2, 0);
                                REQUIRE(cellEdit(page) != nullptr);
                                SetWindowTextA(cellEdit(page), "7");
                                SendMessageA(cellEdit(page), WM_KEYDOWN, VK_ESCAPE, 0);
                                CHECK_FALSE(ApplyEnabled(sheet));
                            },
                            [&](HWND sheet) {
                                HWND page = Page(sheet);
                                CHECK(cellEdit(page) == nullptr);
                                // Enter on the row, as F2 does: the list keeps it from the sheet.
                                MSG enter = {GetDlgItem(page, IDC_TODAY_LIST), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
                                CHECK_EQ(SendDlgItemMessageA(page, IDC_TODAY_LIST, WM_GETDLGCODE, VK_RETURN,
                                                             reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE,
                                         DLGC_WANTMESSAGE);
                                SendDlgItemMessageA(page, IDC_TODAY_LIST, WM_KEYDOWN, VK_RETURN, 0);
                                REQUIRE(cellEdit(page) != nullptr);
                                SetWindowTextA(cellEdit(page), "1");
                                SendMessageA(cellEdit(page), WM_KEYDOWN, VK_RETURN, 0);
                                CHECK_EQ(ItemText(page, IDC_TODAY_VALUE), "1");
                                CHECK(ApplyEnabled(sheet));
                                PropSheet_PressButton(sheet, PSBTN_OK);
                            }});
    const std::string saved = ReadFileBytes(ini);
    CHECK_EQ(ChangedLines(original, saved), "writeconfig               1");
    CHECK(boxes.boxes().empty());
}

TEST_CASE("both language modules carry today's strings, menu texts and pages") {
    std::vector<UINT> ids;
    for (UINT id = IDS_TASK_MAME_OPTIONS; id <= IDS_TODAY_ARTWORK_CROP; ++id) ids.push_back(id);
    for (UINT id = IDS_TODAY_CAPTION; id <= IDS_TODAY_BROWSE_TITLE; ++id) ids.push_back(id);
    for (UINT id = IDS_TODAY_MENU_FIRST; id < IDS_TODAY_MENU_FIRST + 9; ++id) ids.push_back(id);
    std::map<UINT, std::string> english;
    size_t same = 0;
    for (const char* language : {"english", "italian"}) {
        HMODULE module = LoadLibraryExA(BuildPath((std::string("languages/") + language + ".dll").c_str()).c_str(),
                                        nullptr, LOAD_LIBRARY_AS_DATAFILE);
        REQUIRE(module != nullptr);
        for (UINT id : ids) {
            INFO(language << " string " << id);
            char text[512] = {};
            CHECK_GT(LoadStringA(module, id, text, sizeof text), 0);
            if (english.count(id)) same += english[id] == text;
            else english[id] = text;
        }
        for (WORD dialog : {IDD_TODAY_PATHS, IDD_TODAY_VIDEO, IDD_TODAY_SOUND, IDD_TODAY_INPUT, IDD_TODAY_PERFORMANCE,
                            IDD_TODAY_SCREEN, IDD_TODAY_ALL})
            CHECK_MESSAGE(FindResourceA(module, MAKEINTRESOURCEA(dialog), MAKEINTRESOURCEA(5)) != nullptr,
                          language << " dialog " << dialog);
        FreeLibrary(module);
    }
    CHECK_LT(same, 10u);  // "Video", "Gamma", "NVRAM" and the like may agree
}
