// Today's history.xml: found along ui.ini's historypath, indexed into the
// catalogue once per version, entries by system name with the parent's for
// a clone without one, decoded text, and a damaged file.
#include "win/catalogue_fixture.h"

#include "documents/documents.h"
#include "documents/history_lookup.h"
#include "resources/resource_ids.h"

using namespace quillet;
using namespace quillet::test;

namespace {

std::wstring Wide(const char* utf8) {
    wchar_t out[512];
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out, 512);
    return n > 0 ? std::wstring(out, static_cast<size_t>(n - 1)) : std::wstring();
}

bool Holds(const std::wstring& text, const char* utf8) { return text.find(Wide(utf8)) != std::wstring::npos; }

// The settings' defaults, before the stand-in emulator names itself in them.
struct DefaultSettings {
    DefaultSettings() { SetDefaultSettings(Settings); }
};

struct Fixture {
    Fixture() : xml(ReadFileBytes(FixturePath("documents/history_small.xml"))) {
        ProcessHeap = GetProcessHeap();
        REQUIRE(UseLanguage());
        REQUIRE(db.connected());
        REQUIRE_FALSE(xml.empty());
        folder = emulator.folder() + "\\history";
        CreateDirectoryA(folder.c_str(), nullptr);  // the first folder of the default historypath
    }
    ~Fixture() {
        DeleteFileA((folder + "\\history.xml").c_str());
        RemoveDirectoryA(folder.c_str());
    }
    void Write(const std::string& bytes) { REQUIRE(WriteFileBytes(folder + "\\history.xml", bytes)); }
    int Load(const char* name, const char* cloneOf = " ") {
        text.clear();
        return LoadGameHistoryText(nullptr, name, cloneOf, text);
    }

    DefaultSettings defaults;
    std::string xml;
    MessageBoxRecorder boxes;
    ScratchCatalogue db;
    StandInEmulator emulator;
    std::string folder;
    std::wstring text;
};

}  // namespace

TEST_CASE("history.xml along the historypath: systems found by name, decoded, indexed once") {
    Fixture f;
    f.Write(f.xml);
    CHECK_EQ(FindDocumentFile("history.xml"), f.folder + "\\history.xml");

    REQUIRE_EQ(f.Load("PUCKMAN"), kDocumentFound);  // a second system of the entry, any case
    CHECK(Holds(f.text, "Pac-Man & friends <1980> \"Namco\" 'yes'\r\n"));
    CHECK(Holds(f.text, "Pok\xC3\xA9mon, Pok\xC3\xA9mon &boom; &unknown;"));
    CHECK(Holds(f.text, "\r\n- TECHNICAL -\r\n\r\nRuns on"));
    CHECK_EQ(f.db.Value("SELECT COUNT(*) FROM historyindex"), "4");
    CHECK_EQ(f.db.Value("SELECT Version FROM historyfile"), "2.73");

    REQUIRE_EQ(f.Load("galaga"), kDocumentFound);  // the arcade entry, not the NES software item
    CHECK(Holds(f.text, "Galaga, the arcade game."));
    CHECK_EQ(f.Load("galagamsx"), kDocumentNoEntry);

    // A clone without an entry of its own shows its parent's.
    REQUIRE_EQ(f.Load("galagao", "galaga"), kDocumentFound);
    CHECK(Holds(f.text, "Galaga, the arcade game."));
    CHECK_EQ(f.Load("nosuchgame"), kDocumentNoEntry);

    // Later look-ups use the stored index: the file is not read again.
    REQUIRE(f.db.Execute("UPDATE historyindex SET Length = 10 WHERE Name = 'galaga'"));
    REQUIRE_EQ(f.Load("galaga"), kDocumentFound);
    CHECK_EQ(f.text, L"- TRIVIA -");
    CHECK(f.boxes.boxes().empty());
}

TEST_CASE("a damaged history.xml: the entries before the damage, one box per version") {
    Fixture f;
    const std::string cut = f.xml.substr(0, f.xml.find("<system name=\"galaga\""));
    f.Write(cut);
    REQUIRE_EQ(f.Load("pacman"), kDocumentFound);
    CHECK_EQ(f.Load("galaga"), kDocumentNoEntry);
    REQUIRE_EQ(f.boxes.boxes().size(), 1u);
    CHECK_NE(f.boxes.boxes()[0].text.find("history.xml"), std::string::npos);
    CHECK_EQ(f.Load("pacman"), kDocumentFound);

    // Another damaged copy of the same version is indexed again, silently.
    f.Write(cut.substr(0, cut.size() - 10));
    CHECK_EQ(f.Load("pacman"), kDocumentFound);
    CHECK_EQ(f.boxes.boxes().size(), 1u);

    // The whole file again: every entry.
    f.Write(f.xml);
    CHECK_EQ(f.Load("galaga"), kDocumentFound);
    CHECK_EQ(f.boxes.boxes().size(), 1u);
}

TEST_CASE("without history.xml the history.dat along the same folders is read") {
    Fixture f;
    REQUIRE(WriteFileBytes(f.folder + "\\history.dat", "$info=galaga,\r\n$bio\r\nFrom the dat file.\r\n$end\r\n"));
    REQUIRE_EQ(f.Load("galaga"), kDocumentFound);
    CHECK(Holds(f.text, "From the dat file."));
    DeleteFileA((f.folder + "\\history.dat").c_str());
    CHECK_EQ(f.Load("galaga"), kDocumentReported);
    CHECK_EQ(f.boxes.boxes().size(), 1u);  // no history file at all
}
