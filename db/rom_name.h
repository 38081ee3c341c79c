// The longest short name (RomName, Cloneof) the catalogue holds. The era's
// emulators name sets with at most 8 characters, today's with up to 15; 16
// leaves a margin. Import, verification and categories pass over a longer
// name the same way (it cannot be a row of the catalogue), and every buffer
// that holds a short name is sized from this one constant.
#pragma once

#include <cstddef>

namespace quillet {

constexpr size_t kLongestRomName = 16;
constexpr size_t kRomNameField = kLongestRomName + 1;  // with the terminating zero

}  // namespace quillet
