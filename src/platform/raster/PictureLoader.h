#pragma once
#include "platform/raster/DecodePool.h"

#include <memory>
#include <string>

class CSurfaceTexture;
struct SDL_Renderer;

// Loads picture files for a backend, on its game thread, from what workers
// decoded ahead of need when the engine said which files come next. A picture
// is the same whether it was decoded ahead or now, and so is the error of
// one that fails. `withPixels` false only checks files (pixels decoded on
// first use). Owned by a backend.
class CPictureLoader {
public:
    explicit CPictureLoader(bool withPixels);
    CPictureLoader(const CPictureLoader&) = delete;
    CPictureLoader& operator=(const CPictureLoader&) = delete;
    ~CPictureLoader();

    // From now on pictures are decoded straight into textures of this
    // software renderer, which keeps a texture as plain memory: a picture
    // never exists twice, decoded and uploaded. Set once, before the first
    // request, by a backend that destroys the loader before the renderer.
    // (An accelerated renderer would keep a second copy of a streaming
    // texture for its whole life, so it is never given here.)
    void DecodeInto(SDL_Renderer& renderer) { m_renderer = &renderer; }
    void Prefetch(const std::string& path);
    // Null (and `error` says why) when the file is missing or does not decode.
    std::unique_ptr<CSurfaceTexture> Load(const std::string& path, std::string& error);

private:
    DecodedPicture LockedTexture(const std::string& path) const;

    bool m_withPixels;
    SDL_Renderer* m_renderer = nullptr;  // borrowed, see DecodeInto; null: decoded aside
    CDecodePool m_pool;
};
