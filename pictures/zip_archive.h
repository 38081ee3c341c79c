// A small reader of zip archives: the central directory, read once, and the
// stored or deflated bytes of one entry. Pure; the caller reads the bytes
// from the file. Everything it is handed may be damaged or hostile: sizes
// are checked against the archive, inflation stops at the entry's stated
// size and at a hard limit, so a zip bomb or a lying entry yields false.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quillet {

// The largest entry (stated or inflated) the reader hands out.
inline constexpr uint32_t kZipEntryLimit = 64u << 20;
// The most bytes of the archive's end searched for its end record: the
// record (22) plus the longest comment (65535).
inline constexpr uint32_t kZipTailSize = 22 + 65535;
// The largest central directory read (a 40,000-entry archive holds about 3 MB).
inline constexpr uint32_t kZipDirectoryLimit = 64u << 20;
// Room for the local header: its 30 fixed bytes, then up to 64 KiB each of
// name and extra field.
inline constexpr uint32_t kZipLocalHeaderSize = 30;

struct ZipEntry {
    uint32_t localOffset = 0;     // of the local header
    uint32_t compressedSize = 0;
    uint32_t size = 0;            // inflated size as the directory states it
    uint16_t method = 0;          // 0 stored, 8 deflated
    uint32_t crc = 0;
};

struct ZipDirectoryPlace {
    uint32_t offset = 0;
    uint32_t size = 0;
    uint32_t entries = 0;
};

// Where the central directory is, from the last bytes of the archive
// (`tail`, which ends at the archive's end; `archiveSize` the whole size).
// nullopt without an end record or when the directory lies outside the
// archive. Archives beyond 4 GiB (zip64) are not read.
std::optional<ZipDirectoryPlace> FindZipDirectory(std::string_view tail, uint64_t archiveSize);

// The entries of a central directory, by name lowercased with '\' as '/'.
// Only stored and deflated entries, not encrypted, that lie inside the
// archive and state at most kZipEntryLimit are kept; a damaged record ends
// the reading (what came before it stays).
using ZipDirectory = std::unordered_map<std::string, ZipEntry>;
ZipDirectory ParseZipDirectory(std::string_view directory, uint64_t archiveSize);

// The name key ParseZipDirectory files an entry under.
std::string ZipKey(std::string_view name);

// The offset of an entry's data from its local header's first 30 bytes, or
// nullopt when they are no local header or the data would end past the
// archive.
std::optional<uint64_t> ZipDataOffset(std::string_view localHeader, const ZipEntry& entry, uint64_t archiveSize);

// The entry's bytes from its compressed data: exactly `entry.size` bytes,
// or false (unknown method, damaged stream, more or fewer bytes than stated,
// a checksum that differs, stated size above `limit`).
bool ExtractZipEntry(const ZipEntry& entry, std::string_view data, std::string& out,
                     uint32_t limit = kZipEntryLimit);

}  // namespace quillet
