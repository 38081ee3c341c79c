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

// Whether a value read into its field carries something: a string with
// text, a number other than 0 (Version 0 means set-up not finished).
bool HoldsValue(const SettingsValue& v) {
    const BYTE* field = FieldOf(v);
    if (v.type == RegType::String) return field[0] != '\0';
    for (size_t i = 0; i < v.capacity; ++i)
        if (field[i] != 0) return true;
    return false;
}

}  // namespace

// The machine values (emulator paths and Version) are kept in the user key
// as well, and there a present, non-empty value wins: a standard user cannot
// write the machine key of an installed program, so a change of theirs lives
// in the user key only, and must not be undone at the next start by what an
// elevated run once stored in the machine key. The machine key stays the
// default for a user who has no value of their own.
void LoadSettings() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        for (size_t i = 0; i < kSettingsValueCount; ++i)
            if (kSettingsValues[i].root == RegRoot::Machine) ReadValue(key, kSettingsValues[i]);
        RegCloseKey(key);
    }
    LONG status = RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ,
                                  nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) {
        SetLastError(status);
        ReportMessage(nullptr, MessageSourceSystem, 0);
        return;
    }
    for (size_t i = 0; i < kSettingsValueCount; ++i) {
        const SettingsValue& v = kSettingsValues[i];
        if (v.root == RegRoot::User) {
            ReadValue(key, v);
            continue;
        }
        BYTE machine[sizeof(FrontendSettings::MameName)];
        std::memcpy(machine, FieldOf(v), v.capacity);
        if (ReadValue(key, v) && !HoldsValue(v)) std::memcpy(FieldOf(v), machine, v.capacity);
    }
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
