// The fuzzers' input in a heap block of exactly its size, so that AddressSanitizer
// reports any read at or behind the end (libFuzzer's own buffer may have
// slack behind it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace fuzz {

class ExactInput {
public:
    ExactInput(const uint8_t* data, size_t size) : size_(size), bytes_(new char[size]) {
        if (size) std::memcpy(bytes_.get(), data, size);
    }
    const char* begin() const { return bytes_.get(); }
    const char* end() const { return bytes_.get() + size_; }
    size_t size() const { return size_; }

private:
    size_t size_;
    std::unique_ptr<char[]> bytes_;
};

// A zero within the first `width` bytes: the text did not run past its field.
inline void RequireTerminated(const char* field, size_t width) {
    if (!std::memchr(field, 0, width)) std::abort();
}

inline void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace fuzz
