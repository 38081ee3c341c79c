// Every message box of the program: system error texts and the numbered
// texts of the language module's message table.
#pragma once

#include <windows.h>
#include <sqltypes.h>

namespace quillet {

constexpr int MessageSourceSystem = 0;  // the calling thread's last error
constexpr int MessageSourceModule = 1;  // a number of the module's message table

extern const char kWindowTitle[];  // "Quillet 0.7.1": title and every box caption

// Every box of the program goes through this pointer (MessageBoxA); the
// tests put a recorder in its place.
using MessageBoxFunction = int(WINAPI*)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
extern MessageBoxFunction ShowMessageBox;

// Shows one box owned by `owner` (may be null): OK with the icon of the
// severity bits 31-30 of `number`, or the buttons and icon of `type` when
// one is given (a question). A module message with one insert (%1) gets
// `insert` there; when the module has no such text, the box is the one
// without the insert. Returns the box result.
int ReportMessage(HWND owner, int mode, DWORD number, const char* insert = nullptr, UINT type = 0);

// The driver's text of diagnostic record 1 of `handle` (a statement or,
// with SQL_HANDLE_DBC, a connection) into `text`; "" when there is none.
void DriverMessage(SQLSMALLINT handleType, SQLHANDLE handle, char* text, size_t capacity);

// After a failed statement: the 0xC0000004 box, then a box with the SQL state
// and the driver's text of diagnostic record 1. Returns the last box's result.
// A statement without a diagnostic record shows the 0xC0000004 box alone.
int ShowSqlDiagnostics(HWND owner, SQLHSTMT statement);

}  // namespace quillet
