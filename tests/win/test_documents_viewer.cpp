// Commands 1012 and 1013 over a game list of the test's own: which name is
// looked up, the viewer's caption and text, and the messages when there is
// no file, no entry, no emulator or no focused game.
#include "win/support.h"

#include <commctrl.h>

#include <string>

#include "base/globals.h"
#include "gamelist/game_list.h"
#include "ui/common_controls.h"
#include "documents/documents.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "win/modal_script.h"

using namespace quillet;
using namespace quillet::test;

namespace {

// A plain report list with the sixteen columns, standing in for the game
// list: column 0 RomName, 1 Description, 5 Cloneof (" " when no clone).
class GameListStandIn {
public:
    GameListStandIn() {
        InitCommonControlClasses();
        list_ = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 400, 200, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        for (int column = 0; column < 16; ++column) {
            LVCOLUMNA c{};
            c.mask = LVCF_WIDTH;
            c.cx = 50;
            ListView_InsertColumn(list_, column, &c);
        }
        GameListWindow = list_;
    }
    ~GameListStandIn() {
        GameListWindow = nullptr;
        DestroyWindow(list_);
    }
    void Add(const char* rom, const char* description, const char* cloneof) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = ListView_GetItemCount(list_);
        item.pszText = const_cast<char*>(rom);
        const int index = ListView_InsertItem(list_, &item);
        ListView_SetItemText(list_, index, 1, const_cast<char*>(description));
        ListView_SetItemText(list_, index, 5, const_cast<char*>(cloneof));
    }
    void Focus(int index) { ListView_SetItemState(list_, index, LVIS_FOCUSED, LVIS_FOCUSED); }

private:
    HWND list_;
};

struct Shown {
    std::string caption;
    std::wstring text;
};

// Runs `command` and reads the viewer, then closes it with OK. With
// `viewer` false, a viewer that comes anyway fails the test.
Shown RunCommand(void (*command)(HWND), bool viewer = true) {
    Shown shown;
    std::vector<ModalScript::Step> steps;
    if (viewer) steps.push_back(
        [&](HWND viewer) {
            char caption[512] = "";
            GetWindowTextA(viewer, caption, sizeof caption);
            shown.caption = caption;
            HWND edit = GetDlgItem(viewer, IDC_DOCUMENT_TEXT);
            shown.text.resize(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1);
            shown.text.resize(static_cast<size_t>(GetWindowTextW(edit, shown.text.data(), static_cast<int>(shown.text.size()))));
            SendDlgItemMessageA(viewer, IDOK, BM_CLICK, 0, 0);
        });
    ModalScript script(IDC_DOCUMENT_TEXT, steps);
    script.Run([&] { command(nullptr); });
    return shown;
}

std::wstring Wide(const std::string& text, UINT codePage) {
    std::wstring out(text.size(), L'\0');
    out.resize(static_cast<size_t>(MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                                       out.data(), static_cast<int>(out.size()))));
    return out;
}

struct Fixture {
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    TempDir emulator;
    GameListStandIn list;
    Fixture() {
        REQUIRE(UseLanguage("english"));
        SetDefaultSettings(Settings);
        lstrcpyA(Settings.MameName, emulator.file("mame.exe").c_str());
        lstrcpyA(Settings.MameDir, (emulator.path() + "\\").c_str());
        list.Add("alpha", "Alpha", " ");
        list.Add("alpha2", "Alpha (set 2)", "alpha");
        list.Add("nodocs", "No Documents", " ");
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes.boxes()) texts.push_back(box.text);
        return texts;
    }
};

}  // namespace

TEST_CASE("a clone shows its parent's history under its own description, LF line ends broken") {
    Fixture f;
    WriteFileBytes(f.emulator.file("history.dat"),
                   "$info=alpha,alpha2,\n$bio\n\nAlpha (c) 1981.\nSecond line.\n$end\n");
    f.list.Focus(1);
    Shown shown = RunCommand(ShowGameHistory);
    CHECK_EQ(shown.caption, "History - Alpha (set 2)");
    CHECK(shown.text == L"\r\nAlpha (c) 1981.\r\nSecond line.\r\n");
    CHECK(f.boxes.boxes().empty());
}

TEST_CASE("mameinfo.dat in UTF-8 with a byte-order mark, and an entry of 40 KiB, show whole") {
    Fixture f;
    const std::string japanese = "\xE3\x80\x90" "FAQ\xE3\x80\x91 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\r\n";
    std::string longText;
    while (longText.size() < 40000) longText += "Line of a long entry. \xC3\xA9\r\n";
    WriteFileBytes(f.emulator.file("mameinfo.dat"), "\xEF\xBB\xBF# header\r\n\r\n$info=alpha\r\n$mame\r\n" + japanese +
                                                        "$end\r\n\r\n$info=nodocs\r\n$mame\r\n" + longText + "$end\r\n");
    f.list.Focus(0);
    Shown shown = RunCommand(ShowGameInfo);
    CHECK_EQ(shown.caption, "MAMEInfo - Alpha");
    CHECK(shown.text == Wide(japanese, CP_UTF8));
    f.list.Focus(2);
    shown = RunCommand(ShowGameInfo);
    CHECK_EQ(shown.text.size(), Wide(longText, CP_UTF8).size());
    CHECK(shown.text == Wide(longText, CP_UTF8));
}

TEST_CASE("text that is not UTF-8 is read in the ANSI code page") {
    Fixture f;
    const std::string latin = "Caf\xE9 de l'arcade\r\n";
    WriteFileBytes(f.emulator.file("history.dat"), "$info=alpha,\r\n$bio\r\n" + latin + "$end\r\n");
    f.list.Focus(0);
    CHECK(RunCommand(ShowGameHistory).text == Wide(latin, CP_ACP));
}

TEST_CASE("the messages: no file, no entry, no emulator; nothing at all without a focused game") {
    struct Case {
        const char* what;
        void (*command)(HWND);
        bool historyFile;
        bool emulator;
        int focus;
        DWORD message;  // 0: no box
    };
    const Case cases[] = {
        {"mameinfo.dat missing", ShowGameInfo, true, true, 0, MSG_MAMEINFO_OPEN},
        {"history.dat missing", ShowGameHistory, false, true, 0, MSG_HISTORY_OPEN},
        {"no history entry", ShowGameHistory, true, true, 2, MSG_NO_HISTORY_ENTRY},
        {"no emulator", ShowGameHistory, true, false, 0, MSG_NO_EMULATOR},
        {"no focused game", ShowGameHistory, true, true, -1, 0},
        {"no focused game, no emulator", ShowGameInfo, true, false, -1, 0},
    };
    for (const Case& c : cases) {
        CAPTURE(std::string(c.what));
        Fixture f;
        if (c.historyFile) WriteFileBytes(f.emulator.file("history.dat"), "$info=alpha,\r\n$bio\r\nA\r\n$end\r\n");
        if (!c.emulator) Settings.MameName[0] = '\0';
        if (c.focus >= 0) f.list.Focus(c.focus);
        RunCommand(c.command, false);
        const std::vector<std::string> expected = c.message ? std::vector<std::string>{ModuleMessage(c.message)}
                                                            : std::vector<std::string>{};
        CHECK_EQ(f.BoxTexts(), expected);
    }
}

TEST_CASE("a caption string and a title longer than the caption are cut to 255 characters") {
    RegistrySandbox registry;
    REQUIRE(UseLanguage("english"));
    const std::string title(400, 'T');
    std::string caption;
    ModalScript script(IDC_DOCUMENT_TEXT, {
        [&](HWND viewer) {
            char text[512] = "";
            GetWindowTextA(viewer, text, sizeof text);
            caption = text;
            SendMessageA(viewer, WM_COMMAND, IDCANCEL, 0);  // Escape closes it too
        },
    });
    script.Run([&] { RunDocumentViewer(nullptr, {title.c_str(), IDS_CAPTION_HISTORY, L"text"}); });
    CHECK_EQ(caption, ("History - " + title).substr(0, 255));
}

TEST_CASE("an entry larger than 16 MiB (a damaged file) is not shown: one box says so; 16 MiB itself shows") {
    for (const size_t size : {kLargestDocumentEntry + 1, kLargestDocumentEntry}) {
        CAPTURE(size);
        Fixture f;
        std::string body;
        body.reserve(size);
        while (body.size() + 6 <= size) body += "Line\r\n";
        body.append(size - body.size(), 'x');
        WriteFileBytes(f.emulator.file("history.dat"), "$info=alpha,\r\n$bio\r\n" + body + "$end\r\n");
        std::wstring text;
        const int result = LoadGameHistoryText(nullptr, "alpha", "", text);
        if (size > kLargestDocumentEntry) {
            CHECK_EQ(result, kDocumentReported);
            CHECK(text.empty());
            REQUIRE_EQ(f.boxes.boxes().size(), 1u);
            CHECK_NE(f.boxes.boxes()[0].text.find("16 MiB"), std::string::npos);
        } else {
            CHECK_EQ(result, kDocumentFound);
            CHECK_EQ(f.boxes.boxes().size(), 0u);
        }
    }
}
