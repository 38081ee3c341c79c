// What the preferences page and the wizard share.
#pragma once

#include <windows.h>

#include "resources/resource_ids.h"
#include "settings/language.h"

namespace quillet {

// String 2030: description/pattern pairs, each ended by a NUL, the list by a
// second NUL. LoadStringA copies the embedded NULs and adds the last one.
struct FileFilter {
    char text[25] = {};
};

inline FileFilter ExecutableFilter() {
    FileFilter filter;
    if (LoadStringA(LanguageModule, IDS_EXE_FILTER, filter.text, sizeof filter.text) <= 0) filter.text[0] = '\0';
    return filter;
}

}  // namespace quillet
