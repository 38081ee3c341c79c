// Message boxes: icons by severity, system texts, the fallback text.
#include "win/support.h"

#include <sql.h>
#include <sqlext.h>

#include "base/report.h"
#include "db/database.h"
#include "resources/resource_ids.h"
#include "settings/language.h"
#include "win/catalogue_fixture.h"

using namespace quillet;
using namespace quillet::test;

TEST_CASE("module messages take their icon from the severity bits") {
    REQUIRE(UseLanguage("english"));
    MessageBoxRecorder boxes;
    struct Row {
        DWORD number;
        UINT icon;
    };
    const Row rows[] = {
        {MSG_NO_EMULATOR, MB_ICONWARNING},
        {MSG_NO_HISTORY_ENTRY, MB_ICONWARNING},
        {MSG_ODBC_STATEMENT, MB_ICONERROR},
        {MSG_HISTORY_OPEN, MB_ICONERROR},
    };
    for (const Row& r : rows) {
        boxes.clear();
        ReportMessage(nullptr, MessageSourceModule, r.number);
        REQUIRE_EQ(boxes.boxes().size(), 1u);
        const ShownBox& box = boxes.boxes()[0];
        CHECK_EQ(box.type & MB_ICONMASK, r.icon);
        CHECK_EQ(box.type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
        CHECK_EQ(box.caption, "Quillet 0.7.1");
        CHECK_FALSE(box.text.empty());
        CHECK_EQ(box.text.find("Error number"), std::string::npos);
    }
}

TEST_CASE("a number missing from the table shows the fallback text with the formatter's code") {
    REQUIRE(UseLanguage("english"));
    MessageBoxRecorder boxes;
    ReportMessage(nullptr, MessageSourceModule, 0x40000077);
    REQUIRE_EQ(boxes.boxes().size(), 1u);
    const ShownBox& box = boxes.boxes()[0];
    CHECK_EQ(box.text, "Error number 317\\r\\n\\Please report this error. Follow the instruction in the Help");
    CHECK_EQ(box.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

TEST_CASE("a message's insert fills its %1; a number the module lacks still gets the fallback") {
    REQUIRE(UseLanguage("english"));
    MessageBoxRecorder boxes;
    ReportMessage(nullptr, MessageSourceModule, MSG_GAMES_LEFT_OUT, "7");
    ReportMessage(nullptr, MessageSourceModule, MSG_GAME_LIST_FORMAT, "pacman");
    ReportMessage(nullptr, MessageSourceModule, 0x40000077, "7");
    REQUIRE_EQ(boxes.boxes().size(), 3u);
    CHECK_EQ(boxes.boxes()[0].text.rfind("7 games of the list", 0), 0u);
    CHECK_EQ(boxes.boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
    CHECK_NE(boxes.boxes()[1].text.find("after the game pacman,"), std::string::npos);
    CHECK_EQ(boxes.boxes()[1].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    CHECK_EQ(boxes.boxes()[2].text.rfind("Error number", 0), 0u);
}

TEST_CASE("system messages show the last error's text without an icon") {
    REQUIRE(UseLanguage("english"));
    MessageBoxRecorder boxes;
    HANDLE h = CreateFileA("Z:\\no\\such\\dir\\file.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    CHECK_EQ(h, INVALID_HANDLE_VALUE);
    const DWORD error = GetLastError();
    char expected[1024];
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, expected,
                   sizeof expected, nullptr);
    ReportMessage(nullptr, MessageSourceSystem, 0);
    REQUIRE_EQ(boxes.boxes().size(), 1u);
    CHECK_EQ(boxes.boxes()[0].text, std::string(expected));
    CHECK_EQ(boxes.boxes()[0].type & MB_ICONMASK, 0u);
}

TEST_CASE("without a loaded module every numbered message falls back") {
    HMODULE saved = LanguageModule;
    LanguageModule = nullptr;
    MessageBoxRecorder boxes;
    ReportMessage(nullptr, MessageSourceModule, MSG_NO_EMULATOR);
    LanguageModule = saved;
    REQUIRE_EQ(boxes.boxes().size(), 1u);
    CHECK_EQ(boxes.boxes()[0].text.rfind("Error number ", 0), 0u);
    CHECK_EQ(boxes.boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

TEST_CASE("ShowSqlDiagnostics: the execute error, then the driver's text; never an earlier error's text") {
    REQUIRE(UseLanguage("english"));
    ScratchCatalogue catalogue;
    REQUIRE(catalogue.connected());
    MessageBoxRecorder boxes;
    SQLHSTMT failed = nullptr, clean = nullptr;
    REQUIRE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &failed)));
    REQUIRE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &clean)));
    char query[] = "SELECT * FROM nowhere";
    REQUIRE_EQ(SQLExecDirect(failed, reinterpret_cast<SQLCHAR*>(query), SQL_NTS), SQL_ERROR);
    ShowSqlDiagnostics(nullptr, failed);
    // No record: a clean statement, and a handle that was never allocated.
    ShowSqlDiagnostics(nullptr, clean);
    ShowSqlDiagnostics(nullptr, SQL_NULL_HSTMT);
    SQLFreeHandle(SQL_HANDLE_STMT, failed);
    SQLFreeHandle(SQL_HANDLE_STMT, clean);

    char execute[1024];
    FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, LanguageModule, MSG_ODBC_EXECUTE, 0,
                   execute, sizeof execute, nullptr);
    REQUIRE_EQ(boxes.boxes().size(), 4u);
    CHECK_EQ(boxes.boxes()[0].text, std::string(execute));
    CHECK_EQ(boxes.boxes()[1].text.rfind("Errore numero ", 0), 0u);
    CHECK_NE(boxes.boxes()[1].text.find("\n\r"), std::string::npos);
    CHECK_NE(boxes.boxes()[1].text.find("nowhere"), std::string::npos);
    CHECK_EQ(boxes.boxes()[1].caption, "Quillet 0.7.1");
    CHECK_EQ(boxes.boxes()[1].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    CHECK_EQ(boxes.boxes()[2].text, std::string(execute));
    CHECK_EQ(boxes.boxes()[3].text, std::string(execute));
}

TEST_CASE("the missing-catalogue message names no particular driver and takes no insert") {
    for (const char* language : {"english", "italian"}) {
        CAPTURE(language);
        REQUIRE(UseLanguage(language));
        char text[1024] = "";
        REQUIRE_GT(FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, LanguageModule,
                                  MSG_ODBC_CONNECTION, 0, text, sizeof text, nullptr),
                   0u);
        const std::string message = text;
        CHECK_EQ(message.find("Access"), std::string::npos);
        CHECK_EQ(message.find('%'), std::string::npos);
        CHECK_NE(message.find("ODBC"), std::string::npos);
    }
}
