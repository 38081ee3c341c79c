#include "app/globals.h"

namespace quillet {

HINSTANCE ProgramInstance;
HANDLE ProcessHeap;
char StartDirectory[260];
char DatabasePath[256];
HWND MainWindow;
HWND GameListWindow;

}  // namespace quillet
