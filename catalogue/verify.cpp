// Writing each ROM set's verification verdict into column Status.
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <cstddef>
#include <cstdint>

#include "base/progress.h"
#include "catalogue/scanners.h"
#include "catalogue/stage_statement.h"
#include "catalogue/stages.h"
#include "catalogue/text_field.h"
#include "resources/resource_ids.h"

namespace quillet {

namespace {

constexpr char kUpdateStatusText[] = "UPDATE main SET Status = ? WHERE RomName = ?";

// The statement's two parameters.
struct VerifyFields {
    uint8_t statusCode;
    char setName[kRomNameField];
};

constexpr StageBinding kVerifyBindings[] = {
    {SQL_C_UTINYINT, SQL_TINYINT, 20, offsetof(VerifyFields, statusCode), 1},
    {SQL_C_CHAR, SQL_CHAR, kLongestRomName, offsetof(VerifyFields, setName), kRomNameField},
};

struct VerifyRun {
    VerifyFields fields{};
    const char* begin;
    const char* end;
};

// Sink of the scanner: one result line.
void UpdateStatus(void* context, const char* name, uint8_t code) {
    auto& stage = *static_cast<StatementStage*>(context);
    if (stage.Stopped()) return;
    auto& run = *static_cast<VerifyRun*>(stage.context);
    CopyToField(run.fields.setName, name);
    run.fields.statusCode = code;
    stage.Execute();
    stage.Count(1);
}

bool ScanVerify(StatementStage& stage, void* context) {
    auto& run = *static_cast<VerifyRun*>(context);
    stage.context = &run;
    ScanVerifyResults(run.begin, run.end, UpdateStatus, &stage);
    return true;
}

}  // namespace

bool ApplyVerifyResults(HWND dialog, const char* text, size_t length) {
    SendProgressStep(dialog, IDS_STEP_PROCESSING);
    VerifyRun run{{}, text, text + length};
    const StatementStagePlan plan{kUpdateStatusText, kVerifyBindings, 2};
    return RunStatementStage(dialog, plan, &run.fields, ScanVerify, &run) == StageOutcome::Done;
}

}  // namespace quillet
