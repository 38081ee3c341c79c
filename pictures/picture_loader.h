// The picture thread: finds and decodes the focused game's picture and the
// list's icons off the user-interface thread.
//
// It runs in its own COM apartment with its own imaging factory. Picture
// requests do not queue: a new one replaces the one waiting, so holding an
// arrow key over the list costs one search at a time and the newest focus
// wins. Results go back by a posted message; the user-interface thread
// takes them with TakePicture / TakeIcons. Icon requests queue (bounded) and
// wait while a picture request is pending.
//
// Caches, in all at most 64 MB: decoded pictures (48 MB, least recently
// used first out) and the directories of the archives (16 MB), each kept
// while its archive's size and time stay the same.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pictures/picture_files.h"

namespace quillet {

// 32-bit top-down pixels, blue-green-red-alpha with premultiplied alpha.
struct PictureData {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};
using PicturePtr = std::shared_ptr<const PictureData>;

// A picture larger than this either way is not decoded.
inline constexpr int kMaxPictureSide = 4096;
inline constexpr size_t kPictureCacheBytes = size_t{48} << 20;
inline constexpr size_t kArchiveCacheBytes = size_t{16} << 20;

// Posted to the window given to StartPictureThread; wParam is the serial of
// the picture request done (kPictureDoneMessage) or 0 (kIconsDoneMessage).
inline constexpr UINT kPictureDoneMessage = WM_APP + 0x1900;
inline constexpr UINT kIconsDoneMessage = WM_APP + 0x1901;

struct IconResult {
    std::string game;
    HICON small = nullptr;  // both null: the game has no icon of its own
    HICON large = nullptr;
};

// Starts the thread once; `pictures` hears of pictures, `icons` of icons
// (null: the window told so far, if any, stays).
bool StartPictureThread(HWND pictures, HWND icons);
// Stops the thread and waits for it; what it had not yet handed over is
// dropped. Safe when it never started.
void StopPictureThread();
bool PictureThreadRunning();

// Asks for a picture of `game` (its parent's when it has none); replaces any
// request still waiting.
void RequestPicture(uint32_t serial, PictureKind kind, const std::string& game, const std::string& parent);
// The result of request `serial`, when that is the one done last: true, with
// null for no picture.
bool TakePicture(uint32_t serial, PicturePtr& picture);

// Asks for a game's icons at the two sizes; the newest requests are served
// first, and at most 256 wait.
void RequestIcon(const std::string& game, const std::string& iconFile, int smallSize, int largeSize);
std::vector<IconResult> TakeIcons();
// Forgets waiting icon requests (the list changed).
void DropIconRequests();
// Forgets the cached pictures and archives (the folders may have changed).
void ForgetCachedPictures();

// The search and decoding themselves, on the calling thread (which must
// have COM started). For the tests and the benchmark.
PicturePtr FindPictureNow(PictureKind kind, const std::string& game, const std::string& parent);
// Decodes a PNG or JPEG; null for anything else, damaged, or too large.
PicturePtr DecodePicture(const std::string& bytes);

}  // namespace quillet
