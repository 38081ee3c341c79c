// Small helpers shared by the scanners. Internal to catalogue/.
#pragma once

#include <cstddef>
#include <cstring>

namespace quillet::scan {

// Copies [from, to) into a fixed field as zero-terminated text. A value
// longer than the field is cut to its width less one byte: the emulator's
// output is not ours, and nothing it writes may reach past a field.
template <size_t N>
inline void CopyCut(char (&field)[N], const char* from, const char* to) {
    static_assert(N > 0);
    size_t length = static_cast<size_t>(to - from);
    if (length > N - 1) length = N - 1;
    if (length != 0) std::memcpy(field, from, length);
    field[length] = '\0';
}

// First position of `c` in [pos, end), or nullptr.
inline const char* Find(const char* pos, const char* end, char c) {
    if (pos >= end) return nullptr;
    return static_cast<const char*>(std::memchr(pos, static_cast<unsigned char>(c), static_cast<size_t>(end - pos)));
}

// First carriage return or line feed in [pos, end), or nullptr. Real files
// often end their lines in a line feed alone.
inline const char* FindLineEnd(const char* pos, const char* end) {
    for (; pos < end; ++pos) {
        if (*pos == '\r' || *pos == '\n') return pos;
    }
    return nullptr;
}

}  // namespace quillet::scan
