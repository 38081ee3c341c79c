// The statement stage skeleton and the command's transaction.
#include "catalogue/stage_statement.h"

#include "base/progress.h"
#include "base/report.h"
#include "db/database.h"
#include "resources/resource_ids.h"

namespace quillet {

namespace {

// The transaction the connection has open, on the worker thread only: how
// many CatalogueTransactions share it and whether one of them failed.
int openTransactions = 0;
bool transactionDoomed = false;

bool SetAutocommit(bool on) {
    const SQLULEN mode = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
    return Succeeded(
        SQLSetConnectAttr(DatabaseConnection, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(mode), SQL_IS_UINTEGER));
}

bool EndTransaction(SQLSMALLINT completion) {
    return Succeeded(SQLEndTran(SQL_HANDLE_DBC, DatabaseConnection, completion));
}

void ReportFailure(HWND dialog, const char* driverText) {
    ReportMessage(dialog, MessageSourceModule, MSG_REBUILD_FAILED, driverText[0] ? driverText : "-");
}

}  // namespace

CatalogueTransaction::CatalogueTransaction() {
    if (openTransactions > 0) {
        joined_ = true;
        began_ = open_ = true;
        ++openTransactions;
        return;
    }
    began_ = open_ = SetAutocommit(false);
    if (began_) {
        openTransactions = 1;
        transactionDoomed = false;
    }
}

CatalogueTransaction::~CatalogueTransaction() { End(false); }

bool CatalogueTransaction::End(bool commit) {
    if (!open_) return false;
    open_ = false;
    --openTransactions;
    if (joined_) {
        if (!commit) transactionDoomed = true;
        return commit && !transactionDoomed;
    }
    const bool committing = commit && !transactionDoomed;
    transactionDoomed = false;
    if (committing && EndTransaction(SQL_COMMIT)) {
        SetAutocommit(true);
        return true;
    }
    if (EndTransaction(SQL_ROLLBACK)) {
        SetAutocommit(true);
    } else {
        // The transaction may still be open: closing the connection drops
        // it, and the new connection commits each statement of its own.
        ReopenDatabase(nullptr);
    }
    return false;
}

bool StatementStage::TaskCancelledNow() { return TaskCancelled(); }

bool StatementStage::Execute(SQLULEN rows) {
    if (rows != paramsetSize_) {
        SQLSetStmtAttr(statement_, SQL_ATTR_PARAMSET_SIZE, reinterpret_cast<SQLPOINTER>(rows), 0);
        paramsetSize_ = rows;
    }
    const SQLRETURN result = SQLExecute(statement_);
    // SQL_NO_DATA: an update that matched no row, a set the catalogue lacks.
    if (Succeeded(result) || result == SQL_NO_DATA) return true;
    Fail();
    return false;
}

void StatementStage::Fail() {
    if (failed_) return;
    failed_ = true;
    DriverMessage(SQL_HANDLE_STMT, statement_, failure_, sizeof failure_);
}

StageOutcome RunStatementStage(HWND dialog, const StatementStagePlan& plan, void* fields, StageScan scan,
                               void* context) {
    CatalogueTransaction transaction;
    if (!transaction.began()) {
        char text[512];
        DriverMessage(SQL_HANDLE_DBC, DatabaseConnection, text, sizeof text);
        ReportFailure(dialog, text);
        return StageOutcome::Failed;
    }
    const OdbcStatement statement(DatabaseConnection);
    if (!statement.valid()) {
        ReportMessage(dialog, MessageSourceModule, MSG_ODBC_STATEMENT);
        transaction.Rollback();
        return StageOutcome::Failed;
    }
    StatementStage stage(dialog, statement.get());
    if (plan.firstSql) {
        const SQLRETURN result = SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(plan.firstSql)), SQL_NTS);
        // A table that was already empty is no failure.
        if (!Succeeded(result) && result != SQL_NO_DATA) stage.Fail();
        SQLFreeStmt(statement.get(), SQL_CLOSE);
    }
    // A statement the driver cannot prepare (a trigger naming a dropped
    // table, say) fails as its executes would.
    if (!stage.failed() &&
        !Succeeded(SQLPrepare(statement.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(plan.sql)), SQL_NTS)))
        stage.Fail();
    if (!stage.failed()) {
        if (plan.rowSize != 0) {
            SQLSetStmtAttr(statement.get(), SQL_ATTR_PARAM_BIND_TYPE, reinterpret_cast<SQLPOINTER>(plan.rowSize), 0);
        }
        SQLUSMALLINT number = 1;
        for (size_t i = 0; i < plan.bindingCount; ++i) {
            const StageBinding& b = plan.bindings[i];
            SQLBindParameter(statement.get(), number++, SQL_PARAM_INPUT, b.valueType, b.sqlType, b.columnSize, 0,
                             static_cast<char*>(fields) + b.offset, b.bufferLength, nullptr);
        }
    }
    bool usable = true;
    if (!stage.Stopped()) usable = scan(stage, context);
    stage.FinishCount();

    if (stage.failed()) {
        transaction.Rollback();
        ReportFailure(dialog, stage.failure());
        return StageOutcome::Failed;
    }
    if (stage.cancelled() || TaskCancelled()) {
        transaction.Rollback();
        return StageOutcome::Cancelled;
    }
    if (!usable) {
        transaction.Rollback();
        return StageOutcome::Failed;
    }
    if (!transaction.Commit()) {
        ReportMessage(dialog, MessageSourceModule, MSG_ODBC_EXECUTE);
        return StageOutcome::Failed;
    }
    return StageOutcome::Done;
}

}  // namespace quillet
