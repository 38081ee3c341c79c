#include "options/today_sheet.h"

#include "base/report.h"
#include "resources/resource_ids.h"

namespace quillet {

void OpenTodaySheet(HWND owner, TodayPage, const std::string&, const std::string&) {
    ReportMessage(owner, MessageSourceModule, MSG_ERA_EDITOR_TODAY_FILE);
}

}  // namespace quillet
