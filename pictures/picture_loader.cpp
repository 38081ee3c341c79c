#include "pictures/picture_loader.h"

#include <objbase.h>
#include <wincodec.h>

#include <condition_variable>
#include <deque>
#include <list>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "base/handles.h"
#include "pictures/zip_archive.h"
#include "settings/mame_files.h"

namespace quillet {

namespace {

// Releases a COM interface on every exit.
template <typename T>
class Com {
public:
    Com() = default;
    ~Com() { reset(); }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    T** out() {
        reset();
        return &p_;
    }
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (p_) p_->Release();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

// The picture thread's own imaging factory, made when it starts; other
// threads (tests, benchmarks) make one for each picture.
thread_local IWICImagingFactory* factory;

IWICImagingFactory* NewFactory() {
    IWICImagingFactory* made = nullptr;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     reinterpret_cast<void**>(&made));
    return made;
}

constexpr size_t kIconFileLimit = 1u << 20;
constexpr size_t kIconQueueLimit = 256;
// Folder lists are read from MAME's ini files again after this long, so an
// edited ini file shows without a restart, yet a held arrow key reads them
// once.
constexpr DWORD kFolderLifetime = 2000;

// ---------------------------------------------------------------- archives

struct CachedArchive {
    uint64_t size = 0;
    FILETIME written{};
    std::shared_ptr<const ZipDirectory> directory;
    size_t bytes = 0;
};

std::mutex cacheLock;  // guards the two caches below
std::map<std::string, CachedArchive> archives;
std::list<std::string> archiveUse;  // most recent first
size_t archiveBytes;

struct CachedPicture {
    std::string key;
    PicturePtr picture;
};
std::list<CachedPicture> pictureCache;  // most recent first
size_t pictureBytes;

size_t DirectoryBytes(const ZipDirectory& directory) {
    size_t bytes = 64;
    for (const auto& [name, entry] : directory) bytes += name.size() + sizeof(ZipEntry) + 48;
    return bytes;
}

bool ReadAt(HANDLE file, uint64_t offset, size_t size, std::string& out) {
    out.resize(size);
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) return false;
    size_t done = 0;
    while (done < size) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(size - done < (1u << 20) ? size - done : (1u << 20));
        if (!ReadFile(file, out.data() + done, want, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
}

// The archive's directory: from the cache while the file's size and time
// are those it was read with, else read now.
std::shared_ptr<const ZipDirectory> ArchiveDirectory(HANDLE file, const std::string& path, uint64_t size) {
    FILETIME written{};
    GetFileTime(file, nullptr, nullptr, &written);
    {
        std::lock_guard lock(cacheLock);
        auto it = archives.find(path);
        if (it != archives.end() && it->second.size == size && CompareFileTime(&it->second.written, &written) == 0) {
            archiveUse.remove(path);
            archiveUse.push_front(path);
            return it->second.directory;
        }
    }
    auto directory = std::make_shared<ZipDirectory>();
    std::string tail;
    const size_t tailSize = size < kZipTailSize ? static_cast<size_t>(size) : kZipTailSize;
    if (ReadAt(file, size - tailSize, tailSize, tail)) {
        if (const auto place = FindZipDirectory(tail, size)) {
            std::string bytes;
            if (ReadAt(file, place->offset, place->size, bytes)) *directory = ParseZipDirectory(bytes, size);
        }
    }
    CachedArchive entry{size, written, directory, DirectoryBytes(*directory)};
    std::lock_guard lock(cacheLock);
    if (auto old = archives.find(path); old != archives.end()) {
        archiveBytes -= old->second.bytes;
        archives.erase(old);
        archiveUse.remove(path);
    }
    while (archiveBytes + entry.bytes > kArchiveCacheBytes && !archiveUse.empty()) {
        auto victim = archives.find(archiveUse.back());
        archiveBytes -= victim->second.bytes;
        archives.erase(victim);
        archiveUse.pop_back();
    }
    if (entry.bytes <= kArchiveCacheBytes) {
        archiveBytes += entry.bytes;
        archives.emplace(path, std::move(entry));
        archiveUse.push_front(path);
    }
    return directory;
}

bool ReadArchiveEntry(const std::string& path, const std::string& name, std::string& out, uint32_t limit) {
    UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0) return false;
    const auto directory = ArchiveDirectory(file.get(), path, static_cast<uint64_t>(size.QuadPart));
    const auto it = directory->find(ZipKey(name));
    if (it == directory->end() || it->second.size > limit) return false;
    std::string header;
    if (!ReadAt(file.get(), it->second.localOffset, kZipLocalHeaderSize, header)) return false;
    const auto data = ZipDataOffset(header, it->second, static_cast<uint64_t>(size.QuadPart));
    std::string compressed;
    if (!data || !ReadAt(file.get(), *data, it->second.compressedSize, compressed)) return false;
    return ExtractZipEntry(it->second, compressed, out, limit);
}

bool ReadCandidate(const PictureCandidate& candidate, std::string& bytes, size_t limit) {
    if (candidate.entry.empty()) return ReadWholeFile(candidate.path, bytes, nullptr, limit);
    // A missing archive is the common case: ask before opening.
    if (GetFileAttributesA(candidate.path.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    return ReadArchiveEntry(candidate.path, candidate.entry, bytes, static_cast<uint32_t>(limit));
}

// ---------------------------------------------------------------- folders

struct FolderCache {
    DWORD readAt = 0;
    bool valid = false;
    std::vector<std::string> folders;
};
FolderCache folderCache[kPictureKindCount + 1];  // the last: icons
std::mutex folderLock;

std::vector<std::string> Folders(uint32_t slot, const PictureFolderOption& option) {
    std::lock_guard lock(folderLock);
    FolderCache& cache = folderCache[slot];
    if (!cache.valid || GetTickCount() - cache.readAt > kFolderLifetime) {
        cache.folders = MameOptionFolders(option.iniName, option.option, option.fallback);
        cache.readAt = GetTickCount();
        cache.valid = true;
    }
    return cache.folders;
}

// ---------------------------------------------------------------- icons

HICON IconFromFile(const std::string& bytes, int size) {
    const auto image = PickIconImage(bytes, size);
    if (!image || image->size > 0x7FFFFFFF) return nullptr;
    auto* bits = reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data() + image->offset));
    return CreateIconFromResourceEx(bits, static_cast<DWORD>(image->size), TRUE, 0x00030000, size, size,
                                    LR_DEFAULTCOLOR);
}

IconResult FindIcon(const std::string& game, const std::string& iconFile, int smallSize, int largeSize) {
    IconResult result{game};
    const auto folders = Folders(kPictureKindCount, kIconFolderOption);
    std::string bytes;
    for (const PictureCandidate& candidate : IconCandidates(folders, game, iconFile)) {
        if (!ReadCandidate(candidate, bytes, kIconFileLimit)) continue;
        result.small = IconFromFile(bytes, smallSize);
        if (!result.small) continue;
        result.large = IconFromFile(bytes, largeSize);
        if (!result.large) result.large = CopyIcon(result.small);
        break;
    }
    return result;
}

// ---------------------------------------------------------------- thread

struct IconRequest {
    std::string game;
    std::string iconFile;
    int smallSize;
    int largeSize;
};

std::mutex lock;  // guards everything below
std::condition_variable wake;
std::thread worker;
bool stopping;
HWND pictureWindow;
HWND iconWindow;
std::optional<std::tuple<uint32_t, PictureKind, std::string, std::string>> pendingPicture;
uint32_t doneSerial;
PicturePtr donePicture;
bool pictureDone;
std::deque<IconRequest> iconRequests;  // newest first
std::vector<IconResult> doneIcons;

void DestroyIcons(std::vector<IconResult>& icons) {
    for (IconResult& icon : icons) {
        if (icon.small) DestroyIcon(icon.small);
        if (icon.large) DestroyIcon(icon.large);
    }
    icons.clear();
}

void Run() {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    factory = NewFactory();
    std::unique_lock guard(lock);
    while (!stopping) {
        if (pendingPicture) {
            auto [serial, kind, game, parent] = std::move(*pendingPicture);
            pendingPicture.reset();
            guard.unlock();
            PicturePtr picture = FindPictureNow(kind, game, parent);
            guard.lock();
            // A newer request waiting makes this one stale: nobody is told.
            if (!pendingPicture) {
                doneSerial = serial;
                donePicture = std::move(picture);
                pictureDone = true;
                if (pictureWindow) PostMessageA(pictureWindow, kPictureDoneMessage, serial, 0);
            }
        } else if (!iconRequests.empty()) {
            IconRequest request = std::move(iconRequests.front());
            iconRequests.pop_front();
            guard.unlock();
            IconResult icon = FindIcon(request.game, request.iconFile, request.smallSize, request.largeSize);
            guard.lock();
            const bool first = doneIcons.empty();
            doneIcons.push_back(icon);
            if (first && iconWindow) PostMessageA(iconWindow, kIconsDoneMessage, 0, 0);
        } else {
            wake.wait(guard);
        }
    }
    guard.unlock();
    if (factory) factory->Release();
    factory = nullptr;
    if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace

bool StartPictureThread(HWND pictures, HWND icons) {
    std::lock_guard guard(lock);
    if (pictures) pictureWindow = pictures;
    if (icons) iconWindow = icons;
    if (worker.joinable()) return true;
    stopping = false;
    try {
        worker = std::thread(Run);
    } catch (...) {
        return false;
    }
    return true;
}

void StopPictureThread() {
    {
        std::lock_guard guard(lock);
        if (!worker.joinable()) return;
        stopping = true;
        pendingPicture.reset();
        iconRequests.clear();
    }
    wake.notify_all();
    worker.join();
    std::lock_guard guard(lock);
    donePicture.reset();
    pictureDone = false;
    DestroyIcons(doneIcons);
    pictureWindow = iconWindow = nullptr;
}

bool PictureThreadRunning() {
    std::lock_guard guard(lock);
    return worker.joinable();
}

void RequestPicture(uint32_t serial, PictureKind kind, const std::string& game, const std::string& parent) {
    {
        std::lock_guard guard(lock);
        pendingPicture.emplace(serial, kind, game, parent);
    }
    wake.notify_all();
}

bool TakePicture(uint32_t serial, PicturePtr& picture) {
    std::lock_guard guard(lock);
    if (!pictureDone || doneSerial != serial) return false;
    picture = std::move(donePicture);
    pictureDone = false;
    return true;
}

void RequestIcon(const std::string& game, const std::string& iconFile, int smallSize, int largeSize) {
    {
        std::lock_guard guard(lock);
        for (auto it = iconRequests.begin(); it != iconRequests.end(); ++it)
            if (it->game == game) {
                iconRequests.erase(it);
                break;
            }
        iconRequests.push_front({game, iconFile, smallSize, largeSize});
        if (iconRequests.size() > kIconQueueLimit) iconRequests.pop_back();
    }
    wake.notify_all();
}

std::vector<IconResult> TakeIcons() {
    std::lock_guard guard(lock);
    return std::exchange(doneIcons, {});
}

void DropIconRequests() {
    std::lock_guard guard(lock);
    iconRequests.clear();
}

void ForgetCachedPictures() {
    {
        std::lock_guard guard(cacheLock);
        archives.clear();
        archiveUse.clear();
        archiveBytes = 0;
        pictureCache.clear();
        pictureBytes = 0;
    }
    std::lock_guard guard(folderLock);
    for (FolderCache& cache : folderCache) cache.valid = false;
}

PicturePtr DecodePicture(const std::string& bytes) {
    Com<IWICImagingFactory> own;
    if (!factory) *own.out() = NewFactory();
    IWICImagingFactory* wic = factory ? factory : own.get();
    if (!wic || bytes.empty() || bytes.size() > 0xFFFFFFFFu) return nullptr;
    Com<IWICStream> stream;
    if (FAILED(wic->CreateStream(stream.out()))) return nullptr;
    if (FAILED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                            static_cast<DWORD>(bytes.size()))))
        return nullptr;
    Com<IWICBitmapDecoder> decoder;
    if (FAILED(wic->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.out())))
        return nullptr;
    GUID format{};
    if (FAILED(decoder->GetContainerFormat(&format)) ||
        (format != GUID_ContainerFormatPng && format != GUID_ContainerFormatJpeg))
        return nullptr;
    Com<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.out()))) return nullptr;
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 || width > kMaxPictureSide ||
        height > kMaxPictureSide)
        return nullptr;
    Com<IWICFormatConverter> converter;
    if (FAILED(wic->CreateFormatConverter(converter.out())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                     0.0, WICBitmapPaletteTypeCustom)))
        return nullptr;
    auto picture = std::make_shared<PictureData>();
    picture->width = static_cast<int>(width);
    picture->height = static_cast<int>(height);
    try {
        picture->pixels.resize(static_cast<size_t>(width) * height);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    // A damaged stream fails here, part way through its rows.
    if (FAILED(converter->CopyPixels(nullptr, width * 4, width * height * 4,
                                     reinterpret_cast<BYTE*>(picture->pixels.data()))))
        return nullptr;
    return picture;
}

PicturePtr FindPictureNow(PictureKind kind, const std::string& game, const std::string& parent) {
    const std::string key = std::to_string(static_cast<uint32_t>(kind)) + ':' + game + ':' + parent;
    {
        std::lock_guard guard(cacheLock);
        for (auto it = pictureCache.begin(); it != pictureCache.end(); ++it)
            if (it->key == key) {
                pictureCache.splice(pictureCache.begin(), pictureCache, it);
                return it->picture;
            }
    }
    const auto folders = Folders(static_cast<uint32_t>(kind), FolderOptionOf(kind));
    PicturePtr picture;
    std::string bytes;
    for (const PictureCandidate& candidate : PictureCandidates(folders, game, parent)) {
        // The largest file that can hold a picture of at most 4096 x 4096.
        if (!ReadCandidate(candidate, bytes, kZipEntryLimit)) continue;
        picture = DecodePicture(bytes);
        // A damaged file where a picture should be: the search goes on.
        if (picture) break;
    }
    if (!picture) return nullptr;
    const size_t size = picture->pixels.size() * 4 + key.size() + 64;
    std::lock_guard guard(cacheLock);
    while (pictureBytes + size > kPictureCacheBytes && !pictureCache.empty()) {
        pictureBytes -= pictureCache.back().picture->pixels.size() * 4 + pictureCache.back().key.size() + 64;
        pictureCache.pop_back();
    }
    if (size <= kPictureCacheBytes) {
        pictureCache.push_front({key, picture});
        pictureBytes += size;
    }
    return picture;
}

}  // namespace quillet
