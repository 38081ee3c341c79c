// Stand-in for settings/mame_files.h until it reaches this branch; same
// signatures. Removed once the shared module is merged.
#pragma once

#include <string>
#include <vector>

namespace quillet {
bool ReadWholeFile(const std::string& path, std::string& bytes, unsigned long* error = nullptr,
                   size_t limit = 64u << 20);
std::vector<std::string> MameIniFolders();
std::string FindMameIni(const char* fileName);
}  // namespace quillet
