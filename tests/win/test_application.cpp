// Quillet.exe as a whole: single instance, start-up, shutdown and what it
// leaves in the registry. These run the real program in a start directory
// of their own; the user key of the test prefix is saved first and put back.
#include "win/support.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstring>

#include "settings/frontend_settings.h"

using namespace quillet;
using namespace quillet::test;

namespace {

constexpr char kUserKey[] = "Software\\Halvorn\\Quillet";
constexpr char kBackupKey[] = "Software\\QuilletTestBackup";

// Keeps the prefix's own user settings out of the way of the program run.
struct UserKeyGuard {
    bool hadKey = false;
    UserKeyGuard() {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kUserKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
            hadKey = true;
            HKEY backup;
            RegDeleteTreeA(HKEY_CURRENT_USER, kBackupKey);
            RegCreateKeyExA(HKEY_CURRENT_USER, kBackupKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &backup, nullptr);
            RegCopyTreeA(key, nullptr, backup);
            RegCloseKey(backup);
            RegCloseKey(key);
        }
        Clear();
    }
    ~UserKeyGuard() {
        Clear();
        if (!hadKey) return;
        HKEY backup, key;
        RegOpenKeyExA(HKEY_CURRENT_USER, kBackupKey, 0, KEY_READ, &backup);
        RegCreateKeyExA(HKEY_CURRENT_USER, kUserKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegCopyTreeA(backup, nullptr, key);
        RegCloseKey(key);
        RegCloseKey(backup);
        RegDeleteTreeA(HKEY_CURRENT_USER, kBackupKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kBackupKey);
    }
    static void Clear() {
        RegDeleteTreeA(HKEY_CURRENT_USER, kUserKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kUserKey);
    }
};

// The run is of a program whose set-up was completed: Version 0x70000 in the
// prefix's machine key keeps the first-start wizard away. What was there
// before is put back.
struct FinishedSetupGuard {
    DWORD old = 0;
    bool hadValue = false;
    FinishedSetupGuard() {
        HKEY key;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUserKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)) return;
        DWORD size = sizeof old;
        hadValue = RegQueryValueExA(key, "Version", nullptr, nullptr, reinterpret_cast<BYTE*>(&old), &size) == 0;
        DWORD version = kSettingsVersion;
        RegSetValueExA(key, "Version", 0, REG_DWORD, reinterpret_cast<BYTE*>(&version), sizeof version);
        RegCloseKey(key);
    }
    ~FinishedSetupGuard() {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUserKey, 0, KEY_ALL_ACCESS, &key)) return;
        if (hadValue)
            RegSetValueExA(key, "Version", 0, REG_DWORD, reinterpret_cast<BYTE*>(&old), sizeof old);
        else
            RegDeleteValueA(key, "Version");
        RegCloseKey(key);
    }
};

// A copy of the program in a folder of its own, as the installer or an
// unpacked zip lays it out: the program finds its files beside itself.
struct Installation {
    TempDir dir;
    explicit Installation(bool withCatalogue = true, bool withLanguages = true) {
        CopyFileA(BuildPath("Quillet.exe").c_str(), dir.file("Quillet.exe").c_str(), FALSE);
        if (withLanguages) {
            CreateDirectoryA(dir.file("languages").c_str(), nullptr);
            for (const char* lang : {"english", "italian"})
                CopyFileA(BuildPath((std::string("languages/") + lang + ".dll").c_str()).c_str(),
                          (dir.file("languages") + "\\" + lang + ".dll").c_str(), FALSE);
        }
        if (withCatalogue) CopyFileA(BuildPath("gamelist.mdb").c_str(), dir.file("gamelist.mdb").c_str(), FALSE);
    }
    std::string program() const { return dir.file("Quillet.exe"); }
};

struct Process {
    PROCESS_INFORMATION pi{};
    bool started = false;
    // Runs the installation's program with `directory` as its current one.
    Process(const Installation& install, const std::string& directory) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string command = "\"";
        command += install.program();
        command += '"';
        started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &si,
                                 &pi) != FALSE;
    }
    explicit Process(const Installation& install) : Process(install, install.dir.path()) {}
    ~Process() {
        if (!started) return;
        if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 99);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    DWORD Wait(DWORD ms) {
        if (WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = 0;
        GetExitCodeProcess(pi.hProcess, &code);
        return code;
    }
};

struct FindResult {
    DWORD pid;
    HWND window;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM arg) {
    auto* find = reinterpret_cast<FindResult*>(arg);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char cls[64];
    GetClassNameA(window, cls, sizeof cls);
    if (pid == find->pid && std::strcmp(cls, "Quillet") == 0) {
        find->window = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForMainWindow(Process& p, DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        FindResult find{p.pi.dwProcessId, nullptr};
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&find));
        if (find.window && IsWindowVisible(find.window)) return find.window;
        if (p.Wait(0) != STILL_ACTIVE) return nullptr;
        Sleep(100);
    }
    return nullptr;
}

HWND ChildOfClass(HWND parent, const char* cls) {
    return FindWindowExA(parent, nullptr, cls, nullptr);
}

// The list's Description header as the running program shows it, read out
// of the program (the buffer must live in its memory). The header texts
// come from the language module.
std::string DescriptionHeader(Process& app, HWND window) {
    HWND list = ChildOfClass(window, WC_LISTVIEWA);
    if (!list) return "<no list>";
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    HANDLE process = app.pi.hProcess;
    struct Remote {
        HDITEMA item;
        char text[64];
    };
    auto* remote = static_cast<Remote*>(VirtualAllocEx(process, nullptr, sizeof(Remote), MEM_COMMIT, PAGE_READWRITE));
    if (!remote) return "<no memory>";
    Remote local{};
    local.item.mask = HDI_TEXT;
    local.item.pszText = remote->text;
    local.item.cchTextMax = sizeof local.text;
    WriteProcessMemory(process, remote, &local, sizeof local, nullptr);
    SendMessageA(header, HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&remote->item));
    ReadProcessMemory(process, remote, &local, sizeof local, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return local.text;
}

// The Description column's title in the build's module of `lang`.
std::string ModuleColumnTitle(const char* lang) {
    HMODULE m = LoadLibraryA(BuildPath((std::string("languages/") + lang + ".dll").c_str()).c_str());
    char text[64] = "";
    LoadStringA(m, 2011, text, sizeof text);
    FreeLibrary(m);
    return text;
}

// The full path of the comctl32.dll the process has loaded, lower case.
std::string LoadedCommonControls(DWORD pid) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    if (snapshot == INVALID_HANDLE_VALUE) return "<no snapshot>";
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    std::string found;
    for (BOOL more = Module32First(snapshot, &entry); more; more = Module32Next(snapshot, &entry)) {
        std::string name = entry.szModule;
        CharLowerA(name.data());
        if (name != "comctl32.dll") continue;
        found = entry.szExePath;
        CharLowerA(found.data());
    }
    CloseHandle(snapshot);
    return found;
}

}  // namespace

TEST_CASE("a second copy ends at once with code 0 and shows no window") {
    HANDLE mutex = CreateMutexA(nullptr, TRUE, "HalvornQuilletMutex");
    REQUIRE(mutex != nullptr);
    Installation install;
    Process second(install);
    REQUIRE(second.started);
    CHECK_EQ(second.Wait(15000), 0u);
    FindResult find{second.pi.dwProcessId, nullptr};
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&find));
    CHECK(find.window == nullptr);
    CloseHandle(mutex);
}

TEST_CASE("start, main window, close: exit code 0 and every user value stored with its type") {
    UserKeyGuard guard;
    FinishedSetupGuard setUp;
    Installation install;
    Process app(install);
    REQUIRE(app.started);
    HWND window = WaitForMainWindow(app, 30000);
    REQUIRE(window != nullptr);

    char title[64];
    GetWindowTextA(window, title, sizeof title);
    CHECK_EQ(std::string(title), "Quillet 0.7.1");
    HWND status = ChildOfClass(window, STATUSCLASSNAMEA);
    REQUIRE(status != nullptr);
    GetWindowTextA(status, title, sizeof title);
    CHECK_EQ(std::string(title), "Quillet 0.7.1");
    HWND list = ChildOfClass(window, WC_LISTVIEWA);
    REQUIRE(list != nullptr);
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    CHECK_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 16);
    CHECK(GetMenu(window) != nullptr);
    // The manifest's common controls: the side-by-side copy of version 6,
    // told apart by its folder (Wine reports the same version for both).
    const std::string controls = LoadedCommonControls(app.pi.dwProcessId);
    CHECK_MESSAGE(controls.find("\\winsxs\\") != std::string::npos, controls);

    PostMessageA(window, WM_CLOSE, 0, 0);
    CHECK_EQ(app.Wait(20000), 0u);

    HKEY key;
    REQUIRE_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kUserKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    for (size_t i = 0; i < kSettingsValueCount; ++i) {
        const SettingsValue& v = kSettingsValues[i];
        if (v.root != RegRoot::User) continue;
        const std::string name = v.name;
        CAPTURE(name);
        DWORD type = 0;
        CHECK_EQ(RegQueryValueExA(key, v.name, nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
        CHECK_EQ(type, static_cast<DWORD>(v.type));
    }
    char lang[32] = "";
    DWORD size = sizeof lang;
    RegQueryValueExA(key, "Lang", nullptr, nullptr, reinterpret_cast<BYTE*>(lang), &size);
    CHECK_NE(std::string(lang), "");  // the automatic choice is remembered
    RegCloseKey(key);
}

TEST_CASE("the Italian module is chosen when Lang is italian") {
    UserKeyGuard guard;
    FinishedSetupGuard setUp;
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kUserKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, "Lang", 0, REG_SZ, reinterpret_cast<const BYTE*>("italian"), 8);
    RegCloseKey(key);

    Installation install;
    Process app(install);
    REQUIRE(app.started);
    HWND window = WaitForMainWindow(app, 30000);
    REQUIRE(window != nullptr);

    CHECK_EQ(DescriptionHeader(app, window), ModuleColumnTitle("italian"));
    CHECK_NE(ModuleColumnTitle("italian"), ModuleColumnTitle("english"));

    PostMessageA(window, WM_CLOSE, 0, 0);
    CHECK_EQ(app.Wait(20000), 0u);
}

TEST_CASE("without any language module the program says so and exits non-zero") {
    UserKeyGuard guard;
    Installation install(true, false);
    Process app(install);
    REQUIRE(app.started);
    // The built-in English box comes up; answer it.
    HWND box = nullptr;
    for (int i = 0; i < 200 && !box; ++i) {
        Sleep(100);
        HWND w = nullptr;
        while ((w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            // A box is complete once it shows; before that its caption may
            // still be empty.
            if (pid == app.pi.dwProcessId && IsWindowVisible(w)) box = w;
        }
    }
    REQUIRE(box != nullptr);
    char caption[64];
    GetWindowTextA(box, caption, sizeof caption);
    CHECK_EQ(std::string(caption), "Quillet 0.7.1");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    const DWORD code = app.Wait(20000);
    CHECK_NE(code, 0u);
    CHECK_NE(code, STILL_ACTIVE);
}

TEST_CASE("started from another folder it uses its own catalogue and languages, not what lies there") {
    UserKeyGuard guard;
    FinishedSetupGuard setUp;
    Installation install;
    // The current folder holds a planted "english" module (the Italian one
    // under that name) and an empty catalogue.
    TempDir elsewhere;
    CreateDirectoryA(elsewhere.file("languages").c_str(), nullptr);
    CopyFileA(BuildPath("languages/italian.dll").c_str(), (elsewhere.file("languages") + "\\english.dll").c_str(), FALSE);
    CopyFileA(BuildPath("gamelist_empty.mdb").c_str(), elsewhere.file("gamelist.mdb").c_str(), FALSE);

    Process app(install, elsewhere.path());
    REQUIRE(app.started);
    HWND window = WaitForMainWindow(app, 30000);
    REQUIRE(window != nullptr);
    CHECK_EQ(DescriptionHeader(app, window), ModuleColumnTitle("english"));
    HWND list = ChildOfClass(window, WC_LISTVIEWA);
    REQUIRE(list != nullptr);
    // The demo catalogue beside the program fills the list; the planted
    // one is empty and stays untouched.
    CHECK_GT(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 0);
    CHECK_FALSE(FileExists(elsewhere.file("gamelist.mdb-wal")));

    PostMessageA(window, WM_CLOSE, 0, 0);
    CHECK_EQ(app.Wait(20000), 0u);
}
