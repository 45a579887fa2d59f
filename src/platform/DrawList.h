#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

class CTexture;
class CFont;

struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

// One drawing order in back-buffer pixels, as the displayer hands it to a
// backend: a textured quad (the whole texture stretched over w x h), a UTF-8
// text wrapped inside its rectangle, or a rectangle filled with one colour
// (x, y, w x h), blended by its alpha. A quad's alpha blends the whole picture
// by that much over what lies below (its own pixels' alpha still counts).
struct DrawCommand {
    enum class Kind : uint8_t { Quad, Text, Fill };
    Kind kind = Kind::Quad;
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
    const CTexture* texture = nullptr;  // borrowed; never null for a quad
    std::string_view text;              // borrowed until Present returns
    const CFont* font = nullptr;        // borrowed; never null for a text
    PixelRect rect;
    uint32_t color = 0;   // text and fill: 0xAARRGGBB
    uint8_t alpha = 255;  // quad: 255 draws the picture as it is
};

// A whole frame: the commands in drawing order (later over earlier), clipped
// to the layout area; the rest of the back buffer stays black.
struct DrawList {
    std::vector<DrawCommand> commands;
    PixelRect clip;
};
