// One entry of an archive held whole in memory, through the reader's steps
// (end record, directory, local header, data). For the tests and the
// fuzzer; the program reads the same steps from the file.
#pragma once

#include "pictures/zip_archive.h"

namespace quillet {

inline ZipDirectory ReadZipDirectory(std::string_view archive) {
    const size_t tail = archive.size() < kZipTailSize ? archive.size() : kZipTailSize;
    const auto place = FindZipDirectory(archive.substr(archive.size() - tail), archive.size());
    if (!place) return {};
    return ParseZipDirectory(archive.substr(place->offset, place->size), archive.size());
}

inline bool ReadZipEntry(std::string_view archive, const ZipEntry& entry, std::string& out) {
    if (entry.localOffset > archive.size()) return false;
    const auto data = ZipDataOffset(archive.substr(entry.localOffset, kZipLocalHeaderSize), entry, archive.size());
    if (!data) return false;
    return ExtractZipEntry(entry, archive.substr(static_cast<size_t>(*data), entry.compressedSize), out);
}

}  // namespace quillet
