// Where a game's pictures and icons are looked for, and the one image an
// icon file offers at a size. Pure: the picture thread tries the candidates
// in order against the file system and its archives.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// The kinds of picture the pane shows, in the order of its selector.
enum class PictureKind : uint32_t { Snapshot, Title, Flyer, Cabinet, Marquee, ControlPanel, Pcb };
inline constexpr uint32_t kPictureKindCount = 7;

// The emulator setting that names a kind's folders, and its default.
struct PictureFolderOption {
    const char* iniName;   // "mame.ini" or "ui.ini"
    const char* option;
    const char* fallback;
};
const PictureFolderOption& FolderOptionOf(PictureKind kind);
inline constexpr PictureFolderOption kIconFolderOption{"ui.ini", "icons_directory", "icons"};

// A place to look: a plain file, or an entry inside an archive.
struct PictureCandidate {
    std::string path;   // the file, or the archive
    std::string entry;  // empty for a plain file; else the name inside `path`

    bool operator==(const PictureCandidate&) const = default;
};

// Longest path handed to the file system (the ANSI calls' limit).
inline constexpr size_t kMaxPicturePath = 259;

// A short name that can stand in a file name: 1-32 letters, digits, '_'
// or '-'. Anything else (a separator, "..", a drive) is never looked up.
bool IsPictureName(std::string_view name);

// The places a game's picture may be, in the order they are tried: for the
// game and then for its parent (`parent` empty or not a name: none), folder
// by folder: <folder>\<name>.png, <folder>\<name>\0000.png, <folder>\<name>.jpg,
// then <folder>.zip holding <name>.png or <name>.jpg. Paths longer than
// kMaxPicturePath are left out.
std::vector<PictureCandidate> PictureCandidates(const std::vector<std::string>& folders, std::string_view game,
                                                std::string_view parent);

// The places of a game's icon: <name>.ico in each folder and in
// <folder>.zip for the game, then the same for `iconFile` (the catalogue's
// IconPath, "<parent>.ico" for a clone) when it differs.
std::vector<PictureCandidate> IconCandidates(const std::vector<std::string>& folders, std::string_view game,
                                             std::string_view iconFile);

// The bytes of the one image of an icon file (.ico) nearest to `size`
// pixels square, the next larger preferred: offset and length inside
// `file`, or nullopt for no icon file or an image that lies outside it.
struct IconImage {
    size_t offset;
    size_t size;
    int width;
    int height;
};
std::optional<IconImage> PickIconImage(std::string_view file, int size);

}  // namespace quillet
