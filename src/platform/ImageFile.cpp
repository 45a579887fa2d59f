#include "platform/ImageFile.h"

#include "platform/raster/SurfaceTexture.h"

#include <SDL.h>

#include <cstring>

bool CImageFile::ReadPixels(const std::string& path, int& width, int& height,
                            std::vector<uint32_t>& argb, std::string& error) {
    SurfacePtr surface = CSurfaceTexture::DecodeArgb(path, error);
    if (!surface) return false;
    width = surface->w;
    height = surface->h;
    argb.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        std::memcpy(argb.data() + static_cast<size_t>(y) * static_cast<size_t>(width),
                    static_cast<const uint8_t*>(surface->pixels) +
                        static_cast<size_t>(y) * static_cast<size_t>(surface->pitch),
                    static_cast<size_t>(width) * sizeof(uint32_t));
    return true;
}
