// Commands 1012 and 1013: the focused game's mameinfo.dat and history.dat
// entries in the document viewer.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace quillet {

void ShowGameInfo(HWND mainWindow);     // command 1012
void ShowGameHistory(HWND mainWindow);  // command 1013

// The largest entry shown (16 MiB); a larger one is reported instead.
constexpr size_t kLargestDocumentEntry = size_t{16} << 20;

// Results of LoadGameHistoryText.
constexpr int kDocumentNoEntry = 0;
constexpr int kDocumentFound = 1;
constexpr int kDocumentReported = 3;  // the file could not be read; the reason was shown

// A game's history entry, its whole text put into `text`, ready for a
// Unicode edit control (decoded as UTF-8 when it is valid UTF-8, else in
// the ANSI code page, with CR LF line ends): today's history.xml when there
// is one along the document folders, else history.dat; a clone (`cloneOf`
// its parent, or empty or a single space) with no entry of its own shows
// its parent's.
int LoadGameHistoryText(HWND owner, const char* romName, const char* cloneOf, std::wstring& text);

struct DocumentViewerParams {
    const char* title;     // appended to the caption string
    UINT captionStringId;  // of the language module
    const wchar_t* text;
};

// Runs dialog 13210 of the program modally over `owner`.
void RunDocumentViewer(HWND owner, const DocumentViewerParams& params);
INT_PTR CALLBACK DocumentViewerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quillet
