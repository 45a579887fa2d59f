#pragma once
#include "platform/Texture.h"
#include "platform/raster/SdlPtr.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

// A picture kept as 32-bit pixels in memory; both backends load pictures as
// these, and each renderer uploads its own copy when it first draws one. The
// headless backend checks the file at load and decodes it only when a
// screenshot first needs its pixels. Owned by whoever loaded it (the displayer).
class CSurfaceTexture : public CTexture {
public:
    // Null (and `error` says why) when the file is missing or does not decode.
    static std::unique_ptr<CSurfaceTexture> Load(const std::string& path, std::string& error);
    // Checks the file's structure now; decodes it on first use of Surface().
    static std::unique_ptr<CSurfaceTexture> LoadDeferred(const std::string& path,
                                                         std::string& error);
    // Null (and `error` says why) for a size below 1 x 1, pixels that do not
    // fill it, or no memory for it.
    static std::unique_ptr<CSurfaceTexture> FromPixels(const std::string& name, int width,
                                                       int height, std::span<const uint32_t> argb,
                                                       std::string& error);

    CSurfaceTexture(std::string path, SurfacePtr surface);
    CSurfaceTexture(std::string path, int width, int height);  // decoded on first use

    // Null when a deferred picture does not decode after all (drawn as nothing).
    SDL_Surface* Surface() const;
    // Every pixel has full alpha: blending it is a plain copy.
    bool IsOpaque() const {
        Surface();
        return m_opaque;
    }
    // New pixels of the same size (and a new serial).
    bool Replace(std::span<const uint32_t> argb, std::string& error);
    // The same for a texture either backend made; false for any other.
    static bool Replace(CTexture& texture, std::span<const uint32_t> argb, std::string& error);

private:
    mutable SurfacePtr m_surface;
    mutable bool m_opaque = false;
    mutable bool m_decodeTried = false;
};
