// libFuzzer target: the history.dat search.
#include "fuzz_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return fuzz::RunDocumentSearch(quillet::FindHistoryText, data, size);
}
