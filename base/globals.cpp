#include "base/globals.h"

namespace quillet {

HINSTANCE ProgramInstance;
HANDLE ProcessHeap;
HMODULE LanguageModule;
WCHAR ProgramDirectory[MAX_PATH];
char DatabasePath[256];
WCHAR CatalogueFile[MAX_PATH];

}  // namespace quillet
