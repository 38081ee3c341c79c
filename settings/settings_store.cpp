#include "settings/settings_store.h"

#include <cstring>

#include "base/report.h"
#include "settings/frontend_settings.h"

namespace quillet {

const char kSettingsKey[] = "Software\\Halvorn\\Quillet\\";
const char kLanguagesKey[] = "Software\\Halvorn\\Quillet\\Languages";

namespace {

BYTE* FieldOf(const SettingsValue& v) { return reinterpret_cast<BYTE*>(&Settings) + v.offset; }

// Reads the value straight into its field with the field's capacity. A
// missing value, or one larger than the field, leaves the field as it was;
// the stored type is not looked at.
// Returns whether the value was there and taken.
bool ReadValue(HKEY key, const SettingsValue& v) {
    BYTE data[sizeof(FrontendSettings::MameName)];  // the largest field
    static_assert(sizeof(FrontendSettings::RomServer) <= sizeof data);
    DWORD size = static_cast<DWORD>(v.capacity);
    if (RegQueryValueExA(key, v.name, nullptr, nullptr, data, &size) != ERROR_SUCCESS) return false;
    BYTE* field = FieldOf(v);
    if (v.type == RegType::String) {
        // A string of up to capacity-1 characters fits; keep it terminated
        // even when the stored data lacks its NUL.
        if (size == v.capacity && data[size - 1] != '\0') return false;
        std::memcpy(field, data, size);
        field[size < v.capacity ? size : v.capacity - 1] = '\0';
    } else {
        std::memcpy(field, data, size);
    }
    return true;
}

void WriteValue(HKEY key, const SettingsValue& v) {
    const BYTE* field = FieldOf(v);
    DWORD size = static_cast<DWORD>(v.capacity);
    if (v.type == RegType::String) size = static_cast<DWORD>(strnlen(reinterpret_cast<const char*>(field), v.capacity - 1) + 1);
    RegSetValueExA(key, v.name, 0, static_cast<DWORD>(v.type), field, size);
}

}  // namespace

// The machine values (emulator paths and Version) are kept in the user key
// as well. A standard user cannot write the machine key of an installed
// 64-bit program (no registry virtualization), so without the copy the
// emulator paths would be lost at every exit and the first-start wizard
// would return at every start. The machine key still comes first: the user
// key's copy only fills what the machine key lacks.
void LoadSettings() {
    HKEY key;
    bool fromMachine[kSettingsValueCount] = {};
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        for (size_t i = 0; i < kSettingsValueCount; ++i)
            if (kSettingsValues[i].root == RegRoot::Machine) fromMachine[i] = ReadValue(key, kSettingsValues[i]);
        RegCloseKey(key);
    }
    LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ,
                                  nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        SetLastError(status);
        ReportMessage(nullptr, MessageSourceSystem, 0);
        return;
    }
    for (size_t i = 0; i < kSettingsValueCount; ++i)
        if (kSettingsValues[i].root == RegRoot::User || !fromMachine[i]) ReadValue(key, kSettingsValues[i]);
    RegCloseKey(key);
}

bool SaveUserValue(const char* name) {
    for (size_t i = 0; i < kSettingsValueCount; ++i) {
        const SettingsValue& v = kSettingsValues[i];
        if (v.root != RegRoot::User || std::strcmp(v.name, name) != 0) continue;
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            return false;
        WriteValue(key, v);
        RegCloseKey(key);
        return true;
    }
    return false;
}

void SaveSettings(HWND owner) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
        for (size_t i = 0; i < kSettingsValueCount; ++i)
            if (kSettingsValues[i].root == RegRoot::Machine) WriteValue(key, kSettingsValues[i]);
        RegCloseKey(key);
    }
    LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_ALL_ACCESS, &key);
    if (status != ERROR_SUCCESS) {
        SetLastError(status);
        ReportMessage(owner, MessageSourceSystem, 0);
        return;
    }
    // Every value, the machine ones included (see LoadSettings).
    for (size_t i = 0; i < kSettingsValueCount; ++i) WriteValue(key, kSettingsValues[i]);
    RegCloseKey(key);
}

}  // namespace quillet
