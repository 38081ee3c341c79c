// fakemame: a Windows console program that answers the three command lines
// Quillet gives the emulator, from files that lie beside it:
//
//   fakemame  "-lx"           prints gamelist.xml (also "-listxml")
//   fakemame  "-verifysets"   prints verify.txt
//   fakemame  "-verifyroms"   prints verify.txt
//   fakemame  "NAME"          appends "NAME<TAB>current directory<CR><LF>"
//                             to run.log and prints nothing; with a file
//                             NAME.run beside it, it then keeps running for
//                             the milliseconds that file holds (a game played)
//
// With a file named fakemame.today beside it, it answers as today's
// emulator does: "-verifysets" is an unknown option, so it prints an error
// on standard error, nothing on standard output, and exits with code 1.
// Today's emulator also answers "-showconfig" and "-showusage" (see the
// block "today's option lists" below); the era's refuses both.
//
// With a file named fakemame.hang beside it, "-lx" plays a hung emulator:
// it starts a child copy of itself ("-sleep", which sleeps for ever and
// holds the inherited standard output too), prints nothing ("silent") or
// the first half of gamelist.xml ("half"), writes "OWNPID CHILDPID" to
// pids.txt and then sleeps for ever. Only ending both processes breaks
// the pipe.
//
// Output is the file's bytes unchanged (CRLF stays CRLF, no text-mode
// translation): it goes out through WriteFile on the standard output handle,
// never through the C runtime's streams. A missing file prints nothing and
// the exit code is 1, as when the real emulator cannot do what it is asked.
//
// Quillet starts the emulator hidden (CREATE_NO_WINDOW) with only standard
// output redirected, so nothing here may depend on standard input, standard
// error or a console window.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The folder of this executable, with its trailing backslash.
std::string OwnFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return {};
    std::string folder(path, length);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

bool WriteAll(HANDLE out, const char* data, DWORD length) {
    while (length != 0) {
        DWORD written = 0;
        if (!WriteFile(out, data, length, &written, nullptr) || written == 0) return false;
        data += written;
        length -= written;
    }
    return true;
}

// Copies the file to standard output. False when the file cannot be opened
// or the reader went away.
bool PrintFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    static char buffer[65536];
    bool ok = true;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr) || got == 0) break;
        if (!WriteAll(out, buffer, got)) {
            ok = false;
            break;
        }
    }
    CloseHandle(file);
    return ok;
}

// The hung emulator of fakemame.hang: never returns.
void Hang(const std::string& folder, const std::string& mode) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string command = std::string("\"") + self + "\" -sleep";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    PROCESS_INFORMATION child{};
    CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup, &child);
    if (mode.rfind("half", 0) == 0) {
        HANDLE file = CreateFileA((folder + "gamelist.xml").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            const DWORD size = GetFileSize(file, nullptr);
            std::string half(size / 2, '\0');
            DWORD got = 0;
            ReadFile(file, half.data(), static_cast<DWORD>(half.size()), &got, nullptr);
            CloseHandle(file);
            WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), half.data(), got);
        }
    }
    const std::string pids = std::to_string(GetCurrentProcessId()) + " " + std::to_string(child.dwProcessId);
    HANDLE file = CreateFileA((folder + "pids.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        WriteAll(file, pids.data(), static_cast<DWORD>(pids.size()));
        CloseHandle(file);
    }
    for (;;) Sleep(INFINITE);
}

std::string FileText(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    char text[64] = "";
    DWORD got = 0;
    ReadFile(file, text, sizeof text - 1, &got, nullptr);
    CloseHandle(file);
    return std::string(text, got);
}

bool LogRun(const std::string& path, const char* name) {
    char directory[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    if (length == 0 || length >= sizeof directory) directory[0] = '\0';
    std::string line = std::string(name) + "\t" + directory + "\r\n";
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = WriteAll(file, line.data(), static_cast<DWORD>(line.size()));
    CloseHandle(file);
    return ok;
}

// ---- today's option lists ("-showconfig", "-showusage") --------------------
//
// Today's answers come from showconfig.ini / showusage.txt beside the
// program, else from the real 0.251 texts in the shared data folder, else
// from the short lists below.

constexpr char kShortConfig[] =
    "#\r\n# CORE CONFIGURATION OPTIONS\r\n#\r\nreadconfig                1\r\nwriteconfig               0\r\n\r\n"
    "#\r\n# CORE SEARCH PATH OPTIONS\r\n#\r\nrompath                   roms\r\nsamplepath                samples\r\n"
    "artpath                   artwork\r\nctrlrpath                 ctrlr\r\ninipath                   .;ini;ini/presets\r\n"
    "cheatpath                 cheat\r\n\r\n"
    "#\r\n# CORE OUTPUT DIRECTORY OPTIONS\r\n#\r\ncfg_directory             cfg\r\nnvram_directory           nvram\r\n"
    "state_directory           sta\r\nsnapshot_directory        snap\r\n\r\n"
    "#\r\n# CORE PERFORMANCE OPTIONS\r\n#\r\nautoframeskip             0\r\nframeskip                 0\r\n"
    "throttle                  1\r\nspeed                     1.0\r\n\r\n"
    "#\r\n# CORE ROTATION OPTIONS\r\n#\r\nrotate                    1\r\nror                       0\r\nrol                       0\r\n"
    "flipx                     0\r\nflipy                     0\r\n\r\n"
    "#\r\n# CORE SCREEN OPTIONS\r\n#\r\nbrightness                1.0\r\ncontrast                  1.0\r\ngamma                     1.0\r\n\r\n"
    "#\r\n# CORE SOUND OPTIONS\r\n#\r\nsamplerate                48000\r\nvolume                    0\r\n\r\n"
    "#\r\n# CORE INPUT OPTIONS\r\n#\r\nctrlr                     \r\nmouse                     0\r\njoystick                  1\r\n"
    "joystick_deadzone         0.15\r\n\r\n"
    "#\r\n# CORE MISC OPTIONS\r\n#\r\ncheat                     0\r\nskip_gameinfo             0\r\n\r\n"
    "#\r\n# OSD VIDEO OPTIONS\r\n#\r\nvideo                     auto\r\nwindow                    0\r\nmaximize                  1\r\n"
    "waitvsync                 0\r\nsyncrefresh               0\r\n\r\n"
    "#\r\n# OSD SOUND OPTIONS\r\n#\r\nsound                     auto\r\naudio_latency             2.0\r\n";

constexpr char kShortUsage[] =
    "Usage:  mame [machine] [media] [software] [options]\r\n\r\nOptions:\r\n\r\n"
    "#\r\n# CORE SEARCH PATH OPTIONS\r\n#\r\n-rompath             path to ROM sets and hard disk images\r\n"
    "-samplepath          path to audio sample sets\r\n-inipath             path to ini files\r\n\r\n"
    "#\r\n# CORE PERFORMANCE OPTIONS\r\n#\r\n-speed               controls the speed of gameplay, relative to realtime\r\n"
    "#\r\n# CORE SOUND OPTIONS\r\n#\r\n-volume              sound volume in decibels (-32 min, 0 max)\r\n";

int PrintOptionList(const std::string& folder, const char* beside, const char* real, const char* shortText) {
    if (PrintFile(folder + beside)) return 0;
#ifdef FAKEMAME_REALDATA
    if (PrintFile(std::string(FAKEMAME_REALDATA) + "/" + real)) return 0;
#else
    (void)real;
#endif
    return WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), shortText, static_cast<DWORD>(std::strlen(shortText))) ? 0 : 1;
}

// Today's answer to "-showconfig" or "-showusage"; -1 for other arguments.
int AnswerOptionList(const std::string& folder, const char* argument, bool today) {
    const bool config = std::strcmp(argument, "-showconfig") == 0;
    if (!config && std::strcmp(argument, "-showusage") != 0) return -1;
    if (!today) {
        static const char kError[] = "Error: unknown option\n";
        WriteAll(GetStdHandle(STD_ERROR_HANDLE), kError, sizeof kError - 1);
        return 1;
    }
    return config ? PrintOptionList(folder, "showconfig.ini", "mame_ini_mame0251_default.ini", kShortConfig)
                  : PrintOptionList(folder, "showusage.txt", "showusage_mame0251.txt", kShortUsage);
}

// ---- end of today's option lists ---------------------------------------------

}  // namespace

// The C runtime's argument split removes the double quotes Quillet puts
// around the option, so "-lx" arrives as -lx.
int main(int argc, char** argv) {
    if (argc < 2) return 1;
    const std::string folder = OwnFolder();
    // -noreadconfig changes nothing here: the stand-in reads no ini file.
    const int first = argc > 2 && std::strcmp(argv[1], "-noreadconfig") == 0 ? 2 : 1;
    const char* argument = argv[first];
    if (std::strcmp(argument, "-sleep") == 0)
        for (;;) Sleep(INFINITE);
    const bool today = GetFileAttributesA((folder + "fakemame.today").c_str()) != INVALID_FILE_ATTRIBUTES;
    const bool listing = std::strcmp(argument, "-lx") == 0 || std::strcmp(argument, "-listxml") == 0;
    if (listing && GetFileAttributesA((folder + "fakemame.hang").c_str()) != INVALID_FILE_ATTRIBUTES)
        Hang(folder, FileText(folder + "fakemame.hang"));
    if (listing)
        return PrintFile(folder + "gamelist.xml") ? 0 : 1;
    if (std::strcmp(argument, "-verifysets") == 0) {
        if (today) {
            static const char kError[] = "Error: unknown option: -verifysets\n";
            WriteAll(GetStdHandle(STD_ERROR_HANDLE), kError, sizeof kError - 1);
            return 1;
        }
        return PrintFile(folder + "verify.txt") ? 0 : 1;
    }
    if (std::strcmp(argument, "-verifyroms") == 0) return PrintFile(folder + "verify.txt") ? 0 : 1;
    if (const int answered = AnswerOptionList(folder, argument, today); answered >= 0) return answered;
    if (!LogRun(folder + "run.log", argument)) return 1;
    std::string length;
    HANDLE file = CreateFileA((folder + argument + ".run").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char digits[16] = "";
        DWORD got = 0;
        ReadFile(file, digits, sizeof digits - 1, &got, nullptr);
        CloseHandle(file);
        Sleep(static_cast<DWORD>(std::strtoul(digits, nullptr, 10)));
    }
    return 0;
}
