// libFuzzer target: the zip reader over a whole archive (every entry it
// lists is read back), and the icon-file pick over the same bytes.
#include <string>

#include "fuzz_input.h"
#include "pictures/picture_files.h"
#include "pictures/zip_read.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ExactText text(data, size);
    const std::string_view archive(text.begin(), size);
    const quillet::ZipDirectory directory = quillet::ReadZipDirectory(archive);
    std::string out;
    for (const auto& [name, entry] : directory) {
        if (quillet::ReadZipEntry(archive, entry, out)) fuzz::Require(out.size() == entry.size);
        fuzz::Require(entry.size <= quillet::kZipEntryLimit);
    }
    if (auto image = quillet::PickIconImage(archive, 32)) fuzz::Require(image->offset + image->size <= size);
    return 0;
}
