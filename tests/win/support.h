// Shared fixtures of the Windows tests (run under Wine).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <doctest/doctest.h>

namespace quillet::test {

// Points HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER at fresh scratch keys for
// the fixture's lifetime, so no test touches the prefix's real keys. When
// they cannot be redirected the test fails (FAIL) before it writes a key.
class RegistrySandbox {
public:
    RegistrySandbox();
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;
    // Creates "Software\Halvorn\Quillet" (and its Languages subkey with the
    // two shipped languages) under the sandboxed machine root.
    void CreateMachineKey(bool withLanguages = true);
    // Stores Version in the machine key, as an installer that completed
    // set-up leaves it: 0x70000 keeps the first-start wizard away.
    void StoreVersion(DWORD version = 0x70000);

private:
    void Undo();

    std::string base_;
    HKEY machine_ = nullptr;
    HKEY user_ = nullptr;
};

// A fresh directory under the temporary folder, removed with its contents.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& path() const { return path_; }
    std::string file(const char* name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Windows path of a file in the build tree or the source tree.
std::string BuildPath(const char* relative);
std::string SourcePath(const char* relative);
std::string FixturePath(const char* relative);
std::string RealDataPath(const char* name);  // empty when the folder is absent
bool FileExists(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);

// Loads languages\<name>.dll of the build into LanguageModule and the
// start-up texts (menu included). Returns false when it is missing.
bool UseLanguage(const char* name = "english");

// The text of a message of the language module, inserts left unfilled, and
// the system's text of an error, as the program's boxes show them.
std::string ModuleMessage(DWORD number);
std::string SystemText(DWORD error);

// A 10x10 pop-up of a class of the test's own, registered at first use.
HWND CreatePopup(const char* className, WNDPROC procedure);

// Records ReportMessage's boxes instead of showing them.
struct ShownBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    const std::vector<ShownBox>& boxes() const;
    void clear();
};

// Pumps the calling thread's messages for `ms` milliseconds.
void PumpMessages(DWORD ms);

}  // namespace quillet::test
