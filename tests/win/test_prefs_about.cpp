// The link controls and the about box. A click on a link goes through the
// real ShellExecuteA to a protocol handler registered in the test's own
// HKEY_CLASSES_ROOT, which writes what it was given into a file.
#include "win/support.h"

#include <commctrl.h>

#include <string>

#include "base/globals.h"
#include "preferences/preferences.h"
#include "resources/resource_ids.h"
#include "settings/language.h"
#include "win/modal_script.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// HKEY_CLASSES_ROOT pointed at a scratch key, so the shell finds the test's
// handlers and never the prefix's browser or mail program.
class ClassesSandbox {
public:
    ClassesSandbox() {
        base_ = "Software\\QuilletTests\\classes_" + std::to_string(GetCurrentProcessId());
        RegCreateKeyExA(HKEY_CURRENT_USER, base_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root_, nullptr);
        RegOverridePredefKey(HKEY_CLASSES_ROOT, root_);
    }
    ~ClassesSandbox() {
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        RegCloseKey(root_);
        RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, base_.c_str());
    }
    // The handler of `protocol` writes its argument into `output`.
    void RecordProtocol(const char* protocol, const std::string& output) {
        const std::string key = std::string(protocol) + "\\shell\\open\\command";
        char system[MAX_PATH];
        GetSystemDirectoryA(system, sizeof system);
        std::string command = "\"";
        command += system;
        command += "\\cmd.exe\" /c echo %1>\"";
        command += output;
        command += '"';
        RegSetKeyValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, command.c_str(),
                        static_cast<DWORD>(command.size() + 1));
        RegSetKeyValueA(HKEY_CLASSES_ROOT, protocol, "URL Protocol", REG_SZ, "", 1);
    }

private:
    std::string base_;
    HKEY root_ = nullptr;
};

// What the handler wrote, without echo's line end; empty after ten seconds.
std::string WaitForFile(const std::string& path) {
    for (int i = 0; i < 200; ++i) {
        std::string text = ReadFileBytes(path);
        if (!text.empty() && text.back() == '\n') return text.substr(0, text.find_last_not_of(" \r\n") + 1);
        Sleep(50);
    }
    return {};
}

const bool linkClasses = [] {
    RegisterLinkClasses();
    return true;
}();

HWND CreateLink(const char* className, const std::string& text) {
    return CreateWindowExA(0, className, text.c_str(), WS_POPUP | WS_VISIBLE | SS_NOTIFY, 10, 10, 400, 20, nullptr,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

void Click(HWND link) {
    SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

std::string ClassName(HWND window) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

}  // namespace

TEST_CASE("a click on a link reaches the shell: a web link's first 39 characters, a mail link's whole text") {
    RegistrySandbox registry;
    ClassesSandbox classes;
    TempDir dir;
    classes.RecordProtocol("http", dir.file("web.txt"));
    classes.RecordProtocol("mailto", dir.file("mail.txt"));

    const std::string web = "http://www.example.org/quillet/downloads/0.7.1";  // 46 characters
    const std::string mail = "quillet.users.and.their.questions.long.address@example.org";
    REQUIRE_GT(mail.size(), 39u);
    HWND webLink = CreateLink("WEBLINK", web);
    HWND mailLink = CreateLink("MAILLINK", mail);
    REQUIRE(webLink != nullptr);
    REQUIRE(mailLink != nullptr);
    Click(webLink);
    Click(mailLink);
    CHECK_EQ(WaitForFile(dir.file("web.txt")), web.substr(0, 39));
    CHECK_EQ(WaitForFile(dir.file("mail.txt")), "mailto:" + mail);
    DestroyWindow(webLink);
    DestroyWindow(mailLink);
}

TEST_CASE("links take clicks themselves and share one live link font per class") {
    HWND first = CreateLink("WEBLINK", "http://www.example.org/");
    HWND second = CreateLink("WEBLINK", "http://www.example.org/other/");
    REQUIRE(first != nullptr);
    REQUIRE(second != nullptr);
    RECT r;
    GetWindowRect(first, &r);
    CHECK_EQ(SendMessageA(first, WM_NCHITTEST, 0, MAKELPARAM(r.left + 2, r.top + 2)), HTCLIENT);

    // The second link going away leaves the first its font.
    DestroyWindow(second);
    const auto font = reinterpret_cast<HFONT>(GetClassLongPtrA(first, 0));
    REQUIRE(font != nullptr);
    CHECK_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    DestroyWindow(first);
}

TEST_CASE("the about box of each language: icon, text 2080, two links to example.org, OK closes it") {
    for (const char* language : {"english", "italian"}) {
        CAPTURE(std::string(language));
        REQUIRE(UseLanguage(language));
        char expected[4090] = "";
        LoadStringA(LanguageModule, IDS_ABOUT_TEXT, expected, sizeof expected);
        std::string text, web, mail, webClass, mailClass;
        bool icon = false, notify = false;
        ModalScript script(IDC_ABOUT_TEXT, {
            [&](HWND dialog) {
                char buffer[4090] = "";
                GetDlgItemTextA(dialog, IDC_ABOUT_TEXT, buffer, sizeof buffer);
                text = buffer;
                icon = SendDlgItemMessageA(dialog, IDC_ABOUT_ICON, STM_GETICON, 0, 0) != 0;
                HWND webLink = GetDlgItem(dialog, IDC_ABOUT_WEB_LINK);
                HWND mailLink = GetDlgItem(dialog, IDC_ABOUT_MAIL_LINK);
                GetWindowTextA(webLink, buffer, sizeof buffer);
                web = buffer;
                GetWindowTextA(mailLink, buffer, sizeof buffer);
                mail = buffer;
                webClass = ClassName(webLink);
                mailClass = ClassName(mailLink);
                notify = (GetWindowLongA(webLink, GWL_STYLE) & SS_NOTIFY) && (GetWindowLongA(mailLink, GWL_STYLE) & SS_NOTIFY);
                SendDlgItemMessageA(dialog, IDOK, BM_CLICK, 0, 0);
            },
        });
        script.Run([] { ShowAboutBox(nullptr); });
        CHECK_EQ(text, std::string(expected));
        CHECK(icon);
        CHECK(notify);
        CHECK_EQ(webClass, "WEBLINK");
        CHECK_EQ(mailClass, "MAILLINK");
        CHECK_LE(web.size(), 39u);
        CHECK_NE(web.find("://www.example.org/"), std::string::npos);
        CHECK_EQ(mail.substr(mail.find('@')), "@example.org");
    }
}
