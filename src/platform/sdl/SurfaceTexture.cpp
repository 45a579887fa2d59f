#include "platform/sdl/SurfaceTexture.h"

#include <SDL_image.h>

#include <atomic>

namespace {

uint64_t NextSerial() {
    static std::atomic<uint64_t> next{1};
    return next++;
}

bool AllOpaque(const SDL_Surface& surface) {
    for (int y = 0; y < surface.h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(surface.pixels) + static_cast<size_t>(y) * surface.pitch);
        for (int x = 0; x < surface.w; ++x)
            if ((row[x] >> 24) != 0xFF) return false;
    }
    return true;
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

CSurfaceTexture::CSurfaceTexture(std::string path, SurfacePtr surface)
    : CTexture(std::move(path), surface->w, surface->h),
      m_surface(std::move(surface)),
      m_opaque(AllOpaque(*m_surface)),
      m_serial(NextSerial()) {}
