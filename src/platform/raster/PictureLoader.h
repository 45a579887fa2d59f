#pragma once
#include "platform/raster/DecodePool.h"

#include <memory>
#include <string>

class CSurfaceTexture;

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

    void Prefetch(const std::string& path);
    // Null (and `error` says why) when the file is missing or does not decode.
    std::unique_ptr<CSurfaceTexture> Load(const std::string& path, std::string& error);

private:
    bool m_withPixels;
    CDecodePool m_pool;
};
