// Refilling table main from the captured XML game list: one prepared INSERT
// bound to the one ImportRecord, executed once per game the scanner hands over.
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "base/progress.h"
#include "base/report.h"
#include "catalogue/import_record.h"
#include "base/progress_counter.h"
#include "catalogue/scanners.h"
#include "catalogue/stage_statement.h"
#include "catalogue/stages.h"
#include "db/database.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "settings/settings_store.h"

namespace quillet {

namespace {

constexpr char kInsertText[] =
    "INSERT INTO main (RomName, Description, Year, Manufacturer, Original, Cloneof, DriverStatus, ColorStatus, "
    "SoundStatus, Palette, Video, Orientation, Resolution, Frequency, IconPath ) VALUES ( ?, ?, ?, ?, ?, ?, ?, ?, ?, "
    "?, ?, ?, ?, ?, ?)";

constexpr char kDeleteText[] = "DELETE FROM main";

struct ParameterBinding {
    SQLSMALLINT valueType;
    SQLSMALLINT sqlType;
    SQLULEN columnSize;
    size_t offset;  // of the field inside ImportRecord
    SQLLEN bufferLength;
};

// The INSERT's fifteen parameters, in marker order. Character values are
// zero-terminated (no length buffer); Palette goes over as the text the
// emulator wrote and the driver converts it to the integer column; Original
// is bound by its low byte.
constexpr ParameterBinding kInsertBindings[] = {
    {SQL_C_CHAR, SQL_CHAR, kLongestRomName, offsetof(ImportRecord, RomName), kRomNameField},
    {SQL_C_CHAR, SQL_CHAR, 120, offsetof(ImportRecord, Description), 120},
    {SQL_C_USHORT, SQL_SMALLINT, 0, offsetof(ImportRecord, Year), 0},
    {SQL_C_CHAR, SQL_CHAR, 100, offsetof(ImportRecord, Manufacturer), 100},
    {SQL_C_UTINYINT, SQL_TINYINT, 0, offsetof(ImportRecord, Original), 0},
    {SQL_C_CHAR, SQL_CHAR, kLongestRomName, offsetof(ImportRecord, Cloneof), kRomNameField},
    {SQL_C_UTINYINT, SQL_TINYINT, 0, offsetof(ImportRecord, DriverStatus), 0},
    {SQL_C_UTINYINT, SQL_TINYINT, 0, offsetof(ImportRecord, ColorStatus), 0},
    {SQL_C_UTINYINT, SQL_TINYINT, 0, offsetof(ImportRecord, SoundStatus), 0},
    {SQL_C_CHAR, SQL_INTEGER, 0, offsetof(ImportRecord, Palette), 0},
    {SQL_C_UTINYINT, SQL_TINYINT, 0, offsetof(ImportRecord, Video), 0},
    {SQL_C_UTINYINT, SQL_TINYINT, 0, offsetof(ImportRecord, Orientation), 0},
    {SQL_C_CHAR, SQL_CHAR, 10, offsetof(ImportRecord, Resolution), 10},
    {SQL_C_UTINYINT, SQL_TINYINT, 0, offsetof(ImportRecord, Frequency), 0},
    {SQL_C_CHAR, SQL_CHAR, sizeof ImportRecord::IconPath - 1, offsetof(ImportRecord, IconPath), sizeof ImportRecord::IconPath},
};
static_assert(sizeof kInsertBindings / sizeof kInsertBindings[0] == 15);

// The one record of the game being imported; the statement reads it by address.
ImportRecord importRecord;

void BindInsertParameters(SQLHSTMT statement, ImportRecord& record) {
    SQLUSMALLINT number = 1;
    for (const ParameterBinding& b : kInsertBindings) {
        SQLBindParameter(statement, number++, SQL_PARAM_INPUT, b.valueType, b.sqlType, b.columnSize, 0,
                         reinterpret_cast<char*>(&record) + b.offset, b.bufferLength, nullptr);
    }
}

// Sink of the scanner: the record holds the next runnable game.
void InsertGame(void* context, ImportRecord& record) {
    StageRun& run = *static_cast<StageRun*>(context);
    // Without a palettesize the integer column would be handed an empty
    // text: one driver refuses the row, another stores the text, which then
    // lies outside every palette range of the game query, so the game is
    // never listed. Such a game gets palette size 0 instead.
    if (record.Palette[0] == '\0') {
        record.Palette[0] = '0';
        record.Palette[1] = '\0';
    }
    // A game the database refuses (a name listed twice, say) is left out
    // and counted; one warning after the import gives the number.
    if (!SQL_SUCCEEDED(SQLExecute(run.statement))) ++run.failures;
    run.items.Add(1);
}

// Empties table main; false when the driver refused. A table that was
// already empty is no failure.
bool DeleteAllGames() {
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, DatabaseConnection, &statement))) return false;
    const SQLRETURN result =
        SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(kDeleteText)), SQL_NTS);
    FreeStageStatement(statement);
    return SQL_SUCCEEDED(result) || result == SQL_NO_DATA;
}

// The box for a list that was not read to its end: the last game read, or
// that not even the first could be.
void ReportUnreadList(HWND dialog, const GameListResult& result) {
    if (result.lastRead[0] != '\0')
        ReportMessage(dialog, MessageSourceModule, MSG_GAME_LIST_FORMAT, result.lastRead);
    else
        ReportMessage(dialog, MessageSourceModule, MSG_NO_GAME_READ);
}

// A list read to its end tells which emulator printed it; verification and
// the option editor go by that until the next rebuild or a new emulator path.
void NoteGeneration(Generation generation) {
    Settings.EmulatorGeneration = static_cast<uint32_t>(generation);
    SaveUserValue("EmulatorGeneration");
}

}  // namespace

bool CommitEachStatement = false;

bool ImportCatalogue(HWND dialog, const char* text, size_t length) {
    SendProgressStep(dialog, IDS_STEP_PROCESSING);
    const char* end = text + length;

    // Output that is no game list at all (the emulator did not start, or
    // printed something else) must not cost the user the catalogue.
    if (!HasGameListRoot(text, end)) {
        ReportMessage(dialog, MessageSourceModule, MSG_NO_GAME_LIST);
        return false;
    }

    // The delete and every insert are one transaction, committed only when
    // the whole list has been read: until then the previous catalogue is
    // what the database holds.
    StageTransaction transaction;
    if (!transaction.began() || !DeleteAllGames()) {
        ReportMessage(dialog, MessageSourceModule, MSG_ODBC_EXECUTE);
        return false;
    }
    const SQLHSTMT statement = PrepareStageStatement(kInsertText);
    if (!statement) {
        ReportMessage(dialog, MessageSourceModule, MSG_ODBC_STATEMENT);
        return false;
    }
    BindInsertParameters(statement, importRecord);

    ProgressCounter games(dialog);
    StageRun run{dialog, statement, games};
    const GameListResult result = ScanGameList(text, end, importRecord, InsertGame, &run);
    games.Finish();
    FreeStageStatement(statement);

    if (result.status != GameListStatus::Complete) {
        transaction.Rollback();
        ReportUnreadList(dialog, result);
        return false;
    }
    if (!transaction.Commit()) {
        ReportMessage(dialog, MessageSourceModule, MSG_ODBC_EXECUTE);
        return false;
    }
    NoteGeneration(result.generation);
    if (const uint32_t leftOut = result.longNames + run.failures; leftOut != 0) {
        char count[16];
        std::snprintf(count, sizeof count, "%lu", static_cast<unsigned long>(leftOut));
        ReportMessage(dialog, MessageSourceModule, MSG_GAMES_LEFT_OUT, count);
    }
    return true;
}

}  // namespace quillet
