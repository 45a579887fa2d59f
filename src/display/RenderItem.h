#pragma once
#include "platform/DrawList.h"

#include <cstddef>
#include <cstdint>
#include <string>

class CTexture;
class CFont;

// The quad a sprite is drawn on: the whole texture stretched over width x height.
struct Quad {
    float width = 0;
    float height = 0;
};

// A text's UTF-8 form, kept by the widget that shows the text and made by the
// displayer the first time it draws it: a dialogue line staying on screen is
// converted once, not looked up again in every frame. Its owner empties it
// whenever the text changes.
struct Utf8Copy {
    std::string text;
    bool made = false;
};

// One drawing order of one frame, in layout pixels. A producer makes it, hands it
// up the controller chain or the widget tree (each link may shift it) and the
// displayer's queue owns it until the end of that frame's Render.
struct RenderItem {
    // The values are what the render dump writes as "kind".
    enum class Kind : uint8_t { Quad = 0, Text = 1 };

    float x = 0;  // quad: top-left corner
    float y = 0;
    Kind kind = Kind::Quad;
    const char* text = nullptr;         // text: GB2312 bytes, borrowed until Render
    Utf8Copy* utf8 = nullptr;           // text: borrowed, may be null; see Utf8Copy
    const Quad* quad = nullptr;         // quad: borrowed; null draws nothing
    const CTexture* texture = nullptr;  // quad: borrowed; null draws nothing
    const CFont* font = nullptr;        // text: borrowed; null draws nothing
    PixelRect rect;                     // text: the box it is wrapped in
    uint32_t color = 0;                 // text: 0xAARRGGBB
    uint8_t alpha = 255;                // quad: below 255, the picture is blended by this much

    // Every frame makes and drops an item per thing on screen: freed items are
    // kept for the next frame instead of going back to the allocator.
    static void* operator new(size_t size);
    static void operator delete(void* block, size_t size) noexcept;
};
