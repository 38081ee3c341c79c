#include "documents/documents.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/globals.h"
#include "base/handles.h"
#include "base/report.h"
#include "documents/document_scan.h"
#include "documents/history_lookup.h"
#include "gamelist/game_list.h"
#include "resources/resource_ids.h"
#include "settings/frontend_settings.h"
#include "settings/language.h"
#include "ui/placement.h"

namespace quillet {

namespace {

using DocumentSearch = bool (*)(const char*, const char*, const char*, DocumentSpan*);

struct DocumentKind {
    const char* fileName;
    UINT captionStringId;
    DWORD openFailedMessage;
    DWORD noEntryMessage;
    DocumentSearch search;
};

constexpr DocumentKind kMameInfo{"mameinfo.dat", IDS_CAPTION_MAMEINFO, MSG_MAMEINFO_OPEN, MSG_NO_MAMEINFO_ENTRY,
                                 FindInfoText};
constexpr DocumentKind kHistory{"history.dat", IDS_CAPTION_HISTORY, MSG_HISTORY_OPEN, MSG_NO_HISTORY_ENTRY,
                                FindHistoryText};

constexpr int kRomNameColumn = 0;
constexpr int kDescriptionColumn = 1;
constexpr int kCloneofColumn = 5;

// Today's files are UTF-8 (often with a byte-order mark); older ones are in
// the ANSI code page of whoever wrote them. Text that decodes as UTF-8 is
// taken as UTF-8, anything else as ANSI.
std::wstring DecodeText(const std::string& bytes) {
    if (bytes.empty()) return {};
    const int length = static_cast<int>(bytes.size());
    UINT codePage = CP_UTF8;
    int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (wide <= 0) {
        codePage = CP_ACP;
        wide = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    }
    std::wstring text(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, text.data(), wide);
    return text;
}

// Opens MameDir's mameinfo.dat / history.dat, finds `name`'s entry and puts
// its whole text into `text`, ready for a Unicode edit control: decoded as
// UTF-8 when it is valid UTF-8, else in the ANSI code page, with CR LF line
// ends.
int LoadDocumentText(HWND owner, const DocumentKind& kind, const char* name, std::wstring& text) {
    // Today's history.xml where there is one, along the same folders.
    if (&kind == &kHistory) {
        const std::string xml = FindDocumentFile("history.xml");
        if (!xml.empty()) return LoadHistoryXmlText(owner, xml, name, text);
    }
    const std::string found = FindDocumentFile(kind.fileName);
    if (found.empty()) {
        ReportMessage(owner, MessageSourceModule, kind.openFailedMessage);
        return kDocumentReported;
    }
    const char* path = found.c_str();
    const UniqueHandle file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        ReportMessage(owner, MessageSourceModule, kind.openFailedMessage);
        return kDocumentReported;
    }
    // An empty file cannot be mapped: the system's text says so.
    const UniqueHandle mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    const MappedView view(mapping.valid() ? MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0) : nullptr);
    LARGE_INTEGER size{};
    if (!view.valid() || !GetFileSizeEx(file.get(), &size)) {
        ReportMessage(owner, MessageSourceSystem, 0);
        return kDocumentReported;
    }
    const char* begin = view.data();
    const char* end = begin + static_cast<size_t>(size.QuadPart);
    DocumentSpan span;
    if (!kind.search(begin, end, name, &span)) return kDocumentNoEntry;
    // An entry this large is no game's history: the file is damaged (an
    // end marker lost). It is not shown, and its size never overflows the
    // converter's int.
    if (static_cast<size_t>(span.end - span.begin) > kLargestDocumentEntry) {
        char limit[16];
        std::snprintf(limit, sizeof limit, "%lu", static_cast<unsigned long>(kLargestDocumentEntry >> 20));
        ReportMessage(owner, MessageSourceModule, MSG_DOCUMENT_TOO_LARGE, limit);
        return kDocumentReported;
    }
    text = DecodeText(WithCrLfLineEnds(span.begin, span.end));
    return kDocumentFound;
}

void ShowGameDocument(HWND mainWindow, const DocumentKind& kind) {
    // With no focused row there is no game to look up.
    char romName[kRomNameLength + 1] = "";
    GetFocusedItemText(romName, kRomNameColumn, sizeof romName);
    if (romName[0] == '\0') return;
    if (Settings.MameName[0] == '\0') {
        ReportMessage(mainWindow, MessageSourceModule, MSG_NO_EMULATOR);
        return;
    }
    // A clone with no entry of its own shows its parent's; a game that is
    // no clone has a single space in this column.
    char parent[kRomNameLength + 1] = "";
    GetFocusedItemText(parent, kCloneofColumn, sizeof parent);
    const bool clone = parent[0] != '\0' && parent[0] != ' ';
    char title[120] = "";
    GetFocusedItemText(title, kDescriptionColumn, sizeof title);

    std::wstring text;
    int result = LoadDocumentText(mainWindow, kind, romName, text);
    if (result == kDocumentNoEntry && clone) result = LoadDocumentText(mainWindow, kind, parent, text);
    switch (result) {
    case kDocumentFound: RunDocumentViewer(mainWindow, {title, kind.captionStringId, text.c_str()}); break;
    case kDocumentNoEntry: ReportMessage(mainWindow, MessageSourceModule, kind.noEntryMessage); break;
    default: break;
    }
}

void OnViewerInit(HWND dialog, const DocumentViewerParams& params) {
    CenterOnParent(dialog);
    // The caption string and the title share one 256-character caption; a
    // title that does not fit is cut. The title is catalogue text (UTF-8 for
    // today's emulator), set in Unicode past the dialog's ANSI procedure,
    // which would bring it down to the ANSI code page.
    char captionText[256] = "";
    if (LoadStringA(LanguageModule, params.captionStringId, captionText, sizeof captionText) <= 0) captionText[0] = '\0';
    wchar_t caption[256] = L"";
    int used = MultiByteToWideChar(CP_ACP, 0, captionText, -1, caption, 256);
    used = used > 0 ? used - 1 : 0;
    CatalogueTextToWide(params.title, caption + used, 256 - used);
    DefWindowProcW(dialog, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption));
    // Entries run well past the edit control's default 32,767 characters.
    SendDlgItemMessageW(dialog, IDC_DOCUMENT_TEXT, EM_SETLIMITTEXT, 0, 0);
    SetDlgItemTextW(dialog, IDC_DOCUMENT_TEXT, params.text);
}

}  // namespace

void ShowGameInfo(HWND mainWindow) { ShowGameDocument(mainWindow, kMameInfo); }
void ShowGameHistory(HWND mainWindow) { ShowGameDocument(mainWindow, kHistory); }

int LoadGameHistoryText(HWND owner, const char* romName, const char* cloneOf, std::wstring& text) {
    const int result = LoadDocumentText(owner, kHistory, romName, text);
    const bool clone = cloneOf && cloneOf[0] != '\0' && cloneOf[0] != ' ';
    return result == kDocumentNoEntry && clone ? LoadDocumentText(owner, kHistory, cloneOf, text) : result;
}

void RunDocumentViewer(HWND owner, const DocumentViewerParams& params) {
    // The Unicode dialog makes the edit control a Unicode one, so UTF-8
    // entries show in any language, whatever the ANSI code page.
    DialogBoxParamW(ProgramInstance, MAKEINTRESOURCEW(IDD_DOCUMENT_VIEWER), owner, DocumentViewerProc,
                    reinterpret_cast<LPARAM>(&params));
}

INT_PTR CALLBACK DocumentViewerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: OnViewerInit(dialog, *reinterpret_cast<const DocumentViewerParams*>(lParam)); return TRUE;
    case WM_COMMAND:
        // OK, and Escape (IDCANCEL) as in any other box.
        if (wParam != IDOK && wParam != IDCANCEL) return FALSE;
        SendMessageW(dialog, WM_CLOSE, 0, 0);
        return TRUE;
    case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
    default: return FALSE;
    }
}

}  // namespace quillet
