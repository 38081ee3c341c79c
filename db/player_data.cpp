#include "db/player_data.h"

#include <cstring>
#include <string>
#include <unordered_map>

namespace quillet {

namespace {

SQLCHAR* Text(const char* text) { return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text)); }

// A statement of the shared connection, freed with its scope.
class Statement {
public:
    Statement() {
        if (!DatabaseConnection || !SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &handle_)))
            handle_ = SQL_NULL_HSTMT;
    }
    ~Statement() {
        if (handle_) {
            SQLFreeStmt(handle_, SQL_CLOSE);
            SQLFreeHandle(SQL_HANDLE_STMT, handle_);
        }
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    SQLHSTMT get() const { return handle_; }

    void BindText(SQLUSMALLINT number, const char* text) {
        SQLBindParameter(handle_, number, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_CHAR, std::strlen(text) + 1, 0,
                         const_cast<char*>(text), 0, nullptr);
    }
    void BindNumber(SQLUSMALLINT number, const SQLINTEGER* value) {
        SQLBindParameter(handle_, number, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0,
                         const_cast<SQLINTEGER*>(value), 0, nullptr);
    }
    // Executes `sql` with the bound parameters; the rows it changed, or -1
    // when it failed.
    SQLLEN Run(const char* sql) {
        if (!handle_) return -1;
        // An UPDATE that changes no row answers "no data" (ODBC 3).
        const SQLRETURN result = SQLExecDirect(handle_, Text(sql), SQL_NTS);
        if (result == SQL_NO_DATA) return 0;
        if (!SQL_SUCCEEDED(result)) return -1;
        SQLLEN rows = 0;
        if (!SQL_SUCCEEDED(SQLRowCount(handle_, &rows))) rows = 0;
        return rows;
    }

private:
    SQLHSTMT handle_ = SQL_NULL_HSTMT;
};

// Changes the game's row with `update` (its last parameter the ROM name);
// when there is none yet, inserts one and changes that.
template <class Bind>
bool UpdateOrInsert(const char* romName, const char* update, Bind bind) {
    {
        Statement s;
        const SQLUSMALLINT nameNumber = bind(s);
        s.BindText(nameNumber, romName);
        const SQLLEN rows = s.Run(update);
        if (rows < 0) return false;
        if (rows > 0) return true;
    }
    {
        Statement s;
        s.BindText(1, romName);
        if (s.Run("INSERT INTO usergames (RomName) VALUES (?)") < 0) return false;
    }
    Statement s;
    const SQLUSMALLINT nameNumber = bind(s);
    s.BindText(nameNumber, romName);
    return s.Run(update) > 0;
}

struct StoredRow {
    uint8_t favourite;
    uint32_t timesPlayed;
    uint32_t secondsPlayed;
    char lastPlayed[20];
};

void CopyRow(const StoredRow& row, GameExtras& e) {
    e.Favourite = row.favourite;
    e.TimesPlayed = row.timesPlayed;
    e.SecondsPlayed = row.secondsPlayed;
    std::memcpy(e.LastPlayed, row.lastPlayed, sizeof e.LastPlayed);
    e.LastPlayed[sizeof e.LastPlayed - 1] = '\0';
    FormatPlayerTexts(e);
}

// Runs `sql` (RomName, Favourite, TimesPlayed, LastPlayed, SecondsPlayed)
// and hands each row over; false when it could not run.
template <class Sink>
bool ReadRows(Statement& s, const char* sql, Sink sink) {
    if (!s.get() || !SQL_SUCCEEDED(SQLExecDirect(s.get(), Text(sql), SQL_NTS))) return false;
    char name[kRomNameField + 8];
    SQLINTEGER favourite = 0, times = 0, seconds = 0;
    StoredRow row{};
    SQLLEN nameLength = 0, lastLength = 0;
    SQLBindCol(s.get(), 1, SQL_C_CHAR, name, sizeof name, &nameLength);
    SQLBindCol(s.get(), 2, SQL_C_SLONG, &favourite, 0, nullptr);
    SQLBindCol(s.get(), 3, SQL_C_SLONG, &times, 0, nullptr);
    SQLBindCol(s.get(), 4, SQL_C_CHAR, row.lastPlayed, sizeof row.lastPlayed, &lastLength);
    SQLBindCol(s.get(), 5, SQL_C_SLONG, &seconds, 0, nullptr);
    while (SQL_SUCCEEDED(SQLFetch(s.get()))) {
        if (lastLength == SQL_NULL_DATA) row.lastPlayed[0] = '\0';
        row.favourite = favourite ? 1 : 0;
        row.timesPlayed = times > 0 ? static_cast<uint32_t>(times) : 0;
        row.secondsPlayed = seconds > 0 ? static_cast<uint32_t>(seconds) : 0;
        if (nameLength != SQL_NULL_DATA) sink(name, row);
    }
    SQLFreeStmt(s.get(), SQL_UNBIND);
    return true;
}

constexpr char kSelectAll[] = "SELECT RomName, Favourite, TimesPlayed, LastPlayed, SecondsPlayed FROM usergames";

}  // namespace

void ApplyPlayerData(GameRecordList& list) {
    std::unordered_map<std::string, StoredRow> rows;
    Statement s;
    if (!ReadRows(s, kSelectAll, [&rows](const char* name, const StoredRow& row) { rows.emplace(name, row); }))
        return;
    if (rows.empty()) return;
    std::string key;
    for (GameRecordNode* node = list.top; node; node = node->next) {
        key.assign(node->record->RomName);
        const auto it = rows.find(key);
        if (it != rows.end()) CopyRow(it->second, node->record->Extra);
    }
}

bool ReadPlayerData(const char* romName, GameExtras& extras) {
    StoredRow found{};
    Statement s;
    s.BindText(1, romName);
    const std::string sql = std::string(kSelectAll) + " WHERE RomName = ?";
    if (!ReadRows(s, sql.c_str(), [&found](const char*, const StoredRow& row) { found = row; })) return false;
    CopyRow(found, extras);
    return true;
}

bool StoreFavourite(const char* romName, bool favourite) {
    const SQLINTEGER value = favourite ? 1 : 0;
    return UpdateOrInsert(romName, "UPDATE usergames SET Favourite = ? WHERE RomName = ?", [&value](Statement& s) {
        s.BindNumber(1, &value);
        return SQLUSMALLINT{2};
    });
}

bool StoreGameStart(const char* romName, const char* when) {
    return UpdateOrInsert(romName, "UPDATE usergames SET TimesPlayed = TimesPlayed + 1, LastPlayed = ? WHERE RomName = ?",
                          [when](Statement& s) {
                              s.BindText(1, when);
                              return SQLUSMALLINT{2};
                          });
}

bool StorePlayTime(const char* romName, uint32_t seconds) {
    const SQLINTEGER value = static_cast<SQLINTEGER>(seconds > 0x7FFFFFFFu ? 0x7FFFFFFFu : seconds);
    return UpdateOrInsert(romName, "UPDATE usergames SET SecondsPlayed = SecondsPlayed + ? WHERE RomName = ?",
                          [&value](Statement& s) {
                              s.BindNumber(1, &value);
                              return SQLUSMALLINT{2};
                          });
}

}  // namespace quillet
