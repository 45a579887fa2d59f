#include "platform/sdl/SurfaceTexture.h"

#include <SDL_image.h>

#include <cstring>

namespace {

bool AllOpaque(const SDL_Surface& surface) {
    for (int y = 0; y < surface.h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(surface.pixels) + static_cast<size_t>(y) * surface.pitch);
        for (int x = 0; x < surface.w; ++x)
            if ((row[x] >> 24) != 0xFF) return false;
    }
    return true;
}

void CopyRows(SDL_Surface& surface, std::span<const uint32_t> argb) {
    const auto width = static_cast<size_t>(surface.w);
    for (int y = 0; y < surface.h; ++y)
        std::memcpy(static_cast<uint8_t*>(surface.pixels) + static_cast<size_t>(y) * surface.pitch,
                    argb.data() + static_cast<size_t>(y) * width, width * sizeof(uint32_t));
}

}  // namespace

SurfacePtr CSurfaceTexture::DecodeArgb(const std::string& path, std::string& error) {
    SurfacePtr decoded(IMG_Load(path.c_str()));
    if (!decoded) {
        error = IMG_GetError();
        return nullptr;
    }
    // One pixel format for every picture: renderers and the opacity test
    // need not care what the file held (palette, grey, RGB, RGBA).
    SurfacePtr argb(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!argb) error = SDL_GetError();
    return argb;
}

std::unique_ptr<CSurfaceTexture> CSurfaceTexture::Load(const std::string& path,
                                                       std::string& error) {
    SurfacePtr surface = DecodeArgb(path, error);
    if (!surface) return nullptr;
    return std::make_unique<CSurfaceTexture>(path, std::move(surface));
}

std::unique_ptr<CSurfaceTexture> CSurfaceTexture::FromPixels(const std::string& name, int width,
                                                             int height,
                                                             std::span<const uint32_t> argb,
                                                             std::string& error) {
    if (width < 1 || height < 1 ||
        argb.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        error = "a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels was given " + std::to_string(argb.size());
        return nullptr;
    }
    SurfacePtr surface(
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!surface) {
        error = SDL_GetError();
        return nullptr;
    }
    CopyRows(*surface, argb);
    return std::make_unique<CSurfaceTexture>(name, std::move(surface));
}

CSurfaceTexture::CSurfaceTexture(std::string path, SurfacePtr surface)
    : CTexture(std::move(path), surface->w, surface->h),
      m_surface(std::move(surface)),
      m_opaque(AllOpaque(*m_surface)) {}

bool CSurfaceTexture::Replace(std::span<const uint32_t> argb, std::string& error) {
    if (argb.size() != static_cast<size_t>(Width()) * static_cast<size_t>(Height())) {
        error = "new pixels of another size";
        return false;
    }
    CopyRows(*m_surface, argb);
    m_opaque = AllOpaque(*m_surface);
    RenewSerial();
    return true;
}
