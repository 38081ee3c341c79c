// The main window: rebar, toolbar, status bar, game list and command dispatch.
#pragma once

#include <windows.h>

namespace quillet {

extern HWND MainWindow;  // set on WM_CREATE
extern HWND RebarWindow;
extern HWND ToolbarWindow;
extern HWND StatusBarWindow;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void CreateCommandBar(HWND window);
void LayoutMainWindow(HWND window, int clientHeight);

// Registers the class and creates the (hidden) main window; WM_CREATE builds
// its children, connects to the catalogue and runs the first reload.
HWND CreateMainWindow();
// Creates the window, shows it maximised and runs the message loop.
int RunMainWindow();

}  // namespace quillet
