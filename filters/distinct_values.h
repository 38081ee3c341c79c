// The values that occur in one column of table `main`, added to the combo
// boxes of a filter page. Each lookup runs its SELECT DISTINCT on the open
// connection with a statement of its own, freed before it returns; it keeps
// no cache, so a page that opens again asks again.
#pragma once

#include <windows.h>

namespace quillet {

void FillManufacturerList(HWND page);  // 11401
void FillPaletteLists(HWND page);      // 11603, 11601, 11602
void FillResolutionLists(HWND page);   // 11703, 11701, 11702
void FillFrequencyLists(HWND page);    // 11806, 11804, 11805

}  // namespace quillet
