#pragma once
#include "platform/raster/SdlPtr.h"

#include <cstdint>
#include <map>
#include <string>

struct DrawCommand;
class CFontLocator;
class CTtfFont;

// Draws the text commands of a frame with one renderer: wraps each text in
// its rectangle, rasterises it once and keeps the result as a texture, so a
// line that stays on screen costs one copy per frame. Owned by a rasterizer.
class CTextPainter {
public:
    CTextPainter(SDL_Renderer& renderer, CFontLocator& fonts);
    CTextPainter(const CTextPainter&) = delete;
    CTextPainter& operator=(const CTextPainter&) = delete;

    // clip: the layout area; the text is cut to its rectangle inside it.
    void Draw(const DrawCommand& command, const SDL_Rect& clip);
    // Ends a frame: texts unused for a while are dropped.
    void EndFrame();

    size_t CachedTexts() const { return m_cache.size(); }

private:
    struct Key {
        uint64_t font = 0;
        std::string text;
        int width = 0;
        int height = 0;
        uint32_t color = 0;
        auto operator<=>(const Key&) const = default;
    };
    struct Entry {
        TexturePtr texture;  // null: nothing visible (blank lines, a face that failed)
        int width = 0;
        int height = 0;
        size_t bytes = 0;
        uint64_t lastUsed = 0;
    };

    Entry Render(const CTtfFont* font, const DrawCommand& command, int width, int height);
    void Evict(uint64_t olderThan);
    void EvictOldest();

    SDL_Renderer* m_renderer;  // borrowed: the rasterizer goes before its renderer
    CFontLocator* m_fonts;     // borrowed: the backend owns it and outlives us
    std::map<Key, Entry> m_cache;
    size_t m_bytes = 0;
    uint64_t m_frame = 0;
};
