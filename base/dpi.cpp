#include "base/dpi.h"

#include "resources/resource_ids.h"

namespace quillet {

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

int ScaleToSystemDpi(int pixelsAt96) { return MulDiv(pixelsAt96, static_cast<int>(SystemDpi()), 96); }

DpiBitmaps BitmapsForSystemDpi() {
    const UINT dpi = SystemDpi();
    // Halfway between the sizes: up to 125 % the 96-DPI images, up to 175 %
    // the 144-DPI ones, beyond that the 192-DPI ones.
    if (dpi <= 120) return {IDB_TOOLBAR, 16, IDB_SORT_DOWN, IDB_SORT_UP, IDB_TOOLBAR_FINDING};
    if (dpi <= 168) return {IDB_TOOLBAR_24, 24, IDB_SORT_DOWN_16, IDB_SORT_UP_16, IDB_TOOLBAR_FINDING_24};
    return {IDB_TOOLBAR_32, 32, IDB_SORT_DOWN_22, IDB_SORT_UP_22, IDB_TOOLBAR_FINDING_32};
}

}  // namespace quillet
