#include "pictures/picture_files.h"

namespace quillet {

namespace {

constexpr PictureFolderOption kFolderOptions[kPictureKindCount] = {
    {"mame.ini", "snapshot_directory", "snap"},   {"ui.ini", "titles_directory", "titles"},
    {"ui.ini", "flyers_directory", "flyers"},     {"ui.ini", "cabinets_directory", "cabinets;cabdevs"},
    {"ui.ini", "marquees_directory", "marquees"}, {"ui.ini", "cpanels_directory", "cpanel"},
    {"ui.ini", "pcbs_directory", "pcb"},
};

std::string Join(std::string_view folder, std::string_view tail) {
    std::string path(folder);
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    path += tail;
    return path;
}

// The archive beside a folder: "snap" -> "snap.zip"; a folder written with
// a trailing separator loses it first.
std::string ArchiveOf(std::string_view folder) {
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.remove_suffix(1);
    std::string path(folder);
    path += ".zip";
    return path;
}

void Add(std::vector<PictureCandidate>& out, std::string path, std::string entry = {}) {
    if (path.size() <= kMaxPicturePath) out.push_back({std::move(path), std::move(entry)});
}

void AddPictures(std::vector<PictureCandidate>& out, const std::vector<std::string>& folders, std::string_view name) {
    const std::string n(name);
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        Add(out, Join(folder, n + ".png"));
        Add(out, Join(folder, n + "\\0000.png"));
        Add(out, Join(folder, n + ".jpg"));
        Add(out, ArchiveOf(folder), n + ".png");
        Add(out, ArchiveOf(folder), n + ".jpg");
    }
}

void AddIcons(std::vector<PictureCandidate>& out, const std::vector<std::string>& folders, std::string_view file) {
    const std::string f(file);
    for (const std::string& folder : folders) {
        if (folder.empty()) continue;
        Add(out, Join(folder, f));
        Add(out, ArchiveOf(folder), f);
    }
}

uint32_t Read32(std::string_view s, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
    return v;
}

}  // namespace

const PictureFolderOption& FolderOptionOf(PictureKind kind) {
    const auto i = static_cast<uint32_t>(kind);
    return kFolderOptions[i < kPictureKindCount ? i : 0];
}

bool IsPictureName(std::string_view name) {
    if (name.empty() || name.size() > 32) return false;
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
        if (!ok) return false;
    }
    return true;
}

std::vector<PictureCandidate> PictureCandidates(const std::vector<std::string>& folders, std::string_view game,
                                                std::string_view parent) {
    std::vector<PictureCandidate> out;
    if (IsPictureName(game)) AddPictures(out, folders, game);
    if (IsPictureName(parent) && parent != game) AddPictures(out, folders, parent);
    return out;
}

std::vector<PictureCandidate> IconCandidates(const std::vector<std::string>& folders, std::string_view game,
                                             std::string_view iconFile) {
    std::vector<PictureCandidate> out;
    std::string own;
    if (IsPictureName(game)) {
        own = std::string(game) + ".ico";
        AddIcons(out, folders, own);
    }
    // IconPath is "<name>.ico"; its name part must be a name too.
    if (iconFile.size() > 4 && iconFile.substr(iconFile.size() - 4) == ".ico" &&
        IsPictureName(iconFile.substr(0, iconFile.size() - 4)) && iconFile != own)
        AddIcons(out, folders, iconFile);
    return out;
}

std::optional<IconImage> PickIconImage(std::string_view file, int size) {
    // ICONDIR: reserved 0, type 1, count; then 16-byte entries.
    if (file.size() < 6 || file[0] != 0 || file[1] != 0 || file[2] != 1 || file[3] != 0) return std::nullopt;
    const size_t count = static_cast<unsigned char>(file[4]) | static_cast<unsigned char>(file[5]) << 8;
    if (count == 0 || file.size() < 6 + count * 16) return std::nullopt;
    std::optional<IconImage> best;
    auto score = [size](int w) { return w >= size ? w - size : (size - w) * 1000; };
    for (size_t i = 0; i < count; ++i) {
        const size_t at = 6 + i * 16;
        const int w = static_cast<unsigned char>(file[at]) ? static_cast<unsigned char>(file[at]) : 256;
        const int h = static_cast<unsigned char>(file[at + 1]) ? static_cast<unsigned char>(file[at + 1]) : 256;
        const size_t bytes = Read32(file, at + 8);
        const size_t offset = Read32(file, at + 12);
        if (bytes < 40 || offset > file.size() || bytes > file.size() - offset) continue;
        if (!best || score(w) < score(best->width)) best = IconImage{offset, bytes, w, h};
    }
    return best;
}

}  // namespace quillet
