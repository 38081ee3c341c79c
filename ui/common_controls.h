// The common-control classes the program registers at start-up; the test
// fixtures and the screenshot programs register the same.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace quillet {

// List view, toolbar and status bar, tab, up-down, progress bar, rebar.
constexpr DWORD kCommonControlClasses = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                        ICC_UPDOWN_CLASS | ICC_PROGRESS_CLASS | ICC_COOL_CLASSES;
static_assert(kCommonControlClasses == 0x43D);

inline void InitCommonControlClasses() {
    INITCOMMONCONTROLSEX controls{sizeof controls, kCommonControlClasses};
    InitCommonControlsEx(&controls);
}

}  // namespace quillet
