// Finds (and on a first start makes) the catalogue the main window opens.
#pragma once

#include <windows.h>

namespace quillet {

// Sets DatabasePath and CatalogueFile for this run: the portable catalogue
// beside the program when it can be written, else the user's own in
// %LOCALAPPDATA%\Quillet, which a first start fills from the virtualized
// copy, from the program folder's catalogue, or with a new, empty one.
// Failures are reported; DatabasePath then names what could not be made
// (or is empty), and the connection reports it as missing.
void LocateCatalogue();

// The same with the two folders given: the program's and the user's local
// application data folder (the tests' way in).
void LocateCatalogueIn(const WCHAR* programDirectory, const WCHAR* localAppData);

}  // namespace quillet
