#include "platform/raster/Rasterizer.h"

#include "platform/DrawList.h"
#include "platform/raster/SurfaceTexture.h"

CRasterizer::CRasterizer(SDL_Renderer& renderer, CFontLocator& fonts)
    : m_renderer(&renderer), m_text(renderer, fonts) {}

CRasterizer::~CRasterizer() = default;

// The renderer's copy of the command's picture, uploaded when first drawn and
// again when its pixels change. Null draws nothing (no pixels, or too large
// for this renderer). An opaque picture drawn faded has a copy of its own.
SDL_Texture* CRasterizer::TextureFor(const DrawCommand& command) {
    const auto* surface = dynamic_cast<const CSurfaceTexture*>(command.texture);
    if (!surface) return nullptr;
    Upload& upload = m_uploads[command.texture];
    if (upload.serial != surface->Serial()) upload = Upload{surface->Serial(), nullptr, nullptr};
    const bool faded = command.alpha != 255 && surface->IsOpaque();
    TexturePtr& texture = faded ? upload.faded : upload.texture;
    if (!texture) texture = MakeTexture(*surface, faded);
    return texture.get();
}

// An opaque picture is copied rather than blended: the same pixels, and the
// software renderer copies a large background several times faster. Faded,
// it loses its alpha channel and is blended by the texture's alpha instead:
// the software renderer then blends two pixels a step with one alpha, where
// a picture whose every pixel carries that same alpha costs a test and a
// blend per pixel (nine option boxes took a third of a choice frame).
TexturePtr CRasterizer::MakeTexture(const CSurfaceTexture& picture, bool faded) {
    if (!faded)
        if (TexturePtr decoded = picture.TakeTexture()) {  // decoded straight into one of ours
            SetUp(*decoded, picture.IsOpaque());
            return decoded;
        }
    SDL_Surface* pixels = picture.Surface();
    SurfacePtr withoutAlpha;
    if (faded && pixels) {
        withoutAlpha.reset(SDL_ConvertSurfaceFormat(pixels, SDL_PIXELFORMAT_RGB888, 0));
        pixels = withoutAlpha.get();
    }
    TexturePtr texture(pixels ? SDL_CreateTextureFromSurface(m_renderer, pixels) : nullptr);
    if (!texture) return nullptr;
    SetUp(*texture, picture.IsOpaque() && !faded);
    picture.DropPixels();  // held twice otherwise: a 2048 x 1024 background is 8 MiB
    return texture;
}

void CRasterizer::SetUp(SDL_Texture& texture, bool copied) {
    SDL_SetTextureBlendMode(&texture, copied ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(&texture, SDL_ScaleModeNearest);
}

void CRasterizer::Fill(const DrawCommand& command) {
    if (command.width <= 0 || command.height <= 0) return;
    const uint32_t c = command.color;
    SDL_SetRenderDrawBlendMode(m_renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(m_renderer, static_cast<Uint8>(c >> 16), static_cast<Uint8>(c >> 8),
                           static_cast<Uint8>(c), static_cast<Uint8>(c >> 24));
    const SDL_FRect at{command.x, command.y, command.width, command.height};
    SDL_RenderFillRectF(m_renderer, &at);
}

bool CRasterizer::Draw(const DrawList& frame, std::string& error) {
    SDL_RenderSetClipRect(m_renderer, nullptr);
    SDL_SetRenderDrawBlendMode(m_renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(m_renderer, 0, 0, 0, 255);
    if (SDL_RenderClear(m_renderer) != 0) {
        error = SDL_GetError();
        return false;
    }
    const PixelRect& c = frame.clip;
    const SDL_Rect clip{c.left, c.top, c.right - c.left, c.bottom - c.top};
    if (clip.w <= 0 || clip.h <= 0) return true;  // no layout area: all black
    SDL_RenderSetClipRect(m_renderer, &clip);
    for (const DrawCommand& command : frame.commands) {
        if (command.kind == DrawCommand::Kind::Text) {
            m_text.Draw(command, clip);
            continue;
        }
        if (command.kind == DrawCommand::Kind::Fill) {
            Fill(command);
            continue;
        }
        if (command.width <= 0 || command.height <= 0) continue;
        SDL_Texture* texture = TextureFor(command);
        if (!texture) continue;
        SDL_SetTextureAlphaMod(texture, command.alpha);  // kept by the queued copy
        const SDL_FRect at{command.x, command.y, command.width, command.height};
        SDL_RenderCopyF(m_renderer, texture, nullptr, &at);
    }
    SDL_RenderSetClipRect(m_renderer, nullptr);
    m_text.EndFrame();
    return true;
}
