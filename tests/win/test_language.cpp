// Choosing the language module from the stored name and the Languages list.
#include "win/support.h"

#include <cstring>

#include "base/globals.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// A start directory whose languages folder holds copies of the English
// module under the given names.
struct StartDir {
    TempDir dir;
    explicit StartDir(std::initializer_list<const char*> modules) {
        CreateDirectoryA(dir.file("languages").c_str(), nullptr);
        const std::string english = BuildPath("languages/english.dll");
        for (const char* m : modules)
            CopyFileA(english.c_str(), (dir.file("languages") + "\\" + m + ".dll").c_str(), FALSE);
        MultiByteToWideChar(CP_ACP, 0, dir.path().c_str(), -1, ProgramDirectory, MAX_PATH);
    }
    // A module loaded from the folder keeps its file, and so the folder.
    ~StartDir() {
        if (LanguageModule) FreeLibrary(LanguageModule);
        LanguageModule = nullptr;
    }
};

void ListLanguages(std::initializer_list<std::pair<const char*, DWORD>> entries) {
    HKEY key;
    REQUIRE_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Halvorn\\Quillet\\Languages", 0, nullptr, 0,
                               KEY_ALL_ACCESS, nullptr, &key, nullptr),
               ERROR_SUCCESS);
    for (auto& [name, id] : entries) RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&id), 4);
    RegCloseKey(key);
}

DWORD UserLanguage() { return PRIMARYLANGID(GetUserDefaultLangID()); }

// A primary language id that is neither the user's nor English.
DWORD OtherLanguage(DWORD avoid = 0) {
    for (DWORD id : {16u, 7u, 12u, 10u})
        if (id != UserLanguage() && id != LANG_ENGLISH && id != avoid) return id;
    return 0;
}

void Start(const char* storedLang) {
    SetDefaultSettings(Settings);
    std::strcpy(Settings.Lang, storedLang);
    LanguageModule = nullptr;
}

}  // namespace

TEST_CASE("the stored language is loaded when its module exists") {
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    StartDir start({"english", "mine"});
    ListLanguages({{"english", 9}});
    Start("mine");
    CHECK(LoadLanguageModule());
    CHECK(LanguageModule != nullptr);
    CHECK_EQ(std::string(Settings.Lang), "mine");
    CHECK(boxes.boxes().empty());
}

TEST_CASE("a stored language whose file is missing: one system box, then the automatic choice") {
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    StartDir start({"english"});
    ListLanguages({{"english", 9}});
    Start("klingon");
    CHECK(LoadLanguageModule());
    CHECK_EQ(std::string(Settings.Lang), "english");
    REQUIRE_EQ(boxes.boxes().size(), 1u);
    CHECK_EQ(boxes.boxes()[0].type & MB_ICONMASK, 0u);
}

TEST_CASE("a stored language that is a path is not loaded from where it points") {
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    StartDir start({"english"});
    // A module beside the languages folder, which "..\\planted" would reach.
    CopyFileA(BuildPath("languages/italian.dll").c_str(), start.dir.file("planted.dll").c_str(), FALSE);
    ListLanguages({{"english", 9}});
    for (const char* stored : {"..\\planted", "../planted", "C:planted"}) {
        CAPTURE(stored);
        if (LanguageModule) FreeLibrary(LanguageModule);
        Start(stored);
        CHECK(LoadLanguageModule());
        CHECK_EQ(std::string(Settings.Lang), "english");
    }
    DeleteFileA(start.dir.file("planted.dll").c_str());
}

TEST_CASE("the user's language wins; of two entries with its id the last listed") {
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    StartDir start({"first", "second", "english"});
    const DWORD other = OtherLanguage();
    ListLanguages({{"first", UserLanguage()}, {"english", other == 9 ? 7 : other}, {"second", UserLanguage()}});
    Start("");
    CHECK(LoadLanguageModule());
    CHECK_EQ(std::string(Settings.Lang), "second");
}

TEST_CASE("English when the user's language is not listed") {
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    if (UserLanguage() == LANG_ENGLISH) {
        // The user's language is English itself; the English step is then
        // the same as the user step and the next case covers the fallback.
        StartDir start({"english"});
        ListLanguages({{"english", 9}});
        Start("");
        CHECK(LoadLanguageModule());
        CHECK_EQ(std::string(Settings.Lang), "english");
        return;
    }
    StartDir start({"deutsch", "english"});
    ListLanguages({{"deutsch", OtherLanguage()}, {"english", 9}});
    Start("");
    CHECK(LoadLanguageModule());
    CHECK_EQ(std::string(Settings.Lang), "english");
}

TEST_CASE("neither the user's language nor English: the first listed entry") {
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    StartDir start({"alpha", "beta"});
    const DWORD a = OtherLanguage();
    ListLanguages({{"alpha", a}, {"beta", OtherLanguage(a)}});
    Start("");
    CHECK(LoadLanguageModule());
    CHECK_EQ(std::string(Settings.Lang), "alpha");
}

TEST_CASE("no module at all: Lang is cleared and the load fails") {
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    StartDir start({});
    Start("");
    CHECK_FALSE(LoadLanguageModule());
    CHECK_EQ(std::string(Settings.Lang), "");
    // The missing Languages key is reported once, as a system error.
    CHECK_EQ(boxes.boxes().size(), 1u);
}

TEST_CASE("the language list stops at a name too long for its entry") {
    RegistrySandbox registry;
    ListLanguages({{"english", 9}, {"italian", 16}});
    ListLanguages({{"a_name_of_twenty_eight_chars", 7}});
    LanguageTable table;
    bool opened = false;
    FillLanguageTable(table, &opened);
    CHECK(opened);
    CHECK_LE(table.count, 2u);
}

TEST_CASE("start-up texts come from the module") {
    REQUIRE(UseLanguage("english"));
    CHECK(MainMenu != nullptr);
    CHECK_NE(std::string(RecordTexts[0]), "");
    char good[64];
    LoadStringA(LanguageModule, IDS_STATUS_GOOD, good, sizeof good);
    CHECK_EQ(std::string(StatusTextGood), std::string(good).substr(0, 14));
}
