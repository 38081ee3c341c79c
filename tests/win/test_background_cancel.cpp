// Background work a person can stop, and rebuilds that happen whole or not
// at all: Cancel on a hung emulator, Cancel and the main window's close at
// each stage of a 45,000-game rebuild, an insert that fails at run time,
// and a catalogue in a folder whose name holds ';'.
#include <windows.h>
#include <commctrl.h>
#include <sql.h>
#include <sqlext.h>

#include <functional>
#include <map>
#include <vector>
#include <memory>

#include "app/main_window.h"
#include "base/globals.h"
#include "base/progress.h"
#include "base/report.h"
#include "catalogue/catalogue.h"
#include "catalogue/stages.h"
#include "gamelist/game_list.h"
#include "resources/resource_ids.h"
#include "settings/settings_store.h"
#include "win/catalogue_fixture.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// A generated list (with its verification output and catver.ini), written
// once per run by gengamelist; the catalogue a cancelled or failed rebuild
// must leave ("old", as many made-up rows as the list has games), and the
// rows of a complete rebuild from the list ("new"), when asked for.
struct GeneratedRebuild {
    TempDir dir;
    std::string folder;
    std::string oldCatalogue;
    std::string oldRows, newRows;
    bool ready = false;
};

bool RunProgram(std::string command) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process))
        return false;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return code == 0;
}

// Every row of table main, every column quoted, in name order: one text
// that differs as soon as one byte of one row does. The columns are read
// from the table itself, so a column added later is compared too.
std::string CatalogueText() {
    OdbcStatement columns(DatabaseConnection);
    std::string expression;
    if (SQL_SUCCEEDED(SQLExecDirect(columns.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>("PRAGMA table_info(main)")),
                                    SQL_NTS))) {
        while (SQL_SUCCEEDED(SQLFetch(columns.get()))) {
            char name[128] = "";
            SQLLEN length = 0;
            SQLGetData(columns.get(), 2, SQL_C_CHAR, name, sizeof name, &length);
            expression += (expression.empty() ? "quote(" : "||','||quote(") + std::string(name) + ")";
        }
    }
    const std::string sql = "SELECT group_concat(r, char(10)) FROM (SELECT " + expression +
                            " AS r FROM main ORDER BY RomName)";
    OdbcStatement rows(DatabaseConnection);
    std::string text;
    if (SQL_SUCCEEDED(SQLExecDirect(rows.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS)) &&
        SQL_SUCCEEDED(SQLFetch(rows.get()))) {
        char chunk[65536];
        SQLLEN length = 0;
        for (;;) {
            const SQLRETURN result = SQLGetData(rows.get(), 1, SQL_C_CHAR, chunk, sizeof chunk, &length);
            if (!SQL_SUCCEEDED(result) || length == SQL_NULL_DATA) break;
            const size_t got = length == SQL_NO_TOTAL || length >= static_cast<SQLLEN>(sizeof chunk)
                                   ? sizeof chunk - 1
                                   : static_cast<size_t>(length);
            text.append(chunk, got);
            if (result == SQL_SUCCESS) break;
        }
    }
    return text;
}

void UseFiles(StandInEmulator& emulator, const std::string& folder) {
    for (const char* name : {"gamelist.xml", "verify.txt", "catver.ini"})
        CopyFileA((folder + "\\" + name).c_str(), (emulator.folder() + "\\" + name).c_str(), FALSE);
}

const GeneratedRebuild& Generated(int games, bool withNew) {
    static std::map<int, std::unique_ptr<GeneratedRebuild>> made;
    auto& slot = made[games];
    if (slot) return *slot;
    slot = std::make_unique<GeneratedRebuild>();
    GeneratedRebuild& data = *slot;
    data.folder = data.dir.file("list");
    CreateDirectoryA(data.folder.c_str(), nullptr);
    std::string command = "\"";
    command += BuildPath("gengamelist.exe");
    command += "\" --crlf --games ";
    command += std::to_string(games);
    for (const char* name : {"xml gamelist.xml", "verify verify.txt", "catver catver.ini"}) {
        const std::string pair = name;
        command += " --" + pair.substr(0, pair.find(' ')) + " \"" + data.folder + "\\" + pair.substr(pair.find(' ') + 1) + "\"";
    }
    if (!RunProgram(command)) return data;

    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    if (!db.connected()) return data;
    // The old catalogue: as many made-up rows as the list has games, none
    // of them like the list's.
    db.Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " + std::to_string(games) +
               ") INSERT INTO main (RomName, Description, Year, Manufacturer, Status, Category, IconPath) "
               "SELECT 'old' || i, 'Old game ' || i, 1980 + i % 20, 'Old maker', i % 4, 'Old', 'old' || i || '.ico' FROM n");
    data.oldRows = CatalogueText();
    DisconnectDatabase();
    data.oldCatalogue = data.dir.file("old.mdb");
    CopyFileA(db.path().c_str(), data.oldCatalogue.c_str(), FALSE);
    if (withNew) {
        db.Reconnect();
        StandInEmulator emulator;
        UseFiles(emulator, data.folder);
        ProgressRecorder dialog;
        RebuildCatalogueTask(dialog.window());
        data.newRows = CatalogueText();
    }
    data.ready = !data.oldRows.empty() && data.oldRows != data.newRows && boxes.boxes().empty();
    return data;
}

// A scratch catalogue that starts as a copy of `from`.
void StartFrom(ScratchCatalogue& db, const std::string& from) {
    DisconnectDatabase();
    CopyFileA(from.c_str(), db.path().c_str(), FALSE);
    db.Reconnect();
}

BOOL CALLBACK MatchProgressDialog(HWND window, LPARAM arg) {
    if (IsWindowVisible(window) && GetDlgItem(window, IDC_PROGRESS_CANCEL)) {
        *reinterpret_cast<HWND*>(arg) = window;
        return FALSE;
    }
    return TRUE;
}

// The visible progress dialog of this thread, or null.
HWND ProgressDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), MatchProgressDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A stand-in dialog that cancels the task at the first count (or the
// capture's running step) of one stage, then records as the recorder does.
UINT cancelTask, cancelStep, lastTask, lastStep;
WNDPROC recorderProcedure;
LRESULT CALLBACK CancellingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WMU_PROGRESS_TASK) lastTask = static_cast<UINT>(wParam);
    if (message == WMU_PROGRESS_STEP) lastStep = static_cast<UINT>(wParam);
    if ((message == WMU_PROGRESS_COUNT || (message == WMU_PROGRESS_STEP && wParam == IDS_STEP_RUNNING)) &&
        lastTask == cancelTask && lastStep == cancelStep)
        CancelTask();
    return CallWindowProcA(recorderProcedure, window, message, wParam, lParam);
}

std::string ItemText(HWND dialog, int id) {
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string ModuleString(UINT id) {
    char text[256] = "";
    LoadStringA(LanguageModule, id, text, sizeof text);
    return text;
}

// Runs `step` on every tick of a 10 ms thread timer while `open` runs (a
// modal loop of this thread serves it), until the step returns true.
class Ticker {
public:
    explicit Ticker(std::function<bool()> step) : step_(std::move(step)) {}
    void Run(const std::function<void()>& open) {
        current_ = this;
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, Tick);
        open();
        KillTimer(nullptr, timer);
        current_ = nullptr;
    }
    bool done() const { return done_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        Ticker* self = current_;
        if (!self || self->done_ || self->busy_) return;
        self->busy_ = true;
        self->done_ = self->step_();
        self->busy_ = false;
    }
    static inline Ticker* current_ = nullptr;
    std::function<bool()> step_;
    bool done_ = false;
    bool busy_ = false;
};

// Whether the quit message the main window's close posts has arrived, and its code.
bool QuitArrived(int& code) {
    MSG msg;
    const DWORD until = GetTickCount() + 5000;
    while (GetTickCount() < until) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                code = static_cast<int>(msg.wParam);
                return true;
            }
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
    return false;
}

}  // namespace

TEST_CASE("Cancel ends a hung emulator and the process it started within a second; nothing changes") {
    REQUIRE(UseLanguage());
    const std::string list = SourcePath("tools/demo/gamelist.xml");
    for (const char* mode : {"silent", "half"}) {
        CAPTURE(mode);
        MessageBoxRecorder boxes;
        ScratchCatalogue db(false);
        StandInEmulator emulator;
        emulator.Print("gamelist.xml", ReadFileBytes(list));
        {
            MainWindowRun main(db.path());
            SaveUserValue("EmulatorGeneration");  // the user key, as the program's start makes it
            db.AddGame("kept", "Maze", 1);
            db.AddGame("also", "Quiz", 0);
            SendMessageA(main.window(), WM_COMMAND, IDM_RELOAD, 0);
            const Rows listBefore = main.ListRows();
            REQUIRE_EQ(listBefore.size(), 2u);
            emulator.Print("fakemame.hang", mode);

            HANDLE processes[2] = {};
            DWORD clicked = 0;
            Ticker ticker([&] {
                const std::string pids = ReadFileBytes(emulator.folder() + "\\pids.txt");
                const HWND dialog = ProgressDialog();
                if (pids.find(' ') == std::string::npos || !dialog) return false;
                const DWORD own = std::stoul(pids), child = std::stoul(pids.substr(pids.find(' ') + 1));
                processes[0] = OpenProcess(SYNCHRONIZE, FALSE, own);
                processes[1] = OpenProcess(SYNCHRONIZE, FALSE, child);
                clicked = GetTickCount();
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED), 0);
                return true;
            });
            ticker.Run([&] { SendMessageA(main.window(), WM_COMMAND, IDM_REBUILD, 0); });
            REQUIRE(ticker.done());
            for (HANDLE process : processes) {
                REQUIRE(process);
                const DWORD spent = GetTickCount() - clicked;
                CHECK_EQ(WaitForSingleObject(process, spent < 1000 ? 1000 - spent : 0), WAIT_OBJECT_0);
                CloseHandle(process);
            }
            CHECK_EQ(main.ListRows(), listBefore);
        }
        REQUIRE(db.Reconnect());
        CHECK_EQ(db.Rows("SELECT RomName, Status, Category FROM main ORDER BY RomName"),
                 (Rows{{"also", "0", "Quiz"}, {"kept", "1", "Maze"}}));
        for (const ShownBox& box : boxes.boxes()) MESSAGE(box.text);
        CHECK_EQ(boxes.boxes().size(), 0u);
    }
}

namespace {

// Answers the quiet-emulator question Yes the first time and No after.
std::vector<std::string> questions;
int WINAPI AnswerYesThenNo(HWND, LPCSTR text, LPCSTR, UINT type) {
    if ((type & MB_TYPEMASK) != MB_YESNO) return IDOK;
    questions.push_back(text);
    return questions.size() == 1 ? IDYES : IDNO;
}

}  // namespace

TEST_CASE("an emulator quiet for the set time is asked about: Yes waits as long again, No cancels") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ShowMessageBox = AnswerYesThenNo;
    questions.clear();
    ScratchCatalogue db;
    REQUIRE(db.connected());
    db.AddGame("kept", "Maze", 1);
    StandInEmulator emulator;
    emulator.Print("gamelist.xml", ReadFileBytes(SourcePath("tools/demo/gamelist.xml")));
    emulator.Print("fakemame.hang", "silent");
    const DWORD start = GetTickCount();
    CHECK_EQ(RunBackgroundTask(nullptr, RebuildCatalogueTask, 1), 0u);
    const DWORD spent = GetTickCount() - start;
    CHECK_GE(spent, 2000u);
    CHECK_LT(spent, 10000u);
    REQUIRE_EQ(questions.size(), 2u);
    CHECK_EQ(questions[0].rfind("MAME has printed nothing for 1 seconds.", 0), 0u);
    CHECK_EQ(db.Rows("SELECT RomName, Category FROM main"), (Rows{{"kept", "Maze"}}));
}

TEST_CASE("Cancel at each stage of a 45,000-game rebuild leaves the catalogue as it was, byte for byte") {
    REQUIRE(UseLanguage());
    const GeneratedRebuild& data = Generated(45000, false);
    REQUIRE(data.ready);
    struct Row {
        const char* stage;
        UINT task;  // cancel at the first count after this task's processing step
        UINT step;
    };
    const Row rows[] = {
        {"capture", IDS_TASK_REBUILD, IDS_STEP_RUNNING},
        {"import", IDS_TASK_REBUILD, IDS_STEP_PROCESSING},
        {"verification", IDS_TASK_VERIFY, IDS_STEP_PROCESSING},
        {"categories", IDS_TASK_CATEGORIES, IDS_STEP_PROCESSING},
    };
    for (const Row& row : rows) {
        CAPTURE(row.stage);
        MessageBoxRecorder boxes;
        ScratchCatalogue db;
        StartFrom(db, data.oldCatalogue);
        StandInEmulator emulator;
        UseFiles(emulator, data.folder);
        // The recorder's window hears the worker on this thread.
        cancelTask = row.task;
        cancelStep = row.step;
        lastTask = lastStep = 0;
        ProgressRecorder dialog;
        recorderProcedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(dialog.window(), GWLP_WNDPROC));
        SetWindowLongPtrA(dialog.window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CancellingProcedure));
        ClearTaskCancel();
        CHECK_EQ(RebuildCatalogueTask(dialog.window()), 0u);
        CHECK(TaskCancelled());
        ClearTaskCancel();
        CHECK_EQ(dialog.closes(), 1u);
        // What is committed: a new connection's view.
        REQUIRE(db.Reconnect());
        CHECK(CatalogueText() == data.oldRows);
        CHECK_EQ(boxes.boxes().size(), 0u);
    }
}

TEST_CASE("Cancel during a reload keeps the list as it was") {
    REQUIRE(UseLanguage());
    const GeneratedRebuild& data = Generated(45000, false);
    REQUIRE(data.ready);
    MessageBoxRecorder boxes;
    ScratchCatalogue db(false);
    CopyFileA(data.oldCatalogue.c_str(), db.path().c_str(), FALSE);
    MainWindowRun main(db.path());
    const int before = ListView_GetItemCount(GameListWindow);
    REQUIRE_GT(before, 0);
    // The catalogue changes under the list; a cancelled reload must not show it.
    db.Execute("DELETE FROM main WHERE rowid % 2 = 0");
    Ticker ticker([&] {
        const HWND dialog = ProgressDialog();
        if (!dialog || ItemText(dialog, IDC_PROGRESS_STEP) != ModuleString(IDS_STEP_PROCESSING)) return false;
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED), 0);
        return true;
    });
    ticker.Run([&] { SendMessageA(main.window(), WM_COMMAND, IDM_RELOAD, 0); });
    REQUIRE(ticker.done());
    CHECK_EQ(ListView_GetItemCount(GameListWindow), before);
    CHECK_EQ(boxes.boxes().size(), 0u);
}

TEST_CASE("closing the main window (or the session's end) at each stage of a rebuild waits for the worker, then quits with 0") {
    REQUIRE(UseLanguage());
    // A smaller list than the cancel test's: five rebuilds, each up to its
    // stage or through, and the close is the same at any size.
    const GeneratedRebuild& data = Generated(6000, true);
    REQUIRE(data.ready);
    struct Row {
        const char* stage;
        UINT task;
        UINT step;  // 0: any
        UINT message = WM_CLOSE;
    };
    const Row rows[] = {
        {"capture", IDS_TASK_REBUILD, IDS_STEP_RUNNING},
        {"import", IDS_TASK_REBUILD, IDS_STEP_PROCESSING},
        {"verification", IDS_TASK_VERIFY, 0},
        {"categories", IDS_TASK_CATEGORIES, 0},
        {"reload", IDS_TASK_RELOAD, 0},
        {"import, at the end of the session", IDS_TASK_REBUILD, IDS_STEP_PROCESSING, WM_ENDSESSION},
    };
    for (const Row& row : rows) {
        CAPTURE(row.stage);
        MessageBoxRecorder boxes;
        ScratchCatalogue db(false);
        CopyFileA(data.oldCatalogue.c_str(), db.path().c_str(), FALSE);
        StandInEmulator emulator;
        UseFiles(emulator, data.folder);
        int code = -1;
        bool quit = false;
        {
            MainWindowRun main(db.path());
            SaveUserValue("EmulatorGeneration");  // the user key, as the program's start makes it
            Ticker ticker([&] {
                const HWND dialog = ProgressDialog();
                if (!dialog || ItemText(dialog, IDC_PROGRESS_TASK) != ModuleString(row.task)) return false;
                if (row.step && ItemText(dialog, IDC_PROGRESS_STEP) != ModuleString(row.step)) return false;
                PostMessageA(main.window(), row.message, row.message == WM_ENDSESSION, 0);
                return true;
            });
            ticker.Run([&] { SendMessageA(main.window(), WM_COMMAND, IDM_REBUILD, 0); });
            CHECK(ticker.done());
            quit = QuitArrived(code);
        }
        CHECK(quit);
        CHECK_EQ(code, 0);
        REQUIRE(db.Reconnect());
        const std::string rows = CatalogueText();
        CHECK((rows == data.oldRows || rows == data.newRows));
        CHECK_EQ(db.Value("PRAGMA integrity_check"), "ok");
        CHECK_EQ(boxes.boxes().size(), 0u);
    }
}

TEST_CASE("an insert that fails at run time rolls the whole rebuild back with one box") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    REQUIRE(db.connected());
    db.AddGame("kept", "Maze", 1);
    // A trigger naming a table that is gone: every insert fails, and not as
    // a constraint (RAISE() would report one).
    REQUIRE(db.Execute("CREATE TABLE audit (name TEXT)"));
    REQUIRE(db.Execute("CREATE TRIGGER audit_insert AFTER INSERT ON main BEGIN INSERT INTO audit VALUES (NEW.RomName); END"));
    REQUIRE(db.Execute("DROP TABLE audit"));
    StandInEmulator emulator;
    for (const char* name : {"gamelist.xml", "verify.txt", "catver.ini"})
        emulator.Print(name, ReadFileBytes(SourcePath((std::string("tools/demo/") + name).c_str())));
    ProgressRecorder dialog;
    CHECK_EQ(RebuildCatalogueTask(dialog.window()), 0u);
    CHECK_EQ(db.Rows("SELECT RomName, Status, Category FROM main"), (Rows{{"kept", "1", "Maze"}}));
    REQUIRE_EQ(boxes.boxes().size(), 1u);
    CHECK_EQ(boxes.boxes()[0].text.rfind(ModuleMessage(MSG_REBUILD_FAILED).substr(0, 30), 0), 0u);
    CHECK_NE(boxes.boxes()[0].text.find("audit"), std::string::npos);
    // The connection commits each statement again afterwards.
    REQUIRE(db.Execute("DROP TRIGGER audit_insert"));
    db.AddGame("later");
    REQUIRE(db.Reconnect());
    CHECK_EQ(db.Value("SELECT COUNT(*) FROM main"), "2");
}

TEST_CASE("a catalogue in a folder whose name holds ';' connects, rebuilds and reads back") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    TempDir dir;
    const std::string folder = dir.path() + "\\games;100% #1";
    REQUIRE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string path = folder + "\\gamelist.mdb";
    REQUIRE(CopyFileA(BuildPath("gamelist_empty.mdb").c_str(), path.c_str(), FALSE));
    REQUIRE(ConnectDatabase(nullptr, path.c_str(), &Settings.Filter.Query));
    StandInEmulator emulator;
    emulator.Print("gamelist.xml", ReadFileBytes(SourcePath("tools/demo/gamelist.xml")));
    ProgressRecorder dialog;
    CHECK_EQ(RebuildCatalogueTask(dialog.window()), 1u);
    DisconnectDatabase();
    // The file in that folder holds the games, not one made elsewhere.
    REQUIRE(ConnectDatabase(nullptr, path.c_str(), &Settings.Filter.Query));
    OdbcStatement count(DatabaseConnection);
    SQLExecDirect(count.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>("SELECT COUNT(*) FROM main")), SQL_NTS);
    long games = 0;
    SQLLEN length = 0;
    REQUIRE(SQL_SUCCEEDED(SQLFetch(count.get())));
    SQLGetData(count.get(), 1, SQL_C_SLONG, &games, 0, &length);
    CHECK_GT(games, 0);
    count.reset();
    DisconnectDatabase();
    CHECK_EQ(boxes.boxes().size(), 0u);
}
