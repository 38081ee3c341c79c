// Settings round trip through a sandboxed registry.
#include "win/support.h"

#include <cstring>

#include "settings/frontend_settings.h"
#include "settings/settings_store.h"

using namespace quillet;
using namespace quillet::test;

namespace {

struct StoredValue {
    bool exists = false;
    DWORD type = 0;
    DWORD size = 0;
    std::string data;
};

StoredValue Query(HKEY root, const char* name) {
    StoredValue v;
    HKEY key;
    if (RegOpenKeyExA(root, "Software\\Halvorn\\Quillet", 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
    char data[512];
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, &v.type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS) {
        v.exists = true;
        v.size = size;
        v.data.assign(data, size);
    }
    RegCloseKey(key);
    return v;
}

void Store(HKEY root, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    REQUIRE_EQ(RegCreateKeyExA(root, "Software\\Halvorn\\Quillet", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                               nullptr),
               ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void StoreString(HKEY root, const char* name, const std::string& text) {
    Store(root, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

bool KeyExists(HKEY root) {
    HKEY key;
    if (RegOpenKeyExA(root, "Software\\Halvorn\\Quillet", 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void Reset() { SetDefaultSettings(Settings); }

}  // namespace

TEST_CASE("an empty registry gives the defaults and creates the user key") {
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    Reset();
    LoadSettings();
    CHECK(KeyExists(HKEY_CURRENT_USER));
    CHECK_FALSE(KeyExists(HKEY_LOCAL_MACHINE));
    FrontendSettings defaults;
    SetDefaultSettings(defaults);
    CHECK_EQ(std::memcmp(&Settings.Filter, &defaults.Filter, sizeof defaults.Filter), 0);
    CHECK_EQ(Settings.Version, 0u);
    CHECK_EQ(Settings.ColorBest, 0x0096EFFAu);
    CHECK(boxes.boxes().empty());
}

TEST_CASE("a save writes every value with its registry type and size") {
    RegistrySandbox registry;
    registry.CreateMachineKey();
    MessageBoxRecorder boxes;
    Reset();
    LoadSettings();  // creates the user key, as at every start
    std::strcpy(Settings.MameName, "C:\\Emu\\mame.exe");
    DeriveEmulatorPaths(Settings);
    Settings.Version = 0x70000;
    std::strcpy(Settings.Lang, "italian");
    SaveSettings(nullptr);

    for (size_t i = 0; i < kSettingsValueCount; ++i) {
        const SettingsValue& v = kSettingsValues[i];
        const std::string name = v.name;
        CAPTURE(name);
        const StoredValue stored = Query(v.root == RegRoot::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, v.name);
        REQUIRE(stored.exists);
        CHECK_EQ(stored.type, static_cast<DWORD>(v.type));
        const char* field = reinterpret_cast<const char*>(&Settings) + v.offset;
        const DWORD expected = v.type == RegType::String ? static_cast<DWORD>(std::strlen(field) + 1)
                                                         : static_cast<DWORD>(v.capacity);
        CHECK_EQ(stored.size, expected);
        CHECK_EQ(stored.data, std::string(field, expected));
    }
    CHECK(boxes.boxes().empty());

    // And everything comes back.
    FrontendSettings saved = Settings;
    Reset();
    LoadSettings();
    CHECK_EQ(std::string(Settings.MameCfg), "C:\\Emu\\mame.ini");
    CHECK_EQ(std::string(Settings.Lang), "italian");
    CHECK_EQ(Settings.Version, 0x70000u);
    CHECK_EQ(std::memcmp(&Settings.Filter, &saved.Filter, sizeof saved.Filter), 0);
}

TEST_CASE("without a writable machine key the emulator paths and Version persist through the user key") {
    RegistrySandbox registry;  // no machine key: as a standard user who cannot write it
    MessageBoxRecorder boxes;
    Reset();
    LoadSettings();  // creates the user key
    std::strcpy(Settings.MameName, "C:\\Emu\\mame.exe");
    DeriveEmulatorPaths(Settings);
    Settings.Version = 0x70000;
    SaveSettings(nullptr);
    CHECK_FALSE(KeyExists(HKEY_LOCAL_MACHINE));
    CHECK(boxes.boxes().empty());

    Reset();
    LoadSettings();
    CHECK_EQ(std::string(Settings.MameName), "C:\\Emu\\mame.exe");
    CHECK_EQ(std::string(Settings.MameCfg), "C:\\Emu\\mame.ini");
    CHECK_EQ(Settings.Version, 0x70000u);  // the wizard does not come back
}

TEST_CASE("a stored Lang fits with 27 characters, not with 28") {
    RegistrySandbox registry;
    Reset();
    const std::string fits(27, 'x');
    StoreString(HKEY_CURRENT_USER, "Lang", fits);
    LoadSettings();
    CHECK_EQ(std::string(Settings.Lang), fits);

    Reset();
    StoreString(HKEY_CURRENT_USER, "Lang", std::string(28, 'y'));
    LoadSettings();
    CHECK_EQ(std::string(Settings.Lang), "");
}

TEST_CASE("values are read whatever their stored type; oversized ones leave the field") {
    RegistrySandbox registry;
    Reset();
    const DWORD years = 0x08980000;
    Store(HKEY_CURRENT_USER, "FilYearFirst", REG_BINARY, &years, 4);
    const BYTE order[64] = {};
    Store(HKEY_CURRENT_USER, "FilRomDb", REG_BINARY, order, 6);       // one byte too many
    Store(HKEY_CURRENT_USER, "ListViewOrder", REG_BINARY, order, 64);
    StoreString(HKEY_CURRENT_USER, "FilFreqEnd", "1000");              // 5 bytes in a 4-byte field
    LoadSettings();
    CHECK_EQ(Settings.Filter.Query.FilYearFirst[0], 0);
    CHECK_EQ(Settings.Filter.Query.FilYearFirst[1], 2200);
    CHECK_EQ(Settings.Filter.Query.FilRomDb[1], 2);
    CHECK_EQ(Settings.ListLayout.ListViewOrder[15], 0);
    CHECK_EQ(std::string(Settings.Filter.FilFreqEnd), "100");
}

TEST_CASE("a machine value: the user's own wins when present and not empty, else the machine key's") {
    struct Case {
        const char* what;
        const char* machine;  // null: no value
        const char* user;     // null: no value
        const char* loaded;
    };
    const Case cases[] = {
        {"the user's value over the machine's", "D:\\MAME\\mame.exe", "E:\\mine\\mame.exe", "E:\\mine\\mame.exe"},
        {"an empty user value does not win", "D:\\MAME\\mame.exe", "", "D:\\MAME\\mame.exe"},
        {"no user value: the machine's", "D:\\MAME\\mame.exe", nullptr, "D:\\MAME\\mame.exe"},
        {"no machine value: the user's", nullptr, "E:\\mine\\mame.exe", "E:\\mine\\mame.exe"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        RegistrySandbox registry;
        registry.CreateMachineKey();
        Reset();
        for (const char* name : {"MameName", "MameDir", "MameCfg"}) {
            if (c.machine) StoreString(HKEY_LOCAL_MACHINE, name, c.machine);
            if (c.user) StoreString(HKEY_CURRENT_USER, name, c.user);
        }
        LoadSettings();
        CHECK_EQ(std::string(Settings.MameName), c.loaded);
        CHECK_EQ(std::string(Settings.MameDir), c.loaded);
        CHECK_EQ(std::string(Settings.MameCfg), c.loaded);
    }
}

TEST_CASE("Version: a user's 0 (set-up not finished by them) leaves the machine's; their 0x70000 wins over none") {
    struct Case {
        const char* what;
        DWORD machine, user;  // 0xFFFFFFFF: no value
        DWORD loaded;
    };
    constexpr DWORD none = 0xFFFFFFFF;
    const Case cases[] = {
        {"user 0, machine finished", 0x70000, 0, 0x70000},
        {"user finished, machine 0", 0, 0x70000, 0x70000},
        {"user finished, no machine value", none, 0x70000, 0x70000},
        {"neither", none, none, 0},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        RegistrySandbox registry;
        registry.CreateMachineKey();
        Reset();
        if (c.machine != none) Store(HKEY_LOCAL_MACHINE, "Version", REG_DWORD, &c.machine, 4);
        if (c.user != none) Store(HKEY_CURRENT_USER, "Version", REG_DWORD, &c.user, 4);
        LoadSettings();
        CHECK_EQ(Settings.Version, c.loaded);
    }
}
