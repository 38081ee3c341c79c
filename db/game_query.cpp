// The filtered game query: one statement prepared at connect time with its
// 28 parameters bound to the FilterQueryBlock, executed again by every
// reload; and the last-in-first-out list that carries a reload's records to
// the game list.
#include <cstddef>
#include <utility>

#include "base/globals.h"
#include "base/progress.h"
#include "base/progress_counter.h"
#include "base/report.h"
#include "db/database.h"
#include "resources/resource_ids.h"
#include "settings/language.h"

namespace quillet {

namespace {

constexpr char kGameQuery[] =
    "SELECT * FROM main WHERE ( Status IN (?, ?, ?, ?) ) AND ( RomName LIKE ? ) AND ( Manufacturer LIKE ? ) "
    "AND ( Year BETWEEN ? AND ? ) AND ( Palette BETWEEN ? AND ? ) AND ( Resolution BETWEEN ? AND ? ) "
    "AND (Frequency BETWEEN ? AND ? ) AND (Video IN (?, ?)) AND (Orientation IN (?, ?)) "
    "AND (DriverStatus IN (?, ?) OR (DriverStatus = 1 AND ? = 0)) AND (ColorStatus IN (?, ?, ?)) "
    "AND (SoundStatus IN (?, ?, ?)) AND (Original IN ( 0, ?)) ORDER BY RomName ASC";

// One input parameter: where it lies in the block and how the driver reads
// it. Texts are zero-terminated (no length buffer); the column sizes are
// those the catalogue has always declared, odd ones included.
struct ParameterBinding {
    size_t offset;
    SQLSMALLINT valueType;
    SQLSMALLINT sqlType;
    SQLULEN columnSize;
    SQLLEN bufferLength;
};

#define AT(field, byte) offsetof(FilterQueryBlock, field) + (byte)
constexpr ParameterBinding kGameQueryParameters[] = {
    {AT(FilRomDb, 0), SQL_C_UTINYINT, SQL_TINYINT, 5, 0},
    {AT(FilRomDb, 1), SQL_C_UTINYINT, SQL_TINYINT, 5, 0},
    {AT(FilRomDb, 2), SQL_C_UTINYINT, SQL_TINYINT, 15, 0},
    {AT(FilRomDb, 3), SQL_C_UTINYINT, SQL_TINYINT, 15, 0},
    {AT(FilNamePattern, 0), SQL_C_CHAR, SQL_CHAR, 9, sizeof FilterQueryBlock::FilNamePattern},
    {AT(FilManPattern, 0), SQL_C_CHAR, SQL_CHAR, 100, sizeof FilterQueryBlock::FilManPattern},
    {AT(FilYearFirst, 0), SQL_C_SSHORT, SQL_SMALLINT, 0, 0},
    {AT(FilYearFirst, 2), SQL_C_SSHORT, SQL_SMALLINT, 0, 0},
    {AT(FilPaletteFirst, 0), SQL_C_CHAR, SQL_INTEGER, 0, sizeof FilterQueryBlock::FilPaletteFirst},
    {AT(FilPaletteLast, 0), SQL_C_CHAR, SQL_INTEGER, 0, sizeof FilterQueryBlock::FilPaletteLast},
    {AT(FilResoFirst, 0), SQL_C_CHAR, SQL_CHAR, 20, sizeof FilterQueryBlock::FilResoFirst},
    {AT(FilResoLast, 0), SQL_C_CHAR, SQL_CHAR, 20, sizeof FilterQueryBlock::FilResoLast},
    // Small integers, not bytes: the upper bound of all frequencies is 999.
    {AT(FilFreqFirst, 0), SQL_C_CHAR, SQL_SMALLINT, 0, sizeof FilterQueryBlock::FilFreqFirst},
    {AT(FilFreqLast, 0), SQL_C_CHAR, SQL_SMALLINT, 0, sizeof FilterQueryBlock::FilFreqLast},
    {AT(FilVideoDb, 0), SQL_C_UTINYINT, SQL_TINYINT, 0, 0},
    {AT(FilVideoDb, 1), SQL_C_UTINYINT, SQL_TINYINT, 0, 0},
    {AT(FilVideoDb, 2), SQL_C_UTINYINT, SQL_TINYINT, 0, 0},
    {AT(FilVideoDb, 3), SQL_C_UTINYINT, SQL_TINYINT, 0, 0},
    {AT(FilDriverDb, 0), SQL_C_UTINYINT, SQL_TINYINT, 0, 0},
    {AT(FilDriverDb, 1), SQL_C_UTINYINT, SQL_TINYINT, 0, 0},
    // Imperfect drivers (code 1) run: they are listed along with the good
    // ones. The block has no byte of their own, so the driver-good byte is
    // bound a second time and admits them while it holds the good code.
    {AT(FilDriverDb, 0), SQL_C_UTINYINT, SQL_TINYINT, 0, 0},
    {AT(FilDriverDb, 2), SQL_C_UTINYINT, SQL_TINYINT, 0, 0},
    {AT(FilDriverDb, 3), SQL_C_UTINYINT, SQL_TINYINT, 0, 0},
    {AT(FilDriverDb, 4), SQL_C_UTINYINT, SQL_TINYINT, 0, 0},
    {AT(FilDriverDb, 5), SQL_C_UTINYINT, SQL_TINYINT, 0, 0},
    {AT(FilDriverDb, 6), SQL_C_UTINYINT, SQL_TINYINT, 0, 0},
    {AT(FilDriverDb, 7), SQL_C_UTINYINT, SQL_TINYINT, 0, 0},
    {AT(FilRomDb, 4), SQL_C_UTINYINT, SQL_TINYINT, 0, 0},
};
#undef AT
static_assert(sizeof kGameQueryParameters / sizeof kGameQueryParameters[0] == 28);

// One result column in table order: the record field it lands in. Codes
// arrive as one unsigned byte in the first byte of their (text) field.
struct ResultBinding {
    size_t offset;
    SQLSMALLINT valueType;
    SQLLEN width;
};

#define TEXT_COLUMN(field) {offsetof(GameRecord, field), SQL_C_CHAR, sizeof GameRecord::field}
#define CODE_COLUMN(field) {offsetof(GameRecord, field), SQL_C_UTINYINT, sizeof GameRecord::field}
constexpr ResultBinding kGameQueryColumns[] = {
    TEXT_COLUMN(RomName),      TEXT_COLUMN(Description), TEXT_COLUMN(Year),        TEXT_COLUMN(Manufacturer),
    CODE_COLUMN(Original),     TEXT_COLUMN(Cloneof),     CODE_COLUMN(Status),      CODE_COLUMN(DriverStatus),
    CODE_COLUMN(ColorStatus),  CODE_COLUMN(SoundStatus), TEXT_COLUMN(Palette),     CODE_COLUMN(Video),
    CODE_COLUMN(Orientation),  TEXT_COLUMN(Resolution),  TEXT_COLUMN(Frequency),   TEXT_COLUMN(Category),
    TEXT_COLUMN(IconPath),
};
#undef TEXT_COLUMN
#undef CODE_COLUMN
static_assert(sizeof kGameQueryColumns / sizeof kGameQueryColumns[0] == 17);

void BindGameQueryParameters(FilterQueryBlock* block) {
    char* base = reinterpret_cast<char*>(block);
    SQLUSMALLINT number = 1;
    for (const ParameterBinding& p : kGameQueryParameters)
        SQLBindParameter(GameQueryStatement.get(), number++, SQL_PARAM_INPUT, p.valueType, p.sqlType, p.columnSize, 0,
                         base + p.offset, p.bufferLength, nullptr);
}

void BindGameQueryColumns(GameRecord* row) {
    char* base = reinterpret_cast<char*>(row);
    SQLUSMALLINT number = 1;
    for (const ResultBinding& c : kGameQueryColumns)
        SQLBindCol(GameQueryStatement.get(), number++, c.valueType, base + c.offset, c.width, nullptr);
}

GameRecord* AllocateGameRecord() {
    return static_cast<GameRecord*>(HeapAlloc(ProcessHeap, HEAP_ZERO_MEMORY, sizeof(GameRecord)));
}

}  // namespace

bool PrepareGameQuery(HWND owner, FilterQueryBlock* block) {
    OdbcStatement statement(DatabaseConnection);
    if (!statement.valid()) {
        ReportMessage(owner, MessageSourceModule, MSG_ODBC_STATEMENT);
        return false;
    }
    // Plain success only: a statement the driver had to adjust is not ours.
    if (SQLPrepare(statement.get(), reinterpret_cast<SQLCHAR*>(const_cast<char*>(kGameQuery)), SQL_NTS) != SQL_SUCCESS) {
        ReportMessage(owner, MessageSourceModule, MSG_ODBC_STATEMENT);
        return false;
    }
    GameQueryStatement = std::move(statement);
    BindGameQueryParameters(block);
    return true;
}

bool PushGameRecord(GameRecordList& list, const GameRecord& record) {
    GameRecord* copy = AllocateGameRecord();
    if (!copy) return false;
    auto* node = static_cast<GameRecordNode*>(HeapAlloc(ProcessHeap, HEAP_ZERO_MEMORY, sizeof(GameRecordNode)));
    if (!node) {
        HeapFree(ProcessHeap, 0, copy);
        return false;
    }
    *copy = record;
    node->record = copy;
    node->next = list.top;
    list.top = node;
    ++list.count;
    return true;
}

GameRecord* PopGameRecord(GameRecordList& list) {
    GameRecordNode* node = list.top;
    if (!node) return nullptr;
    GameRecord* record = node->record;
    list.top = node->next;
    --list.count;
    HeapFree(ProcessHeap, 0, node);
    return record;
}

void FreeGameRecord(GameRecord* record) {
    if (record) HeapFree(ProcessHeap, 0, record);
}

bool FetchGames(HWND dialog, GameRecordList& list, const RecordTextTable& texts) {
    SendProgressTask(dialog, IDS_TASK_RELOAD);
    SendProgressStep(dialog, IDS_STEP_QUERY);

    // The row buffer every fetch writes into; each row leaves as a copy.
    GameRecord* row = AllocateGameRecord();
    if (!row) {
        ReportMessage(dialog, MessageSourceSystem, 0);
        return false;
    }
    // Without a prepared statement (the connection or the prepare failed at
    // start-up) the execute fails like any other.
    bool executed = false;
    if (GameQueryStatement.valid()) {
        BindGameQueryColumns(row);
        executed = Succeeded(SQLExecute(GameQueryStatement.get()));
    }
    if (!executed) {
        ReportMessage(dialog, MessageSourceModule, MSG_ODBC_EXECUTE);
        // Unbound before the buffer goes: the next execute must not write into freed memory.
        if (GameQueryStatement.valid()) SQLFreeStmt(GameQueryStatement.get(), SQL_UNBIND);
        HeapFree(ProcessHeap, 0, row);
        return false;
    }

    SendProgressStep(dialog, IDS_STEP_PROCESSING);
    ProgressCounter count(dialog);
    // No more data and a failing row (a null, say) both end the loop quietly;
    // the rows fetched so far stand. A cancel drops them: the list keeps
    // what it showed.
    bool cancelled = false;
    while (Succeeded(SQLFetch(GameQueryStatement.get()))) {
        if (TaskCancelled()) {
            cancelled = true;
            break;
        }
        ApplyYearRule(*row);
        ApplyRecordTexts(*row, texts);
        if (!PushGameRecord(list, *row)) {
            ReportMessage(dialog, MessageSourceSystem, 0);
            break;
        }
        count.Add(1);
    }
    count.Finish();
    SQLFreeStmt(GameQueryStatement.get(), SQL_CLOSE);
    // The columns point into the row buffer, which goes now.
    SQLFreeStmt(GameQueryStatement.get(), SQL_UNBIND);
    HeapFree(ProcessHeap, 0, row);
    return !cancelled;
}

}  // namespace quillet
