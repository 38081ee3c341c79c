#include "app/catalogue_place.h"

namespace quillet {

CatalogueChoice ChooseCatalogue(const CatalogueFacts& facts) {
    if (facts.programCatalogue && facts.programCatalogueWritable) return CatalogueChoice::ProgramFolder;
    if (facts.userCatalogue) return CatalogueChoice::UserFolder;
    // The virtualized copy holds what the user last saw: it is newer than
    // the program folder's, which virtualization kept unchanged.
    if (facts.virtualStoreCopy) return CatalogueChoice::CopyVirtualStore;
    if (facts.programCatalogue) return CatalogueChoice::CopyProgramFolder;
    return CatalogueChoice::CreateNew;
}

std::wstring VirtualStoreCatalogue(std::wstring_view programDirectory, std::wstring_view localAppData) {
    const bool onDrive = programDirectory.size() >= 3 && programDirectory[1] == L':' && programDirectory[2] == L'\\' &&
                         ((programDirectory[0] >= L'A' && programDirectory[0] <= L'Z') ||
                          (programDirectory[0] >= L'a' && programDirectory[0] <= L'z'));
    if (!onDrive || localAppData.empty()) return {};
    std::wstring path(localAppData);
    if (path.back() != L'\\') path += L'\\';
    path += L"VirtualStore";
    std::wstring_view rest = programDirectory.substr(2);  // "\Program Files (x86)\Quillet"
    while (rest.size() > 1 && rest.back() == L'\\') rest.remove_suffix(1);
    path += rest;
    if (path.back() != L'\\') path += L'\\';
    return path + L"gamelist.mdb";
}

}  // namespace quillet
