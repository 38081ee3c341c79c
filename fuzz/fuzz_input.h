// What the fuzz targets share: their input copied to a heap block of
// exactly its size, and checks that end the run when they fail.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "tests/exact_text.h"

namespace fuzz {

using quillet::test::ExactText;

// A zero within the first `width` bytes: the text did not run past its field.
inline void RequireTerminated(const char* field, size_t width) {
    if (!std::memchr(field, 0, width)) std::abort();
}

inline void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace fuzz
