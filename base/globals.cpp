#include "base/globals.h"

namespace quillet {

HINSTANCE ProgramInstance;
HANDLE ProcessHeap;
HMODULE LanguageModule;
char StartDirectory[260];
char DatabasePath[256];

}  // namespace quillet
