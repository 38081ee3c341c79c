// Pictures and icons made for the tests: PNG and JPEG through the imaging
// component's encoders, icon files by hand.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <wincodec.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quillet::test {

// A picture of `width` x `height`, its top half `top` and its bottom half
// `bottom` (0x00RRGGBB), encoded as PNG or JPEG.
// With `noisy`, the low bits of every pixel vary, as a real picture's do.
inline std::string EncodePicture(const GUID& container, int width, int height, uint32_t top, uint32_t bottom,
                                 bool noisy = false) {
    std::string bytes;
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory))))
        return bytes;
    IStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    IPropertyBag2* options = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (SUCCEEDED(factory->CreateEncoder(container, nullptr, &encoder)) &&
        SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) &&
        SUCCEEDED(encoder->CreateNewFrame(&frame, &options)) && SUCCEEDED(frame->Initialize(options)) &&
        SUCCEEDED(frame->SetSize(width, height))) {
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        frame->SetPixelFormat(&format);
        const int stride = (width * 3 + 3) & ~3;
        std::vector<BYTE> pixels(static_cast<size_t>(stride) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                uint32_t c = y < height / 2 ? top : bottom;
                if (noisy) c ^= (static_cast<uint32_t>(x * 7919 + y * 104729) * 2654435761u >> 8) & 0x3F3F3F;
                BYTE* p = &pixels[static_cast<size_t>(y) * stride + x * 3];
                p[0] = c & 0xFF;
                p[1] = c >> 8 & 0xFF;
                p[2] = c >> 16 & 0xFF;
            }
        if (SUCCEEDED(frame->WritePixels(height, stride, static_cast<UINT>(pixels.size()), pixels.data())) &&
            SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit())) {
            STATSTG stat{};
            stream->Stat(&stat, STATFLAG_NONAME);
            LARGE_INTEGER start{};
            stream->Seek(start, STREAM_SEEK_SET, nullptr);
            bytes.resize(static_cast<size_t>(stat.cbSize.QuadPart));
            ULONG read = 0;
            stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
            bytes.resize(read);
        }
    }
    if (options) options->Release();
    if (frame) frame->Release();
    if (encoder) encoder->Release();
    if (stream) stream->Release();
    factory->Release();
    return bytes;
}

inline std::string Png(int width, int height, uint32_t top, uint32_t bottom, bool noisy = false) {
    return EncodePicture(GUID_ContainerFormatPng, width, height, top, bottom, noisy);
}
inline std::string Jpeg(int width, int height, uint32_t top, uint32_t bottom) {
    return EncodePicture(GUID_ContainerFormatJpeg, width, height, top, bottom);
}

// An icon file of one 32-bit image `size` pixels square in `colour` (0x00RRGGBB).
inline std::string IconFile(int size, uint32_t colour) {
    auto put16 = [](std::string& s, uint32_t v) { s += static_cast<char>(v & 0xFF); s += static_cast<char>(v >> 8 & 0xFF); };
    auto put32 = [&](std::string& s, uint32_t v) { put16(s, v & 0xFFFF); put16(s, v >> 16); };
    std::string image;
    put32(image, 40); put32(image, size); put32(image, size * 2); put16(image, 1); put16(image, 32);
    put32(image, 0); put32(image, 0); put32(image, 0); put32(image, 0); put32(image, 0); put32(image, 0);
    for (int i = 0; i < size * size; ++i) put32(image, 0xFF000000u | colour);
    const int maskStride = ((size + 31) / 32) * 4;
    image += std::string(static_cast<size_t>(maskStride) * size, '\0');
    std::string file;
    put16(file, 0); put16(file, 1); put16(file, 1);
    file += static_cast<char>(size); file += static_cast<char>(size); file += '\0'; file += '\0';
    put16(file, 1); put16(file, 32); put32(file, static_cast<uint32_t>(image.size())); put32(file, 22);
    return file + image;
}

}  // namespace quillet::test
