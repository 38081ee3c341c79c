// Quillet.exe carries its manifest: run as the invoking user, the version 6
// common controls, system DPI awareness, Windows 7 to 11, and the
// edition's own processor architecture.
#include "win/support.h"

#include <string>

using namespace quillet::test;

namespace {

std::string ProgramManifest() {
    const std::string program = BuildPath("Quillet.exe");
    HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return {};
    std::string text;
    if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)))
        if (const void* data = LockResource(LoadResource(module, found)))
            text.assign(static_cast<const char*>(data), SizeofResource(module, found));
    FreeLibrary(module);
    return text;
}

}  // namespace

TEST_CASE("the program's manifest asks for what the program relies on") {
    const std::string manifest = ProgramManifest();
    REQUIRE_FALSE(manifest.empty());
    const char* architecture = sizeof(void*) == 8 ? "processorArchitecture=\"amd64\"" : "processorArchitecture=\"x86\"";
    const char* wanted[] = {
        "level=\"asInvoker\"",
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
        "<dpiAware>true</dpiAware>",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
        architecture,
    };
    for (const char* text : wanted) {
        CAPTURE(text);
        CHECK_NE(manifest.find(text), std::string::npos);
    }
}
