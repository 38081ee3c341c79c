// Where the program's dialogs come up.
#pragma once

#include <windows.h>

namespace quillet {

// Centres `dialog` on its parent (or owner) window, or on the work area when
// it has neither, keeping its size.
void CenterOnParent(HWND dialog);

}  // namespace quillet
