// Whether the shared real-data folder holds a file. Tests that need one
// take `* doctest::skip(RealDataAbsent("name"))`, so that without it they
// are reported as skipped rather than as passed.
#pragma once

#include <fstream>
#include <string>

namespace quillet::test {

inline bool RealDataAbsent(const char* name) {
    return !std::ifstream(std::string(QUILLET_REALDATA_DIR) + "/" + name).good();
}

}  // namespace quillet::test
