// Writing each ROM set's verification verdict into column Status.
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <cstdint>

#include "app/progress.h"
#include "app/report.h"
#include "app/progress_counter.h"
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

// Sink of the scanner: one result line. Every result but success (with or
// without information) is a failure, SQL_NO_DATA for a set that has no row
// among them.
void UpdateStatus(void* context, const char* name, uint8_t code) {
    StageRun& run = *static_cast<StageRun*>(context);
    CopyToField(setName, name);
    statusCode = code;
    if (!SQL_SUCCEEDED(SQLExecute(run.statement))) ReportMessage(run.dialog, MessageSourceModule, MSG_ODBC_EXECUTE);
    run.items.Add(1);
}

}  // namespace

void ApplyVerifyResults(HWND dialog, const char* text, size_t length) {
    SendProgressStep(dialog, IDS_STEP_PROCESSING);

    const SQLHSTMT statement = PrepareStageStatement(kUpdateStatusText);
    if (!statement) {
        ReportMessage(dialog, MessageSourceModule, MSG_ODBC_STATEMENT);
        return;
    }
    SQLBindParameter(statement, 1, SQL_PARAM_INPUT, SQL_C_UTINYINT, SQL_TINYINT, 20, 0, &statusCode, 1, nullptr);
    SQLBindParameter(statement, 2, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_CHAR, kLongestRomName, 0, setName, sizeof setName, nullptr);

    ProgressCounter lines(dialog);
    StageRun run{dialog, statement, lines};
    ScanVerifyResults(text, text + length, UpdateStatus, &run);
    lines.Finish();

    FreeStageStatement(statement);
}

}  // namespace quillet
