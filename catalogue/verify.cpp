// Writing each ROM set's verification verdict into column Status.
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <cstdint>

#include "base/progress.h"
#include "base/report.h"
#include "base/progress_counter.h"
#include "catalogue/scanners.h"
#include "catalogue/stage_statement.h"
#include "catalogue/stages.h"
#include "catalogue/text_field.h"
#include "db/database.h"
#include "resources/resource_ids.h"

namespace quillet {

namespace {

constexpr char kUpdateStatusText[] = "UPDATE main SET Status = ? WHERE RomName = ?";

// The statement's two parameters, bound once per run.
uint8_t statusCode;
char setName[kRomNameField];

// Sink of the scanner: one result line. SQL_NO_DATA is the driver's word
// for an update that matched no row: the line names a set the catalogue
// lacks (one the import left out), which is no error. A real failure is
// shown once; the stage is then rolled back, so the lines after it are
// passed over.
void UpdateStatus(void* context, const char* name, uint8_t code) {
    StageRun& run = *static_cast<StageRun*>(context);
    if (run.failures != 0) return;
    CopyToField(setName, name);
    statusCode = code;
    const SQLRETURN result = SQLExecute(run.statement);
    if (!SQL_SUCCEEDED(result) && result != SQL_NO_DATA) {
        ReportMessage(run.dialog, MessageSourceModule, MSG_ODBC_EXECUTE);
        ++run.failures;
    }
    run.items.Add(1);
}

}  // namespace

bool ApplyVerifyResults(HWND dialog, const char* text, size_t length) {
    SendProgressStep(dialog, IDS_STEP_PROCESSING);

    // All the statuses or none: a failure keeps the ones the catalogue had.
    StageTransaction transaction;
    if (!transaction.began()) {
        ReportMessage(dialog, MessageSourceModule, MSG_ODBC_EXECUTE);
        return false;
    }
    const SQLHSTMT statement = PrepareStageStatement(kUpdateStatusText);
    if (!statement) {
        ReportMessage(dialog, MessageSourceModule, MSG_ODBC_STATEMENT);
        return false;
    }
    SQLBindParameter(statement, 1, SQL_PARAM_INPUT, SQL_C_UTINYINT, SQL_TINYINT, 20, 0, &statusCode, 1, nullptr);
    SQLBindParameter(statement, 2, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_CHAR, kLongestRomName, 0, setName, sizeof setName, nullptr);

    ProgressCounter lines(dialog);
    StageRun run{dialog, statement, lines};
    ScanVerifyResults(text, text + length, UpdateStatus, &run);
    lines.Finish();
    FreeStageStatement(statement);

    if (run.failures != 0) {
        transaction.Rollback();
        return false;
    }
    if (!transaction.Commit()) {
        ReportMessage(dialog, MessageSourceModule, MSG_ODBC_EXECUTE);
        return false;
    }
    return true;
}

}  // namespace quillet
