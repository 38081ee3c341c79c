// Reading an emulator ini file into EmuOptions and replacing it with the
// writer's text; a file in today's layout is left alone.
#include <windows.h>

#include <string>
#include <string_view>

#include "base/report.h"
#include "options/emulator_options.h"
#include "options/ini_files.h"
#include "options/options.h"
#include "options/today_ini.h"
#include "resources/resource_ids.h"

namespace quillet {

namespace {

// Today's layout read by the era's model would come back as the era's
// 65-line layout, without every option the era does not know.
bool RefuseTodayLayout(HWND owner, std::string_view bytes) {
    if (ClassifyIniText(bytes) != IniLayout::Today) return false;
    ReportMessage(owner, MessageSourceModule, MSG_ERA_EDITOR_TODAY_FILE);
    return true;
}

}  // namespace

int LoadEmulatorOptions(HWND owner, const char* path) {
    ResetEmulatorOptions(EmuOptions);
    std::string bytes;
    switch (ReadIniForEditing(owner, path, bytes)) {
    case IniRead::Missing: return 1;
    case IniRead::Failed: return 0;
    case IniRead::Read: break;
    }
    if (RefuseTodayLayout(owner, bytes)) return 0;
    ParseEmulatorOptions(bytes.data(), bytes.data() + bytes.size(), EmuOptions);
    return 1;
}

bool SaveEmulatorOptions(HWND owner, const char* path) {
    // Another program may have put today's file in place while the sheet
    // was open.
    std::string current;
    const IniRead state = ReadIniForEditing(owner, path, current);
    if (state == IniRead::Failed || (state == IniRead::Read && RefuseTodayLayout(owner, current))) return false;

    std::string text(kOptionsTextCapacity, '\0');
    text.resize(FormatEmulatorOptions(EmuOptions, text.data(), text.size()));
    return WriteIniFile(owner, path, text);
}

}  // namespace quillet
