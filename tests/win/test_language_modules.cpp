// The language modules hold every menu command, string and message the
// program loads from them, each within the buffer it is loaded into; and the
// program's own resources (linked into this test) have the dialogs and
// bitmaps the program expects.
#include "win/support.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "preferences/preferences.h"
#include "resources/resource_ids.h"

using quillet::test::BuildPath;

namespace {

struct LanguageCase {
    const char* name;
    LANGID language;
};
constexpr LanguageCase kLanguages[] = {
    {"english", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)},
    {"italian", MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN)},
};

class LoadedModule {
public:
    explicit LoadedModule(const char* name)
        : handle_(LoadLibraryA(BuildPath((std::string("languages/") + name + ".dll").c_str()).c_str())) {}
    ~LoadedModule() {
        if (handle_) FreeLibrary(handle_);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;
    HMODULE get() const { return handle_; }

private:
    HMODULE handle_;
};

// A string resource as the program's LoadStringA sees it: in the ANSI code
// page, embedded NULs kept, nothing cut. `lossy` is set when a character has
// no ANSI form.
std::string RawString(HMODULE module, UINT id, bool* lossy = nullptr) {
    const WCHAR* text = nullptr;
    int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return {};
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(bytes, '\0');
    BOOL usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, 0, text, length, out.data(), bytes, nullptr, &usedDefault);
    if (lossy) *lossy = usedDefault != FALSE;
    return out;
}

// Longest text each string may have: the program's buffer for it, less the
// terminator. The document captions get the game's description (up to 119
// characters) appended in a 256-byte buffer.
struct StringLimit {
    UINT id;
    size_t maxLength;
};
constexpr StringLimit kStringLimits[] = {
    {IDS_CAPTION_OPTIONS, 255}, {IDS_CAPTION_PREFS, 255}, {IDS_CAPTION_FILTER, 255},
    {2010, 63}, {2011, 63}, {2012, 63}, {2013, 63}, {2014, 63}, {2015, 63}, {2016, 63}, {2017, 63},
    {2018, 63}, {2019, 63}, {2020, 63}, {2021, 63}, {2022, 63}, {2023, 63}, {2024, 63}, {2025, 63},
    {IDS_ALL_MANUFACTURERS, 39},
    {IDS_VIDEO_RASTER, 15}, {IDS_VIDEO_VECTOR, 15}, {IDS_ORIENT_HORIZONTAL, 15}, {IDS_ORIENT_VERTICAL, 15},
    {IDS_STATUS_GOOD, 14}, {IDS_STATUS_BEST, 14}, {IDS_STATUS_BAD, 14}, {IDS_STATUS_OTHER, 15},
    {IDS_STATUS_UNKNOWN, 15}, {IDS_EMU_IMPERFECT, 15}, {IDS_EMU_PRELIMINARY, 15}, {IDS_DRIVER_IMPERFECT, 15},
    {2047, 7}, {2048, 7},  // the Original field holds 8 bytes
    {IDS_TASK_RELOAD, 255}, {IDS_TASK_REBUILD, 255}, {IDS_TASK_VERIFY, 255}, {IDS_TASK_CATEGORIES, 255},
    {IDS_STEP_QUERY, 255}, {IDS_STEP_PROCESSING, 255}, {IDS_STEP_RUNNING, 255},
    {IDS_CAPTION_MAMEINFO, 255 - 119}, {IDS_CAPTION_HISTORY, 255 - 119},
    {IDS_ABOUT_TEXT, 4089},
    {IDS_WIZARD_TITLE, 255}, {IDS_WIZARD_SUBTITLE, 255},
    {IDS_COLUMN_PLAYED, 63}, {IDS_COLUMN_LAST_PLAYED, 63}, {IDS_COLUMN_TIME_PLAYED, 63},
    {IDS_LIST_COUNTS, 127}, {IDS_SEARCH_LABEL, 63}, {IDS_TASK_HISTORY_INDEX, 255},
    {IDS_SEARCH_CUE, 127},
};

// Texts the list shows side by side must tell their codes apart; the status
// colours are even chosen by comparing the Status text with 2039-2041.
constexpr UINT kDistinctGroups[][4] = {
    {IDS_STATUS_GOOD, IDS_STATUS_BEST, IDS_STATUS_BAD, IDS_STATUS_OTHER},
    {2047, 2048, 0, 0},
    {IDS_STATUS_GOOD, IDS_EMU_IMPERFECT, IDS_EMU_PRELIMINARY, 0},
    {IDS_STATUS_GOOD, IDS_DRIVER_IMPERFECT, IDS_EMU_PRELIMINARY, 0},
    {IDS_VIDEO_RASTER, IDS_VIDEO_VECTOR, 0, 0},
    {IDS_ORIENT_HORIZONTAL, IDS_ORIENT_VERTICAL, 0, 0},
};

std::vector<UINT> CommandIds() {
    std::vector<UINT> ids = {IDM_REBUILD, IDM_VERIFY, IDM_EXIT, IDM_RUN, IDM_GAME_OPTIONS,
                             IDM_GAME_INFO, IDM_GAME_HISTORY, IDM_ROM_DOWNLOAD, IDM_RELOAD,
                             IDM_PREFERENCES, IDM_VIEW_LARGE, IDM_VIEW_SMALL, IDM_VIEW_LIST,
                             IDM_VIEW_DETAILS, IDM_ABOUT, IDM_EXPORT_LIST, IDM_FAVOURITE_ADD,
                             IDM_FAVOURITE_REMOVE, IDM_FAVOURITES_ONLY, IDM_HIDE_CLONES, IDM_HIDE_MECHANICAL,
                             IDM_HIDE_NON_WORKING, IDM_PICTURE_PANE, IDM_PICTURE_NEXT,
                             IDM_PICTURE_PREVIOUS, IDM_ICONS};
    for (UINT id = IDM_FILTER_FIRST; id <= IDM_FILTER_LAST; ++id) ids.push_back(id);
    for (UINT id = IDM_OPTIONS_FIRST; id <= IDM_OPTIONS_LAST; ++id) ids.push_back(id);
    return ids;
}

constexpr DWORD kMessageNumbers[] = {
    MSG_NO_EMULATOR, MSG_NO_MAMEINFO_ENTRY, MSG_NO_HISTORY_ENTRY, MSG_CAPTURE_CUT, MSG_COMMAND_TOO_LONG,
    MSG_OPTIONS_NOT_HERE, MSG_ERA_EDITOR_TODAY_FILE, MSG_BAD_OPTION_VALUE,
    MSG_ODBC_ENVIRONMENT, MSG_ODBC_CONNECTION, MSG_ODBC_STATEMENT, MSG_ODBC_EXECUTE,
    MSG_MAMEINFO_OPEN, MSG_HISTORY_OPEN, MSG_NO_GAME_LIST, MSG_GAME_LIST_FORMAT, MSG_NO_GAME_READ,
    MSG_GAMES_LEFT_OUT, MSG_HISTORY_DAMAGED, MSG_EXPORT_FAILED, MSG_PLAYER_DATA_FAILED,
};

std::string Hex(DWORD number) {
    char text[16];
    snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(number));
    return text;
}

// ReportMessage's way: no inserts, into its 1024-character buffer.
std::string ModuleMessage(HMODULE module, DWORD number, DWORD* error = nullptr) {
    char text[1024] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, module, number, 0,
                                  text, sizeof text, nullptr);
    if (error) *error = length ? 0 : GetLastError();
    return std::string(text, length);
}

// Each command item of a menu with its text, in menu order, sub-menus
// walked depth first.
void CollectItems(HMENU menu, std::vector<std::pair<UINT, std::string>>& items) {
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        char text[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        REQUIRE(GetMenuItemInfoA(menu, i, TRUE, &info));
        if (info.hSubMenu)
            CollectItems(info.hSubMenu, items);
        else if (!(info.fType & MFT_SEPARATOR))
            items.emplace_back(info.wID, text);
    }
}

std::string JoinIds(const std::vector<std::pair<UINT, std::string>>& items) {
    std::string out;
    for (const auto& item : items) {
        if (!out.empty()) out += ',';
        out += std::to_string(item.first);
    }
    return out;
}

bool HasResource(HMODULE module, LPCSTR type, WORD id, LANGID language) {
    return FindResourceExA(module, type, MAKEINTRESOURCEA(id), language) != nullptr;
}

}  // namespace

// tools/test-dpi.sh runs this program again at 144 and 192 DPI; it names
// the DPI it set, and the run is worth nothing if the screen has another.
TEST_CASE("the screen has the DPI the run asks for") {
    char wanted[16] = "";
    if (!GetEnvironmentVariableA("QUILLET_EXPECT_DPI", wanted, sizeof wanted)) return;
    HDC screen = GetDC(nullptr);
    CHECK_EQ(GetDeviceCaps(screen, LOGPIXELSY), std::atoi(wanted));
    ReleaseDC(nullptr, screen);
}

TEST_CASE("each language module loads and declares its language") {
    for (const auto& lang : kLanguages) {
        INFO(std::string(lang.name));
        LoadedModule module(lang.name);
        REQUIRE(module.get() != nullptr);
        CHECK(HasResource(module.get(), RT_MENU, IDM_MAIN, lang.language));
        CHECK(HasResource(module.get(), RT_STRING, IDS_COLUMN_FIRST / 16 + 1, lang.language));
        CHECK(HasResource(module.get(), RT_MESSAGETABLE, 1, lang.language));
    }
}

TEST_CASE("both modules can be loaded at the same time") {
    LoadedModule english("english"), italian("italian");
    REQUIRE(english.get() != nullptr);
    REQUIRE(italian.get() != nullptr);
    CHECK_NE(RawString(english.get(), IDS_COLUMN_FIRST), RawString(italian.get(), IDS_COLUMN_FIRST));
}

TEST_CASE("every string is present and fits the buffer it is loaded into") {
    for (const auto& lang : kLanguages) {
        LoadedModule module(lang.name);
        REQUIRE(module.get() != nullptr);
        for (const auto& limit : kStringLimits) {
            INFO(std::string(lang.name) << " string " << limit.id);
            bool lossy = false;
            std::string text = RawString(module.get(), limit.id, &lossy);
            CHECK_FALSE(text.empty());
            CHECK_LE(text.size(), limit.maxLength);
            CHECK_EQ(text.find('\0'), std::string::npos);
            CHECK_FALSE(lossy);
        }
    }
}

TEST_CASE("the texts of one column tell their codes apart") {
    for (const auto& lang : kLanguages) {
        LoadedModule module(lang.name);
        REQUIRE(module.get() != nullptr);
        for (const auto& group : kDistinctGroups) {
            std::set<std::string> seen;
            size_t count = 0;
            for (UINT id : group) {
                if (!id) continue;
                ++count;
                seen.insert(RawString(module.get(), id));
            }
            INFO(std::string(lang.name) << " group starting with " << group[0]);
            CHECK_EQ(seen.size(), count);
        }
    }
}

TEST_CASE("the executable filter is a double-NUL list that fits 25 bytes") {
    for (const auto& lang : kLanguages) {
        INFO(std::string(lang.name));
        LoadedModule module(lang.name);
        REQUIRE(module.get() != nullptr);
        std::string raw = RawString(module.get(), IDS_EXE_FILTER);
        REQUIRE_FALSE(raw.empty());
        // LoadStringA adds the terminator, which makes the list's final double NUL.
        CHECK_LE(raw.size() + 1, 25u);
        CHECK_EQ(raw.back(), '\0');
        std::vector<std::string> parts;
        for (size_t start = 0; start < raw.size();) {
            size_t end = raw.find('\0', start);
            parts.push_back(raw.substr(start, end - start));
            start = end + 1;
        }
        CHECK_EQ(parts.size() % 2, 0u);
        for (const auto& part : parts) CHECK_FALSE(part.empty());
        REQUIRE_GE(parts.size(), 2u);
        CHECK_NE(parts[1].find("*.exe"), std::string::npos);

        // Loaded as the preferences page loads it.
        char buffer[25];
        memset(buffer, 'x', sizeof buffer);
        int length = LoadStringA(module.get(), IDS_EXE_FILTER, buffer, sizeof buffer);
        CHECK_EQ(static_cast<size_t>(length), raw.size());
        CHECK_EQ(std::string(buffer, raw.size() + 1), raw + '\0');
    }
}

TEST_CASE("the all-manufacturers entry begins with a space") {
    for (const auto& lang : kLanguages) {
        INFO(std::string(lang.name));
        LoadedModule module(lang.name);
        REQUIRE(module.get() != nullptr);
        std::string text = RawString(module.get(), IDS_ALL_MANUFACTURERS);
        REQUIRE_FALSE(text.empty());
        CHECK_EQ(text[0], ' ');
        CHECK_NE(text.find_first_not_of(' '), std::string::npos);
    }
}

TEST_CASE("menu 1000 carries every command once and nothing else") {
    const std::vector<UINT> commands = CommandIds();
    for (const auto& lang : kLanguages) {
        LoadedModule module(lang.name);
        REQUIRE(module.get() != nullptr);
        HMENU menu = LoadMenuA(module.get(), MAKEINTRESOURCEA(IDM_MAIN));
        REQUIRE(menu != nullptr);
        std::vector<std::pair<UINT, std::string>> items;
        CollectItems(menu, items);
        std::map<UINT, int> count;
        for (const auto& item : items) {
            INFO(std::string(lang.name) << " item " << item.first);
            ++count[item.first];
            CHECK_FALSE(item.second.empty());
        }
        for (UINT id : commands) {
            INFO(std::string(lang.name) << " command " << id);
            CHECK_EQ(count[id], 1);
        }
        CHECK_EQ(items.size(), commands.size());
        DestroyMenu(menu);
    }
}

TEST_CASE("sub-menu 1, the list's context menu, holds the game commands") {
    for (const auto& lang : kLanguages) {
        INFO(std::string(lang.name));
        LoadedModule module(lang.name);
        REQUIRE(module.get() != nullptr);
        HMENU menu = LoadMenuA(module.get(), MAKEINTRESOURCEA(IDM_MAIN));
        REQUIRE(menu != nullptr);
        HMENU context = GetSubMenu(menu, 1);
        REQUIRE(context != nullptr);
        std::vector<std::pair<UINT, std::string>> items;
        CollectItems(context, items);
        CHECK_EQ(JoinIds(items), "1010,1011,1012,1013,1015,1102,1103");
        DestroyMenu(menu);
    }
}

TEST_CASE("the message table holds every message number") {
    for (const auto& lang : kLanguages) {
        LoadedModule module(lang.name);
        REQUIRE(module.get() != nullptr);
        for (DWORD number : kMessageNumbers) {
            INFO(std::string(lang.name) << " message " << Hex(number));
            DWORD error = 0;
            std::string text = ModuleMessage(module.get(), number, &error);
            CHECK_EQ(error, 0u);
            CHECK_GT(text.size(), 20u);
            // Only the game-list message and the count of games left out take
            // an insert; ReportMessage shows the others as they stand.
            bool hasInsert = text.find('%') != std::string::npos;
            CHECK_EQ(hasInsert, number == MSG_GAME_LIST_FORMAT || number == MSG_GAMES_LEFT_OUT ||
                                    number == MSG_BAD_OPTION_VALUE || number == MSG_HISTORY_DAMAGED ||
                                    number == MSG_EXPORT_FAILED);
        }
        // The customer bit must not have crept into the numbers.
        DWORD error = 0;
        CHECK(ModuleMessage(module.get(), 0xA0000001, &error).empty());
        CHECK_EQ(error, static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
    }
}

TEST_CASE("the two messages with an insert show it") {
    struct Row {
        DWORD number;
        const char* insert;
    };
    const Row rows[] = {{MSG_GAME_LIST_FORMAT, "pacmanf"}, {MSG_GAMES_LEFT_OUT, "31337"}};
    for (const auto& lang : kLanguages) {
        LoadedModule module(lang.name);
        REQUIRE(module.get() != nullptr);
        for (const Row& row : rows) {
            INFO(std::string(lang.name) << " message " << Hex(row.number));
            DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>(row.insert)};
            char text[1024] = {};
            DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, module.get(),
                                          row.number, 0, text, sizeof text, reinterpret_cast<va_list*>(args));
            REQUIRE_GT(length, 0u);
            CHECK_NE(std::string(text).find(row.insert), std::string::npos);
        }
    }
}

TEST_CASE("the Italian module is translated, not copied") {
    LoadedModule english("english"), italian("italian");
    REQUIRE(english.get() != nullptr);
    REQUIRE(italian.get() != nullptr);
    size_t strings = 0, sameStrings = 0;
    for (const auto& limit : kStringLimits) {
        ++strings;
        if (RawString(english.get(), limit.id) == RawString(italian.get(), limit.id)) ++sameStrings;
    }
    // A few words are the same in both languages (Video, Driver, No).
    CHECK_LE(sameStrings * 5, strings);
    for (DWORD number : kMessageNumbers) {
        INFO("message " << Hex(number));
        CHECK_NE(ModuleMessage(english.get(), number), ModuleMessage(italian.get(), number));
    }
    HMENU englishMenu = LoadMenuA(english.get(), MAKEINTRESOURCEA(IDM_MAIN));
    HMENU italianMenu = LoadMenuA(italian.get(), MAKEINTRESOURCEA(IDM_MAIN));
    REQUIRE(englishMenu != nullptr);
    REQUIRE(italianMenu != nullptr);
    std::vector<std::pair<UINT, std::string>> englishItems, italianItems;
    CollectItems(englishMenu, englishItems);
    CollectItems(italianMenu, italianItems);
    std::map<UINT, std::string> englishText(englishItems.begin(), englishItems.end());
    size_t sameItems = 0;
    for (const auto& item : italianItems)
        if (englishText[item.first] == item.second) ++sameItems;
    CHECK_LE(sameItems * 5, italianItems.size());
    DestroyMenu(englishMenu);
    DestroyMenu(italianMenu);
}

// The sheets' and the about box's templates, each with the controls the
// program reads and writes.
static INT_PTR CALLBACK SilentDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST_CASE("the preferences, wizard and about dialogs are in every module with their controls") {
    struct DialogControls {
        WORD dialog;
        std::vector<int> controls;
    };
    const DialogControls dialogs[] = {
        {IDD_PREFERENCES, {IDC_PREF_MAME_PATH, IDC_PREF_BROWSE, IDC_PREF_ICONS, IDC_PREF_LANGUAGE, IDC_PREF_CATALOGUE}},
        {IDD_WIZARD_WELCOME, {}},
        {IDD_WIZARD_EMULATOR, {IDC_WIZARD_MAME_PATH, IDC_WIZARD_BROWSE}},
        {IDD_WIZARD_FINISH, {}},
        {IDD_ABOUT, {IDC_ABOUT_ICON, IDC_ABOUT_TEXT, IDC_ABOUT_WEB_LINK, IDC_ABOUT_MAIL_LINK, IDOK}},
    };
    quillet::RegisterLinkClasses();  // the about box uses WEBLINK and MAILLINK
    // Pages are child windows: they need a parent.
    HWND parent = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (const auto& lang : kLanguages) {
        LoadedModule module(lang.name);
        REQUIRE(module.get() != nullptr);
        for (const auto& expected : dialogs) {
            INFO(std::string(lang.name) << " dialog " << expected.dialog);
            CHECK(HasResource(module.get(), RT_DIALOG, expected.dialog, lang.language));
            HWND dialog = CreateDialogParamA(module.get(), MAKEINTRESOURCEA(expected.dialog), parent, SilentDialogProc, 0);
            REQUIRE(dialog != nullptr);
            for (int id : expected.controls) {
                INFO("control " << id);
                CHECK(GetDlgItem(dialog, id) != nullptr);
            }
            DestroyWindow(dialog);
        }
    }
    DestroyWindow(parent);
}

// --- the program's own resources ---------------------------------------------

namespace {

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class Dialog {
public:
    explicit Dialog(WORD id)
        : handle_(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr, PassiveDialogProc, 0)) {}
    ~Dialog() {
        if (handle_) DestroyWindow(handle_);
    }
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    HWND get() const { return handle_; }

private:
    HWND handle_;
};

std::string WindowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassName(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// A size in dialog units, in pixels of `dialog`; MapDialogRect maps each
// member on its own, as the dialog manager places controls.
SIZE DialogUnits(HWND dialog, int cx, int cy) {
    RECT r = {0, 0, cx, cy};
    MapDialogRect(dialog, &r);
    return {r.right, r.bottom};
}

struct ControlCase {
    WORD dialog;
    int id;
    const char* className;
    int x, y, cx, cy;  // dialog units
    DWORD styleMask;
    DWORD style;
    bool border;  // the edit control turns WS_BORDER into WS_EX_CLIENTEDGE
    const char* text;
};
constexpr ControlCase kControls[] = {
    {IDD_PROGRESS, IDC_PROGRESS_TASK, "Static", 60, 40, 160, 20, SS_TYPEMASK, SS_LEFT, false, ""},
    {IDD_PROGRESS, IDC_PROGRESS_STEP, "Static", 60, 65, 70, 8, SS_TYPEMASK, SS_LEFT, false, ""},
    {IDD_PROGRESS, IDC_PROGRESS_COUNT, "Static", 140, 65, 40, 8, SS_TYPEMASK, SS_RIGHT, false, ""},
    // Its text comes from the language module when the dialog opens.
    {IDD_PROGRESS, IDC_PROGRESS_CANCEL, "Button", 131, 110, 50, 14, BS_TYPEMASK | WS_TABSTOP,
     BS_PUSHBUTTON | WS_TABSTOP, false, ""},
    {IDD_DOCUMENT_VIEWER, IDOK, "Button", 140, 200, 50, 14, BS_TYPEMASK | WS_TABSTOP,
     BS_DEFPUSHBUTTON | WS_TABSTOP, false, "OK"},
    {IDD_DOCUMENT_VIEWER, IDC_DOCUMENT_TEXT, "Edit", 18, 15, 295, 175,
     ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP,
     ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP, true, ""},
};

struct DialogCase {
    WORD id;
    const char* caption;
    int cx, cy;
    bool systemMenu;
    bool visible;
    int controls;
};
constexpr DialogCase kDialogs[] = {
    {IDD_PROGRESS, "Quillet 0.7.1", 312, 135, false, true, 4},
    {IDD_DOCUMENT_VIEWER, "", 332, 221, true, false, 2},
};

int CountChildren(HWND dialog) {
    int n = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++n;
    return n;
}

// Width and height `text` needs in `control`'s font; `wrap` breaks it into
// lines of the control's width.
SIZE TextExtent(HWND control, const std::string& text, bool wrap) {
    RECT client;
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT r = {0, 0, wrap ? client.right : 0, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_NOPREFIX | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {r.right, r.bottom};
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct GroupIconDirectory {
    WORD reserved, type, count;
    GroupIconEntry entries[1];
};
#pragma pack(pop)

}  // namespace

TEST_CASE("the progress dialog and the document viewer have their frame, caption and size") {
    for (const auto& expected : kDialogs) {
        INFO("dialog " << expected.id);
        Dialog dialog(expected.id);
        REQUIRE(dialog.get() != nullptr);
        LONG style = GetWindowLongA(dialog.get(), GWL_STYLE);
        LONG exStyle = GetWindowLongA(dialog.get(), GWL_EXSTYLE);
        CHECK_EQ(style & WS_POPUP, WS_POPUP);
        CHECK_EQ(style & WS_CAPTION, WS_CAPTION);
        CHECK_EQ((style & WS_SYSMENU) != 0, expected.systemMenu);
        CHECK_EQ(IsWindowVisible(dialog.get()) != FALSE, expected.visible);
        CHECK_EQ(exStyle & WS_EX_DLGMODALFRAME, WS_EX_DLGMODALFRAME);
        CHECK_EQ(WindowText(dialog.get()), std::string(expected.caption));
        RECT client;
        GetClientRect(dialog.get(), &client);
        SIZE size = DialogUnits(dialog.get(), expected.cx, expected.cy);
        CHECK_EQ(client.right, size.cx);
        CHECK_EQ(client.bottom, size.cy);
        CHECK_EQ(CountChildren(dialog.get()), expected.controls);
    }
}

TEST_CASE("the dialogs' controls have their class, styles, text and place") {
    // kControls is grouped by dialog; each dialog is created once (creating
    // and destroying a window costs Wine a second without a window manager).
    std::unique_ptr<Dialog> dialog;
    WORD created = 0;
    for (const auto& expected : kControls) {
        INFO("dialog " << expected.dialog << " control " << expected.id);
        if (expected.dialog != created) {
            dialog.reset();
            dialog = std::make_unique<Dialog>(expected.dialog);
            created = expected.dialog;
        }
        REQUIRE(dialog->get() != nullptr);
        HWND control = GetDlgItem(dialog->get(), expected.id);
        REQUIRE(control != nullptr);
        CHECK_EQ(ClassName(control), std::string(expected.className));
        CHECK_EQ(static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE)) & expected.styleMask, expected.style);
        bool border = (GetWindowLongA(control, GWL_STYLE) & WS_BORDER) ||
                      (GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        CHECK_EQ(border, expected.border);
        CHECK_EQ(WindowText(control), std::string(expected.text));
        RECT r;
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, dialog->get(), reinterpret_cast<POINT*>(&r), 2);
        SIZE origin = DialogUnits(dialog->get(), expected.x, expected.y);
        SIZE size = DialogUnits(dialog->get(), expected.cx, expected.cy);
        CHECK_EQ(r.left, origin.cx);
        CHECK_EQ(r.top, origin.cy);
        CHECK_EQ(r.right - r.left, size.cx);
        CHECK_EQ(r.bottom - r.top, size.cy);
    }
}

TEST_CASE("every progress text fits its line of the progress dialog") {
    Dialog dialog(IDD_PROGRESS);
    REQUIRE(dialog.get() != nullptr);
    HWND task = GetDlgItem(dialog.get(), IDC_PROGRESS_TASK);
    HWND step = GetDlgItem(dialog.get(), IDC_PROGRESS_STEP);
    HWND count = GetDlgItem(dialog.get(), IDC_PROGRESS_COUNT);
    REQUIRE(task != nullptr);
    REQUIRE(step != nullptr);
    REQUIRE(count != nullptr);
    RECT taskBox, stepBox, countBox;
    GetClientRect(task, &taskBox);
    GetClientRect(step, &stepBox);
    GetClientRect(count, &countBox);

    CHECK_LE(TextExtent(count, "4294967295", false).cx, countBox.right);
    for (const auto& lang : kLanguages) {
        LoadedModule module(lang.name);
        REQUIRE(module.get() != nullptr);
        for (UINT id : {IDS_TASK_RELOAD, IDS_TASK_REBUILD, IDS_TASK_VERIFY, IDS_TASK_CATEGORIES}) {
            INFO(std::string(lang.name) << " task " << id);
            CHECK_LE(TextExtent(task, RawString(module.get(), id), true).cy, taskBox.bottom);
        }
        for (UINT id : {IDS_STEP_QUERY, IDS_STEP_PROCESSING, IDS_STEP_RUNNING}) {
            INFO(std::string(lang.name) << " step " << id);
            CHECK_LE(TextExtent(step, RawString(module.get(), id), false).cx, stepBox.right);
        }
    }
}

TEST_CASE("the bitmaps have the sizes and colours the program loads them with") {
    struct BitmapCase {
        WORD id;
        LONG width, height;
    };
    for (const BitmapCase& expected :
         {BitmapCase{IDB_TOOLBAR, 96, 16}, BitmapCase{IDB_SORT_DOWN, 11, 11}, BitmapCase{IDB_SORT_UP, 11, 11},
          BitmapCase{IDB_TOOLBAR_24, 144, 24}, BitmapCase{IDB_TOOLBAR_32, 192, 32},
          BitmapCase{IDB_SORT_DOWN_16, 16, 16}, BitmapCase{IDB_SORT_UP_16, 16, 16},
          BitmapCase{IDB_SORT_DOWN_22, 22, 22}, BitmapCase{IDB_SORT_UP_22, 22, 22}}) {
        INFO("bitmap " << expected.id);
        HRSRC found = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(expected.id), RT_BITMAP);
        REQUIRE(found != nullptr);
        const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(GetModuleHandleA(nullptr), found)));
        REQUIRE(header != nullptr);
        CHECK_EQ(header->biWidth, expected.width);
        CHECK_EQ(header->biHeight, expected.height);
        CHECK_EQ(header->biBitCount, 4);
    }
}

TEST_CASE("every toolbar image, at each size, sits on the button face colour") {
    for (auto [id, size] : {std::pair<WORD, int>{IDB_TOOLBAR, 16}, {IDB_TOOLBAR_24, 24}, {IDB_TOOLBAR_32, 32}}) {
        HBITMAP strip = static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        REQUIRE(strip != nullptr);
        const COLORREF face = RGB(192, 192, 192);  // mapped to COLOR_BTNFACE by the toolbar
        const int last = size - 1;
        for (int image = 0; image < 6; ++image) {
            INFO("size " << size << " image " << image);
            int left = size * image;
            for (POINT corner : {POINT{0, 0}, POINT{last, 0}, POINT{0, last}, POINT{last, last}})
                CHECK_EQ(PixelOf(strip, left + corner.x, corner.y), face);
            int drawn = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) drawn += PixelOf(strip, left + x, y) != face;
            CHECK_GE(drawn, 20 * size * size / 256);
        }
        DeleteObject(strip);
    }
}

TEST_CASE("the sort arrows take the header's 3D colours and point their way") {
    struct ArrowCase {
        WORD id;
        int wideRow, tipRow;
    };
    for (const ArrowCase& arrow : {ArrowCase{IDB_SORT_DOWN, 3, 7}, ArrowCase{IDB_SORT_UP, 7, 3}}) {
        INFO("bitmap " << arrow.id);
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(arrow.id), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
        REQUIRE(bitmap != nullptr);
        const COLORREF face = GetSysColor(COLOR_3DFACE), shadow = GetSysColor(COLOR_3DSHADOW);
        CHECK_EQ(PixelOf(bitmap, 0, 0), face);
        CHECK_EQ(PixelOf(bitmap, 10, 10), face);
        CHECK_EQ(PixelOf(bitmap, 5, 5), shadow);
        CHECK_EQ(PixelOf(bitmap, 1, arrow.wideRow), shadow);
        CHECK_EQ(PixelOf(bitmap, 5, arrow.tipRow), shadow);
        CHECK_EQ(PixelOf(bitmap, 4, arrow.tipRow), face);
        DeleteObject(bitmap);
    }
    // The larger arrows: the same shape, the point down or up, on the face.
    struct LargeArrow {
        WORD id;
        int size;
        bool down;
    };
    for (const LargeArrow& arrow : {LargeArrow{IDB_SORT_DOWN_16, 16, true}, LargeArrow{IDB_SORT_UP_16, 16, false},
                                    LargeArrow{IDB_SORT_DOWN_22, 22, true}, LargeArrow{IDB_SORT_UP_22, 22, false}}) {
        INFO("bitmap " << arrow.id);
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(arrow.id), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
        REQUIRE(bitmap != nullptr);
        const COLORREF face = GetSysColor(COLOR_3DFACE), shadow = GetSysColor(COLOR_3DSHADOW);
        const int n = arrow.size, middle = n / 2;
        CHECK_EQ(PixelOf(bitmap, 0, 0), face);
        CHECK_EQ(PixelOf(bitmap, n - 1, n - 1), face);
        CHECK_EQ(PixelOf(bitmap, middle, middle), shadow);
        // Wide at the top for down, at the bottom for up.
        const int wide = arrow.down ? n * 3 / 10 : n * 7 / 10;
        const int tip = arrow.down ? n * 7 / 10 : n * 3 / 10;
        CHECK_EQ(PixelOf(bitmap, n / 5, wide), shadow);
        CHECK_EQ(PixelOf(bitmap, n / 5, tip), face);
        DeleteObject(bitmap);
    }
}

TEST_CASE("the program icon comes in 16 and 32 pixels") {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(IDI_QUILLET), RT_GROUP_ICON);
    REQUIRE(found != nullptr);
    const auto* directory = static_cast<const GroupIconDirectory*>(LockResource(LoadResource(self, found)));
    REQUIRE(directory != nullptr);
    std::set<int> sizes;
    for (WORD i = 0; i < directory->count; ++i) {
        const GroupIconEntry& entry = directory->entries[i];
        CHECK_EQ(entry.width, entry.height);
        CHECK_LE(entry.bitCount, 8);
        sizes.insert(entry.width);
    }
    CHECK_EQ(sizes.count(16), 1u);
    CHECK_EQ(sizes.count(32), 1u);
    CHECK(LoadIconA(self, MAKEINTRESOURCEA(IDI_QUILLET)) != nullptr);
}

// --- the filter sheet's pages in the language modules ------------------------------

namespace {


struct PageControl {
    WORD page;
    int id;
    const char* className;
};
constexpr PageControl kFilterControls[] = {
    {IDD_FILTER_NAME, IDC_FILTER_NAME_PATTERN, "Edit"},
    {IDD_FILTER_ROM_STATUS, IDC_FILTER_ROM_GOOD, "Button"}, {IDD_FILTER_ROM_STATUS, IDC_FILTER_ROM_BAD, "Button"},
    {IDD_FILTER_ROM_STATUS, IDC_FILTER_ROM_BEST, "Button"}, {IDD_FILTER_ROM_STATUS, IDC_FILTER_ROM_OTHER, "Button"},
    {IDD_FILTER_ROM_STATUS, IDC_FILTER_ROM_CLONES, "Button"},
    {IDD_FILTER_DRIVER, IDC_FILTER_DRIVER_GOOD, "Button"}, {IDD_FILTER_DRIVER, IDC_FILTER_DRIVER_PRELIM, "Button"},
    {IDD_FILTER_DRIVER, IDC_FILTER_COLOR_GOOD, "Button"}, {IDD_FILTER_DRIVER, IDC_FILTER_COLOR_IMPERF, "Button"},
    {IDD_FILTER_DRIVER, IDC_FILTER_COLOR_PRELIM, "Button"}, {IDD_FILTER_DRIVER, IDC_FILTER_SOUND_GOOD, "Button"},
    {IDD_FILTER_DRIVER, IDC_FILTER_SOUND_IMPERF, "Button"}, {IDD_FILTER_DRIVER, IDC_FILTER_SOUND_PRELIM, "Button"},
    {IDD_FILTER_YEAR, IDC_FILTER_YEAR_ALL, "Button"}, {IDD_FILTER_YEAR, IDC_FILTER_YEAR_ONE, "Button"},
    {IDD_FILTER_YEAR, IDC_FILTER_YEAR_RANGE, "Button"}, {IDD_FILTER_YEAR, IDC_FILTER_YEAR_ONLY, "Edit"},
    {IDD_FILTER_YEAR, IDC_FILTER_YEAR_FROM, "Edit"}, {IDD_FILTER_YEAR, IDC_FILTER_YEAR_TO, "Edit"},
    {IDD_FILTER_YEAR, IDC_FILTER_YEAR_ONLY_SPIN, "msctls_updown32"},
    {IDD_FILTER_YEAR, IDC_FILTER_YEAR_FROM_SPIN, "msctls_updown32"},
    {IDD_FILTER_YEAR, IDC_FILTER_YEAR_TO_SPIN, "msctls_updown32"},
    {IDD_FILTER_MAKER, IDC_FILTER_MAKER_LIST, "ComboBox"}, {IDD_FILTER_MAKER, IDC_FILTER_MAKER_CHOOSE, "Button"},
    {IDD_FILTER_MAKER, IDC_FILTER_MAKER_TYPE, "Button"}, {IDD_FILTER_MAKER, IDC_FILTER_MAKER_PATTERN, "Edit"},
    {IDD_FILTER_VIDEO, IDC_FILTER_RASTER, "Button"}, {IDD_FILTER_VIDEO, IDC_FILTER_VECTOR, "Button"},
    {IDD_FILTER_VIDEO, IDC_FILTER_VERTICAL, "Button"}, {IDD_FILTER_VIDEO, IDC_FILTER_HORIZONTAL, "Button"},
    {IDD_FILTER_PALETTE, IDC_FILTER_PALETTE_FROM, "ComboBox"}, {IDD_FILTER_PALETTE, IDC_FILTER_PALETTE_TO, "ComboBox"},
    {IDD_FILTER_PALETTE, IDC_FILTER_PALETTE_ONLY, "ComboBox"}, {IDD_FILTER_PALETTE, IDC_FILTER_PALETTE_ALL, "Button"},
    {IDD_FILTER_PALETTE, IDC_FILTER_PALETTE_ONE, "Button"}, {IDD_FILTER_PALETTE, IDC_FILTER_PALETTE_RANGE, "Button"},
    {IDD_FILTER_RESOLUTION, IDC_FILTER_RESO_FROM, "ComboBox"}, {IDD_FILTER_RESOLUTION, IDC_FILTER_RESO_TO, "ComboBox"},
    {IDD_FILTER_RESOLUTION, IDC_FILTER_RESO_ONLY, "ComboBox"}, {IDD_FILTER_RESOLUTION, IDC_FILTER_RESO_ALL, "Button"},
    {IDD_FILTER_RESOLUTION, IDC_FILTER_RESO_ONE, "Button"}, {IDD_FILTER_RESOLUTION, IDC_FILTER_RESO_RANGE, "Button"},
    {IDD_FILTER_FREQUENCY, IDC_FILTER_FREQ_ALL, "Button"}, {IDD_FILTER_FREQUENCY, IDC_FILTER_FREQ_ONE, "Button"},
    {IDD_FILTER_FREQUENCY, IDC_FILTER_FREQ_RANGE, "Button"}, {IDD_FILTER_FREQUENCY, IDC_FILTER_FREQ_FROM, "ComboBox"},
    {IDD_FILTER_FREQUENCY, IDC_FILTER_FREQ_TO, "ComboBox"}, {IDD_FILTER_FREQUENCY, IDC_FILTER_FREQ_ONLY, "ComboBox"},
};

// Whether a label's text fits its control: one line across the width less
// the check mark for buttons, the width less the frame's corners for a
// group box, wrapped lines within the height for a static.
bool LabelFits(HWND control) {
    const std::string text = WindowText(control);
    if (text.empty()) return true;
    RECT box;
    GetClientRect(control, &box);
    const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    if (ClassName(control) == "Static") return TextExtent(control, text, true).cy <= box.bottom;
    if (type == BS_GROUPBOX) return TextExtent(control, text, false).cx <= box.right - 16;
    return TextExtent(control, text, false).cx <= box.right - GetSystemMetrics(SM_CXMENUCHECK) - 4;
}

}  // namespace

TEST_CASE("each module's nine filter pages have their controls, a caption, and labels that fit") {
    InitCommonControls();
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (const auto& lang : kLanguages) {
        LoadedModule module(lang.name);
        REQUIRE(module.get() != nullptr);
        for (WORD id = IDD_FILTER_NAME; id <= IDD_FILTER_FREQUENCY; id += 100) {
            INFO(lang.name << " page " << id);
            HWND page = CreateDialogParamA(module.get(), MAKEINTRESOURCEA(id), parent, PassiveDialogProc, 0);
            REQUIRE(page != nullptr);
            CHECK_FALSE(WindowText(page).empty());  // the tab's title
            for (const PageControl& c : kFilterControls) {
                if (c.page != id) continue;
                INFO("control " << c.id);
                HWND control = GetDlgItem(page, c.id);
                REQUIRE(control != nullptr);
                CHECK_EQ(ClassName(control), std::string(c.className));
            }
            for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                INFO("label " << WindowText(child));
                if (ClassName(child) == "Static" || ClassName(child) == "Button") CHECK(LabelFits(child));
            }
            for (int spin : {IDC_FILTER_YEAR_ONLY_SPIN, IDC_FILTER_YEAR_FROM_SPIN, IDC_FILTER_YEAR_TO_SPIN})
                if (HWND s = GetDlgItem(page, spin))
                    CHECK_EQ(reinterpret_cast<HWND>(SendMessageA(s, UDM_GETBUDDY, 0, 0)), GetDlgItem(page, spin - 1));
            if (HWND makers = GetDlgItem(page, IDC_FILTER_MAKER_LIST))
                CHECK_EQ(GetWindowLongA(makers, GWL_STYLE) & CBS_SORT, CBS_SORT);
            DestroyWindow(page);
        }
    }
    DestroyWindow(parent);
}

// --- the emulator option pages --------------------------------------------------

namespace {

std::string WithoutMnemonic(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    return text;
}

// Each numbered control of an option page as "id:class:button type", and
// every caption checked against its control's width.
std::string OptionPageControls(HMODULE module, WORD id, HWND parent) {
    HWND page = CreateDialogParamA(module, MAKEINTRESOURCEA(id), parent, PassiveDialogProc, 0);
    REQUIRE(page != nullptr);
    std::string controls;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string kind = ClassName(child);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        const int controlId = GetDlgCtrlID(child);
        if (controlId != 0xFFFF)
            controls += std::to_string(controlId) + ":" + kind + ":" +
                        std::to_string(kind == "Button" ? style & BS_TYPEMASK : 0) + " ";
        const std::string text = WithoutMnemonic(WindowText(child));
        if (text.empty() || (kind != "Static" && kind != "Button")) continue;
        RECT box;
        GetClientRect(child, &box);
        const bool boxed = kind == "Button" && (style & BS_TYPEMASK) != BS_PUSHBUTTON;
        const int room = box.right - (boxed ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0);
        INFO("control " << controlId << " \"" << text << "\"");
        CHECK_LE(TextExtent(child, text, false).cx, room);
    }
    DestroyWindow(page);
    return controls;
}

}  // namespace

TEST_CASE("both modules have the nine option pages with the same controls, and their texts fit") {
    constexpr WORD kPages[] = {IDD_OPT_PATHS, IDD_OPT_SUPPORT, IDD_OPT_WINVIDEO, IDD_OPT_COREVIDEO, IDD_OPT_D3D,
                               IDD_OPT_VECTOR, IDD_OPT_SOUND, IDD_OPT_INPUT, IDD_OPT_MISC};
    LoadedModule english("english"), italian("italian");
    REQUIRE(english.get() != nullptr);
    REQUIRE(italian.get() != nullptr);
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 500, nullptr, nullptr, nullptr, nullptr);
    for (WORD id : kPages) {
        INFO("page " << id);
        const std::string controls = OptionPageControls(english.get(), id, parent);
        CHECK_FALSE(controls.empty());
        CHECK_EQ(OptionPageControls(italian.get(), id, parent), controls);
    }
    // The sample-rate radios store their captions: the rate's first four
    // digits, at most five characters.
    for (const auto& lang : kLanguages) {
        LoadedModule module(lang.name);
        HWND page = CreateDialogParamA(module.get(), MAKEINTRESOURCEA(IDD_OPT_SOUND), parent, PassiveDialogProc, 0);
        REQUIRE(page != nullptr);
        const char* prefixes[] = {"1102", "2205", "4410", "4800"};
        for (int i = 0; i < 4; ++i) {
            const std::string caption = WindowText(GetDlgItem(page, IDC_OPT_SAMPLERATE_FIRST + 1 + i));
            INFO(lang.name << " radio " << i);
            CHECK_EQ(caption.substr(0, 4), prefixes[i]);
            CHECK_LE(caption.size(), 5u);
        }
        DestroyWindow(page);
    }
    DestroyWindow(parent);
}

TEST_CASE("the star column's header is a star, and the CSV filter ends in its double NUL") {
    for (const auto& lang : kLanguages) {
        INFO(std::string(lang.name));
        LoadedModule module(lang.name);
        REQUIRE(module.get() != nullptr);
        wchar_t text[64] = L"";
        CHECK_EQ(LoadStringW(module.get(), IDS_COLUMN_STAR, text, 64), 1);
        CHECK_EQ(text[0], L'\u2605');
        wchar_t filter[128] = L"";
        const int length = LoadStringW(module.get(), IDS_CSV_FILTER, filter, 126);
        REQUIRE_GT(length, 8);
        CHECK_EQ(filter[length - 1], L'\0');  // the pattern's terminator; the program adds the list's
        CHECK_NE(std::wstring(filter, static_cast<size_t>(length)).find(L"*.csv"), std::wstring::npos);
    }
}
