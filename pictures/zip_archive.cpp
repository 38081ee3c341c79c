#include "pictures/zip_archive.h"

#include <zlib.h>

namespace quillet {

namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kEndSize = 22;
constexpr size_t kCentralSize = 46;

uint16_t Read16(std::string_view s, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8);
}

uint32_t Read32(std::string_view s, size_t at) {
    return static_cast<uint32_t>(Read16(s, at)) | static_cast<uint32_t>(Read16(s, at + 2)) << 16;
}

}  // namespace

std::optional<ZipDirectoryPlace> FindZipDirectory(std::string_view tail, uint64_t archiveSize) {
    if (tail.size() < kEndSize || tail.size() > archiveSize) return std::nullopt;
    // The end record is the last one whose comment reaches exactly to the end.
    for (size_t at = tail.size() - kEndSize + 1; at-- > 0;) {
        if (Read32(tail, at) != kEndSignature) continue;
        if (at + kEndSize + Read16(tail, at + 20) != tail.size()) continue;
        ZipDirectoryPlace place;
        place.entries = Read16(tail, at + 10);
        place.size = Read32(tail, at + 12);
        place.offset = Read32(tail, at + 16);
        // A zip64 archive marks these with all ones; it is not read.
        if (place.offset == 0xFFFFFFFFu || place.size == 0xFFFFFFFFu || place.entries == 0xFFFFu) return std::nullopt;
        const uint64_t endOffset = archiveSize - tail.size() + at;
        if (static_cast<uint64_t>(place.offset) + place.size > endOffset) return std::nullopt;
        if (place.size > kZipDirectoryLimit) return std::nullopt;
        return place;
    }
    return std::nullopt;
}

std::string ZipKey(std::string_view name) {
    std::string key(name);
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        else if (c == '\\') c = '/';
    }
    return key;
}

ZipDirectory ParseZipDirectory(std::string_view directory, uint64_t archiveSize) {
    ZipDirectory entries;
    size_t at = 0;
    while (directory.size() - at >= kCentralSize && Read32(directory, at) == kCentralSignature) {
        const uint16_t flags = Read16(directory, at + 8);
        ZipEntry entry;
        entry.method = Read16(directory, at + 10);
        entry.crc = Read32(directory, at + 16);
        entry.compressedSize = Read32(directory, at + 20);
        entry.size = Read32(directory, at + 24);
        const size_t nameLength = Read16(directory, at + 28);
        const size_t rest = nameLength + Read16(directory, at + 30) + Read16(directory, at + 32);
        entry.localOffset = Read32(directory, at + 42);
        if (directory.size() - at - kCentralSize < rest) break;
        const std::string_view name = directory.substr(at + kCentralSize, nameLength);
        at += kCentralSize + rest;
        const bool usable = (entry.method == 0 || entry.method == 8) && !(flags & 1) && entry.size <= kZipEntryLimit &&
                            (entry.method != 0 || entry.compressedSize == entry.size) &&
                            static_cast<uint64_t>(entry.localOffset) + kZipLocalHeaderSize + entry.compressedSize <=
                                archiveSize;
        // The first of two entries of one name wins, as a search would find it.
        if (usable && !name.empty()) entries.emplace(ZipKey(name), entry);
    }
    return entries;
}

std::optional<uint64_t> ZipDataOffset(std::string_view localHeader, const ZipEntry& entry, uint64_t archiveSize) {
    if (localHeader.size() < kZipLocalHeaderSize || Read32(localHeader, 0) != kLocalSignature) return std::nullopt;
    const uint64_t data =
        static_cast<uint64_t>(entry.localOffset) + kZipLocalHeaderSize + Read16(localHeader, 26) + Read16(localHeader, 28);
    if (data + entry.compressedSize > archiveSize) return std::nullopt;
    return data;
}

bool ExtractZipEntry(const ZipEntry& entry, std::string_view data, std::string& out, uint32_t limit) {
    out.clear();
    if (entry.size > limit || data.size() != entry.compressedSize) return false;
    if (entry.method == 0) {
        if (entry.compressedSize != entry.size) return false;
        out.assign(data);
    } else if (entry.method == 8) {
        // One byte of room past the stated size: a stream that fills it
        // inflates to more than it says, and is refused there, however much
        // more it would have made.
        out.resize(static_cast<size_t>(entry.size) + 1);
        z_stream stream{};
        if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
        stream.avail_in = static_cast<uInt>(data.size());
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = static_cast<uInt>(out.size());
        const int result = inflate(&stream, Z_FINISH);
        const uLong produced = stream.total_out;
        inflateEnd(&stream);
        if (result != Z_STREAM_END || produced != entry.size) {
            out.clear();
            return false;
        }
        out.resize(entry.size);
    } else {
        return false;
    }
    const uLong crc = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(out.data()), static_cast<uInt>(out.size()));
    if (crc != entry.crc) {
        out.clear();
        return false;
    }
    return true;
}

}  // namespace quillet
