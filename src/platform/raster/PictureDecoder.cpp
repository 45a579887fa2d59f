#include "platform/raster/PictureDecoder.h"

#include "platform/FileRead.h"
#include "platform/PngCheck.h"

#include <SDL_image.h>
#include <png.h>

#include <algorithm>
#include <cstring>
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
// pass over every pixel). False when libpng refuses the file or its size is
// not the target's, and, when `clean`, when libpng had anything to warn of.
bool ReadTrueColour(const std::string& file, const PixelTarget& target, bool clean = false) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return false;
    if (image.width != static_cast<png_uint_32>(target.width) ||
        image.height != static_cast<png_uint_32>(target.height)) {
        png_image_free(&image);
        return false;
    }
    // ARGB8888 is a 32-bit word: its bytes in memory depend on the machine.
    image.format = SDL_BYTEORDER == SDL_LIL_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    // Frees the reader whether or not it succeeds; the warning flag stays.
    return png_image_finish_read(&image, nullptr, target.pixels, target.pitch, nullptr) != 0 &&
           !(clean && (image.warning_or_error & PNG_IMAGE_WARNING));
}

PixelTarget TargetOf(const SDL_Surface& surface) {
    return {surface.pixels, surface.pitch, surface.w, surface.h};
}

// Null when libpng refuses the file (or, when `clean`, warns of it).
SurfacePtr DecodeTrueColour(const std::string& file, int width, int height, bool clean = false) {
    SurfacePtr surface(
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!surface || !ReadTrueColour(file, TargetOf(*surface), clean)) return nullptr;
    return surface;
}

// One pixel format for every picture, the back buffer's own: the software
// renderer then blits without converting, and the opacity test reads alpha
// from the top byte whatever the file held (palette, grey, RGB, RGBA). A file
// the direct path does not take, or fails on, goes through SDL_image: same
// pixels, and a broken file gets SDL_image's own error.
SurfacePtr DecodeBytes(const std::string& file, int width, int height, std::string& error) {
    if (IsPlainTrueColour(file))
        if (SurfacePtr direct = DecodeTrueColour(file, width, height)) return direct;
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

// SDL_image gives the size the header promised; the smaller of the two is
// copied all the same.
void CopyRows(const SDL_Surface& from, const PixelTarget& to) {
    const auto rowBytes = static_cast<size_t>(std::min(from.w, to.width)) * sizeof(uint32_t);
    for (int y = 0; y < std::min(from.h, to.height); ++y)
        std::memcpy(static_cast<uint8_t*>(to.pixels) + static_cast<size_t>(y) * to.pitch,
                    static_cast<const uint8_t*>(from.pixels) + static_cast<size_t>(y) * from.pitch,
                    rowBytes);
}

// The same pixels as DecodeBytes, written into the target; a file the direct
// path does not take is decoded aside and copied in.
bool DecodeInto(const std::string& file, const PixelTarget& target, std::string& error) {
    if (IsPlainTrueColour(file) && ReadTrueColour(file, target)) return true;
    SurfacePtr decoded = DecodeBytes(file, target.width, target.height, error);
    if (!decoded) return false;
    CopyRows(*decoded, target);
    return true;
}

bool FitsTarget(const DecodedPicture& picture) {
    return picture.target.pixels && picture.target.width == picture.width &&
           picture.target.height == picture.height;
}

// The picture data inflated once, by the decoder, instead of once by the
// check and again by the decoder. A plain true-colour file whose layout
// passes the check and that libpng reads whole without a word of warning has
// passed everything the check tests: libpng fails on a stream that is
// damaged, short or never ends and on an unknown row filter, and warns of a
// wrong checksum or data past the rows. Anything else, a harmless warning
// included, goes the long way (the whole check, then the decoder), so which
// files load, their pixels and their errors stay as they were.
bool DecodeChecked(const std::string& file, DecodedPicture& picture) {
    std::string unused;
    if (!CPngCheck::CheckLayout(file, picture.width, picture.height, unused) ||
        !IsPlainTrueColour(file))
        return false;
    if (FitsTarget(picture)) {
        if (!ReadTrueColour(file, picture.target, true)) return false;
        picture.inTarget = true;
        picture.opaque = CPictureDecoder::AllOpaque(picture.target);
        return true;
    }
    picture.surface = DecodeTrueColour(file, picture.width, picture.height, true);
    if (!picture.surface) return false;
    picture.opaque = CPictureDecoder::AllOpaque(*picture.surface);
    return true;
}

}  // namespace

bool CPictureDecoder::AllOpaque(const SDL_Surface& surface) {
    return AllOpaque(TargetOf(surface));
}

bool CPictureDecoder::AllOpaque(const PixelTarget& pixels) {
    for (int y = 0; y < pixels.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(pixels.pixels) + static_cast<size_t>(y) * pixels.pitch);
        for (int x = 0; x < pixels.width; ++x)
            if ((row[x] >> 24) != 0xFF) return false;
    }
    return true;
}

void CPictureDecoder::Prepare() {
    IMG_Init(IMG_INIT_PNG);
}

DecodedPicture CPictureDecoder::Decode(const std::string& path, bool withPixels) {
    DecodedPicture picture;
    Decode(path, withPixels, picture);
    return picture;
}

void CPictureDecoder::Decode(const std::string& path, bool withPixels, DecodedPicture& picture) {
    std::string file;
    if (!CFileRead::ReadWhole(path, CFileRead::kMaxPictureBytes, file, picture.error)) return;
    if (withPixels && DecodeChecked(file, picture)) {
        picture.ok = true;
        return;
    }
    if (!CPngCheck::CheckBytes(file, picture.width, picture.height, picture.error)) return;
    if (withPixels && FitsTarget(picture)) {
        if (!DecodeInto(file, picture.target, picture.error)) return;
        picture.inTarget = true;
        picture.opaque = AllOpaque(picture.target);
    } else if (withPixels) {
        picture.surface = DecodeBytes(file, picture.width, picture.height, picture.error);
        if (!picture.surface) return;
        picture.opaque = AllOpaque(*picture.surface);
    }
    picture.ok = true;
}
