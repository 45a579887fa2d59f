#include "platform/raster/Offscreen.h"

#include <SDL_image.h>

std::unique_ptr<COffscreen> COffscreen::Create(int width, int height, CFontLocator& fonts,
                                               std::string& error) {
    SurfacePtr surface(
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!surface) {
        error = SDL_GetError();
        return nullptr;
    }
    RendererPtr renderer(SDL_CreateSoftwareRenderer(surface.get()));
    if (!renderer) {
        error = SDL_GetError();
        return nullptr;
    }
    return std::make_unique<COffscreen>(std::move(surface), std::move(renderer), fonts);
}

COffscreen::COffscreen(SurfacePtr surface, RendererPtr renderer, CFontLocator& fonts)
    : m_surface(std::move(surface)),
      m_renderer(std::move(renderer)),
      m_rasterizer(std::make_unique<CRasterizer>(*m_renderer, fonts)) {}

COffscreen::~COffscreen() = default;

bool COffscreen::Draw(const DrawList& frame, std::string& error) {
    if (!m_rasterizer->Draw(frame, error)) return false;
    // Drawing calls are queued; the PNG must see them done.
    return SDL_RenderFlush(m_renderer.get()) == 0 || (error = SDL_GetError(), false);
}

// The file is closed here, not inside the encoder: the last buffered bytes
// reach the disk only at the close, which is where a full disk shows.
bool COffscreen::SavePng(const std::string& path, std::string& error) {
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "wb");
    if (!file) return error = SDL_GetError(), false;
    const bool encoded = IMG_SavePNG_RW(m_surface.get(), file, 0) == 0;
    if (!encoded) error = IMG_GetError();
    const bool closed = SDL_RWclose(file) == 0;
    if (encoded && !closed) error = std::string("cannot write the file: ") + SDL_GetError();
    return encoded && closed;
}
