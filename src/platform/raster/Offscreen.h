#pragma once
#include "platform/raster/Rasterizer.h"
#include "platform/raster/SdlPtr.h"

#include <memory>
#include <string>

struct DrawList;
class CTexture;
class CFontLocator;

// A back buffer in plain memory with SDL's software renderer on it: headless
// screenshots are painted here, by the same rasterizer the window uses.
// Owned by the headless backend and kept for later screenshots.
class COffscreen {
public:
    // Null (and `error` says why) when the pixels or the renderer cannot be made.
    static std::unique_ptr<COffscreen> Create(int width, int height, CFontLocator& fonts,
                                              std::string& error);
    COffscreen(SurfacePtr surface, RendererPtr renderer, CFontLocator& fonts);
    COffscreen(const COffscreen&) = delete;
    COffscreen& operator=(const COffscreen&) = delete;
    ~COffscreen();

    bool Draw(const DrawList& frame, std::string& error);
    bool SavePng(const std::string& path, std::string& error);
    void Forget(const CTexture& texture) { m_rasterizer->Forget(texture); }

private:
    SurfacePtr m_surface;
    RendererPtr m_renderer;
    std::unique_ptr<CRasterizer>
        m_rasterizer;  // holds textures of m_renderer: declared last, freed first
};
