// Today's settings sheet, run by the program's one sheet routine
// (ui/property_sheet.h): each page loads its controls, marks the sheet
// changed on a user change, checks its values when it loses the focus or on
// Apply (a bad value is refused with a message and nothing is stored), and
// stores into the line model on apply. The run's loading flag also covers
// the pages' own later changes to their controls. The file is written once,
// when the sheet closes after an apply.
#include "options/today_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <vector>

#include "base/report.h"
#include "options/emulator_texts.h"
#include "options/ini_files.h"
#include "options/today_ini.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "settings/mame_files.h"
#include "settings/mame_ini.h"
#include "ui/pickers.h"
#include "ui/property_sheet.h"

namespace quillet {

namespace {

// ---- the session: the file, what it inherits, the emulator's options -------

enum class Source : uint8_t { Own, Parent, Global, Default };

struct Session {
    std::string path;
    bool game = false;
    TodayIni ini;                    // the file being edited
    TodayIni global;                 // per game: mame.ini
    std::optional<TodayIni> parent;  // per game: the parent's ini
    std::vector<TodayOption> options;
    // The sheet's run: its frame, whether a page stored, and the loading
    // flag that also covers the program's own later changes to controls.
    SheetRun run;
};

Session* session;  // the open sheet's; user-interface thread only

std::string Text(UINT id) {
    char text[512] = "";
    LoadStringA(LanguageModule, id, text, sizeof text);
    return text;
}

// A label without its access-key ampersand, for lists and messages.
std::string Plain(std::string text) {
    std::erase(text, '&');
    while (!text.empty() && (text.back() == ':' || text.back() == ' ')) text.pop_back();
    return text;
}

const TodayOption* OptionNamed(std::string_view name) {
    for (const TodayOption& option : session->options)
        if (option.name == name) return &option;
    return nullptr;
}

struct Shown {
    std::string value;
    Source source;
};

// What the game (or the global file) gets without a line of its own.
Shown Inherited(std::string_view name) {
    if (session->game) {
        if (session->parent)
            if (auto value = TodayIniValue(*session->parent, name)) return {*value, Source::Parent};
        if (auto value = TodayIniValue(session->global, name)) return {*value, Source::Global};
    }
    const TodayOption* option = OptionNamed(name);
    return {option ? option->defaultValue : std::string(), Source::Default};
}

Shown ValueOf(std::string_view name) {
    if (auto own = TodayIniValue(session->ini, name)) return {*own, Source::Own};
    return Inherited(name);
}

std::string SourceText(Source source) {
    switch (source) {
    case Source::Own: return Text(IDS_TODAY_OWN);
    case Source::Parent: return Text(IDS_TODAY_FROM_PARENT);
    case Source::Global: return Text(IDS_TODAY_FROM_GLOBAL);
    case Source::Default: return Text(IDS_TODAY_DEFAULT);
    }
    return {};
}

// Sets an option in the line model. A game's file holds only what the game
// sets: a value equal to what it inherits adds no line.
void Store(std::string_view name, const std::string& value) {
    const TodayOption* option = OptionNamed(name);
    if (session->game && !TodayIniValue(session->ini, name) && Inherited(name).value == value) return;
    SetTodayIniValue(session->ini, name, value, option ? std::string_view(option->section) : std::string_view());
}

// The kind a value is edited as: its own, or text when the value the page
// starts from does not read as that kind (MAME changed the option's type).
const TodayOptionInfo* EditedKind(const TodayOptionInfo* info, std::string_view shown) {
    return info && FitsKind(*info, shown) ? info : nullptr;
}

void ReportBadValue(HWND page, std::string_view name, const TodayOptionInfo* info, ValueProblem problem) {
    std::string accepts;
    if (problem == ValueProblem::OutOfRange && info) {
        char text[256];
        std::snprintf(text, sizeof text,
                      Text(info->kind == TodayKind::Integer ? IDS_TODAY_ACCEPTS_WHOLE : IDS_TODAY_ACCEPTS_DECIMAL).c_str(),
                      RangeText(*info).c_str());
        accepts = text;
    } else {
        accepts = Text(IDS_TODAY_ACCEPTS_TEXT);
    }
    const std::string option(name);
    char text[1024];
    DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(option.c_str()), reinterpret_cast<DWORD_PTR>(accepts.c_str())};
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, LanguageModule, MSG_BAD_OPTION_VALUE,
                       0, text, sizeof text, reinterpret_cast<va_list*>(inserts));
    if (length == 0)
        ReportMessage(page, MessageSourceModule, MSG_BAD_OPTION_VALUE);
    else
        ShowMessageBox(page, text, kWindowTitle, MB_OK | MB_ICONWARNING);
}

// True, after the message, when `value` cannot be stored.
bool Refused(HWND page, std::string_view name, const TodayOptionInfo* kind, const std::string& value) {
    const ValueProblem problem = CheckTodayValue(kind, value);
    if (problem == ValueProblem::None) return false;
    ReportBadValue(page, name, kind, problem);
    return true;
}

// While one lives, the program's own changes to controls (their
// notifications) do not count as the user's.
struct Quietly {
    bool was = session->run.loading;
    Quietly() { session->run.loading = true; }
    ~Quietly() { session->run.loading = was; }
};

void MarkChanged(HWND page) {
    if (!session->run.loading) PropSheet_Changed(session->run.frame, page);
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

HFONT PageFont(HWND page) { return reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0)); }

// ---- Paths: folder lists edited as lists ----------------------------------------

struct PathOption {
    const TodayOptionInfo* info;
    std::vector<std::string> entries;
    bool dirty = false;
    bool useGlobal = false;  // per game: the line goes
};

struct PathsPage {
    const char* first = nullptr;  // the option shown first; null: the first
    std::vector<PathOption> options;
    int current = 0;
    bool picking = false;  // a picker is writing into the entry edit
};
PathsPage paths;

void LoadPathOption(PathOption& option) {
    option.entries = SplitFolderList(ValueOf(option.info->name).value);
}

std::string Joined(const std::vector<std::string>& entries) {
    std::string value;
    for (const std::string& entry : entries) {
        if (!value.empty()) value += ';';
        value += entry;
    }
    return value;
}

int SelectedEntry(HWND page) {
    return static_cast<int>(SendDlgItemMessageA(page, IDC_TODAY_PATH_LIST, LB_GETCURSEL, 0, 0));
}

void ShowEntries(HWND page, int select) {
    const PathOption& option = paths.options[static_cast<size_t>(paths.current)];
    HWND list = GetDlgItem(page, IDC_TODAY_PATH_LIST);
    const Quietly quietly;
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : option.entries)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    const int count = static_cast<int>(option.entries.size());
    if (select >= count) select = count - 1;
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(select), 0);
    SetDlgItemTextA(page, IDC_TODAY_PATH_ENTRY, select >= 0 ? option.entries[static_cast<size_t>(select)].c_str() : "");
    const TodayOption* known = OptionNamed(option.info->name);
    SetDlgItemTextA(page, IDC_TODAY_PATH_DESCRIPTION, known ? known->description.c_str() : "");
    if (session->game) {
        const Source source = option.useGlobal ? Inherited(option.info->name).source
                              : option.dirty   ? Source::Own
                                               : ValueOf(option.info->name).source;
        SetDlgItemTextA(page, IDC_TODAY_PATH_SOURCE, SourceText(source).c_str());
    }
    EnableWindow(GetDlgItem(page, IDC_TODAY_PATH_ADD), option.info->kind == TodayKind::FolderList || count == 0);
}

void PathsChanged(HWND page, int select) {
    PathOption& option = paths.options[static_cast<size_t>(paths.current)];
    option.dirty = true;
    option.useGlobal = false;
    ShowEntries(page, select);
    MarkChanged(page);
}

void LoadPaths(const SheetPageCall& call) {
    HWND page = call.page;
    const char* first = paths.first;
    paths = PathsPage{};
    HWND combo = GetDlgItem(page, IDC_TODAY_PATH_OPTION);
    for (const TodayOptionInfo& info : TodayOptionTable()) {
        if (info.page != TodayPageId::Paths) continue;
        paths.options.push_back({&info, {}});
        LoadPathOption(paths.options.back());
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Plain(Text(info.label)).c_str()));
    }
    for (size_t i = 0; i < paths.options.size(); ++i)
        if (first && std::strcmp(paths.options[i].info->name, first) == 0) paths.current = static_cast<int>(i);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(paths.current), 0);
    const int show = session->game ? SW_SHOW : SW_HIDE;
    ShowWindow(GetDlgItem(page, IDC_TODAY_PATH_SOURCE), show);
    ShowWindow(GetDlgItem(page, IDC_TODAY_PATH_GLOBAL), show);
    ShowEntries(page, 0);
}

// A chosen folder lands in the entry edit; the list takes it from there.
std::optional<std::string> PickFolder(HWND page) {
    paths.picking = true;
    const std::string before = WindowText(GetDlgItem(page, IDC_TODAY_PATH_ENTRY));
    const int chosen = ChooseFolder(page, IDC_TODAY_PATH_ENTRY, Text(IDS_TODAY_BROWSE_TITLE).c_str());
    std::optional<std::string> folder;
    if (chosen) folder = WindowText(GetDlgItem(page, IDC_TODAY_PATH_ENTRY));
    SetDlgItemTextA(page, IDC_TODAY_PATH_ENTRY, before.c_str());
    paths.picking = false;
    return folder;
}

void PathsCommand(const SheetPageCall& call, int id, UINT code) {
    HWND page = call.page;
    if (paths.options.empty()) return;
    PathOption& option = paths.options[static_cast<size_t>(paths.current)];
    auto& entries = option.entries;
    const int selected = SelectedEntry(page);
    const bool valid = selected >= 0 && selected < static_cast<int>(entries.size());
    switch (id) {
    case IDC_TODAY_PATH_OPTION:
        if (code == CBN_SELCHANGE) {
            paths.current = static_cast<int>(SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0));
            if (paths.current < 0) paths.current = 0;
            ShowEntries(page, 0);
        }
        return;
    case IDC_TODAY_PATH_LIST:
        if (code == LBN_SELCHANGE) ShowEntries(page, selected);
        return;
    case IDC_TODAY_PATH_ENTRY:
        if (code != EN_CHANGE || paths.picking) return;
        if (valid)
            entries[static_cast<size_t>(selected)] = WindowText(GetDlgItem(page, id));
        else
            entries.push_back(WindowText(GetDlgItem(page, id)));
        option.dirty = true;
        option.useGlobal = false;
        {
            // Keep the caret where the user types: refresh the list only.
            const Quietly quietly;
            const int at = valid ? selected : static_cast<int>(entries.size()) - 1;
            HWND list = GetDlgItem(page, IDC_TODAY_PATH_LIST);
            SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(at), 0);
            SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(at),
                         reinterpret_cast<LPARAM>(entries[static_cast<size_t>(at)].c_str()));
            SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
        }
        MarkChanged(page);
        return;
    default: break;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
    case IDC_TODAY_PATH_ADD:
        if (auto folder = PickFolder(page)) {
            entries.push_back(*folder);
            PathsChanged(page, static_cast<int>(entries.size()) - 1);
        }
        break;
    case IDC_TODAY_PATH_BROWSE:
        if (auto folder = PickFolder(page)) {
            if (valid) entries[static_cast<size_t>(selected)] = *folder;
            else entries.push_back(*folder);
            PathsChanged(page, valid ? selected : static_cast<int>(entries.size()) - 1);
        }
        break;
    case IDC_TODAY_PATH_REMOVE:
        if (valid) {
            entries.erase(entries.begin() + selected);
            PathsChanged(page, selected);
        }
        break;
    case IDC_TODAY_PATH_UP:
        if (valid && selected > 0) {
            std::swap(entries[static_cast<size_t>(selected)], entries[static_cast<size_t>(selected) - 1]);
            PathsChanged(page, selected - 1);
        }
        break;
    case IDC_TODAY_PATH_DOWN:
        if (valid && selected + 1 < static_cast<int>(entries.size())) {
            std::swap(entries[static_cast<size_t>(selected)], entries[static_cast<size_t>(selected) + 1]);
            PathsChanged(page, selected + 1);
        }
        break;
    case IDC_TODAY_PATH_GLOBAL:
        option.useGlobal = true;
        option.dirty = false;
        option.entries = SplitFolderList(Inherited(option.info->name).value);
        ShowEntries(page, 0);
        MarkChanged(page);
        break;
    default: break;
    }
}

bool PathsValid(const SheetPageCall& call) {
    HWND page = call.page;
    for (const PathOption& option : paths.options) {
        if (!option.dirty) continue;
        for (const std::string& entry : option.entries)
            if (Refused(page, option.info->name, nullptr, entry)) return false;
    }
    return true;
}

void ApplyPaths(const SheetPageCall&) {
    for (PathOption& option : paths.options) {
        if (option.useGlobal) RemoveTodayIniValue(session->ini, option.info->name);
        if (option.dirty) Store(option.info->name, Joined(option.entries));
        option.dirty = option.useGlobal = false;
    }
}

// ---- the pages of rows: one row per option of the built-in table -----------------

struct Row {
    const TodayOptionInfo* info;
    const TodayOptionInfo* kind;  // null: edited as text
    bool dirty = false;
    bool useGlobal = false;  // per game: the line goes
};

struct RowPage {
    WORD templateId;
    TodayPageId id;
    std::vector<Row> rows;
};

RowPage rowPages[] = {
    {IDD_TODAY_VIDEO, TodayPageId::Video, {}},
    {IDD_TODAY_SOUND, TodayPageId::Sound, {}},
    {IDD_TODAY_INPUT, TodayPageId::Input, {}},
    {IDD_TODAY_PERFORMANCE, TodayPageId::Performance, {}},
    {IDD_TODAY_SCREEN, TodayPageId::Screen, {}},
};

int LabelId(const RowPage& p, size_t i) { return p.templateId + 10 + 4 * static_cast<int>(i); }
int ControlId(const RowPage& p, size_t i) { return LabelId(p, i) + 1; }
int SourceId(const RowPage& p, size_t i) { return LabelId(p, i) + 3; }

HWND MakeControl(HWND page, const char* cls, const char* text, DWORD style, RECT box, int id) {
    MapDialogRect(page, &box);
    HWND control = CreateWindowExA(std::strcmp(cls, WC_EDITA) == 0 ? WS_EX_CLIENTEDGE : 0, cls, text,
                                   WS_CHILD | WS_VISIBLE | style, box.left, box.top, box.right - box.left,
                                   box.bottom - box.top, page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   nullptr, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(PageFont(page)), FALSE);
    return control;
}

// Rows 14 dialog units apart; switches two to a line on the global file,
// one with its source on a game's.
RowPage& RowPageOf(const SheetPageCall& call) {
    return rowPages[static_cast<size_t>(&call.table<RowPage>() - rowPages)];
}

void BuildRows(const SheetPageCall& call) {
    HWND page = call.page;
    RowPage& p = RowPageOf(call);
    const bool game = session->game;
    const LONG right = game ? 165 : 255;
    LONG y = 7;
    int column = 0;
    for (size_t i = 0; i < p.rows.size(); ++i) {
        Row& row = p.rows[i];
        const Shown shown = ValueOf(row.info->name);
        const std::string label = Text(row.info->label);
        if (row.kind && row.kind->kind == TodayKind::Switch) {
            const LONG left = column == 0 ? 7 : 134;
            const LONG width = game ? right - 7 : 121;
            HWND box = MakeControl(page, WC_BUTTONA, label.c_str(), BS_AUTOCHECKBOX | WS_TABSTOP,
                                   RECT{left, y, left + width, y + 10}, ControlId(p, i));
            SendMessageA(box, BM_SETCHECK, shown.value == "1" ? BST_CHECKED : BST_UNCHECKED, 0);
            if (game || column == 1) {
                column = 0;
            } else {
                column = 1;
                if (i + 1 < p.rows.size() && p.rows[i + 1].kind && p.rows[i + 1].kind->kind == TodayKind::Switch) {
                    if (game) y += 14;
                    continue;
                }
                column = 0;
            }
        } else {
            if (column == 1) {
                column = 0;
                y += 14;
            }
            MakeControl(page, WC_STATICA, label.c_str(), SS_LEFT, RECT{7, y + 2, game ? 110 : 118, y + 12}, LabelId(p, i));
            HWND control;
            if (row.kind && row.kind->kind == TodayKind::Choice) {
                control = MakeControl(page, WC_COMBOBOXA, "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                                      RECT{game ? 112 : 120, y, right, y + 100}, ControlId(p, i));
                std::string choices = row.kind->choices;
                for (size_t start = 0; start <= choices.size();) {
                    size_t stop = choices.find('|', start);
                    if (stop == std::string::npos) stop = choices.size();
                    const std::string choice = choices.substr(start, stop - start);
                    SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.c_str()));
                    start = stop + 1;
                }
            } else {
                control = MakeControl(page, WC_EDITA, "", ES_AUTOHSCROLL | WS_TABSTOP, RECT{game ? 112 : 120, y, right, y + 12},
                                      ControlId(p, i));
            }
            SetWindowTextA(control, shown.value.c_str());
        }
        // Per game, a check box says where the value comes from: ticked,
        // the game sets it; clearing it uses the global value again.
        if (game) {
            HWND own = MakeControl(page, WC_BUTTONA, SourceText(shown.source).c_str(), BS_AUTOCHECKBOX | WS_TABSTOP,
                                   RECT{right + 3, y + 1, 258, y + 11}, SourceId(p, i));
            SendMessageA(own, BM_SETCHECK, shown.source == Source::Own ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        y += 14;
    }
}

std::string RowValue(HWND page, const RowPage& p, size_t i) {
    HWND control = GetDlgItem(page, ControlId(p, i));
    const Row& row = p.rows[i];
    if (row.kind && row.kind->kind == TodayKind::Switch)
        return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0";
    return NormalisedValue(row.kind, WindowText(control));
}

// Shows the value a game's row gets from elsewhere, after "Use the global value".
void ShowInherited(HWND page, const RowPage& p, size_t i) {
    const Shown inherited = Inherited(p.rows[i].info->name);
    const Quietly quietly;
    HWND control = GetDlgItem(page, ControlId(p, i));
    if (p.rows[i].kind && p.rows[i].kind->kind == TodayKind::Switch)
        SendMessageA(control, BM_SETCHECK, inherited.value == "1" ? BST_CHECKED : BST_UNCHECKED, 0);
    else
        SetWindowTextA(control, inherited.value.c_str());
    SetDlgItemTextA(page, SourceId(p, i), SourceText(inherited.source).c_str());
}

void RowsCommand(const SheetPageCall& call, int id, UINT code) {
    HWND page = call.page;
    RowPage& p = RowPageOf(call);
    for (size_t i = 0; i < p.rows.size(); ++i) {
        Row& row = p.rows[i];
        if (session->game && SourceId(p, i) == id && code == BN_CLICKED) {
            const bool own = IsDlgButtonChecked(page, id) == BST_CHECKED;
            row.dirty = own;
            row.useGlobal = !own;
            if (own) SetDlgItemTextA(page, id, SourceText(Source::Own).c_str());
            else ShowInherited(page, p, i);
            MarkChanged(page);
            return;
        }
        if (ControlId(p, i) != id) continue;
        if (code == BN_CLICKED || code == EN_CHANGE || code == CBN_EDITCHANGE || code == CBN_SELCHANGE) {
            row.dirty = true;
            row.useGlobal = false;
            if (session->game) {
                CheckDlgButton(page, SourceId(p, i), BST_CHECKED);
                SetDlgItemTextA(page, SourceId(p, i), SourceText(Source::Own).c_str());
            }
            MarkChanged(page);
        }
        return;
    }
}

bool RowsValid(const SheetPageCall& call) {
    HWND page = call.page;
    const RowPage& p = RowPageOf(call);
    for (size_t i = 0; i < p.rows.size(); ++i)
        if (p.rows[i].dirty && Refused(page, p.rows[i].info->name, p.rows[i].kind, RowValue(page, p, i))) return false;
    return true;
}

void ApplyRows(const SheetPageCall& call) {
    HWND page = call.page;
    RowPage& p = RowPageOf(call);
    for (size_t i = 0; i < p.rows.size(); ++i) {
        if (p.rows[i].useGlobal) RemoveTodayIniValue(session->ini, p.rows[i].info->name);
        if (p.rows[i].dirty) Store(p.rows[i].info->name, RowValue(page, p, i));
        p.rows[i].dirty = p.rows[i].useGlobal = false;
    }
}

// ---- All options: every other option, by name, value and description ------------

struct AllPage {
    std::vector<size_t> shown;  // indices into session->options, after the find box
    std::map<std::string, std::optional<std::string>, std::less<>> staged;  // nullopt: the line goes
    int selected = -1;
};
AllPage all;

LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);
constexpr UINT_PTR kListSubclass = 2;

bool Listed(const TodayOption& option) { return session->game || FindTodayOption(option.name) == nullptr; }

std::string AllValue(const TodayOption& option, Source* source = nullptr) {
    auto staged = all.staged.find(option.name);
    if (staged != all.staged.end()) {
        if (staged->second) {
            if (source) *source = Source::Own;
            return *staged->second;
        }
        const Shown inherited = Inherited(option.name);
        if (source) *source = inherited.source;
        return inherited.value;
    }
    const Shown shown = ValueOf(option.name);
    if (source) *source = shown.source;
    return shown.value;
}

bool Contains(const std::string& text, const std::string& lowerNeedle) {
    std::string lower = text;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find(lowerNeedle) != std::string::npos;
}

void FillAll(HWND page) {
    std::string find = WindowText(GetDlgItem(page, IDC_TODAY_FIND));
    for (char& c : find) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    all.shown.clear();
    for (size_t i = 0; i < session->options.size(); ++i) {
        const TodayOption& option = session->options[i];
        if (Listed(option) && (find.empty() || Contains(option.name, find) || Contains(option.description, find)))
            all.shown.push_back(i);
    }
    HWND list = GetDlgItem(page, IDC_TODAY_LIST);
    ListView_SetItemCountEx(list, static_cast<int>(all.shown.size()), 0);
    InvalidateRect(list, nullptr, FALSE);
}

void ShowSelected(HWND page) {
    const Quietly quietly;
    const bool valid = all.selected >= 0 && static_cast<size_t>(all.selected) < all.shown.size();
    const TodayOption* option = valid ? &session->options[all.shown[static_cast<size_t>(all.selected)]] : nullptr;
    SetDlgItemTextA(page, IDC_TODAY_VALUE, option ? AllValue(*option).c_str() : "");
    SetDlgItemTextA(page, IDC_TODAY_DESCRIPTION, option ? option->description.c_str() : "");
    EnableWindow(GetDlgItem(page, IDC_TODAY_VALUE), option != nullptr);
    EnableWindow(GetDlgItem(page, IDC_TODAY_GLOBAL), option != nullptr);
}

void LoadAll(const SheetPageCall& call) {
    HWND page = call.page;
    all = AllPage{};
    HWND list = GetDlgItem(page, IDC_TODAY_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    SetWindowSubclass(list, ListProc, kListSubclass, 0);
    std::vector<std::pair<UINT, int>> columns = {{IDS_TODAY_COLUMN_NAME, 110}, {IDS_TODAY_COLUMN_VALUE, 110}};
    if (session->game) columns.push_back({IDS_TODAY_COLUMN_SOURCE, 90});
    columns.push_back({IDS_TODAY_COLUMN_DESCRIPTION, 300});
    for (size_t i = 0; i < columns.size(); ++i) {
        std::string title = Text(columns[i].first);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = title.data();
        column.cx = columns[i].second;
        ListView_InsertColumn(list, static_cast<int>(i), &column);
    }
    ShowWindow(GetDlgItem(page, IDC_TODAY_GLOBAL), session->game ? SW_SHOW : SW_HIDE);
    FillAll(page);
    ShowSelected(page);
}

void AllDisplay(const NMLVDISPINFOA* info) {
    if (!(info->item.mask & LVIF_TEXT) || info->item.iItem < 0 || static_cast<size_t>(info->item.iItem) >= all.shown.size())
        return;
    const TodayOption& option = session->options[all.shown[static_cast<size_t>(info->item.iItem)]];
    static std::string text;  // the list copies it before the next request
    int column = info->item.iSubItem;
    if (!session->game && column >= 2) ++column;  // no source column
    Source source = Source::Default;
    switch (column) {
    case 0: text = option.name; break;
    case 1: text = AllValue(option); break;
    case 2: AllValue(option, &source); text = SourceText(source); break;
    default: text = option.description; break;
    }
    lstrcpynA(info->item.pszText, text.c_str(), info->item.cchTextMax);
}

void AllCommand(const SheetPageCall& call, int id, UINT code) {
    HWND page = call.page;
    const bool valid = all.selected >= 0 && static_cast<size_t>(all.selected) < all.shown.size();
    if (id == IDC_TODAY_FIND && code == EN_CHANGE) {
        FillAll(page);
        all.selected = -1;
        ListView_SetItemState(GetDlgItem(page, IDC_TODAY_LIST), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        ShowSelected(page);
    } else if (id == IDC_TODAY_VALUE && code == EN_CHANGE && valid) {
        const TodayOption& option = session->options[all.shown[static_cast<size_t>(all.selected)]];
        all.staged[option.name] = WindowText(GetDlgItem(page, IDC_TODAY_VALUE));
        ListView_RedrawItems(GetDlgItem(page, IDC_TODAY_LIST), all.selected, all.selected);
        MarkChanged(page);
    } else if (id == IDC_TODAY_GLOBAL && code == BN_CLICKED && valid) {
        const TodayOption& option = session->options[all.shown[static_cast<size_t>(all.selected)]];
        all.staged[option.name] = std::nullopt;
        ListView_RedrawItems(GetDlgItem(page, IDC_TODAY_LIST), all.selected, all.selected);
        ShowSelected(page);
        MarkChanged(page);
    }
}

// In-place editing of the value cell: Enter, F2 or a double click opens an
// edit over the cell; Enter or leaving it takes the text (through the Value
// edit below the list, which stages it), Escape drops it.
constexpr UINT_PTR kCellEditSubclass = 1;
bool cellDone;  // the cell edit has been taken or dropped already

void EndCellEdit(HWND edit, bool take) {
    if (cellDone) return;
    cellDone = true;
    HWND page = GetParent(GetParent(edit));
    if (take) SetDlgItemTextA(page, IDC_TODAY_VALUE, WindowText(edit).c_str());
    PostMessageA(edit, WM_CLOSE, 0, 0);  // not inside its own focus change
}

LRESULT CALLBACK CellEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS | DefSubclassProc(edit, message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            EndCellEdit(edit, wParam == VK_RETURN);
            SetFocus(GetParent(edit));
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == 27) return 0;  // no beep
        break;
    case WM_KILLFOCUS: EndCellEdit(edit, true); return 0;
    case WM_NCDESTROY: RemoveWindowSubclass(edit, CellEditProc, kCellEditSubclass); break;
    default: break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

// The list keeps Enter for itself (it activates the row) instead of the
// sheet taking it for OK.
LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_GETDLGCODE && lParam) {
        const MSG* pending = reinterpret_cast<const MSG*>(lParam);
        if (pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN) return DLGC_WANTMESSAGE;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(list, ListProc, kListSubclass);
    return DefSubclassProc(list, message, wParam, lParam);
}

void BeginCellEdit(HWND page) {
    if (all.selected < 0 || static_cast<size_t>(all.selected) >= all.shown.size()) return;
    HWND list = GetDlgItem(page, IDC_TODAY_LIST);
    RECT cell;
    if (!ListView_GetSubItemRect(list, all.selected, 1, LVIR_LABEL, &cell)) return;
    const TodayOption& option = session->options[all.shown[static_cast<size_t>(all.selected)]];
    HWND edit = CreateWindowExA(0, WC_EDITA, AllValue(option).c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                                cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top, list, nullptr,
                                nullptr, nullptr);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(PageFont(page)), FALSE);
    SetWindowSubclass(edit, CellEditProc, kCellEditSubclass, 0);
    cellDone = false;
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

bool AllValid(const SheetPageCall& call) {
    HWND page = call.page;
    for (const auto& [name, value] : all.staged) {
        if (!value) continue;
        const TodayOptionInfo* kind = EditedKind(FindTodayOption(name), ValueOf(name).value);
        if (Refused(page, name, kind, NormalisedValue(kind, *value))) return false;
    }
    return true;
}

void ApplyAll(const SheetPageCall& call) {
    HWND page = call.page;
    for (const auto& [name, value] : all.staged) {
        if (!value) {
            RemoveTodayIniValue(session->ini, name);
            continue;
        }
        const TodayOptionInfo* kind = EditedKind(FindTodayOption(name), ValueOf(name).value);
        Store(name, NormalisedValue(kind, *value));
    }
    all.staged.clear();
    InvalidateRect(GetDlgItem(page, IDC_TODAY_LIST), nullptr, FALSE);
}

// ---- the pages ----------------------------------------------------------------

void AllNotify(const SheetPageCall& call, const NMHDR& header) {
    switch (header.code) {
    case LVN_GETDISPINFOA: AllDisplay(reinterpret_cast<const NMLVDISPINFOA*>(&header)); break;
    case LVN_ITEMACTIVATE: BeginCellEdit(call.page); break;
    case LVN_KEYDOWN:
        if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_F2) BeginCellEdit(call.page);
        break;
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED)) {
            all.selected = change.iItem;
            ShowSelected(call.page);
        }
        break;
    }
    default: break;
    }
}

constexpr PageHandlers kPathsPage = {
    .load = LoadPaths, .command = PathsCommand, .store = ApplyPaths, .valid = PathsValid};
constexpr PageHandlers kRowsPage = {.load = BuildRows, .command = RowsCommand, .store = ApplyRows, .valid = RowsValid};
constexpr PageHandlers kAllPage = {
    .load = LoadAll, .command = AllCommand, .store = ApplyAll, .notify = AllNotify, .valid = AllValid};

// Tab order: Paths, Video, Sound, Input, Performance, Screen, All options.
const SheetPage kPages[] = {
    {IDD_TODAY_PATHS, &kPathsPage},
    {IDD_TODAY_VIDEO, &kRowsPage, &rowPages[0]},
    {IDD_TODAY_SOUND, &kRowsPage, &rowPages[1]},
    {IDD_TODAY_INPUT, &kRowsPage, &rowPages[2]},
    {IDD_TODAY_PERFORMANCE, &kRowsPage, &rowPages[3]},
    {IDD_TODAY_SCREEN, &kRowsPage, &rowPages[4]},
    {IDD_TODAY_ALL, &kAllPage},
};

// ---- opening ------------------------------------------------------------------

// The emulator's options, or, when it printed none, the built-in table's;
// then every option the file holds that neither knows, so that nothing in
// the file is out of reach.
std::vector<TodayOption> OptionsFor(HWND owner, const TodayIni& file) {
    std::vector<TodayOption> options = TodayEmulatorTexts(owner).options;
    if (options.empty())
        for (const TodayOptionInfo& info : TodayOptionTable()) options.push_back({info.name, {}, {}, {}});
    for (const TodayIni::Line& line : file.lines) {
        auto parsed = ParseMameIniLine(line.text);
        if (!parsed) continue;
        const bool known = std::any_of(options.begin(), options.end(),
                                       [&](const TodayOption& option) { return option.name == parsed->name; });
        if (!known) options.push_back({std::string(parsed->name), {}, {}, {}});
    }
    return options;
}

TodayIni ReadQuietly(const std::string& path) {
    std::string bytes;
    if (path.empty() || !ReadWholeFile(path, bytes)) bytes.clear();
    return ReadTodayIni(bytes);
}

bool Known(std::string_view name) {
    if (session->options.empty()) return true;
    return OptionNamed(name) != nullptr;
}

}  // namespace

void OpenTodaySheet(HWND owner, TodayPage start, const std::string& path, const std::string& romName,
                    const std::string& parentName, const char* pathOption) {
    std::string bytes;
    const IniRead state = ReadIniForEditing(owner, path, bytes);
    if (state == IniRead::Failed) return;

    Session current;
    current.path = path;
    current.game = !romName.empty();
    current.ini = ReadTodayIni(bytes);
    if (current.game) {
        const std::string global = FindMameIni("mame.ini");
        current.global = ReadQuietly(global.empty() ? std::string(Settings.MameDir) + "mame.ini" : global);
        if (!parentName.empty()) {
            const std::string parent = FindMameIni((parentName + ".ini").c_str());
            if (!parent.empty()) current.parent = ReadQuietly(parent);
        }
    }
    current.options = OptionsFor(owner, current.ini);
    session = &current;
    paths.first = pathOption;

    for (RowPage& p : rowPages) {
        p.rows.clear();
        for (const TodayOptionInfo& info : TodayOptionTable())
            if (info.page == p.id && Known(info.name))
                p.rows.push_back({&info, EditedKind(&info, ValueOf(info.name).value)});
    }

    std::string caption = Text(IDS_TODAY_CAPTION);
    if (current.game) {
        char text[256];
        std::snprintf(text, sizeof text, Text(IDS_TODAY_CAPTION_GAME).c_str(), romName.c_str());
        caption = text;
    }
    SheetHeader header{owner, LanguageModule, IDS_TODAY_CAPTION, PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP,
                       static_cast<UINT>(start)};
    header.captionText = caption.c_str();
    RunPropertySheet(header, kPages, current.run);
    session = nullptr;
    if (current.run.result < 0) {
        ReportMessage(owner, MessageSourceSystem, 0);
        return;
    }
    if (!current.run.applied) return;
    const std::string text = WriteTodayIni(current.ini);
    if (text == bytes) return;  // nothing changed: the file stays as it is
    if (state == IniRead::Missing && current.game) {
        // A game's first file goes to the ini folder, made when missing.
        const size_t slash = path.find_last_of("\\/");
        if (slash != std::string::npos) CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    }
    WriteIniFile(owner, path.c_str(), text);
}

}  // namespace quillet
