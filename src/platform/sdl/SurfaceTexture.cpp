#include "platform/sdl/SurfaceTexture.h"

#include "platform/PngCheck.h"

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

// The two formats a decoder hands out for pictures with alpha: 32 bits with
// alpha in the top byte, colours in either order. Renderers take both.
bool IsAlphaOnTop(const SDL_Surface& surface) {
    return surface.format->format == SDL_PIXELFORMAT_ARGB8888 ||
           surface.format->format == SDL_PIXELFORMAT_ABGR8888;
}

SurfacePtr Convert(SurfacePtr decoded, Uint32 format, std::string& error) {
    if (!decoded || decoded->format->format == format) return decoded;
    SurfacePtr converted(SDL_ConvertSurfaceFormat(decoded.get(), format, 0));
    if (!converted) error = SDL_GetError();
    return converted;
}

SurfacePtr Decode(const std::string& path, std::string& error) {
    SurfacePtr decoded(IMG_Load(path.c_str()));
    if (!decoded) error = IMG_GetError();
    return decoded;
}

// A picture with alpha is kept as decoded (no second copy of its pixels);
// anything else (palette, grey, RGB) becomes ARGB, so the opacity test reads
// alpha from the top byte.
SurfacePtr DecodePicture(const std::string& path, std::string& error) {
    SurfacePtr surface = Decode(path, error);
    if (surface && !IsAlphaOnTop(*surface))
        surface = Convert(std::move(surface), SDL_PIXELFORMAT_ARGB8888, error);
    return surface;
}

}  // namespace

SurfacePtr CSurfaceTexture::DecodeArgb(const std::string& path, std::string& error) {
    return Convert(Decode(path, error), SDL_PIXELFORMAT_ARGB8888, error);
}

std::unique_ptr<CSurfaceTexture> CSurfaceTexture::Load(const std::string& path,
                                                       std::string& error) {
    int width = 0, height = 0;
    if (!CPngCheck::Check(path, width, height, error)) return nullptr;
    SurfacePtr surface = DecodePicture(path, error);
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

std::unique_ptr<CSurfaceTexture> CSurfaceTexture::LoadDeferred(const std::string& path,
                                                               std::string& error) {
    int width = 0, height = 0;
    if (!CPngCheck::Check(path, width, height, error)) return nullptr;
    return std::make_unique<CSurfaceTexture>(path, width, height);
}

CSurfaceTexture::CSurfaceTexture(std::string path, SurfacePtr surface)
    : CTexture(std::move(path), surface->w, surface->h),
      m_surface(std::move(surface)),
      m_opaque(AllOpaque(*m_surface)),
      m_decodeTried(true) {}

CSurfaceTexture::CSurfaceTexture(std::string path, int width, int height)
    : CTexture(std::move(path), width, height) {}

SDL_Surface* CSurfaceTexture::Surface() const {
    if (!m_decodeTried) {
        m_decodeTried = true;
        std::string error;
        m_surface = DecodePicture(Path(), error);
        m_opaque = m_surface && AllOpaque(*m_surface);
    }
    return m_surface.get();
}

// Only pictures made from pixels are replaced, and those are ARGB.
bool CSurfaceTexture::Replace(std::span<const uint32_t> argb, std::string& error) {
    if (m_surface->format->format != SDL_PIXELFORMAT_ARGB8888) {
        error = "only a picture made from pixels can take new pixels";
        return false;
    }
    if (argb.size() != static_cast<size_t>(Width()) * static_cast<size_t>(Height())) {
        error = "new pixels of another size";
        return false;
    }
    CopyRows(*m_surface, argb);
    m_opaque = AllOpaque(*m_surface);
    RenewSerial();
    return true;
}
