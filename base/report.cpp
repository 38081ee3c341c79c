#include "base/report.h"

#include <sql.h>
#include <sqlext.h>

#include <cstdio>

#include "base/globals.h"
#include "resources/resource_ids.h"

namespace quillet {

const char kWindowTitle[] = "Quillet 0.7.1";

MessageBoxFunction ShowMessageBox = MessageBoxA;

namespace {

// The fallback when the formatter finds no text. The characters between the
// number and "Please" are meant literally: backslash r, backslash n, backslash.
constexpr char kFallbackFormat[] = "Error number %u\\r\\n\\Please report this error. Follow the instruction in the Help";

constexpr UINT kSeverityIcons[4] = {0, MB_ICONINFORMATION, MB_ICONWARNING, MB_ICONERROR};

// Diagnostic buffers, shared by every call: only one background task runs at
// a time, and the user-interface thread waits under its modal dialog.
SQLCHAR diagState[6];
SQLINTEGER diagNative;
SQLCHAR diagMessage[250];
SQLSMALLINT diagLength;
char diagText[300];

// The module's text of `number` with `insert` as its %1, or, without an
// insert or a text that takes one, the text as it stands. 0 when the module
// has no text of that number.
DWORD FormatModuleMessage(DWORD number, const char* insert, char* text, DWORD size) {
    if (insert != nullptr && LanguageModule != nullptr) {
        DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(insert)};
        const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY, LanguageModule,
                                            number, 0, text, size, reinterpret_cast<va_list*>(inserts));
        if (length != 0) return length;
    }
    return FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, LanguageModule, number, 0, text,
                          size, nullptr);
}

}  // namespace

int ReportMessage(HWND owner, int mode, DWORD number, const char* insert, UINT type) {
    char text[1024];
    DWORD length = 0;
    if ((mode & 0xFF) == MessageSourceSystem) {
        length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, GetLastError(),
                                0, text, sizeof text, nullptr);
    } else {
        length = FormatModuleMessage(number, insert, text, sizeof text);
    }
    UINT icon;
    if (length == 0) {
        std::snprintf(text, sizeof text, kFallbackFormat, static_cast<unsigned>(GetLastError()));
        icon = MB_ICONERROR;
    } else {
        icon = kSeverityIcons[number >> 30];
    }
    return ShowMessageBox(owner, text, kWindowTitle, type != 0 && length != 0 ? type : MB_OK | icon);
}

void DriverMessage(SQLSMALLINT handleType, SQLHANDLE handle, char* text, size_t capacity) {
    SQLCHAR state[6];
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    text[0] = '\0';
    if (!handle || capacity < 2) return;
    const SQLSMALLINT room = capacity > 32767 ? 32767 : static_cast<SQLSMALLINT>(capacity);
    if (!SQL_SUCCEEDED(SQLGetDiagRec(handleType, handle, 1, state, &native, reinterpret_cast<SQLCHAR*>(text), room,
                                     &length)))
        text[0] = '\0';
}

int ShowSqlDiagnostics(HWND owner, SQLHSTMT statement) {
    // Without a record the buffers still hold an earlier error's text, which
    // would be shown as this one's: then the error box alone says it.
    const SQLRETURN found = SQLGetDiagRec(SQL_HANDLE_STMT, statement, 1, diagState, &diagNative, diagMessage,
                                          sizeof diagMessage, &diagLength);
    if (found != SQL_SUCCESS && found != SQL_SUCCESS_WITH_INFO)
        return ReportMessage(owner, MessageSourceModule, MSG_ODBC_EXECUTE);
    std::snprintf(diagText, sizeof diagText, "Errore numero %s\n\r%s", reinterpret_cast<char*>(diagState),
                  reinterpret_cast<char*>(diagMessage));
    ReportMessage(owner, MessageSourceModule, MSG_ODBC_EXECUTE);
    return ShowMessageBox(owner, diagText, kWindowTitle, MB_OK | MB_ICONERROR);
}

}  // namespace quillet
