// Applying catver.ini from the emulator's directory to column Category: the
// last stage of the rebuild and verification chains.
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <cstdio>

#include "app/progress.h"
#include "app/report.h"
#include "app/progress_counter.h"
#include "catalogue/scanners.h"
#include "catalogue/stage_statement.h"
#include "catalogue/stages.h"
#include "catalogue/text_field.h"
#include "db/database.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"

namespace quillet {

namespace {

constexpr char kUpdateCategoryText[] = "UPDATE main SET Category = ? WHERE RomName = ?";

// The statement's two parameters, bound once per run.
char categoryText[90];
char shortName[kRomNameField];

// Sink of the scanner: one name=category line of a [Category] section.
void UpdateCategory(void* context, const char* name, const char* category) {
    StageRun& run = *static_cast<StageRun*>(context);
    CopyToField(shortName, name);
    CopyToField(categoryText, category);
    if (!SQL_SUCCEEDED(SQLExecute(run.statement))) {
        ShowSqlDiagnostics(run.dialog, run.statement);
        ShowMessageBox(run.dialog, categoryText, shortName, MB_OK);
    }
    run.items.Add(1);
}

// The mapped file; unmapped and closed when the run ends.
void ApplyMappedFile(HWND dialog, HANDLE file) {
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping) {
        // An empty file cannot be mapped: the system's text says so.
        ReportMessage(dialog, MessageSourceSystem, 0);
        return;
    }
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (!view) {
        ReportMessage(dialog, MessageSourceSystem, 0);
        CloseHandle(mapping);
        return;
    }
    ApplyCategoryFile(dialog, static_cast<const char*>(view), file);
    UnmapViewOfFile(view);
    CloseHandle(mapping);
}

}  // namespace

void ImportCategories(HWND dialog) {
    char path[512];
    std::snprintf(path, sizeof path, "%scatver.ini", Settings.MameDir);
    // No sharing: nobody changes the file under the mapping.
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr);
    // A missing catver.ini is normal: the user need not keep one.
    if (file != INVALID_HANDLE_VALUE) {
        ApplyMappedFile(dialog, file);
        CloseHandle(file);
    }
    SendMessageA(dialog, WM_CLOSE, 0, 0);
}

void ApplyCategoryFile(HWND dialog, const char* view, HANDLE file) {
    SendProgressTask(dialog, IDS_TASK_CATEGORIES);
    SendProgressStep(dialog, IDS_STEP_PROCESSING);

    const SQLHSTMT statement = PrepareStageStatement(kUpdateCategoryText);
    if (!statement) {
        ShowMessageBox(dialog, kWindowTitle, kWindowTitle, MB_OK | MB_ICONERROR);
        return;
    }
    SQLBindParameter(statement, 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_CHAR, 90, 0, categoryText, sizeof categoryText,
                     nullptr);
    SQLBindParameter(statement, 2, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_CHAR, kLongestRomName, 0, shortName, sizeof shortName, nullptr);

    DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE) size = 0;
    ProgressCounter lines(dialog);
    StageRun run{dialog, statement, lines};
    ScanCategoryFile(view, view + size, UpdateCategory, &run);
    lines.Finish();

    FreeStageStatement(statement);
}

}  // namespace quillet
