#include "pictures/game_icons.h"

#include <commctrl.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "base/globals.h"
#include "pictures/picture_loader.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"

namespace quillet {

namespace {

HWND listWindow;
HWND messageWindow;
HIMAGELIST smallIcons;
HIMAGELIST largeIcons;
int smallSize;
int largeSize;

// What is known of a game: its slot, 0 for the default (no icon of its
// own), or -1 while it has been asked for and not answered.
std::unordered_map<std::string, int> slotOf;
// The row each unanswered game was last drawn in: only that row is drawn
// again when its icon arrives, and only while it is in view.
std::unordered_map<std::string, int> rowOf;
// Slot owners and when each was last drawn; slot 0 is the default's.
std::vector<std::string> owner(kIconSlots + 1);
std::vector<unsigned> lastUse(kIconSlots + 1);
unsigned useClock;

// The slot to fill next: an empty one, else the one drawn longest ago.
int FreeSlot() {
    int best = 1;
    for (int i = 1; i <= kIconSlots; ++i) {
        if (owner[i].empty()) return i;
        if (lastUse[i] < lastUse[best]) best = i;
    }
    slotOf.erase(owner[best]);
    owner[best].clear();
    return best;
}

void RedrawRow(int row) {
    if (row < 0 || !listWindow) return;
    const int top = static_cast<int>(SendMessageA(listWindow, LVM_GETTOPINDEX, 0, 0));
    const int page = static_cast<int>(SendMessageA(listWindow, LVM_GETCOUNTPERPAGE, 0, 0));
    // The icon views report no top row and fewer rows per page: redraw there.
    const LONG view = GetWindowLongA(listWindow, GWL_STYLE) & LVS_TYPEMASK;
    if (view == LVS_REPORT && (row < top || row > top + page)) return;
    SendMessageA(listWindow, LVM_REDRAWITEMS, row, row);
}

void TakeArrivedIcons() {
    for (IconResult& icon : TakeIcons()) {
        auto known = slotOf.find(icon.game);
        // Forgotten since it was asked for (a reload): dropped.
        if (known == slotOf.end() || known->second != -1 || !smallIcons) {
            if (icon.small) DestroyIcon(icon.small);
            if (icon.large) DestroyIcon(icon.large);
            continue;
        }
        int slot = 0;
        if (icon.small) {
            slot = FreeSlot();
            ImageList_ReplaceIcon(smallIcons, slot, icon.small);
            ImageList_ReplaceIcon(largeIcons, slot, icon.large ? icon.large : icon.small);
            owner[slot] = icon.game;
            lastUse[slot] = ++useClock;
            DestroyIcon(icon.small);
            if (icon.large) DestroyIcon(icon.large);
        }
        known->second = slot;
        if (auto row = rowOf.find(icon.game); row != rowOf.end()) {
            if (slot > 0 && GameIconsEnabled()) RedrawRow(row->second);
            rowOf.erase(row);
        }
    }
}

LRESULT CALLBACK MessageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kIconsDoneMessage) {
        TakeArrivedIcons();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HIMAGELIST MakeList(int size) {
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kIconSlots + 1, 0);
    HICON fallback = static_cast<HICON>(LoadImageA(ProgramInstance, MAKEINTRESOURCEA(IDI_GAME_DEFAULT), IMAGE_ICON, size, size, 0));
    if (!fallback) fallback = static_cast<HICON>(LoadImageA(ProgramInstance, MAKEINTRESOURCEA(IDI_QUILLET), IMAGE_ICON, size, size, 0));
    // Every slot exists from the start, holding the default, so that
    // replacing one never changes the others' numbers.
    for (int i = 0; i <= kIconSlots; ++i) ImageList_ReplaceIcon(list, -1, fallback ? fallback : LoadIconA(nullptr, IDI_APPLICATION));
    if (fallback) DestroyIcon(fallback);
    return list;
}

void GiveLists() {
    if (!listWindow) return;
    const bool on = GameIconsEnabled();
    SendMessageA(listWindow, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(on ? smallIcons : nullptr));
    SendMessageA(listWindow, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(on ? largeIcons : nullptr));
    InvalidateRect(listWindow, nullptr, TRUE);
}

}  // namespace

void AttachGameIcons(HWND list) {
    listWindow = list;
    // The lists are ours: the list view must not destroy them when it goes
    // or when they are taken away.
    SetWindowLongA(list, GWL_STYLE, GetWindowLongA(list, GWL_STYLE) | LVS_SHAREIMAGELISTS);
    smallSize = GetSystemMetrics(SM_CXSMICON);
    largeSize = GetSystemMetrics(SM_CXICON);
    if (!smallIcons) smallIcons = MakeList(smallSize);
    if (!largeIcons) largeIcons = MakeList(largeSize);
    if (!messageWindow) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = MessageProc;
        wc.hInstance = ProgramInstance;
        wc.lpszClassName = "QuilletGameIcons";
        RegisterClassA(&wc);
        messageWindow = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ProgramInstance, nullptr);
    }
    StartPictureThread(nullptr, messageWindow);
    GiveLists();
}

void EnableGameIcons(bool enabled) {
    Settings.EnableIcons = enabled ? 1 : 0;
    GiveLists();
}

bool GameIconsEnabled() { return Settings.EnableIcons != 0 && smallIcons != nullptr; }

int GameIconSlot(const char* game, const char* iconFile, int row) {
    if (!GameIconsEnabled() || !game || !*game) return 0;
    auto [it, added] = slotOf.try_emplace(game, -1);
    if (it->second == 0) return 0;
    if (it->second > 0) {
        lastUse[it->second] = ++useClock;
        return it->second;
    }
    // Asked again while unanswered: a request pushed out of the bounded
    // queue by newer rows is made again when its row is drawn again.
    (void)added;
    rowOf[game] = row;
    RequestIcon(game, iconFile ? iconFile : "", smallSize, largeSize);
    return 0;
}

void ForgetGameIcons() {
    slotOf.clear();
    rowOf.clear();
    for (std::string& name : owner) name.clear();
    DropIconRequests();
    if (listWindow && GameIconsEnabled()) InvalidateRect(listWindow, nullptr, FALSE);
}

void DetachGameIcons() {
    if (listWindow && IsWindow(listWindow)) {
        SendMessageA(listWindow, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
        SendMessageA(listWindow, LVM_SETIMAGELIST, LVSIL_NORMAL, 0);
    }
    listWindow = nullptr;
    if (messageWindow) DestroyWindow(messageWindow);
    messageWindow = nullptr;
    if (smallIcons) ImageList_Destroy(smallIcons);
    if (largeIcons) ImageList_Destroy(largeIcons);
    smallIcons = largeIcons = nullptr;
    slotOf.clear();
    rowOf.clear();
    for (std::string& name : owner) name.clear();
}

}  // namespace quillet
