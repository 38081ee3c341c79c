#include <doctest/doctest.h>

#include <string>

#include "ui/folder_path.h"

TEST_CASE("a chosen folder loses its trailing backslash, a drive root keeps it") {
    struct Row {
        const char* chosen;
        const char* written;
    };
    const Row rows[] = {
        {"E:\\", "E:\\"},                // "E:" would be drive E's current folder
        {"C:\\MAME\\", "C:\\MAME"},
        {"C:\\MAME", "C:\\MAME"},
        {"C:\\A\\", "C:\\A"},            // as long as a root, but a folder of it
        {"\\\\host\\share\\", "\\\\host\\share"},
        {"\\", "\\"},
        {"", ""},
    };
    for (const Row& r : rows) {
        CAPTURE(r.chosen);
        char path[32];
        std::strcpy(path, r.chosen);
        quillet::DropTrailingBackslash(path);
        CHECK_EQ(std::string(path), r.written);
    }
}
