// Builds small zip archives in memory for the tests: stored or deflated
// entries, and entries whose stated sizes lie.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quillet::test {

struct ZipItem {
    std::string name;
    std::string bytes;
    bool deflate = true;
    // When set, the size the directory and local header state instead of the real one.
    int64_t statedSize = -1;
};

inline void Put16(std::string& s, uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8 & 0xFF);
}
inline void Put32(std::string& s, uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

inline std::string RawDeflate(const std::string& bytes) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, static_cast<uLong>(bytes.size())) + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

inline std::string BuildZip(const std::vector<ZipItem>& items, const std::string& comment = "") {
    std::string file, directory;
    for (const ZipItem& item : items) {
        const std::string data = item.deflate ? RawDeflate(item.bytes) : item.bytes;
        const uint32_t crc = static_cast<uint32_t>(
            crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(item.bytes.data()), static_cast<uInt>(item.bytes.size())));
        const uint32_t size = item.statedSize >= 0 ? static_cast<uint32_t>(item.statedSize) : static_cast<uint32_t>(item.bytes.size());
        const uint32_t offset = static_cast<uint32_t>(file.size());
        Put32(file, 0x04034b50); Put16(file, 20); Put16(file, 0); Put16(file, item.deflate ? 8 : 0);
        Put16(file, 0); Put16(file, 0); Put32(file, crc);
        Put32(file, static_cast<uint32_t>(data.size())); Put32(file, size);
        Put16(file, static_cast<uint32_t>(item.name.size())); Put16(file, 0);
        file += item.name;
        file += data;
        Put32(directory, 0x02014b50); Put16(directory, 20); Put16(directory, 20); Put16(directory, 0);
        Put16(directory, item.deflate ? 8 : 0); Put16(directory, 0); Put16(directory, 0); Put32(directory, crc);
        Put32(directory, static_cast<uint32_t>(data.size())); Put32(directory, size);
        Put16(directory, static_cast<uint32_t>(item.name.size())); Put16(directory, 0); Put16(directory, 0);
        Put16(directory, 0); Put16(directory, 0); Put32(directory, 0); Put32(directory, offset);
        directory += item.name;
    }
    const uint32_t directoryOffset = static_cast<uint32_t>(file.size());
    file += directory;
    Put32(file, 0x06054b50); Put16(file, 0); Put16(file, 0);
    Put16(file, static_cast<uint32_t>(items.size())); Put16(file, static_cast<uint32_t>(items.size()));
    Put32(file, static_cast<uint32_t>(directory.size())); Put32(file, directoryOffset);
    Put16(file, static_cast<uint32_t>(comment.size()));
    file += comment;
    return file;
}

}  // namespace quillet::test
