// libFuzzer target: the catver.ini category scanner.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "catalogue/scanners.h"
#include "fuzz_input.h"

namespace {

void CheckLine(void* context, const char* name, const char* category) {
    fuzz::Require(std::strlen(name) <= quillet::kLongestRomName && std::strlen(category) <= 89);
    fuzz::Require(!std::strpbrk(category, "\r\n") && !std::strpbrk(name, "\r\n="));
    fuzz::Require(std::strncmp(category, "BIOS", 4) != 0);
    ++*static_cast<uint32_t*>(context);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ExactText input(data, size);
    uint32_t handed = 0;
    uint32_t count = quillet::ScanCategoryFile(input.begin(), input.end(), CheckLine, &handed);
    fuzz::Require(count == handed);
    return 0;
}
