#include "platform/raster/PictureDecoder.h"

#include "platform/FileRead.h"
#include "platform/PngCheck.h"

#include <SDL_image.h>
#include <png.h>

#include <string_view>

namespace {

uint32_t BigEndian(std::string_view bytes, size_t at) {
    const auto byte = [&](size_t i) { return uint32_t{static_cast<uint8_t>(bytes[at + i])}; };
    return (byte(0) << 24) | (byte(1) << 16) | (byte(2) << 8) | byte(3);
}

// An 8-bit RGB or RGBA file with no chunk that could change its colours
// (transparency key, gamma, colour space, significant bits). The file has
// passed CPngCheck: its IHDR is there and its chunks are whole.
bool IsPlainTrueColour(std::string_view file) {
    constexpr size_t kDepth = 24, kColourType = 25, kFirstChunk = 8;
    if (file.size() <= kColourType) return false;
    const auto colourType = static_cast<uint8_t>(file[kColourType]);
    if (static_cast<uint8_t>(file[kDepth]) != 8 || (colourType != 2 && colourType != 6))
        return false;
    for (size_t at = kFirstChunk; at + 8 <= file.size(); at += 12 + size_t{BigEndian(file, at)}) {
        const std::string_view type = file.substr(at + 4, 4);
        if (type == "IDAT") return true;
        for (const char* changing : {"tRNS", "gAMA", "cHRM", "sRGB", "iCCP", "sBIT"})
            if (type == changing) return false;
    }
    return false;
}

// Straight into the back buffer's format: libpng orders the channels as it
// reads. SDL_image would give RGBA bytes and need a second whole picture to
// convert them (8 MiB more at the peak for a 2048 x 1024 background, and a
// pass over every pixel). Null when libpng refuses the file.
SurfacePtr DecodeTrueColour(const std::string& file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return nullptr;
    // ARGB8888 is a 32-bit word: its bytes in memory depend on the machine.
    image.format = SDL_BYTEORDER == SDL_LIL_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(image.width),
                                                      static_cast<int>(image.height), 32,
                                                      SDL_PIXELFORMAT_ARGB8888));
    if (!surface) {
        png_image_free(&image);
        return nullptr;
    }
    // Frees the reader whether or not it succeeds.
    if (!png_image_finish_read(&image, nullptr, surface->pixels, surface->pitch, nullptr))
        return nullptr;
    return surface;
}

// One pixel format for every picture, the back buffer's own: the software
// renderer then blits without converting, and the opacity test reads alpha
// from the top byte whatever the file held (palette, grey, RGB, RGBA). A file
// the direct path does not take, or fails on, goes through SDL_image: same
// pixels, and a broken file gets SDL_image's own error.
SurfacePtr DecodeBytes(const std::string& file, std::string& error) {
    if (IsPlainTrueColour(file))
        if (SurfacePtr direct = DecodeTrueColour(file)) return direct;
    SDL_RWops* stream = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
    SurfacePtr decoded(stream ? IMG_LoadTyped_RW(stream, 1, "PNG") : nullptr);
    if (!decoded) {
        error = IMG_GetError();
        return nullptr;
    }
    if (decoded->format->format == SDL_PIXELFORMAT_ARGB8888) return decoded;
    SurfacePtr converted(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!converted) error = SDL_GetError();
    return converted;
}

}  // namespace

bool CPictureDecoder::AllOpaque(const SDL_Surface& surface) {
    for (int y = 0; y < surface.h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(surface.pixels) + static_cast<size_t>(y) * surface.pitch);
        for (int x = 0; x < surface.w; ++x)
            if ((row[x] >> 24) != 0xFF) return false;
    }
    return true;
}

void CPictureDecoder::Prepare() {
    IMG_Init(IMG_INIT_PNG);
}

DecodedPicture CPictureDecoder::Decode(const std::string& path, bool withPixels) {
    DecodedPicture picture;
    std::string file;
    if (!CFileRead::ReadWhole(path, CFileRead::kMaxPictureBytes, file, picture.error) ||
        !CPngCheck::CheckBytes(file, picture.width, picture.height, picture.error))
        return picture;
    if (withPixels) {
        picture.surface = DecodeBytes(file, picture.error);
        if (!picture.surface) return picture;
        picture.opaque = AllOpaque(*picture.surface);
    }
    picture.ok = true;
    return picture;
}
