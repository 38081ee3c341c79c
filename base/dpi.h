// The screen's DPI as the program sees it. The program is aware of the
// system DPI (its manifest says so): it draws at the DPI the session had at
// logon, and sizes it keeps in pixels follow that DPI.
#pragma once

#include <windows.h>

namespace quillet {

// The system DPI (96 at 100 %).
UINT SystemDpi();
// A size given in pixels at 96 DPI, at the system DPI.
int ScaleToSystemDpi(int pixelsAt96);

// The program's bitmaps drawn for the DPI nearest above the system's:
// 16, 24 or 32 pixel toolbar images, 11, 16 or 22 pixel sort arrows.
struct DpiBitmaps {
    WORD toolbar;
    int toolbarSize;
    WORD sortDown;
    WORD sortUp;
    WORD finding;  // the favourites-only button, toolbarSize square
};
DpiBitmaps BitmapsForSystemDpi();

}  // namespace quillet
