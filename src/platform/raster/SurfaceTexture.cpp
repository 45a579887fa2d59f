#include "platform/raster/SurfaceTexture.h"

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

// One pixel format for every picture, the back buffer's own: the software
// renderer then blits without converting, and the opacity test reads alpha
// from the top byte whatever the file held (palette, grey, RGB, RGBA).
SurfacePtr DecodePicture(const std::string& path, std::string& error) {
    return Convert(Decode(path, error), SDL_PIXELFORMAT_ARGB8888, error);
}

}  // namespace

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

bool CSurfaceTexture::Replace(CTexture& texture, std::span<const uint32_t> argb,
                              std::string& error) {
    auto* surface = dynamic_cast<CSurfaceTexture*>(&texture);
    if (!surface) {
        error = "not a picture of this backend";
        return false;
    }
    return surface->Replace(argb, error);
}

bool CSurfaceTexture::Replace(std::span<const uint32_t> argb, std::string& error) {
    if (!Surface()) {
        error = "the picture did not decode";
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
