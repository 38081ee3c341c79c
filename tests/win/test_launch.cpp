// Command 1010 over a list of the test's own and the stand-in emulator: the
// quoted emulator path, the working directory, the previous name, and the
// names that never reach a command line.
#include "win/support.h"

#include <commctrl.h>

#include <string>

#include "base/globals.h"
#include "gamelist/game_list.h"
#include "ui/common_controls.h"
#include "app/launch.h"
#include "win/catalogue_fixture.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// A report list with one column of ROM names, standing in for the game list.
class NameList {
public:
    explicit NameList(std::initializer_list<const char*> names) {
        InitCommonControlClasses();
        list_ = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 400, 200, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        LVCOLUMNA c{};
        c.mask = LVCF_WIDTH;
        c.cx = 100;
        ListView_InsertColumn(list_, 0, &c);
        for (const char* name : names) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = ListView_GetItemCount(list_);
            item.pszText = const_cast<char*>(name);
            ListView_InsertItem(list_, &item);
        }
        GameListWindow = list_;
    }
    ~NameList() {
        GameListWindow = nullptr;
        DestroyWindow(list_);
    }
    void Focus(int index) { ListView_SetItemState(list_, index, LVIS_FOCUSED, LVIS_FOCUSED); }

private:
    HWND list_;
};

// The stand-in appends one line per start; waits until `lines` are there.
std::string WaitForLog(const StandInEmulator& emulator, size_t lines) {
    std::string log;
    for (int i = 0; i < 100; ++i) {
        log = emulator.RunLog();
        size_t count = 0;
        for (char c : log) count += c == '\n';
        if (count >= lines) break;
        Sleep(50);
    }
    return log;
}

}  // namespace

TEST_CASE("run: the quoted emulator starts in its folder, the previous game again, never a name with a quote") {
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    // "...\stand in\mame.exe", with a decoy that an unquoted path would start.
    StandInEmulator emulator("stand in");
    const std::string parent = emulator.folder().substr(0, emulator.folder().rfind('\\'));
    REQUIRE(CopyFileA(BuildPath("fakemame.exe").c_str(), (parent + "\\stand.exe").c_str(), FALSE));
    NameList list({"abcdefghijklmnop", "pac\" \"-evil"});

    RunSelectedGame();  // no focus and no previous game: nothing starts
    list.Focus(0);
    RunSelectedGame();
    const std::string line = "abcdefghijklmnop\t" + emulator.folder() + "\r\n";
    REQUIRE_EQ(WaitForLog(emulator, 1), line);
    ListView_SetItemState(GameListWindow, -1, 0, LVIS_FOCUSED);
    RunSelectedGame();  // the previous name again
    REQUIRE_EQ(WaitForLog(emulator, 2), line + line);
    list.Focus(1);
    RunSelectedGame();  // starts nothing
    CHECK_EQ(WaitForLog(emulator, 3), line + line);
    CHECK_FALSE(FileExists(parent + "\\run.log"));
    CHECK(boxes.boxes().empty());
}
