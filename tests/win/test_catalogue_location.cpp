// Where the catalogue is found and made at start-up: beside a program whose
// folder takes writes (portable use), else in the user's local application
// data folder, filled on the first start from a virtualized or read-only
// older catalogue, or made new from the schema compiled into the program.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "app/catalogue_location.h"
#include "app/catalogue_place.h"
#include "base/globals.h"
#include "db/database.h"
#include "resources/resource_ids.h"
#include "win/catalogue_fixture.h"

using namespace quillet;
using namespace quillet::test;

namespace {

std::wstring Wide(const std::string& text) {
    std::wstring out(text.size(), L'\0');
    out.resize(MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                                   static_cast<int>(out.size())));
    return out;
}

std::string Ansi(const std::wstring& text) {
    std::string out(text.size() * 2 + 1, '\0');
    out.resize(WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                                   static_cast<int>(out.size()), nullptr, nullptr));
    return out;
}

// A program folder and a stand-in for the user's local application data.
struct Folders {
    TempDir program;
    TempDir appData;
    std::string programCatalogue() const { return program.file("gamelist.mdb"); }
    std::string userCatalogue() const { return appData.path() + "\\Quillet\\gamelist.mdb"; }
    void Locate() { LocateCatalogueIn(Wide(program.path()).c_str(), Wide(appData.path()).c_str()); }
    // The program folder's catalogue as a standard user meets it under
    // Program Files (read-only is what Wine run as root can show).
    void ReadOnlyProgramCatalogue() {
        REQUIRE(CopyFileA(BuildPath("gamelist.mdb").c_str(), programCatalogue().c_str(), FALSE));
        SetFileAttributesA(programCatalogue().c_str(), FILE_ATTRIBUTE_READONLY);
    }
    ~Folders() {
        SetFileAttributesA(programCatalogue().c_str(), FILE_ATTRIBUTE_NORMAL);
        for (const char* tail : {"", "-wal", "-shm"}) DeleteFileA((userCatalogue() + tail).c_str());
        RemoveDirectoryA((appData.path() + "\\Quillet").c_str());
    }
};

const std::string kGameList =
    "<?xml version=\"1.0\"?>\r\n<mame>\r\n"
    "\t<game name=\"newgame\">\r\n\t\t<description>New Game</description>\r\n\t\t<year>1983</year>\r\n"
    "\t\t<manufacturer>Maker</manufacturer>\r\n\t</game>\r\n</mame>\r\n";

}  // namespace

TEST_CASE("a writable catalogue beside the program is used where it is (portable use)") {
    MessageBoxRecorder boxes;
    Folders f;
    REQUIRE(CopyFileA(BuildPath("gamelist.mdb").c_str(), f.programCatalogue().c_str(), FALSE));
    f.Locate();
    CHECK_EQ(std::string(DatabasePath), f.programCatalogue());
    CHECK_EQ(Ansi(CatalogueFile), f.programCatalogue());
    CHECK_FALSE(FileExists(f.appData.path() + "\\Quillet"));
    CHECK(boxes.boxes().empty());
}

TEST_CASE("a read-only catalogue beside the program is copied to the user's folder, and a rebuild goes there") {
    REQUIRE(UseLanguage());
    MessageBoxRecorder boxes;
    Folders f;
    f.ReadOnlyProgramCatalogue();
    const std::string original = ReadFileBytes(f.programCatalogue());
    f.Locate();
    CHECK_EQ(std::string(DatabasePath), f.userCatalogue());
    REQUIRE(FileExists(f.userCatalogue()));
    CHECK_EQ(ReadFileBytes(f.userCatalogue()), original);
    CHECK_EQ(GetFileAttributesA(f.userCatalogue().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);

    StandInEmulator emulator;
    emulator.Print("gamelist.xml", kGameList);
    {
        MainWindowRun main(DatabasePath);
        REQUIRE(main.window());
        SendMessageA(main.window(), WM_COMMAND, IDM_REBUILD, 0);
        const Rows rows = main.ListRows();
        REQUIRE_EQ(rows.size(), 1u);
        CHECK_EQ(rows[0][0], "newgame");
    }
    CHECK_EQ(ReadFileBytes(f.programCatalogue()), original);
    CHECK(boxes.boxes().empty());

    // The next start keeps the user's catalogue, rebuilt as it is.
    const std::string rebuilt = ReadFileBytes(f.userCatalogue());
    f.Locate();
    CHECK_EQ(std::string(DatabasePath), f.userCatalogue());
    CHECK_EQ(ReadFileBytes(f.userCatalogue()), rebuilt);
}

TEST_CASE("the copy file virtualization kept wins over the program folder's catalogue") {
    MessageBoxRecorder boxes;
    Folders f;
    f.ReadOnlyProgramCatalogue();
    const std::wstring virtualCopy = VirtualStoreCatalogue(Wide(f.program.path()), Wide(f.appData.path()));
    REQUIRE_FALSE(virtualCopy.empty());
    const std::wstring folder = virtualCopy.substr(0, virtualCopy.rfind(L'\\'));
    REQUIRE_EQ(SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr), ERROR_SUCCESS);
    REQUIRE(CopyFileA(BuildPath("gamelist_empty.mdb").c_str(), Ansi(virtualCopy).c_str(), FALSE));

    f.Locate();
    CHECK_EQ(std::string(DatabasePath), f.userCatalogue());
    CHECK_EQ(ReadFileBytes(f.userCatalogue()), ReadFileBytes(BuildPath("gamelist_empty.mdb")));
    CHECK(boxes.boxes().empty());
    DeleteFileW(virtualCopy.c_str());
}

TEST_CASE("with no catalogue anywhere a new, empty one is made in a folder whose name is not in the ANSI code page") {
    MessageBoxRecorder boxes;
    Folders f;
    // A user name in Cyrillic, which the Western code pages cannot write.
    const std::wstring appData = Wide(f.appData.path()) + L"\\\x041F\x0435\x0442\x0440";
    REQUIRE(CreateDirectoryW(appData.c_str(), nullptr));
    LocateCatalogueIn(Wide(f.program.path()).c_str(), appData.c_str());
    const std::wstring made = appData + L"\\Quillet\\gamelist.mdb";
    CHECK(std::wstring(CatalogueFile) == made);
    CHECK(GetFileAttributesW(made.c_str()) != INVALID_FILE_ATTRIBUTES);
    CHECK_NE(std::string(DatabasePath), "");
    CHECK_MESSAGE(boxes.boxes().empty(), (boxes.boxes().empty() ? "" : boxes.boxes()[0].text));
    {
        ScratchCatalogue view(false);  // only for its queries on the open connection
        REQUIRE(ConnectDatabase(nullptr, DatabasePath, &Settings.Filter.Query));
        CHECK_EQ(view.Value("SELECT COUNT(*) FROM main"), "0");
        DisconnectDatabase();
    }
    for (const wchar_t* tail : {L"", L"-wal", L"-shm"}) DeleteFileW((made + tail).c_str());
    RemoveDirectoryW((appData + L"\\Quillet").c_str());
    RemoveDirectoryW(appData.c_str());
}
