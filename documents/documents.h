// Commands 1012 and 1013: the focused game's mameinfo.dat and history.dat
// entries in the document viewer.
#pragma once

#include <windows.h>

namespace quillet {

void ShowGameInfo(HWND mainWindow);     // command 1012
void ShowGameHistory(HWND mainWindow);  // command 1013

struct DocumentViewerParams {
    const char* title;     // appended to the caption string
    UINT captionStringId;  // of the language module
    const wchar_t* text;
};

// Runs dialog 13210 of the program modally over `owner`.
void RunDocumentViewer(HWND owner, const DocumentViewerParams& params);
INT_PTR CALLBACK DocumentViewerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quillet
