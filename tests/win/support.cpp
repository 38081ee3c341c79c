#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "win/support.h"

#include <mutex>

#include "base/globals.h"
#include "base/report.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"

namespace quillet::test {

namespace {

// What RunApplication sets up first, for code under test.
const bool programGlobals = [] {
    ProgramInstance = GetModuleHandleA(nullptr);
    ProcessHeap = GetProcessHeap();
    SetDefaultSettings(Settings);
    return true;
}();

void DeleteTree(HKEY root, const std::string& path) { RegDeleteTreeA(root, path.c_str()); RegDeleteKeyA(root, path.c_str()); }

std::string ToWindowsPath(const char* hostPath) {
    std::string p = std::string("Z:") + hostPath;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

}  // namespace

RegistrySandbox::RegistrySandbox() {
    base_ = "Software\\QuilletTests\\" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(GetTickCount());
    // Every step must succeed: a test that went on without the redirection
    // would write the prefix's real keys.
    const bool redirected =
        RegCreateKeyExA(HKEY_CURRENT_USER, (base_ + "\\HKLM").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &machine_, nullptr) == ERROR_SUCCESS &&
        RegCreateKeyExA(HKEY_CURRENT_USER, (base_ + "\\HKCU").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &user_,
                        nullptr) == ERROR_SUCCESS &&
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_) == ERROR_SUCCESS &&
        RegOverridePredefKey(HKEY_CURRENT_USER, user_) == ERROR_SUCCESS;
    if (!redirected) {
        Undo();
        FAIL("the registry sandbox could not redirect HKLM and HKCU");
    }
}

void RegistrySandbox::Undo() {
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    if (machine_) RegCloseKey(machine_);
    if (user_) RegCloseKey(user_);
    machine_ = user_ = nullptr;
    DeleteTree(HKEY_CURRENT_USER, base_);
}

RegistrySandbox::~RegistrySandbox() { Undo(); }

void RegistrySandbox::CreateMachineKey(bool withLanguages) {
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Halvorn\\Quillet", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegCloseKey(key);
    if (!withLanguages) return;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Halvorn\\Quillet\\Languages", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    DWORD english = 9, italian = 16;
    RegSetValueExA(key, "english", 0, REG_DWORD, reinterpret_cast<BYTE*>(&english), 4);
    RegSetValueExA(key, "italian", 0, REG_DWORD, reinterpret_cast<BYTE*>(&italian), 4);
    RegCloseKey(key);
}

void RegistrySandbox::StoreVersion(DWORD version) {
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Halvorn\\Quillet", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, "Version", 0, REG_DWORD, reinterpret_cast<BYTE*>(&version), sizeof version);
    RegCloseKey(key);
}

TempDir::TempDir() {
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    static LONG counter = 0;
    for (;;) {
        path_ = std::string(tmp) + "quillet_test_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(InterlockedIncrement(&counter));
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
}

namespace {

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = path + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

TempDir::~TempDir() {
    // A folder that is the current directory cannot be removed.
    char current[MAX_PATH];
    if (GetCurrentDirectoryA(sizeof current, current) && _strnicmp(current, path_.c_str(), path_.size()) == 0) {
        char tmp[MAX_PATH];
        GetTempPathA(sizeof tmp, tmp);
        SetCurrentDirectoryA(tmp);
    }
    RemoveTree(path_);
}

std::string BuildPath(const char* relative) { return ToWindowsPath((std::string(QUILLET_BUILD_DIR) + "/" + relative).c_str()); }
std::string SourcePath(const char* relative) { return ToWindowsPath((std::string(QUILLET_SOURCE_DIR) + "/" + relative).c_str()); }
std::string FixturePath(const char* relative) { return ToWindowsPath((std::string(QUILLET_FIXTURES_DIR) + "/" + relative).c_str()); }

std::string RealDataPath(const char* name) {
    std::string dir = ToWindowsPath(QUILLET_REALDATA_DIR);
    if (GetFileAttributesA(dir.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
    return dir + "\\" + name;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == bytes.size();
}

std::string ReadFileBytes(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string out;
    char buf[65536];
    DWORD got;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) out.append(buf, got);
    CloseHandle(h);
    return out;
}

bool UseLanguage(const char* name) {
    std::string path = BuildPath((std::string("languages/") + name + ".dll").c_str());
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) return false;
    LanguageModule = module;
    LoadStartupTexts();
    return true;
}

std::string ModuleMessage(DWORD number) {
    char text[1024];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, LanguageModule,
                                        number, 0, text, sizeof text, nullptr);
    return std::string(text, length);
}

std::string SystemText(DWORD error) {
    char text[1024];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                        text, sizeof text, nullptr);
    return std::string(text, length);
}

HWND CreatePopup(const char* className, WNDPROC procedure) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);  // fails harmlessly once the class exists
    return CreateWindowExA(0, className, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

namespace {

std::mutex recorderLock;
std::vector<ShownBox> recorded;

int WINAPI RecordBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    std::lock_guard<std::mutex> hold(recorderLock);
    recorded.push_back({owner, text ? text : "", caption ? caption : "", type});
    return IDOK;
}

}  // namespace

MessageBoxRecorder::MessageBoxRecorder() {
    clear();
    ShowMessageBox = RecordBox;
}
MessageBoxRecorder::~MessageBoxRecorder() { ShowMessageBox = MessageBoxA; }
const std::vector<ShownBox>& MessageBoxRecorder::boxes() const { return recorded; }
void MessageBoxRecorder::clear() {
    std::lock_guard<std::mutex> hold(recorderLock);
    recorded.clear();
}

void PumpMessages(DWORD ms) {
    DWORD end = GetTickCount() + ms;
    MSG msg;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}

}  // namespace quillet::test
