// A copy of some bytes in a heap block of exactly their size, nothing behind
// the last one, so that AddressSanitizer reports any read at or past the end
// (a std::string or libFuzzer's own buffer may have slack there). Shared by
// the native scanner tests and the fuzz targets.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace quillet::test {

class ExactText {
public:
    ExactText(const void* data, size_t size) : size_(size), bytes_(new char[size]) {
        if (size) std::memcpy(bytes_.get(), data, size);
    }
    explicit ExactText(std::string_view text) : ExactText(text.data(), text.size()) {}

    const char* begin() const { return bytes_.get(); }
    const char* end() const { return bytes_.get() + size_; }
    size_t size() const { return size_; }

private:
    size_t size_;
    std::unique_ptr<char[]> bytes_;
};

}  // namespace quillet::test
