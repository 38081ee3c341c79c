// The one main-window fixture of the Windows tests: the program's main window
// in-process, opened either as the program starts it or over a catalogue
// file of the test's own, and closed as the program closes it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/main_window.h"
#include "base/globals.h"
#include "gamelist/game_list.h"
#include "settings/frontend_settings.h"
#include "settings/settings_store.h"
#include "ui/common_controls.h"
#include "win/modal_script.h"
#include "win/support.h"

namespace quillet::test {

// Rows of a table or of the list, each as its cells' texts.
using Rows = std::vector<std::vector<std::string>>;

// The start folder of a MainWindowRun that starts as the program does.
struct StartFolder {
    std::string path;
};

class MainWindowRun {
public:
    // Over the catalogue file `databasePath`, with the settings in memory as
    // they stand (set-up marked finished: no first-start wizard). The run
    // sandboxes the registry itself.
    explicit MainWindowRun(const std::string& databasePath) {
        const DWORD attributes = GetFileAttributesA(databasePath.c_str());
        REQUIRE_MESSAGE((attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)),
                        databasePath << " is a folder: a start folder is passed as StartFolder{path}");
        registry_.emplace();
        registry_->CreateMachineKey();
        Settings.Version = kSettingsVersion;
        lstrcpynA(DatabasePath, databasePath.c_str(), sizeof DatabasePath);
        window_ = CreateMainWindow();
    }
    // As the program starts with `start` as its folder: its gamelist.mdb, the settings read
    // from the (test's sandboxed) registry, the English module, the window
    // shown at 900x600. A first-start wizard, when one comes, is handled by
    // `wizard`; without one the test must have kept it away.
    explicit MainWindowRun(const StartFolder& start, ModalScript* wizard = nullptr) {
        InitCommonControlClasses();
        lstrcpynA(DatabasePath, (start.path + "\\gamelist.mdb").c_str(), sizeof DatabasePath);
        SetDefaultSettings(Settings);
        LoadSettings();
        REQUIRE(UseLanguage("english"));
        if (wizard)
            wizard->Run([&] { window_ = CreateMainWindow(); });
        else
            window_ = CreateMainWindow();
        REQUIRE(window_ != nullptr);
        ShowWindow(window_, SW_SHOWNORMAL);
        SetWindowPos(window_, nullptr, 0, 0, 900, 600, SWP_NOZORDER | SWP_NOMOVE);
        PumpMessages(50);
    }
    ~MainWindowRun() { Close(); }
    MainWindowRun(const MainWindowRun&) = delete;
    MainWindowRun& operator=(const MainWindowRun&) = delete;

    // The program's close (WM_CLOSE: list layout and settings saved, the
    // catalogue disconnected). The program never destroys its window; the
    // test then does, quietly.
    void Close() {
        if (!window_) return;
        SendMessageA(window_, WM_CLOSE, 0, 0);
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA));
        DestroyWindow(window_);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        window_ = nullptr;
    }

    HWND window() const { return window_; }
    HWND list() const { return GameListWindow; }

    // Every row the list shows, each as its sixteen cell texts.
    Rows ListRows() const {
        Rows rows;
        const int count = ListView_GetItemCount(GameListWindow);
        for (int i = 0; i < count; ++i) {
            std::vector<std::string> cells;
            for (int column = 0; column < kListColumns; ++column) {
                char text[260] = "";
                ListView_GetItemText(GameListWindow, i, column, text, sizeof text);
                cells.push_back(text);
            }
            rows.push_back(cells);
        }
        return rows;
    }

private:
    std::optional<RegistrySandbox> registry_;  // the catalogue form's own
    HWND window_ = nullptr;
};

}  // namespace quillet::test
