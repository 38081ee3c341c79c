// Where the catalogue lives: the choice between a portable catalogue beside
// the program and the user's own, and where an older copy may wait. Pure
// logic; app/catalogue_location.cpp gathers the facts and does the work.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// What start-up found.
struct CatalogueFacts {
    bool programCatalogue;          // the program's folder holds gamelist.mdb
    bool programCatalogueWritable;  // ...that opens for writing, takes a file beside it, is not read-only
    bool userCatalogue;             // the user's folder holds one
    bool virtualStoreCopy;          // a copy that file virtualization made of the program's
};

enum class CatalogueChoice {
    ProgramFolder,      // portable use: the catalogue beside the program
    UserFolder,         // the user's catalogue as it is
    CopyVirtualStore,   // first start after an upgrade: the virtualized copy moves in
    CopyProgramFolder,  // first start: a copy of the program folder's (read-only) one
    CreateNew,          // first start with nothing to take over: a new, empty catalogue
};

CatalogueChoice ChooseCatalogue(const CatalogueFacts& facts);

// Where file virtualization kept its copy of the catalogue beside a program
// in `programDirectory` ("C:\Program Files (x86)\Quillet"): below
// "<localAppData>\VirtualStore" with the drive left out. Empty for a folder
// that is not on a drive letter (virtualization covers only those).
std::wstring VirtualStoreCatalogue(std::wstring_view programDirectory, std::wstring_view localAppData);

}  // namespace quillet
