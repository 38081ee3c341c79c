// The one prepared statement a catalogue stage executes for each item its
// scanner hands over, and what the scanner's sink is given to do that.
// Internal to catalogue/.
#pragma once

#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <cstdint>

#include "base/progress_counter.h"
#include "catalogue/stages.h"
#include "db/database.h"

namespace quillet {

// A statement of the shared connection with `sql` prepared, its parameters
// still to be bound; SQL_NULL_HSTMT when none could be allocated. The
// prepare's own result is not examined: a statement that did not prepare
// fails each execute, and every stage reports a failed execute.
inline SQLHSTMT PrepareStageStatement(const char* sql) {
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &statement))) return SQL_NULL_HSTMT;
    SQLPrepare(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql)), SQL_NTS);
    return statement;
}

// Closes the statement's cursor and frees the statement.
inline void FreeStageStatement(SQLHSTMT statement) {
    SQLFreeStmt(statement, SQL_CLOSE);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
}

// The context of a stage's sink: where failures are shown, the statement
// to execute, the count of items handed over, and the executes that failed.
struct StageRun {
    HWND dialog;
    SQLHSTMT statement;
    ProgressCounter& items;
    uint32_t failures = 0;
};

inline bool SetAutocommit(bool on) {
    const SQLULEN mode = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
    return SQL_SUCCEEDED(
        SQLSetConnectAttr(DatabaseConnection, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(mode), SQL_IS_UINTEGER));
}

// The statements of one stage as one transaction of the shared connection,
// so that a stage that fails leaves the catalogue as it found it; one
// commit also costs far less than one per row. A transaction that is
// neither committed nor rolled back when it goes out of scope is rolled
// back. Afterwards the connection commits each statement again.
//
// With CommitEachStatement set, no transaction is opened: every statement
// commits on its own and nothing can be rolled back.
class StageTransaction {
public:
    StageTransaction() : began_(CommitEachStatement || SetAutocommit(false)), open_(began_) {}
    ~StageTransaction() { End(SQL_ROLLBACK); }
    StageTransaction(const StageTransaction&) = delete;
    StageTransaction& operator=(const StageTransaction&) = delete;

    // False when the driver refused to open a transaction.
    bool began() const { return began_; }
    // False when the commit failed; the transaction is then rolled back.
    bool Commit() { return End(SQL_COMMIT); }
    void Rollback() { End(SQL_ROLLBACK); }

private:
    bool End(SQLSMALLINT completion) {
        if (!open_) return false;
        open_ = false;
        if (CommitEachStatement) return true;
        const bool ended = SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, DatabaseConnection, completion));
        if (!ended && completion == SQL_COMMIT) SQLEndTran(SQL_HANDLE_DBC, DatabaseConnection, SQL_ROLLBACK);
        SetAutocommit(true);
        return ended;
    }

    bool began_;
    bool open_;
};

}  // namespace quillet
