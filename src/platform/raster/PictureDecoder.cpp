#include "platform/raster/PictureDecoder.h"

#include "platform/FileRead.h"
#include "platform/PngCheck.h"

#include <SDL_image.h>

namespace {

// One pixel format for every picture, the back buffer's own: the software
// renderer then blits without converting, and the opacity test reads alpha
// from the top byte whatever the file held (palette, grey, RGB, RGBA).
SurfacePtr DecodeBytes(const std::string& file, std::string& error) {
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
