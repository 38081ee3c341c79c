// The zip reader against archives built here (sound, damaged, hostile), the
// order pictures and icons are looked for, and the icon-file image pick.
#include <doctest/doctest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "pictures/picture_files.h"
#include "settings/mame_ini.h"
#include "tests/real_data.h"
#include "pictures/zip_read.h"
#include "zip_builder.h"

using namespace quillet;
using quillet::test::BuildZip;
using quillet::test::ZipItem;

namespace {

std::string Entry(const std::string& archive, const char* name) {
    const ZipDirectory dir = ReadZipDirectory(archive);
    const auto it = dir.find(ZipKey(name));
    if (it == dir.end()) return "<absent>";
    std::string out;
    return ReadZipEntry(archive, it->second, out) ? out : "<refused>";
}

}  // namespace

TEST_CASE("zip: stored and deflated entries come back whole, by name in any case") {
    const std::string big(100000, 'x');
    const std::string zip = BuildZip({{"pacman.png", "PNGDATA", false}, {"Sub\\Galaga.JPG", big, true}},
                                     "a comment that ends the archive");
    CHECK_EQ(Entry(zip, "PACMAN.png"), "PNGDATA");
    CHECK_EQ(Entry(zip, "sub/galaga.jpg"), big);
    CHECK_EQ(Entry(zip, "mspacman.png"), "<absent>");
}

TEST_CASE("zip: damaged and hostile archives are refused without harm") {
    const std::string sound = BuildZip({{"a.png", std::string(5000, 'a')}, {"b.png", "bee", false}});
    SUBCASE("no end record, or a cut archive") {
        CHECK(ReadZipDirectory("").empty());
        CHECK(ReadZipDirectory("PK\5\6 not an archive").empty());
        CHECK(ReadZipDirectory(sound.substr(0, sound.size() - 1)).empty());
        CHECK(ReadZipDirectory(sound.substr(10)).empty());
    }
    SUBCASE("a bomb: 64 MB of zeros stated as 1 KB inflates no further than 1 KB and one byte") {
        const std::string zip = BuildZip({{"bomb.png", std::string(64u << 20, '\0'), true, 1024}});
        CHECK(zip.size() < 200000);
        CHECK_EQ(Entry(zip, "bomb.png"), "<refused>");
    }
    SUBCASE("stated larger than the limit, or larger than it inflates") {
        CHECK_EQ(Entry(BuildZip({{"big.png", "tiny", true, int64_t{kZipEntryLimit} + 1}}), "big.png"), "<absent>");
        CHECK_EQ(Entry(BuildZip({{"short.png", "tiny", true, 10}}), "short.png"), "<refused>");
    }
    SUBCASE("a flipped byte in the data fails the checksum or the stream") {
        std::string zip = sound;
        zip[30 + 5 + 2] ^= 0x55;
        CHECK_EQ(Entry(zip, "a.png"), "<refused>");
        CHECK_EQ(Entry(zip, "b.png"), "bee");
    }
    SUBCASE("a directory record cut short keeps the records before it") {
        std::string zip = sound;
        const size_t second = zip.rfind("PK\1\2");
        zip[second + 28] = '\xFF';  // name length runs past the directory
        CHECK_EQ(Entry(zip, "a.png"), std::string(5000, 'a'));
        CHECK_EQ(Entry(zip, "b.png"), "<absent>");
    }
    SUBCASE("a local header that is none") {
        std::string zip = sound;
        zip[0] = 'X';
        CHECK_EQ(Entry(zip, "a.png"), "<refused>");
    }
}

TEST_CASE("pictures are looked for folder by folder in each layout, then the parent's") {
    using C = PictureCandidate;
    const std::vector<std::string> folders{"C:\\mame\\snap", "D:\\more\\"};
    const auto found = PictureCandidates(folders, "pacman", "puckman");
    const std::vector<C> first{
        {"C:\\mame\\snap\\pacman.png", ""}, {"C:\\mame\\snap\\pacman\\0000.png", ""},
        {"C:\\mame\\snap\\pacman.jpg", ""}, {"C:\\mame\\snap.zip", "pacman.png"},
        {"C:\\mame\\snap.zip", "pacman.jpg"}, {"D:\\more\\pacman.png", ""},
    };
    REQUIRE_EQ(found.size(), 20u);
    CHECK(std::vector<C>(found.begin(), found.begin() + 6) == first);
    CHECK_EQ(found[8], C{"D:\\more.zip", "pacman.png"});
    CHECK_EQ(found[10], C{"C:\\mame\\snap\\puckman.png", ""});
    // A parent that is the game itself, none (" ") or no name adds nothing.
    CHECK_EQ(PictureCandidates(folders, "pacman", "pacman").size(), 10u);
    CHECK_EQ(PictureCandidates(folders, "pacman", " ").size(), 10u);
    CHECK_EQ(PictureCandidates(folders, "pacman", "..\\x").size(), 10u);
}

TEST_CASE("names that could leave the folder, and paths too long, are never looked up") {
    for (const char* bad : {"", "..", "a\\b", "a/b", "c:x", "pac man", "abcdefghijklmnopqrstuvwxyz0123456"})
        CHECK_MESSAGE(PictureCandidates({"snap"}, bad, "").empty(), bad);
    CHECK(IsPictureName("sf2_ce-1"));
    const std::string deep = "C:\\" + std::string(250, 'd');
    const auto found = PictureCandidates({deep}, "pacman", "");
    CHECK_EQ(found.size(), 2u);  // only pacman.png (and .jpg) fit: 0000.png and the archive are too long
}

TEST_CASE("icons: the game's own, then the one IconPath names, each in the folder and its archive") {
    using C = PictureCandidate;
    const std::vector<C> clone{{"icons\\mspacman.ico", ""}, {"icons.zip", "mspacman.ico"},
                               {"icons\\pacman.ico", ""}, {"icons.zip", "pacman.ico"}};
    CHECK(IconCandidates({"icons"}, "mspacman", "pacman.ico") == clone);
    CHECK_EQ(IconCandidates({"icons"}, "pacman", "pacman.ico").size(), 2u);
    CHECK_EQ(IconCandidates({"icons"}, "pacman", "../x.ico").size(), 2u);
}

TEST_CASE("icon files: the image nearest the size, larger preferred; damaged directories refused") {
    auto icon = [](std::vector<std::pair<int, int>> images) {  // width, data size
        std::string f("\0\0\1\0", 4);
        test::Put16(f, static_cast<uint32_t>(images.size()));
        size_t offset = 6 + 16 * images.size();
        for (auto [w, bytes] : images) {
            f += static_cast<char>(w == 256 ? 0 : w);
            f += static_cast<char>(w == 256 ? 0 : w);
            f += std::string(6, '\0');
            test::Put32(f, bytes);
            test::Put32(f, static_cast<uint32_t>(offset));
            offset += bytes;
        }
        for (auto [w, bytes] : images) f += std::string(bytes, 'i');
        return f;
    };
    const std::string three = icon({{48, 60}, {16, 50}, {32, 40}});
    CHECK_EQ(PickIconImage(three, 16)->width, 16);
    CHECK_EQ(PickIconImage(three, 32)->width, 32);
    CHECK_EQ(PickIconImage(three, 24)->width, 32);
    CHECK_EQ(PickIconImage(three, 64)->width, 48);
    CHECK_EQ(PickIconImage(icon({{256, 41}}), 32)->width, 256);
    CHECK_EQ(PickIconImage(three.substr(0, three.size() - 1), 32)->width, 48);  // the 32 runs past the end
    CHECK_FALSE(PickIconImage(three.substr(0, 20), 16));
    CHECK_FALSE(PickIconImage("\0\0\2\0\1\0", 16));
}

TEST_CASE("the kinds' folder defaults are MAME 0.251's own" *
          doctest::skip(quillet::test::RealDataAbsent("ui_ini_mame0251_default.ini"))) {
    auto text = [](const char* name) {
        std::ifstream in(std::string(QUILLET_REALDATA_DIR) + "/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string ui = text("ui_ini_mame0251_default.ini");
    for (uint32_t k = 0; k < kPictureKindCount; ++k) {
        const PictureFolderOption& option = FolderOptionOf(static_cast<PictureKind>(k));
        CAPTURE(option.option);
        // The snapshot folder's default is MAME's own "snap" (its Linux ini file names a home folder).
        if (std::string(option.iniName) == "mame.ini") continue;
        CHECK_EQ(MameIniValue(ui, option.option).value_or("<none>"), option.fallback);
    }
    CHECK_EQ(MameIniValue(ui, kIconFolderOption.option).value_or("<none>"), kIconFolderOption.fallback);
}
