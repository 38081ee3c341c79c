// Applying catver.ini from the emulator's directory to column Category: the
// last stage of the rebuild and verification chains.
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <cstdio>

#include "base/handles.h"
#include "base/progress.h"
#include "base/progress_counter.h"
#include "base/report.h"
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

// Sink of the scanner: one name=category line of a [Category] section. An
// update that matched no row (SQL_NO_DATA: a set the catalogue lacks) is
// no error. A real failure is shown once; the stage is then rolled back,
// so the lines after it are passed over.
void UpdateCategory(void* context, const char* name, const char* category) {
    StageRun& run = *static_cast<StageRun*>(context);
    if (run.failures != 0) return;
    CopyToField(shortName, name);
    CopyToField(categoryText, category);
    const SQLRETURN result = SQLExecute(run.statement);
    if (!SQL_SUCCEEDED(result) && result != SQL_NO_DATA) {
        ShowSqlDiagnostics(run.dialog, run.statement);
        ShowMessageBox(run.dialog, categoryText, shortName, MB_OK);
        ++run.failures;
    }
    run.items.Add(1);
}

// The mapped file; unmapped and closed when the run ends.
void ApplyMappedFile(HWND dialog, HANDLE file) {
    const UniqueHandle mapping(CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping.valid()) {
        // An empty file cannot be mapped: the system's text says so.
        ReportMessage(dialog, MessageSourceSystem, 0);
        return;
    }
    const MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view.valid()) {
        ReportMessage(dialog, MessageSourceSystem, 0);
        return;
    }
    ApplyCategoryFile(dialog, view.data(), file);
}

}  // namespace

void ImportCategories(HWND dialog) {
    char path[512];
    std::snprintf(path, sizeof path, "%scatver.ini", Settings.MameDir);
    // No sharing: nobody changes the file under the mapping.
    const UniqueHandle file(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr));
    // A missing catver.ini is normal: the user need not keep one.
    if (file.valid()) ApplyMappedFile(dialog, file.get());
    SendMessageA(dialog, WM_CLOSE, 0, 0);
}

void ApplyCategoryFile(HWND dialog, const char* view, HANDLE file) {
    SendProgressTask(dialog, IDS_TASK_CATEGORIES);
    SendProgressStep(dialog, IDS_STEP_PROCESSING);

    // All the categories or none: a failure keeps the ones the catalogue had.
    StageTransaction transaction;
    const SQLHSTMT statement = transaction.began() ? PrepareStageStatement(kUpdateCategoryText) : SQL_NULL_HSTMT;
    if (!statement) {
        ShowMessageBox(dialog, kWindowTitle, kWindowTitle, MB_OK | MB_ICONERROR);
        return;
    }
    SQLBindParameter(statement, 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_CHAR, sizeof categoryText, 0, categoryText,
                     sizeof categoryText, nullptr);
    SQLBindParameter(statement, 2, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_CHAR, kLongestRomName, 0, shortName,
                     sizeof shortName, nullptr);

    DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE) size = 0;
    ProgressCounter lines(dialog);
    StageRun run{dialog, statement, lines};
    ScanCategoryFile(view, view + size, UpdateCategory, &run);
    lines.Finish();
    FreeStageStatement(statement);

    if (run.failures != 0)
        transaction.Rollback();
    else if (!transaction.Commit())
        ReportMessage(dialog, MessageSourceModule, MSG_ODBC_EXECUTE);
}

}  // namespace quillet
