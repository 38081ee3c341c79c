#include "db/history_index.h"

#include <cstring>

#include "db/database.h"

namespace quillet {

namespace {

SQLCHAR* Text(const char* text) { return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text)); }

SQLHSTMT NewStatement() {
    SQLHSTMT s = SQL_NULL_HSTMT;
    if (!DatabaseConnection || !SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &s)))
        return SQL_NULL_HSTMT;
    return s;
}

void FreeStatement(SQLHSTMT s) {
    if (!s) return;
    SQLFreeStmt(s, SQL_CLOSE);
    SQLFreeHandle(SQL_HANDLE_STMT, s);
}

bool Run(const char* sql) {
    SQLHSTMT s = NewStatement();
    if (!s) return false;
    const SQLRETURN r = SQLExecDirect(s, Text(sql), SQL_NTS);
    FreeStatement(s);
    return SQL_SUCCEEDED(r) || r == SQL_NO_DATA;
}

bool SetAutocommit(bool on) {
    const SQLULEN mode = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
    return SQL_SUCCEEDED(
        SQLSetConnectAttr(DatabaseConnection, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(mode), SQL_IS_UINTEGER));
}

void LowerCopy(char* out, size_t capacity, const char* name) {
    size_t i = 0;
    for (; name[i] && i + 1 < capacity; ++i) {
        const char c = name[i];
        out[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    out[i] = '\0';
}

}  // namespace

bool ReadHistoryKey(HistoryFileKey& key, bool& damaged) {
    SQLHSTMT s = NewStatement();
    if (!s) return false;
    bool found = false;
    if (SQL_SUCCEEDED(SQLExecDirect(s, Text("SELECT Path, Version, Size, Time, Damaged FROM historyfile"), SQL_NTS))) {
        char path[300] = "", version[48] = "";
        SQLBIGINT size = 0, time = 0;
        SQLINTEGER bad = 0;
        SQLBindCol(s, 1, SQL_C_CHAR, path, sizeof path, nullptr);
        SQLBindCol(s, 2, SQL_C_CHAR, version, sizeof version, nullptr);
        SQLBindCol(s, 3, SQL_C_SBIGINT, &size, 0, nullptr);
        SQLBindCol(s, 4, SQL_C_SBIGINT, &time, 0, nullptr);
        SQLBindCol(s, 5, SQL_C_SLONG, &bad, 0, nullptr);
        if (SQL_SUCCEEDED(SQLFetch(s))) {
            key = {path, version, size, time};
            damaged = bad != 0;
            found = true;
        }
    }
    FreeStatement(s);
    return found;
}

bool FindHistoryEntry(const char* name, uint32_t& offset, uint32_t& length) {
    char lower[48];
    LowerCopy(lower, sizeof lower, name);
    SQLHSTMT s = NewStatement();
    if (!s) return false;
    bool found = false;
    SQLBindParameter(s, 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_CHAR, sizeof lower - 1, 0, lower, 0, nullptr);
    if (SQL_SUCCEEDED(SQLExecDirect(s, Text("SELECT Offset, Length FROM historyindex WHERE Name = ?"), SQL_NTS))) {
        SQLINTEGER at = 0, size = 0;
        SQLBindCol(s, 1, SQL_C_SLONG, &at, 0, nullptr);
        SQLBindCol(s, 2, SQL_C_SLONG, &size, 0, nullptr);
        if (SQL_SUCCEEDED(SQLFetch(s)) && at >= 0 && size >= 0) {
            offset = static_cast<uint32_t>(at);
            length = static_cast<uint32_t>(size);
            found = true;
        }
    }
    FreeStatement(s);
    return found;
}

HistoryIndexWriter::HistoryIndexWriter() {
    if (!DatabaseConnection || !SetAutocommit(false)) return;
    open_ = true;
    if (!Run("DELETE FROM historyindex") || !Run("DELETE FROM historyfile")) return;
    SQLHSTMT s = NewStatement();
    if (!s) return;
    if (!SQL_SUCCEEDED(SQLPrepare(s, Text("INSERT INTO historyindex (Name, Offset, Length) VALUES (?, ?, ?)"), SQL_NTS))) {
        FreeStatement(s);
        return;
    }
    SQLBindParameter(s, 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_CHAR, sizeof name_ - 1, 0, name_, sizeof name_, nullptr);
    SQLBindParameter(s, 2, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &offset_, 0, nullptr);
    SQLBindParameter(s, 3, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &length_, 0, nullptr);
    statement_ = s;
    ok_ = true;
}

HistoryIndexWriter::~HistoryIndexWriter() {
    FreeStatement(static_cast<SQLHSTMT>(statement_));
    if (open_) {
        SQLEndTran(SQL_HANDLE_DBC, DatabaseConnection, SQL_ROLLBACK);
        SetAutocommit(true);
    }
}

void HistoryIndexWriter::Add(const char* name, uint32_t offset, uint32_t length) {
    if (!ok_) return;
    LowerCopy(name_, sizeof name_, name);
    offset_ = static_cast<int32_t>(offset);
    length_ = static_cast<int32_t>(length);
    if (!SQL_SUCCEEDED(SQLExecute(static_cast<SQLHSTMT>(statement_)))) ok_ = false;
}

bool HistoryIndexWriter::Finish(const HistoryFileKey& key, bool damaged) {
    if (!ok_) return false;
    SQLHSTMT s = NewStatement();
    if (!s) return false;
    SQLBIGINT size = key.size, time = key.time;
    SQLINTEGER bad = damaged ? 1 : 0;
    SQLBindParameter(s, 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_CHAR, key.path.size() + 1, 0,
                     const_cast<char*>(key.path.c_str()), 0, nullptr);
    SQLBindParameter(s, 2, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_CHAR, key.version.size() + 1, 0,
                     const_cast<char*>(key.version.c_str()), 0, nullptr);
    SQLBindParameter(s, 3, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, &size, 0, nullptr);
    SQLBindParameter(s, 4, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, &time, 0, nullptr);
    SQLBindParameter(s, 5, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &bad, 0, nullptr);
    const bool stored = SQL_SUCCEEDED(SQLExecDirect(
        s, Text("INSERT INTO historyfile (Path, Version, Size, Time, Damaged) VALUES (?, ?, ?, ?, ?)"), SQL_NTS));
    FreeStatement(s);
    if (!stored) return false;
    const bool committed = SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, DatabaseConnection, SQL_COMMIT));
    if (!committed) SQLEndTran(SQL_HANDLE_DBC, DatabaseConnection, SQL_ROLLBACK);
    SetAutocommit(true);
    open_ = false;
    return committed;
}

}  // namespace quillet
