#include "platform/raster/Rasterizer.h"

#include "platform/DrawList.h"
#include "platform/raster/SurfaceTexture.h"

CRasterizer::CRasterizer(SDL_Renderer& renderer, CFontLocator& fonts)
    : m_renderer(&renderer), m_text(renderer, fonts) {}

CRasterizer::~CRasterizer() = default;

// An opaque picture is copied rather than blended: the same pixels, and the
// software renderer copies a large background several times faster.
SDL_Texture* CRasterizer::TextureFor(const CTexture* texture) {
    const auto* surface = dynamic_cast<const CSurfaceTexture*>(texture);
    if (!surface) return nullptr;
    Upload& upload = m_uploads[texture];
    if (upload.texture && upload.serial == surface->Serial()) return upload.texture.get();
    upload.serial = surface->Serial();
    upload.texture = surface->TakeTexture();  // decoded straight into one of ours
    if (!upload.texture)
        upload.texture.reset(SDL_CreateTextureFromSurface(m_renderer, surface->Surface()));
    if (!upload.texture) return nullptr;  // too large for this renderer: drawn as nothing
    SDL_SetTextureBlendMode(upload.texture.get(),
                            surface->IsOpaque() ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(upload.texture.get(), SDL_ScaleModeNearest);
    surface->DropPixels();  // held twice otherwise: a 2048 x 1024 background is 8 MiB
    return upload.texture.get();
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
        SDL_Texture* texture = TextureFor(command.texture);
        if (!texture) continue;
        const SDL_FRect at{command.x, command.y, command.width, command.height};
        SDL_RenderCopyF(m_renderer, texture, nullptr, &at);
    }
    SDL_RenderSetClipRect(m_renderer, nullptr);
    m_text.EndFrame();
    return true;
}
