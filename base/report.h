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

// Shows one OK box owned by `owner` (may be null); the icon follows the
// severity bits 31-30 of `number`. A module message with one insert (%1)
// gets `insert` there; when the module has no such text, the box is the one
// without the insert. Returns the box result.
int ReportMessage(HWND owner, int mode, DWORD number, const char* insert = nullptr);

// After a failed statement: the 0xC0000004 box, then a box with the SQL state
// and the driver's text of diagnostic record 1. Returns the last box's result.
// A statement without a diagnostic record shows the 0xC0000004 box alone.
int ShowSqlDiagnostics(HWND owner, SQLHSTMT statement);

}  // namespace quillet
