#include "platform/raster/TextPainter.h"

#include "platform/DrawList.h"
#include "platform/TextWrap.h"
#include "platform/raster/TtfFont.h"

#include <algorithm>
#include <vector>

namespace {

// A text kept on screen costs nothing; one not drawn for this many frames
// (about seven seconds) is dropped, and the cache never holds more than
// kMaxBytes of pixels, so a story that types its dialogue out a letter a
// frame does not pile up a texture per letter.
constexpr uint64_t kMaxIdleFrames = 300;
constexpr uint64_t kSweepEvery = 64;
constexpr size_t kMaxBytes = size_t{16} << 20;

int Measure(TTF_Font* font, std::string_view piece) {
    int width = 0, height = 0;
    const std::string text(piece);
    return TTF_SizeUTF8(font, text.c_str(), &width, &height) == 0 ? width : 0;
}

// The lines stacked one line skip apart on a transparent surface.
SurfacePtr Compose(TTF_Font* font, const std::vector<std::string_view>& lines, int skip) {
    std::vector<SurfacePtr> rendered;
    int width = 0, height = 0;
    for (std::string_view piece : lines) {
        const std::string text(piece);
        SurfacePtr line(text.empty()
                            ? nullptr
                            : TTF_RenderUTF8_Blended(font, text.c_str(), {255, 255, 255, 255}));
        if (line) {
            width = std::max(width, line->w);
            height =
                static_cast<int>(rendered.size()) * skip + line->h;  // glyphs may pass the skip
        }
        rendered.push_back(std::move(line));
    }
    if (width == 0) return nullptr;
    SurfacePtr page(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!page) return nullptr;
    SDL_FillRect(page.get(), nullptr, 0);
    for (size_t i = 0; i < rendered.size(); ++i) {
        if (!rendered[i]) continue;
        SDL_SetSurfaceBlendMode(rendered[i].get(), SDL_BLENDMODE_NONE);
        SDL_Rect at{0, static_cast<int>(i) * skip, rendered[i]->w, rendered[i]->h};
        SDL_BlitSurface(rendered[i].get(), nullptr, page.get(), &at);
    }
    return page;
}

}  // namespace

CTextPainter::CTextPainter(SDL_Renderer& renderer, CFontLocator& fonts)
    : m_renderer(&renderer), m_fonts(&fonts) {}

// Glyphs are rendered white and tinted by the texture's colour and alpha
// modulation, so the colour is applied the same way by every renderer.
CTextPainter::Entry CTextPainter::Render(const CTtfFont* font, const DrawCommand& command,
                                         int width, int height) {
    Entry entry;
    std::string error;
    TTF_Font* face = font ? font->Open(*m_fonts, error) : nullptr;
    if (!face) return entry;
    const int skip = std::max(1, TTF_FontLineSkip(face));
    const auto visible = static_cast<size_t>((height + skip - 1) / skip);
    const auto lines = CTextWrap::Wrap(
        command.text, width, [face](std::string_view piece) { return Measure(face, piece); },
        visible);
    SurfacePtr page = Compose(face, lines, skip);
    if (!page) return entry;
    entry.texture.reset(SDL_CreateTextureFromSurface(m_renderer, page.get()));
    if (!entry.texture) return entry;
    const uint32_t c = command.color;
    SDL_SetTextureColorMod(entry.texture.get(), (c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
    SDL_SetTextureAlphaMod(entry.texture.get(), c >> 24);
    SDL_SetTextureBlendMode(entry.texture.get(), SDL_BLENDMODE_BLEND);
    entry.width = page->w;
    entry.height = page->h;
    entry.bytes = static_cast<size_t>(page->w) * static_cast<size_t>(page->h) * 4;
    return entry;
}

void CTextPainter::Draw(const DrawCommand& command, const SDL_Rect& clip) {
    const PixelRect& r = command.rect;
    const SDL_Rect box{r.left, r.top, r.right - r.left, r.bottom - r.top};
    SDL_Rect visible;
    if (box.w <= 0 || box.h <= 0 || !SDL_IntersectRect(&box, &clip, &visible)) return;

    const auto* font = dynamic_cast<const CTtfFont*>(command.font);
    Key key{font ? font->Serial() : 0, std::string(command.text), box.w, box.h, command.color};
    auto found = m_cache.find(key);
    if (found == m_cache.end()) {
        Entry entry = Render(font, command, box.w, box.h);
        while (!m_cache.empty() && m_bytes + entry.bytes > kMaxBytes)
            EvictOldest();
        m_bytes += entry.bytes;
        found = m_cache.emplace(std::move(key), std::move(entry)).first;
    }
    found->second.lastUsed = m_frame;
    if (!found->second.texture) return;
    const SDL_Rect at{box.x, box.y, found->second.width, found->second.height};
    SDL_RenderSetClipRect(m_renderer, &visible);
    SDL_RenderCopy(m_renderer, found->second.texture.get(), nullptr, &at);
    SDL_RenderSetClipRect(m_renderer, &clip);
}

void CTextPainter::EndFrame() {
    ++m_frame;
    if (m_frame % kSweepEvery == 0 && m_frame > kMaxIdleFrames) Evict(m_frame - kMaxIdleFrames);
}

void CTextPainter::Evict(uint64_t olderThan) {
    for (auto it = m_cache.begin(); it != m_cache.end();) {
        if (it->second.lastUsed >= olderThan) {
            ++it;
            continue;
        }
        m_bytes -= it->second.bytes;
        it = m_cache.erase(it);
    }
}

void CTextPainter::EvictOldest() {
    auto oldest = std::min_element(
        m_cache.begin(), m_cache.end(),
        [](const auto& a, const auto& b) { return a.second.lastUsed < b.second.lastUsed; });
    m_bytes -= oldest->second.bytes;
    m_cache.erase(oldest);
}
