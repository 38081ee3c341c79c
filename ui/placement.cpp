#include "ui/placement.h"

namespace quillet {

void CenterOnParent(HWND dialog) {
    HWND parent = GetParent(dialog);
    if (!parent) parent = GetWindow(dialog, GW_OWNER);
    RECT p{}, d{};
    if (parent)
        GetWindowRect(parent, &p);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &p, 0);
    GetWindowRect(dialog, &d);
    // Signed halving rounding down: a dialog larger than its parent
    // overhangs it equally on both sides.
    auto half = [](LONG v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); };
    const LONG x = p.left + half((p.right - p.left) - (d.right - d.left));
    const LONG y = p.top + half((p.bottom - p.top) - (d.bottom - d.top));
    SetWindowPos(dialog, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}

}  // namespace quillet
