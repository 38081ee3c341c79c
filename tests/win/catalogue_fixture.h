// Fixtures of the catalogue-building tests: a window that stands in for the
// progress dialog, a scratch catalogue on the real SQLite driver, and the
// stand-in emulator in a folder of its own.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/globals.h"
#include "db/database.h"
#include "options/emulator_texts.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "win/main_window_run.h"
#include "win/support.h"

namespace quillet::test {

// Records what a worker sends its dialog. Workers called on the test's
// own thread reach it directly through SendMessage.
class ProgressRecorder {
public:
    struct Event {
        UINT message;
        WPARAM value;
        bool operator==(const Event&) const = default;
    };

    ProgressRecorder() {
        window_ = CreatePopup("QuilletProgressRecorder", Procedure);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~ProgressRecorder() { DestroyWindow(window_); }
    ProgressRecorder(const ProgressRecorder&) = delete;
    ProgressRecorder& operator=(const ProgressRecorder&) = delete;

    HWND window() const { return window_; }
    const std::vector<Event>& events() const { return events_; }
    std::vector<WPARAM> values(UINT message) const {
        std::vector<WPARAM> out;
        for (const Event& e : events_)
            if (e.message == message) out.push_back(e.value);
        return out;
    }
    size_t closes() const { return values(WM_CLOSE).size(); }
    // The last count sent, or -1 when none was.
    long long lastCount() const {
        auto counts = values(0x8001);
        return counts.empty() ? -1 : static_cast<long long>(counts.back());
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ProgressRecorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (self && ((message >= 0x8001 && message <= 0x8003) || message == WM_CLOSE)) {
            self->events_.push_back({message, message == WM_CLOSE ? 0 : wParam});
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND window_;
    std::vector<Event> events_;
};

// True when every value is above the one before it.
inline bool Rising(const std::vector<WPARAM>& values) {
    for (size_t i = 1; i < values.size(); ++i)
        if (values[i] <= values[i - 1]) return false;
    return true;
}

// A copy of the schema-only catalogue, connected as the program's one
// connection for the fixture's lifetime (or left for the main window to
// connect to). The queries use whatever connection is open.
class ScratchCatalogue {
public:
    explicit ScratchCatalogue(bool connect = true) : path_(dir_.file("gamelist.mdb")) {
        CopyFileA(BuildPath("gamelist_empty.mdb").c_str(), path_.c_str(), FALSE);
        if (connect) connected_ = ConnectDatabase(nullptr, path_.c_str(), &Settings.Filter.Query);
    }
    ~ScratchCatalogue() { DisconnectDatabase(); }
    ScratchCatalogue(const ScratchCatalogue&) = delete;
    ScratchCatalogue& operator=(const ScratchCatalogue&) = delete;

    bool connected() const { return connected_; }
    // A new connection, which sees only what the old one committed.
    bool Reconnect() {
        DisconnectDatabase();
        connected_ = ConnectDatabase(nullptr, path_.c_str(), &Settings.Filter.Query);
        return connected_;
    }
    const std::string& path() const { return path_; }

    bool Execute(const std::string& sql) {
        SQLHSTMT statement = nullptr;
        SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &statement);
        SQLRETURN result = SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS);
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        return SQL_SUCCEEDED(result);
    }

    // Every row of a query, each column as text.
    test::Rows Rows(const std::string& sql) {
        test::Rows rows;
        SQLHSTMT statement = nullptr;
        SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &statement);
        if (SQL_SUCCEEDED(SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.c_str())), SQL_NTS))) {
            SQLSMALLINT columns = 0;
            SQLNumResultCols(statement, &columns);
            while (SQL_SUCCEEDED(SQLFetch(statement))) {
                std::vector<std::string> row;
                for (SQLSMALLINT c = 1; c <= columns; ++c) {
                    char cell[512] = "";
                    SQLLEN length = 0;
                    SQLGetData(statement, c, SQL_C_CHAR, cell, sizeof cell, &length);
                    row.push_back(length == SQL_NULL_DATA ? "<null>" : cell);
                }
                rows.push_back(row);
            }
        }
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        return rows;
    }

    // The first column of the first row, or "<none>".
    std::string Value(const std::string& sql) {
        auto rows = Rows(sql);
        return rows.empty() || rows[0].empty() ? "<none>" : rows[0][0];
    }

    std::string Column(const char* column, const char* romName) {
        return Value(std::string("SELECT ") + column + " FROM main WHERE RomName = '" + romName + "'");
    }

    void AddGame(const char* romName, const char* category = " ", int status = 3) {
        Execute(std::string("INSERT INTO main (RomName, Status, Category) VALUES ('") + romName + "', " +
                std::to_string(status) + ", '" + category + "')");
    }

    // Makes every update of the named row fail inside the database.
    void RefuseUpdatesOf(const char* romName) {
        Execute(std::string("CREATE TRIGGER refuse_") + romName + " BEFORE UPDATE ON main WHEN OLD.RomName = '" +
                romName + "' BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }

private:
    TempDir dir_;
    std::string path_;
    bool connected_ = false;
};

// fakemame copied into a folder of its own as mame.exe, named in Settings
// (MameName and the derived MameDir), with the files it prints beside it.
class StandInEmulator {
public:
    explicit StandInEmulator(const char* subfolder = nullptr) : folder_(dir_.path()) {
        if (subfolder) {
            folder_ += std::string("\\") + subfolder;
            CreateDirectoryA(folder_.c_str(), nullptr);
            madeFolders_.push_back(folder_);
        }
        Install();
    }
    // Put in nested folders so that the emulator's full path has exactly
    // `length` characters.
    struct PathLength {
        size_t length;
    };
    explicit StandInEmulator(PathLength wanted) : folder_(dir_.path()) {
        const size_t tail = std::string("\\mame.exe").size();
        while (folder_.size() + tail < wanted.length) {
            const size_t remaining = wanted.length - tail - folder_.size();  // backslash and name
            size_t name = remaining <= 61 ? remaining - 1 : (remaining - 61 == 1 ? 59 : 60);
            if (name == 0) break;  // a single character left cannot be a folder
            folder_ += '\\';
            folder_.append(name, 'd');
            CreateDirectoryA(folder_.c_str(), nullptr);
            madeFolders_.push_back(folder_);
        }
        Install();
    }
    ~StandInEmulator() {
        for (const char* name : {"mame.exe", "gamelist.xml", "verify.txt", "catver.ini", "run.log", "fakemame.today",
                                 "fakemame.hang", "pids.txt"})
            DeleteFileA((folder_ + "\\" + name).c_str());
        for (auto it = madeFolders_.rbegin(); it != madeFolders_.rend(); ++it) RemoveDirectoryA(it->c_str());
    }
    StandInEmulator(const StandInEmulator&) = delete;
    StandInEmulator& operator=(const StandInEmulator&) = delete;

    const std::string& folder() const { return folder_; }
    void Print(const char* file, const std::string& bytes) { WriteFileBytes(folder_ + "\\" + file, bytes); }
    std::string RunLog() const { return ReadFileBytes(folder_ + "\\run.log"); }
    // Answers as today's emulator does: "-verifysets" is an unknown option.
    void ActAsToday() { WriteFileBytes(folder_ + "\\fakemame.today", ""); }

private:
    void Install() {
        const std::string exe = folder_ + "\\mame.exe";
        CopyFileA(BuildPath("fakemame.exe").c_str(), exe.c_str(), FALSE);
        lstrcpynA(Settings.MameName, exe.c_str(), sizeof Settings.MameName);
        DeriveEmulatorPaths(Settings);
    }

    TempDir dir_;
    std::string folder_;
    std::vector<std::string> madeFolders_;
};

// What the option editors open through the main window's commands: a
// stand-in emulator whose mame.ini is `ini`, an owner window, the registry
// sandboxed and message boxes recorded, before any rebuild (generation 0,
// nothing asked of the emulator yet). The ini and its .bak and .orig go
// with the fixture.
struct EmulatorIniFixture {
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    StandInEmulator emulator;
    std::string ini = emulator.folder() + "\\mame.ini";
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);

    EmulatorIniFixture() {
        REQUIRE(UseLanguage("english"));
        Settings.EmulatorGeneration = 0;
        ForgetEmulatorTexts();
    }
    ~EmulatorIniFixture() {
        DestroyWindow(owner);
        for (const char* suffix : {"", ".bak", ".orig"}) DeleteFileA((ini + suffix).c_str());
    }
    EmulatorIniFixture(const EmulatorIniFixture&) = delete;
    EmulatorIniFixture& operator=(const EmulatorIniFixture&) = delete;
};

}  // namespace quillet::test

// Table rows and value lists show their contents when a check fails.
template <>
struct doctest::StringMaker<std::vector<std::string>> {
    static String convert(const std::vector<std::string>& row) {
        std::string out = "{";
        for (size_t i = 0; i < row.size(); ++i) out += (i ? ", \"" : "\"") + row[i] + "\"";
        return (out + "}").c_str();
    }
};
template <>
struct doctest::StringMaker<std::vector<std::vector<std::string>>> {
    static String convert(const std::vector<std::vector<std::string>>& rows) {
        String out = "{";
        for (const auto& row : rows) out += StringMaker<std::vector<std::string>>::convert(row) + "\n";
        return out + "}";
    }
};
template <>
struct doctest::StringMaker<std::vector<WPARAM>> {
    static String convert(const std::vector<WPARAM>& values) {
        std::string out = "{";
        for (size_t i = 0; i < values.size(); ++i) out += (i ? ", " : "") + std::to_string(values[i]);
        return (out + "}").c_str();
    }
};
