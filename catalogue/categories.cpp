// Applying catver.ini from the emulator's directory to column Category: the
// last stage of the rebuild and verification chains.
#include <windows.h>
#include <sql.h>
#include <sqlext.h>

#include <cstddef>
#include <cstdio>

#include "base/handles.h"
#include "base/progress.h"
#include "base/report.h"
#include "catalogue/scanners.h"
#include "catalogue/stage_statement.h"
#include "catalogue/stages.h"
#include "catalogue/text_field.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"

namespace quillet {

namespace {

constexpr char kUpdateCategoryText[] = "UPDATE main SET Category = ? WHERE RomName = ?";

// The statement's two parameters.
struct CategoryFields {
    char categoryText[90];
    char shortName[kRomNameField];
};

constexpr StageBinding kCategoryBindings[] = {
    {SQL_C_CHAR, SQL_CHAR, sizeof CategoryFields::categoryText, offsetof(CategoryFields, categoryText),
     sizeof CategoryFields::categoryText},
    {SQL_C_CHAR, SQL_CHAR, kLongestRomName, offsetof(CategoryFields, shortName), kRomNameField},
};

struct CategoryRun {
    CategoryFields fields{};
    const char* begin;
    const char* end;
};

// Sink of the scanner: one name=category line of a [Category] section.
void UpdateCategory(void* context, const char* name, const char* category) {
    auto& stage = *static_cast<StatementStage*>(context);
    if (stage.Stopped()) return;
    auto& run = *static_cast<CategoryRun*>(stage.context);
    CopyToField(run.fields.shortName, name);
    CopyToField(run.fields.categoryText, category);
    stage.Execute();
    stage.Count(1);
}

bool ScanCategories(StatementStage& stage, void* context) {
    auto& run = *static_cast<CategoryRun*>(context);
    stage.context = &run;
    ScanCategoryFile(run.begin, run.end, UpdateCategory, &stage);
    return true;
}

// The mapped file; unmapped and closed when the run ends.
bool ApplyMappedFile(HWND dialog, HANDLE file) {
    const UniqueHandle mapping(CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping.valid()) {
        // An empty file cannot be mapped: the system's text says so.
        ReportMessage(dialog, MessageSourceSystem, 0);
        return false;
    }
    const MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view.valid()) {
        ReportMessage(dialog, MessageSourceSystem, 0);
        return false;
    }
    return ApplyCategoryFile(dialog, view.data(), file);
}

}  // namespace

bool ImportCategories(HWND dialog) {
    char path[512];
    std::snprintf(path, sizeof path, "%scatver.ini", Settings.MameDir);
    // No sharing: nobody changes the file under the mapping.
    const UniqueHandle file(CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr));
    // A missing catver.ini is normal: the user need not keep one.
    if (!file.valid()) return true;
    return ApplyMappedFile(dialog, file.get());
}

bool ApplyCategoryFile(HWND dialog, const char* view, HANDLE file) {
    SendProgressTask(dialog, IDS_TASK_CATEGORIES);
    SendProgressStep(dialog, IDS_STEP_PROCESSING);
    DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE) size = 0;
    CategoryRun run{{}, view, view + size};
    const StatementStagePlan plan{kUpdateCategoryText, kCategoryBindings, 2};
    return RunStatementStage(dialog, plan, &run.fields, ScanCategories, &run) == StageOutcome::Done;
}

}  // namespace quillet
