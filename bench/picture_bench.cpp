// The picture pane's and the icons' figures (Windows build, under Wine):
// a 640x480 PNG found and decoded from a folder and from a 40,000-entry
// snap.zip, that archive's directory read once, the picture thread's answer
// to a focus change, a held arrow key's requests, and a 45,000-row list
// scrolled a page at a time with icons on.
#include <objbase.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "pictures/game_icons.h"
#include "pictures/picture_loader.h"
#include "win/picture_files.h"
#include "zip_builder.h"

using namespace quillet;
using namespace quillet::bench;

namespace {

std::string folder;
constexpr int kGames = 45000;
constexpr int kArchiveEntries = 40000;

std::string Name(int i) {
    std::string name = "g";  // appended: "literal" + std::string trips GCC 12's -Wrestrict
    name += std::to_string(100000 + i);
    return name;
}

void Write(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void Report(const Figure& f) {
    std::printf("%-58s best %8.2f ms  median %8.2f ms%s\n", f.label.c_str(), f.Best() * 1000, f.Median() * 1000,
                f.target > 0 ? (f.Median() <= f.target ? "  (target met)" : "  (TARGET MISSED)") : "");
}

UINT arrived;
LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kPictureDoneMessage) {
        arrived = static_cast<UINT>(wParam);
        return 0;
    }
    if (message == WM_NOTIFY) {
        auto* info = reinterpret_cast<NMLVDISPINFOA*>(lParam);
        if (info->hdr.code == LVN_GETDISPINFOA) {
            static std::string name;
            name = Name(info->item.iItem);
            if (info->item.mask & LVIF_TEXT) lstrcpynA(info->item.pszText, name.c_str(), info->item.cchTextMax);
            if (info->item.mask & LVIF_IMAGE) info->item.iImage = GameIconSlot(name.c_str(), (name + ".ico").c_str(), info->item.iItem);
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

double WaitForAnswer(UINT serial, double start) {
    while (arrived != serial && Now() - start < 5) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        Pump();
    }
    return Now() - start;
}

}  // namespace

int main() {
    if (!StartBenchProgram(PrintBox)) return 1;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    folder = temp;
    folder += "picture_bench_";
    folder += std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\snap").c_str(), nullptr);
    CreateDirectoryA((folder + "\\icons").c_str(), nullptr);
    lstrcpynA(Settings.MameDir, (folder + "\\").c_str(), sizeof Settings.MameDir);

    // Noise keeps the file near a real snapshot's size (a flat picture
    // compresses to almost nothing).
    const std::string png = test::Png(640, 480, 0xFF0000, 0x0000FF, true);
    Write(folder + "\\snap\\loose.png", png);
    std::vector<test::ZipItem> items;
    for (int i = 0; i < kArchiveEntries; ++i) items.push_back({Name(i) + ".png", i == kArchiveEntries / 2 ? png : "x", false});
    Write(folder + "\\snap.zip", test::BuildZip(items));
    for (int i = 0; i < 400; ++i) Write(folder + "\\icons\\" + Name(i) + ".ico", test::IconFile(16, 0x00FF00));
    std::printf("640x480 PNG: %zu bytes; snap.zip: %d entries\n", png.size(), kArchiveEntries);

    Figure loose{"640x480 PNG from snap\\<name>.png, found and decoded", 0.050, {}};
    Figure directory{"snap.zip directory of 40,000 entries, read once", 0.200, {}};
    Figure zipped{"640x480 PNG from snap.zip (directory known)", 0.100, {}};
    const std::string inArchive = Name(kArchiveEntries / 2);
    for (int round = 0; round < 7; ++round) {
        ForgetCachedPictures();
        FindPictureNow(PictureKind::Title, "none", "");  // the folder lists, read once
        double t = Now();
        FindPictureNow(PictureKind::Snapshot, "loose", "");
        loose.seconds.push_back(Now() - t);
        t = Now();
        FindPictureNow(PictureKind::Snapshot, Name(1), "");  // not a picture: the directory is read
        directory.seconds.push_back(Now() - t);
        t = Now();
        const PicturePtr p = FindPictureNow(PictureKind::Snapshot, inArchive, "");
        zipped.seconds.push_back(Now() - t);
        if (!p || p->width != 640) std::printf("the archive's picture was not found\n");
    }
    Report(loose);
    Report(directory);
    Report(zipped);

    // The thread: a focus change to the answer posted back.
    WNDCLASSA wc{};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = ProgramInstance;
    wc.lpszClassName = "PictureBench";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "picture bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                                  600, nullptr, nullptr, ProgramInstance, nullptr);
    StartPictureThread(window, nullptr);
    Figure focus{"focus change to picture, snap\\<name>.png (thread)", 0.050, {}};
    Figure focusZip{"focus change to picture, from snap.zip (thread)", 0.100, {}};
    UINT serial = 0;
    for (int round = 0; round < 7; ++round) {
        ForgetCachedPictures();
        RequestPicture(++serial, PictureKind::Snapshot, Name(2), "");  // folders and directory read
        WaitForAnswer(serial, Now());
        double t = Now();
        RequestPicture(++serial, PictureKind::Snapshot, "loose", "");
        focus.seconds.push_back(WaitForAnswer(serial, t));
        t = Now();
        RequestPicture(++serial, PictureKind::Snapshot, inArchive, "");
        focusZip.seconds.push_back(WaitForAnswer(serial, t));
        PicturePtr taken;
        TakePicture(serial, taken);
    }
    Report(focus);
    Report(focusZip);

    // A held arrow key: 30 focus changes a second for two seconds over games
    // of the archive; the user-interface thread's cost per change, and how
    // many searches ran.
    Figure held{"held arrow key: one request on the user-interface thread", 0.001, {}};
    arrived = 0;
    const UINT first = serial + 1;
    for (int i = 0; i < 60; ++i) {
        const double t = Now();
        RequestPicture(++serial, PictureKind::Snapshot, Name(1000 + i), "");
        held.seconds.push_back(Now() - t);
        const double until = t + 1.0 / 30;
        while (Now() < until) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
            Pump();
        }
    }
    WaitForAnswer(serial, Now());
    Report(held);
    std::printf("  the last request (%u) answered: %s\n", serial - first + 1, arrived == serial ? "yes" : "no");

    // Scrolling a 45,000-row list a page at a time with icons on.
    Settings.EnableIcons = 1;
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0, 780,
                                560, window, nullptr, ProgramInstance, nullptr);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 200;
    column.pszText = const_cast<char*>("ROM name");
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    AttachGameIcons(list);
    SendMessageA(list, LVM_SETITEMCOUNT, kGames, 0);
    UpdateWindow(list);
    const int page = static_cast<int>(SendMessageA(list, LVM_GETCOUNTPERPAGE, 0, 0));
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    // The same scroll without icons first: what the list view itself costs.
    // Then with icons twice: first while they load, then once known.
    int pass = 0;
    for (const bool icons : {false, true, true}) {
        ++pass;
        EnableGameIcons(icons);
        SendMessageA(list, LVM_ENSUREVISIBLE, 0, FALSE);
        UpdateWindow(list);
        // The icons the pass before asked for arrive first, so a pass
        // measures drawing, not the loader still working beside it.
        for (const double until = Now() + 1.0; Now() < until; Sleep(10)) Pump();
        Figure scroll{!icons    ? "45,000 rows without icons: one page down, drawn"
                      : pass == 2 ? "45,000 rows with icons loading: one page down, drawn"
                                  : "45,000 rows with icons known: one page down, drawn",
                      icons ? 0.016 : 0.0, {}};
        for (int top = 0; top + page < kGames; top += page * 23) {  // about 65 pages spread over the list
            const double t = Now();
            SendMessageA(list, LVM_SCROLL, 0, page * 23 * (row.bottom - row.top));
            UpdateWindow(list);
            scroll.seconds.push_back(Now() - t);
            Pump();
        }
        Report(scroll);
    }
    DestroyWindow(window);
    StopPictureThread();
    DeleteFileA((folder + "\\snap\\loose.png").c_str());
    DeleteFileA((folder + "\\snap.zip").c_str());
    for (int i = 0; i < 400; ++i) DeleteFileA((folder + "\\icons\\" + Name(i) + ".ico").c_str());
    RemoveDirectoryA((folder + "\\snap").c_str());
    RemoveDirectoryA((folder + "\\icons").c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
