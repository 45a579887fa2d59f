#include "platform/raster/SurfaceTexture.h"

#include "platform/raster/PictureDecoder.h"

#include <cstring>

namespace {

void CopyRows(SDL_Surface& surface, std::span<const uint32_t> argb) {
    const auto width = static_cast<size_t>(surface.w);
    for (int y = 0; y < surface.h; ++y)
        std::memcpy(static_cast<uint8_t*>(surface.pixels) + static_cast<size_t>(y) * surface.pitch,
                    argb.data() + static_cast<size_t>(y) * width, width * sizeof(uint32_t));
}

}  // namespace

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

CSurfaceTexture::CSurfaceTexture(std::string path, DecodedPicture picture)
    : CTexture(std::move(path), picture.width, picture.height),
      m_surface(std::move(picture.surface)),
      m_texture(std::move(picture.texture)),
      m_opaque(picture.opaque),
      m_opacityKnown(m_surface != nullptr || m_texture != nullptr),
      m_decodeTried(m_surface != nullptr),
      m_fromFile(true) {}

CSurfaceTexture::CSurfaceTexture(std::string name, SurfacePtr surface)
    : CTexture(std::move(name), surface->w, surface->h),
      m_surface(std::move(surface)),
      m_opaque(CPictureDecoder::AllOpaque(*m_surface)),
      m_opacityKnown(true),
      m_decodeTried(true) {}

// Decoded again from the file, on the thread that draws: a picture the cache
// evicted costs its decoding a second time, never a different picture.
SDL_Surface* CSurfaceTexture::Surface() const {
    if (!m_decodeTried) {
        m_decodeTried = true;
        DecodedPicture picture = CPictureDecoder::Decode(Path(), true);
        m_surface = std::move(picture.surface);
        m_opaque = m_surface && picture.opaque;
        m_opacityKnown = true;
    }
    return m_surface.get();
}

bool CSurfaceTexture::IsOpaque() const {
    if (!m_opacityKnown) Surface();
    return m_opaque;
}

void CSurfaceTexture::DropPixels() const {
    m_texture.reset();
    if (!m_fromFile || !m_surface) return;
    m_surface.reset();
    m_decodeTried = false;
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
    m_opaque = CPictureDecoder::AllOpaque(*m_surface);
    m_texture.reset();
    RenewSerial();
    return true;
}
