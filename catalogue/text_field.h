// Copying a scanner's zero-terminated value into a fixed field that a
// statement is bound to. Internal to catalogue/.
#pragma once

#include <cstddef>
#include <cstring>

namespace quillet {

// Copies at most N-1 bytes of `text` and terminates the field: whatever
// the scanner hands over, nothing is written past the field.
template <size_t N>
inline void CopyToField(char (&field)[N], const char* text) {
    const size_t length = strnlen(text, N - 1);
    std::memcpy(field, text, length);
    field[length] = '\0';
}

}  // namespace quillet
