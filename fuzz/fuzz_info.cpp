// libFuzzer target: the mameinfo.dat search.
#include "fuzz_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::RunDocumentSearch(quillet::FindInfoText, data, size);
}
