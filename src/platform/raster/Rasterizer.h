#pragma once
#include "platform/raster/SdlPtr.h"
#include "platform/raster/TextPainter.h"

#include <cstdint>
#include <string>
#include <unordered_map>

struct DrawList;
struct DrawCommand;
class CTexture;
class CFontLocator;
class CSurfaceTexture;

// Paints a DrawList with one SDL renderer into its current target: black,
// then every command in order (pictures, texts and filled rectangles), alpha
// blended, nearest sampling, cut to the layout area. The window and the headless screenshots both
// paint with it, so they give the same picture. Owned by a backend, next to its renderer.
class CRasterizer {
public:
    CRasterizer(SDL_Renderer& renderer, CFontLocator& fonts);
    CRasterizer(const CRasterizer&) = delete;
    CRasterizer& operator=(const CRasterizer&) = delete;
    ~CRasterizer();

    // False (and `error` says why) when the target cannot even be cleared.
    bool Draw(const DrawList& frame, std::string& error);
    // Lets this renderer's copy of a picture go (the displayer evicted it).
    void Forget(const CTexture& texture) { m_uploads.erase(&texture); }

private:
    struct Upload {
        uint64_t serial = 0;  // which picture lived at this address
        TexturePtr texture;
        TexturePtr faded;  // an opaque picture without its alpha channel, made when first faded
    };

    SDL_Texture* TextureFor(const DrawCommand& command);
    TexturePtr MakeTexture(const CSurfaceTexture& picture, bool faded);
    static void SetUp(SDL_Texture& texture, bool copied);  // copied: drawn without blending
    void Fill(const DrawCommand& command);

    SDL_Renderer* m_renderer;  // borrowed: the backend destroys us before the renderer
    // Lookup only. Pictures live as long as the displayer, which the backend
    // outlives; the serial catches a new picture at a freed one's address.
    // A picture from a file keeps no pixels of its own once uploaded here.
    std::unordered_map<const CTexture*, Upload> m_uploads;
    CTextPainter m_text;
};
