#pragma once
#include "platform/Texture.h"
#include "platform/raster/DecodedPicture.h"
#include "platform/raster/SdlPtr.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

// A picture kept as 32-bit pixels in memory; both backends load pictures as
// these (through CPictureLoader), and each renderer uploads its own copy when
// it first draws one. A picture from a file may let its pixels go (once
// uploaded, or when the displayer's cache evicts it) and decodes them again
// from the file on next use; one made from pixels keeps them. The headless
// backend checks the file at load and decodes it only when a screenshot first
// needs its pixels. With the software renderer a picture from a file comes
// already in a texture (its pixels decoded into it), which the renderer takes
// on first draw. Owned by whoever loaded it (the displayer), which goes
// before the renderer.
class CSurfaceTexture : public CTexture {
public:
    // Null (and `error` says why) for a size below 1 x 1, pixels that do not
    // fill it, or no memory for it.
    static std::unique_ptr<CSurfaceTexture> FromPixels(const std::string& name, int width,
                                                       int height, std::span<const uint32_t> argb,
                                                       std::string& error);

    // A picture from the file `path`, decoded (or only checked) by the loader.
    CSurfaceTexture(std::string path, DecodedPicture picture);
    CSurfaceTexture(std::string name, SurfacePtr surface);  // made from pixels

    // Null when a picture from a file does not decode after all (drawn as nothing).
    SDL_Surface* Surface() const;
    // Every pixel has full alpha: blending it is a plain copy.
    bool IsOpaque() const;
    // A picture from a file forgets its pixels until next needed; one made
    // from pixels keeps them (it has nowhere to read them again).
    void DropPixels() const;
    bool HasPixels() const { return m_surface != nullptr; }
    // The texture the pixels were decoded into, once; null for any other
    // picture, or after the pixels changed or were let go.
    TexturePtr TakeTexture() const { return std::move(m_texture); }
    // New pixels of the same size (and a new serial).
    bool Replace(std::span<const uint32_t> argb, std::string& error);
    // The same for a texture either backend made; false for any other.
    static bool Replace(CTexture& texture, std::span<const uint32_t> argb, std::string& error);

private:
    mutable SurfacePtr m_surface;
    mutable TexturePtr m_texture;  // see TakeTexture
    mutable bool m_opaque = false;
    mutable bool m_opacityKnown = false;
    mutable bool m_decodeTried = false;  // since the pixels were last dropped
    bool m_fromFile = false;
};
