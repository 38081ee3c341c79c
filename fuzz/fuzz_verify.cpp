// libFuzzer target: the -verifysets / -verifyroms result scanner and FindBytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "catalogue/scanners.h"
#include "fuzz_input.h"

namespace {

void CheckVerdict(void* context, const char* name, uint8_t code) {
    fuzz::Require(std::strlen(name) <= quillet::kLongestRomName && code <= 3);
    ++*static_cast<uint32_t*>(context);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ExactText input(data, size);

    uint32_t handed = 0;
    uint32_t count = quillet::ScanVerifyResults(input.begin(), input.end(), CheckVerdict, &handed);
    fuzz::Require(count == handed);

    // FindBytes against the standard search, with the first bytes as the pattern.
    size_t length = size == 0 ? 0 : 1 + data[0] % 8;
    if (length < size) {
        const char* pattern = input.begin() + 1;
        length = std::min(length, size - 1);
        const char* rest = input.begin() + 1 + length;
        const char* found = quillet::FindBytes(rest, input.end(), pattern, length);
        const char* expected = std::search(rest, input.end(), pattern, pattern + length);
        fuzz::Require(found == (expected == input.end() ? nullptr : expected));
    }
    return 0;
}
