// Pictures: the search in each layout and archive with the picture thread's
// own code, damaged files, and the pane and icons in the main window (the
// pixels they show, the state kept over a restart).
#include "win/support.h"

#include <commctrl.h>
#include <objbase.h>

#include <functional>

#include "app/finding.h"
#include "app/main_window.h"
#include "base/globals.h"
#include "gamelist/game_list.h"
#include "pictures/game_icons.h"
#include "pictures/picture_loader.h"
#include "pictures/picture_pane.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/settings_store.h"
#include "ui/common_controls.h"
#include "win/picture_files.h"
#include "zip_builder.h"
#include "win/main_window_run.h"

using namespace quillet;
using namespace quillet::test;

namespace {

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kGreen = 0x00FF00;

// A MAME folder with pictures in every layout.
struct MameFolder {
    TempDir dir;
    std::string path(const char* relative) const { return dir.file(relative); }
    void folder(const char* relative) const { CreateDirectoryA(path(relative).c_str(), nullptr); }
    void file(const char* relative, const std::string& bytes) const {
        REQUIRE_FALSE(bytes.empty());
        REQUIRE(WriteFileBytes(path(relative), bytes));
    }

    MameFolder() {
        folder("snap");
        folder("snap\\galaga");
        folder("my titles");
        folder("icons");
        file("mame.ini", "# written by MAME\r\nsnapshot_directory        snap\r\n");
        // A byte-order mark and a quoted folder with a blank, as MAME writes them.
        file("ui.ini", "\xEF\xBB\xBFtitles_directory  \"my titles\"\r\nflyers_directory  flyers.txt\r\n");
        file("flyers.txt", "a file where a folder should be");
        file("snap\\puckman.png", Png(40, 30, kRed, kBlue));
        file("snap\\galaga\\0000.png", Png(41, 30, kRed, kBlue));
        file("snap\\dkong.jpg", Jpeg(42, 30, kRed, kBlue));
        file("snap\\broken.png", Png(47, 30, kRed, kBlue).substr(0, 60));
        file("snap\\galaxian.png", Png(48, 30, kRed, kBlue).substr(0, 60));  // damaged, a sound one in the archive
        file("snap\\huge.png", Png(kMaxPictureSide + 1, 1, kRed, kRed));
        file("snap.zip", BuildZip({{"frogger.png", Png(43, 30, kRed, kBlue)},
                                   {"Scramble.JPG", Jpeg(44, 30, kRed, kBlue), false},
                                   {"galaxian.png", Png(49, 30, kRed, kBlue)},
                                   {"bomb.png", std::string(8u << 20, '\0'), true, 100}}));
        file("my titles\\puckman.png", Png(45, 30, kGreen, kGreen));
        file("icons\\galaga.ico", IconFile(16, kRed));
        file("icons.zip", BuildZip({{"mspacman.ico", IconFile(32, kBlue)}}));
        std::string dir = this->dir.path() + "\\";
        lstrcpynA(Settings.MameDir, dir.c_str(), sizeof Settings.MameDir);
        ForgetCachedPictures();
    }
};

// Pumps messages until `done` or about five seconds have passed.
bool WaitFor(const std::function<bool()>& done) {
    for (int i = 0; i < 250 && !done(); ++i) PumpMessages(20);
    return done();
}

struct Com {
    Com() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~Com() { CoUninitialize(); }
};

int Found(PictureKind kind, const char* game, const char* parent = "") {
    const PicturePtr picture = FindPictureNow(kind, game, parent);
    return picture ? picture->width : 0;
}

}  // namespace

TEST_CASE("a picture is found in each layout and archive, a clone shows its parent's, damage shows none") {
    Com com;
    MameFolder mame;
    struct Case {
        PictureKind kind;
        const char* game;
        const char* parent;
        int width;  // which file was found (0: none)
    };
    const Case cases[] = {
        {PictureKind::Snapshot, "puckman", "", 40},       // snap\<name>.png
        {PictureKind::Snapshot, "galaga", "", 41},        // snap\<name>\0000.png
        {PictureKind::Snapshot, "dkong", "", 42},         // snap\<name>.jpg
        {PictureKind::Snapshot, "frogger", "", 43},       // snap.zip, deflated
        {PictureKind::Snapshot, "scramble", "", 44},      // snap.zip, stored, any case
        {PictureKind::Snapshot, "pacman", "puckman", 40}, // the parent's
        {PictureKind::Snapshot, "galaxian", "", 49},      // a damaged file, then the archive's
        {PictureKind::Title, "pacman", "puckman", 45},    // a quoted folder after a byte-order mark
        {PictureKind::Snapshot, "broken", "", 0},         // truncated
        {PictureKind::Snapshot, "huge", "", 0},           // wider than 4096
        {PictureKind::Snapshot, "bomb", "", 0},           // inflates past its stated size
        {PictureKind::Flyer, "puckman", "", 0},           // the folder is a file
        {PictureKind::Marquee, "puckman", "", 0},         // no such folder
        {PictureKind::Snapshot, "..\\mame", "", 0},       // no name
    };
    for (const Case& c : cases) {
        CAPTURE(c.game);
        CAPTURE(static_cast<int>(c.kind));
        CHECK_EQ(Found(c.kind, c.game, c.parent), c.width);
    }
    SUBCASE("a picture's colours come through decoding") {
        const PicturePtr picture = FindPictureNow(PictureKind::Snapshot, "puckman", "");
        REQUIRE(picture);
        CHECK_EQ(picture->pixels[0] & 0xFFFFFF, kRed);
        CHECK_EQ(picture->pixels.back() & 0xFFFFFF, kBlue);
    }
    SUBCASE("an archive read again once its size changes") {
        CHECK_EQ(Found(PictureKind::Snapshot, "zaxxon"), 0);
        mame.file("snap.zip", BuildZip({{"zaxxon.png", Png(46, 30, kRed, kBlue)}}));
        CHECK_EQ(Found(PictureKind::Snapshot, "zaxxon"), 46);
    }
}

namespace {

// The main window as the program starts it, with the demo emulator folder
// `mameDir` in place of the one read from the registry.
class PaneRun {
public:
    PaneRun(const std::string& start, const std::string& mameDir) : run_(test::StartFolder{start}) {
        lstrcpynA(Settings.MameDir, mameDir.c_str(), sizeof Settings.MameDir);
        RefreshPictures();
        REQUIRE(WaitFor([] { return SendMessageA(GameListWindow, LVM_GETITEMCOUNT, 0, 0) > 10; }));
        InvalidateRect(GameListWindow, nullptr, TRUE);
    }
    HWND window() const { return run_.window(); }

    int Row(const char* game) const {
        for (int i = 0;; ++i) {
            const GameRecord* record = GameRecordAt(i);
            if (!record) return -1;
            if (lstrcmpA(record->RomName, game) == 0) return i;
        }
    }
    void Focus(const char* game) const {
        const int row = Row(game);
        REQUIRE(row >= 0);
        LVITEMA item{};
        item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
        item.state = LVIS_FOCUSED | LVIS_SELECTED;
        SendMessageA(GameListWindow, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    bool Shows(const char* game, bool picture) const {
        return WaitFor([&] { return CurrentPicture().game == game && CurrentPicture().hasPicture == picture; });
    }

private:
    test::MainWindowRun run_;
};

// The pane as it draws itself, sampled at a point of its client area.
COLORREF PanePixel(POINT at) {
    RECT client;
    GetClientRect(PicturePaneWindow, &client);
    HDC screen = GetDC(PicturePaneWindow);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(PicturePaneWindow, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const COLORREF colour = GetPixel(dc, at.x, at.y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(PicturePaneWindow, screen);
    return colour;
}

RECT ChildRect(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct Fixture {
    Com com;  // the test's pictures are encoded by the imaging component
    RegistrySandbox registry;
    MessageBoxRecorder boxes;
    TempDir start;
    MameFolder mame;
    Fixture() {
        registry.CreateMachineKey();
        registry.StoreVersion();
        CopyFileA(BuildPath("gamelist.mdb").c_str(), start.file("gamelist.mdb").c_str(), FALSE);
    }
    std::string mameDir() const { return mame.dir.path() + "\\"; }
};

DWORD StoredDword(const char* name) {
    HKEY key;
    DWORD value = 0xDEADBEEF, size = 4;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Halvorn\\Quillet", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
    }
    return value;
}

}  // namespace

TEST_CASE("the pane shows the focused game's picture, its parent's, or its description") {
    Fixture f;
    PaneRun run(f.start.path(), f.mameDir());
    REQUIRE(IsWindowVisible(PicturePaneWindow));
    run.Focus("galaga");
    REQUIRE(run.Shows("galaga", true));
    // Red above, blue below, scaled to the pane with its shape kept.
    const RECT place = PictureRect();
    const int width = place.right - place.left, height = place.bottom - place.top;
    CHECK_GT(width, 41);
    CHECK_LT(abs(width * 30 - height * 41), 41 + 30);
    const int x = (place.left + place.right) / 2;
    CHECK_EQ(PanePixel({x, place.top + height / 4}), RGB(255, 0, 0));
    CHECK_EQ(PanePixel({x, place.bottom - height / 4}), RGB(0, 0, 255));

    run.Focus("pacman");  // a clone of puckman
    REQUIRE(run.Shows("pacman", true));
    CHECK_EQ(CurrentPicture().pictureWidth, 40);
    run.Focus("mspacman");  // no picture: its description on a plain background
    REQUIRE(run.Shows("mspacman", false));
    CHECK_EQ(PanePixel({40, 60}), GetSysColor(COLOR_WINDOW));
    // A search that hides the focused game empties the pane; emptying the
    // search brings the game back to both.
    SetWindowTextW(SearchBox, L"galaga");
    CHECK(run.Shows("", false));
    SetWindowTextW(SearchBox, L"");
    CHECK(run.Shows("mspacman", false));
    CHECK(f.boxes.boxes().empty());
}

TEST_CASE("the kind, the width and shown or hidden survive a restart") {
    Fixture f;
    int width = 0;
    {
        PaneRun run(f.start.path(), f.mameDir());
        SendMessageA(run.window(), WM_COMMAND, IDM_PICTURE_NEXT, 0);
        SendMessageA(run.window(), WM_COMMAND, IDM_PICTURE_NEXT, 0);
        SendMessageA(run.window(), WM_COMMAND, IDM_PICTURE_PREVIOUS, 0);
        CHECK_EQ(Settings.PictureKind, 1u);
        run.Focus("pacman");
        REQUIRE(run.Shows("pacman", true));  // the title, in the quoted folder
        CHECK_EQ(CurrentPicture().pictureWidth, 45);
        // Drag the splitter 100 pixels to the left.
        const RECT before = ChildRect(PicturePaneWindow);
        SendMessageA(PicturePaneWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 50));
        SendMessageA(PicturePaneWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-98), 50));
        SendMessageA(PicturePaneWindow, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(-98), 50));
        const RECT after = ChildRect(PicturePaneWindow);
        width = after.right - after.left;
        CHECK_EQ(width, before.right - before.left + 100);
        CHECK_EQ(ChildRect(GameListWindow).right, after.left);
    }
    CHECK_EQ(StoredDword("PictureKind"), 1u);
    CHECK_EQ(StoredDword("PicturePaneWidth"), static_cast<DWORD>(width));
    CHECK_EQ(StoredDword("PicturePane"), 1u);
    {
        PaneRun run(f.start.path(), f.mameDir());
        CHECK_EQ(ChildRect(PicturePaneWindow).right - ChildRect(PicturePaneWindow).left, width);
        CHECK_EQ(SendDlgItemMessageA(PicturePaneWindow, IDC_PICTURE_KIND, CB_GETCURSEL, 0, 0), 1);
        CHECK((GetMenuState(GetMenu(run.window()), IDM_PICTURE_PANE, MF_BYCOMMAND) & MF_CHECKED) != 0);
        SendMessageA(run.window(), WM_COMMAND, IDM_PICTURE_PANE, 0);
        CHECK_FALSE(IsWindowVisible(PicturePaneWindow));
    }
    CHECK_EQ(StoredDword("PicturePane"), 0u);
    {
        PaneRun run(f.start.path(), f.mameDir());
        CHECK_FALSE(IsWindowVisible(PicturePaneWindow));
        RECT client;
        GetClientRect(run.window(), &client);
        CHECK_EQ(ChildRect(GameListWindow).right, client.right);
        CHECK_EQ(GetMenuState(GetMenu(run.window()), IDM_PICTURE_PANE, MF_BYCOMMAND) & MF_CHECKED, 0u);
    }
}

TEST_CASE("Tab moves between the list and the pane; the pane's arrows change the kind") {
    Fixture f;
    PaneRun run(f.start.path(), f.mameDir());
    SetFocus(GameListWindow);
    SendMessageA(GameListWindow, WM_KEYDOWN, VK_TAB, 0);
    CHECK_EQ(GetFocus(), PicturePaneWindow);
    SendMessageA(PicturePaneWindow, WM_KEYDOWN, VK_RIGHT, 0);
    CHECK_EQ(Settings.PictureKind, 1u);
    SendMessageA(PicturePaneWindow, WM_KEYDOWN, VK_LEFT, 0);
    SendMessageA(PicturePaneWindow, WM_KEYDOWN, VK_LEFT, 0);
    CHECK_EQ(Settings.PictureKind, kPictureKindCount - 1);
    SendMessageA(PicturePaneWindow, WM_KEYDOWN, VK_TAB, 0);
    CHECK_EQ(GetFocus(), GameListWindow);
}

TEST_CASE("the name column shows a game's icon, its parent's through IconPath, or the default") {
    Fixture f;
    PaneRun run(f.start.path(), f.mameDir());
    SendMessageA(run.window(), WM_COMMAND, IDM_ICONS, 0);
    REQUIRE(GameIconsEnabled());
    CHECK((GetMenuState(GetMenu(run.window()), IDM_ICONS, MF_BYCOMMAND) & MF_CHECKED) != 0);
    auto slot = [&](const char* game) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = run.Row(game);
        SendMessageA(GameListWindow, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    };
    slot("galaga");
    slot("mspacmnf");
    slot("puckman");
    REQUIRE(WaitFor([&] { return slot("galaga") > 0 && slot("mspacmnf") > 0; }));
    PumpMessages(200);
    CHECK_EQ(slot("puckman"), 0);
    // The icon drawn from the list's own image list: red for galaga, the
    // parent's blue for the clone.
    HIMAGELIST icons = reinterpret_cast<HIMAGELIST>(SendMessageA(GameListWindow, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    REQUIRE(icons != nullptr);
    auto centre = [&](int index) {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 64, 64);
        HGDIOBJ old = SelectObject(dc, bitmap);
        ImageList_Draw(icons, index, dc, 0, 0, ILD_NORMAL);
        int cx = 0, cy = 0;
        ImageList_GetIconSize(icons, &cx, &cy);
        const COLORREF colour = GetPixel(dc, cx / 2, cy / 2);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        return colour;
    };
    CHECK_EQ(centre(slot("galaga")), RGB(255, 0, 0));
    CHECK_EQ(centre(slot("mspacmnf")), RGB(0, 0, 255));
    SendMessageA(run.window(), WM_COMMAND, IDM_ICONS, 0);
    CHECK_FALSE(GameIconsEnabled());
    CHECK_EQ(SendMessageA(GameListWindow, LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
}
