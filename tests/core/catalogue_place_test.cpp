#include <doctest/doctest.h>

#include <string>

#include "app/catalogue_place.h"

using namespace quillet;

TEST_CASE("the catalogue: portable when writable, else the user's, else taken over or made") {
    using C = CatalogueChoice;
    struct Case {
        CatalogueFacts facts;  // program, writable, user, virtual store
        C choice;
    };
    const Case cases[] = {
        {{true, true, false, false}, C::ProgramFolder},
        {{true, true, true, true}, C::ProgramFolder},        // portable wins over everything
        {{true, false, true, true}, C::UserFolder},          // the user's, once made, stays
        {{false, false, true, false}, C::UserFolder},
        {{true, false, false, true}, C::CopyVirtualStore},   // the virtualized copy is the newer one
        {{false, false, false, true}, C::CopyVirtualStore},
        {{true, false, false, false}, C::CopyProgramFolder},
        {{false, false, false, false}, C::CreateNew},
    };
    for (const Case& c : cases) {
        CAPTURE(c.facts.programCatalogue);
        CAPTURE(c.facts.programCatalogueWritable);
        CAPTURE(c.facts.userCatalogue);
        CAPTURE(c.facts.virtualStoreCopy);
        CHECK_EQ(static_cast<int>(ChooseCatalogue(c.facts)), static_cast<int>(c.choice));
    }
}

TEST_CASE("the virtualized copy lies below VirtualStore with the drive left out") {
    struct Case {
        const wchar_t* program;
        const wchar_t* appData;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"C:\\Program Files (x86)\\Quillet", L"C:\\Users\\ann\\AppData\\Local",
         L"C:\\Users\\ann\\AppData\\Local\\VirtualStore\\Program Files (x86)\\Quillet\\gamelist.mdb"},
        {L"d:\\Quillet\\", L"C:\\Local\\", L"C:\\Local\\VirtualStore\\Quillet\\gamelist.mdb"},
        {L"C:\\", L"C:\\Local", L"C:\\Local\\VirtualStore\\gamelist.mdb"},
        {L"\\\\server\\share\\Quillet", L"C:\\Local", L""},  // no drive: never virtualized
        {L"Quillet", L"C:\\Local", L""},
        {L"C:\\Quillet", L"", L""},
    };
    for (const Case& c : cases) {
        const std::wstring got = VirtualStoreCatalogue(c.program, c.appData);
        CHECK_MESSAGE(got == c.expected, std::string(got.begin(), got.end()));
    }
}
