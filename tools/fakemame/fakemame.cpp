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

}  // namespace

// The C runtime's argument split removes the double quotes Quillet puts
// around the option, so "-lx" arrives as -lx.
int main(int argc, char** argv) {
    if (argc < 2) return 1;
    const std::string folder = OwnFolder();
    const char* argument = argv[1];
    const bool today = GetFileAttributesA((folder + "fakemame.today").c_str()) != INVALID_FILE_ATTRIBUTES;
    if (std::strcmp(argument, "-lx") == 0 || std::strcmp(argument, "-listxml") == 0)
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
