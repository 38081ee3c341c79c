// The skeleton every catalogue stage runs on: one transaction per command,
// and one prepared statement executed for each item a scanner hands over,
// with its bindings, progress count and failure policy. Internal to catalogue/.
#pragma once

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <cstddef>
#include <cstdint>

#include "base/handles.h"
#include "base/progress_counter.h"
#include "catalogue/stages.h"

namespace quillet {

// The statements of a command as one transaction of the shared connection,
// so that a command that fails or is cancelled leaves the catalogue as it
// found it. The first transaction opened owns it; one opened while it is
// open joins it: its Commit commits nothing, and its Rollback dooms the
// owner's, which then rolls back instead of committing. A rebuild opens
// one around its three stages; a stage run alone opens its own.
//
// An owner that is neither committed nor rolled back when it goes out of
// scope is rolled back. Afterwards the connection commits each statement
// again; when the rollback itself fails, the connection is closed and
// opened again instead, since switching autocommit on would commit what
// was meant to go.
class CatalogueTransaction {
public:
    CatalogueTransaction();
    ~CatalogueTransaction();
    CatalogueTransaction(const CatalogueTransaction&) = delete;
    CatalogueTransaction& operator=(const CatalogueTransaction&) = delete;

    // False when the driver refused to open a transaction.
    bool began() const { return began_; }
    // False when the commit failed, or a joined stage failed; everything
    // is then rolled back.
    bool Commit() { return End(true); }
    void Rollback() { End(false); }

private:
    bool End(bool commit);

    bool began_ = false;
    bool joined_ = false;
    bool open_ = false;
};

// One parameter of a stage's statement: where it lies in the stage's
// context of bound fields and how the driver reads it. Character values
// are zero-terminated (no length buffer).
struct StageBinding {
    SQLSMALLINT valueType;
    SQLSMALLINT sqlType;
    SQLULEN columnSize;
    size_t offset;
    SQLLEN bufferLength;
};

// What a stage's scanner sink is given: the prepared statement bound to the
// stage's context, and the policy for its failures. Any failed execute
// stops the stage (an update that matched no row is no failure); so does a
// cancel of the task. The sink asks Stopped() first and returns at once
// when it is true.
class StatementStage {
public:
    StatementStage(HWND dialog, SQLHSTMT statement) : dialog_(dialog), statement_(statement), items_(dialog) {}
    StatementStage(const StatementStage&) = delete;
    StatementStage& operator=(const StatementStage&) = delete;

    // The stage's own context of its scan, for the sink.
    void* context = nullptr;

    HWND dialog() const { return dialog_; }
    SQLHSTMT statement() const { return statement_; }
    bool Stopped() {
        if (!failed_ && !cancelled_ && TaskCancelledNow()) cancelled_ = true;
        return failed_ || cancelled_;
    }
    // Executes the statement over the first `rows` rows of its parameter
    // array (one row unless the stage binds an array); false, and the stage
    // stopped, when it failed.
    bool Execute(SQLULEN rows = 1);
    // Adds to the progress count.
    void Count(DWORD items) { items_.Add(items); }
    // Marks the stage failed with the driver's message of the statement.
    void Fail();
    bool failed() const { return failed_; }
    bool cancelled() const { return cancelled_; }
    void FinishCount() { items_.Finish(); }
    const char* failure() const { return failure_; }

private:
    static bool TaskCancelledNow();

    HWND dialog_;
    SQLHSTMT statement_;
    ProgressCounter items_;
    bool failed_ = false;
    bool cancelled_ = false;
    SQLULEN paramsetSize_ = 1;
    char failure_[512] = "";
};

// The shape of a statement stage.
struct StatementStagePlan {
    const char* sql;
    const StageBinding* bindings;
    size_t bindingCount;
    const char* firstSql = nullptr;  // run once before the scan (emptying a table), or none
    SQLULEN rows = 1;                // parameter array: rows of rowSize bytes from the fields
    size_t rowSize = 0;
};

// Runs the stage's scanner with the stage as the sink's context; false
// when the input is unusable, after showing one box that says why.
using StageScan = bool (*)(StatementStage& stage, void* context);

// The one routine of every statement stage: opens (or joins) the
// transaction, prepares the statement and binds its parameters to
// `fields`, runs the scan, finishes the count, then commits; on any
// failure or cancel it rolls back. A failed statement shows one box with
// the driver's message; a cancel shows none.
StageOutcome RunStatementStage(HWND dialog, const StatementStagePlan& plan, void* fields, StageScan scan,
                               void* context);

}  // namespace quillet
