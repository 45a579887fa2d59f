#pragma once
#include "platform/Texture.h"
#include "platform/sdl/SdlPtr.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

// A decoded picture kept as 32-bit ARGB pixels in memory; both backends load
// pictures as these, and each renderer uploads its own copy when it first
// draws one. Owned by whoever loaded it (the displayer).
class CSurfaceTexture : public CTexture {
public:
    // Null (and `error` says why) when the file is missing or does not decode.
    static std::unique_ptr<CSurfaceTexture> Load(const std::string& path, std::string& error);
    static SurfacePtr DecodeArgb(const std::string& path, std::string& error);
    // Null (and `error` says why) for a size below 1 x 1, pixels that do not
    // fill it, or no memory for it.
    static std::unique_ptr<CSurfaceTexture> FromPixels(const std::string& name, int width,
                                                       int height, std::span<const uint32_t> argb,
                                                       std::string& error);

    CSurfaceTexture(std::string path, SurfacePtr surface);

    SDL_Surface* Surface() const { return m_surface.get(); }
    // Every pixel has full alpha: blending it is a plain copy.
    bool IsOpaque() const { return m_opaque; }
    // New pixels of the same size (and a new serial).
    bool Replace(std::span<const uint32_t> argb, std::string& error);

private:
    SurfacePtr m_surface;
    bool m_opaque;
};
