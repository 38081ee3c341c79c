// File > Export list...: the shown games as a CSV file.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/finding.h"
#include "base/globals.h"
#include "base/report.h"
#include "gamelist/game_list.h"
#include "gamelist/list_export.h"
#include "resources/resource_ids.h"

namespace quillet {

namespace {

std::string Utf8(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return {};
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
    out.pop_back();
    return out;
}

// A cell as the list shows it, in UTF-8 (the era's catalogue texts are in
// the ANSI code page); the catalogue's single space for "no value" is empty.
std::string CellText(const GameRecord& game, int column) {
    const char* text = ColumnText(game, column);
    if (text[0] == ' ' && text[1] == '\0') return {};
    wchar_t wide[256];
    CatalogueTextToWide(text, wide, 256);
    return Utf8(wide);
}

// The shown columns in their shown order: those with a width, and the play
// statistics always.
std::vector<int> ExportedColumns() {
    int order[kListColumns];
    if (!SendMessageA(GameListWindow, LVM_GETCOLUMNORDERARRAY, kListColumns, reinterpret_cast<LPARAM>(order)))
        for (int i = 0; i < kListColumns; ++i) order[i] = i;
    std::vector<int> columns;
    for (int column : order) {
        if (column < 0 || column >= kListColumns) continue;
        const bool statistics = column == kPlayedColumn || column == kLastPlayedColumn || column == kTimePlayedColumn;
        if (statistics || SendMessageA(GameListWindow, LVM_GETCOLUMNWIDTH, column, 0) > 0) columns.push_back(column);
    }
    return columns;
}

void ReportExportFailure(HWND owner, const std::wstring& path) {
    const int bytes = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(bytes > 0 ? bytes : 1), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, ansi.data(), bytes, nullptr, nullptr);
    char text[1024];
    DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>(ansi.c_str())};
    const DWORD length = LanguageModule ? FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                                                         LanguageModule, MSG_EXPORT_FAILED, 0, text, sizeof text,
                                                         reinterpret_cast<va_list*>(inserts))
                                        : 0;
    if (length == 0)
        ReportMessage(owner, MessageSourceModule, MSG_EXPORT_FAILED);
    else
        ShowMessageBox(owner, text, kWindowTitle, MB_OK | MB_ICONERROR);
}

}  // namespace

bool ExportListTo(HWND owner, const std::wstring& path) {
    const std::vector<int> columns = ExportedColumns();
    std::string out(kUtf8ByteOrderMark);
    std::vector<std::string> fields;
    for (int column : columns) {
        wchar_t header[64];
        if (LoadStringW(LanguageModule, ColumnHeaderString(column), header, 64) <= 0) header[0] = L'\0';
        fields.push_back(Utf8(header));
    }
    AppendCsvRow(out, fields);
    const DWORD count = ShownGameCount();
    for (DWORD i = 0; i < count; ++i) {
        const GameRecord& game = *ShownGame(i);
        fields.clear();
        for (int column : columns) fields.push_back(CellText(game, column));
        AppendCsvRow(out, fields);
    }
    // Written beside it first: a file the write cannot finish leaves the
    // one it would replace as it was.
    const std::wstring part = path + L".part";
    HANDLE file = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = file != INVALID_HANDLE_VALUE;
    if (written) {
        DWORD done = 0;
        written = WriteFile(file, out.data(), static_cast<DWORD>(out.size()), &done, nullptr) && done == out.size();
        written = CloseHandle(file) && written;
        written = written && MoveFileExW(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
        if (!written) DeleteFileW(part.c_str());
    }
    if (!written) ReportExportFailure(owner, path);
    return written;
}

}  // namespace quillet
