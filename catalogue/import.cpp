// Refilling table main from the captured XML game list: one prepared INSERT
// bound to an array of ImportRecords, executed each time the array is full
// (and for the rest at the end).
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <unordered_set>

#include "base/progress.h"
#include "base/report.h"
#include "catalogue/import_record.h"
#include "catalogue/scanners.h"
#include "catalogue/stage_statement.h"
#include "catalogue/stages.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/settings_store.h"

namespace quillet {

namespace {

// ---- The INSERT and its columns ----
constexpr char kInsertText[] =
    "INSERT INTO main (RomName, Description, Year, Manufacturer, Original, Cloneof, DriverStatus, ColorStatus, "
    "SoundStatus, Palette, Video, Orientation, Resolution, Frequency, IconPath ) VALUES ( ?, ?, ?, ?, ?, ?, ?, ?, ?, "
    "?, ?, ?, ?, ?, ?)";

// The INSERT's fifteen parameters, in marker order, as offsets into the
// first ImportRecord of the array. Character values are zero-terminated;
// Palette goes over as the text the emulator wrote and the driver converts
// it to the integer column; Original is bound by its low byte.
constexpr StageBinding kInsertBindings[] = {
    {SQL_C_CHAR, SQL_CHAR, kLongestRomName, offsetof(ImportRecord, RomName), kRomNameField},
    {SQL_C_CHAR, SQL_CHAR, 120, offsetof(ImportRecord, Description), 120},
    {SQL_C_USHORT, SQL_SMALLINT, 0, offsetof(ImportRecord, Year), 0},
    {SQL_C_CHAR, SQL_CHAR, 100, offsetof(ImportRecord, Manufacturer), 100},
    {SQL_C_UTINYINT, SQL_TINYINT, 0, offsetof(ImportRecord, Original), 0},
    {SQL_C_CHAR, SQL_CHAR, kLongestRomName, offsetof(ImportRecord, Cloneof), kRomNameField},
    {SQL_C_UTINYINT, SQL_TINYINT, 0, offsetof(ImportRecord, DriverStatus), 0},
    {SQL_C_UTINYINT, SQL_TINYINT, 0, offsetof(ImportRecord, ColorStatus), 0},
    {SQL_C_UTINYINT, SQL_TINYINT, 0, offsetof(ImportRecord, SoundStatus), 0},
    {SQL_C_CHAR, SQL_INTEGER, 0, offsetof(ImportRecord, Palette), sizeof ImportRecord::Palette},
    {SQL_C_UTINYINT, SQL_TINYINT, 0, offsetof(ImportRecord, Video), 0},
    {SQL_C_UTINYINT, SQL_TINYINT, 0, offsetof(ImportRecord, Orientation), 0},
    {SQL_C_CHAR, SQL_CHAR, 10, offsetof(ImportRecord, Resolution), 10},
    {SQL_C_UTINYINT, SQL_TINYINT, 0, offsetof(ImportRecord, Frequency), 0},
    {SQL_C_CHAR, SQL_CHAR, sizeof ImportRecord::IconPath - 1, offsetof(ImportRecord, IconPath), sizeof ImportRecord::IconPath},
};
static_assert(sizeof kInsertBindings / sizeof kInsertBindings[0] == 15);
// ---- end of the INSERT ----

constexpr char kDeleteText[] = "DELETE FROM main";

// The import's context: the rows bound to the INSERT (the scanner fills the
// scratch record, which the sink copies into the next free row), the names
// read so far, and what the scan found.
struct ImportRun {
    ImportRun(uint32_t rowsPerExecute, const char* text, size_t length)
        : rows(rowsPerExecute ? rowsPerExecute : 1), records(new ImportRecord[rows]()), begin(text), end(text + length) {}

    const uint32_t rows;
    std::unique_ptr<ImportRecord[]> records;
    uint32_t filled = 0;
    ImportRecord scratch{};
    std::unordered_set<std::string> names;
    uint32_t duplicates = 0;
    const char* begin;
    const char* end;
    bool stop = false;  // set by the sink once the stage has stopped: the scan reads no further
    GameListResult result{};
};

bool Flush(StatementStage& stage, ImportRun& run) {
    if (run.filled == 0) return true;
    const bool executed = stage.Execute(run.filled);
    stage.Count(run.filled);
    run.filled = 0;
    return executed;
}

// Sink of the scanner: the scratch record holds the next runnable game.
void InsertGame(void* context, ImportRecord& record) {
    auto& stage = *static_cast<StatementStage*>(context);
    auto& run = *static_cast<ImportRun*>(stage.context);
    if (stage.Stopped()) {
        run.stop = true;
        return;
    }
    // A name listed twice is left out and counted (one warning after the
    // import gives the number); the database never sees it, so any insert
    // that fails is a real failure.
    if (!run.names.emplace(record.RomName).second) {
        ++run.duplicates;
        return;
    }
    // Without a palettesize the integer column would be handed an empty
    // text: one driver refuses the row, another stores the text, which then
    // lies outside every palette range of the game query, so the game is
    // never listed. Such a game gets palette size 0 instead.
    if (record.Palette[0] == '\0') {
        record.Palette[0] = '0';
        record.Palette[1] = '\0';
    }
    run.records[run.filled++] = record;
    if (run.filled == run.rows && !Flush(stage, run)) run.stop = true;
}

// The box for a list that was not read to its end: the last game read, or
// that not even the first could be.
void ReportUnreadList(HWND dialog, const GameListResult& result) {
    if (result.lastRead[0] != '\0')
        ReportMessage(dialog, MessageSourceModule, MSG_GAME_LIST_FORMAT, result.lastRead);
    else
        ReportMessage(dialog, MessageSourceModule, MSG_NO_GAME_READ);
}

bool ScanList(StatementStage& stage, void* context) {
    auto& run = *static_cast<ImportRun*>(context);
    stage.context = &run;
    run.result = ScanGameList(run.begin, run.end, run.scratch, InsertGame, &stage, &run.stop);
    if (!stage.Stopped()) Flush(stage, run);
    if (stage.Stopped()) return true;  // the skeleton reports it
    if (run.result.status != GameListStatus::Complete) {
        ReportUnreadList(stage.dialog(), run.result);
        return false;
    }
    return true;
}

}  // namespace

ImportOutcome ImportGameList(HWND dialog, const char* text, size_t length, uint32_t rowsPerExecute) {
    SendProgressStep(dialog, IDS_STEP_PROCESSING);
    ImportOutcome outcome{StageOutcome::Failed, Generation::Era, 0};

    // Output that is no game list at all (the emulator did not start, or
    // printed something else) must not cost the user the catalogue.
    if (!HasGameListRoot(text, text + length)) {
        ReportMessage(dialog, MessageSourceModule, MSG_NO_GAME_LIST);
        return outcome;
    }
    // The delete and every insert are in the command's transaction: until
    // it commits, the previous catalogue is what the database holds.
    ImportRun run(rowsPerExecute, text, length);
    StatementStagePlan plan{kInsertText, kInsertBindings, sizeof kInsertBindings / sizeof kInsertBindings[0]};
    plan.firstSql = kDeleteText;
    plan.rows = run.rows;
    plan.rowSize = run.rows > 1 ? sizeof(ImportRecord) : 0;
    outcome.stage = RunStatementStage(dialog, plan, run.records.get(), ScanList, &run);
    outcome.generation = run.result.generation;
    outcome.leftOut = run.result.longNames + run.duplicates;
    return outcome;
}

void NoteImported(HWND dialog, const ImportOutcome& outcome) {
    // A list read to its end tells which emulator printed it; verification
    // and the option editor go by that until the next rebuild or a new
    // emulator path.
    Settings.EmulatorGeneration = static_cast<uint32_t>(outcome.generation);
    SaveUserValue("EmulatorGeneration");
    if (outcome.leftOut != 0) {
        char count[16];
        std::snprintf(count, sizeof count, "%lu", static_cast<unsigned long>(outcome.leftOut));
        ReportMessage(dialog, MessageSourceModule, MSG_GAMES_LEFT_OUT, count);
    }
}

bool ImportCatalogue(HWND dialog, const char* text, size_t length, uint32_t rowsPerExecute) {
    const ImportOutcome outcome = ImportGameList(dialog, text, length, rowsPerExecute);
    if (outcome.stage != StageOutcome::Done) return false;
    NoteImported(dialog, outcome);
    return true;
}

}  // namespace quillet
