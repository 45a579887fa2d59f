#pragma once
#include <cstdint>

// The part of a picture that answers to the mouse, in pixels from its quad's
// top-left corner.
struct HitBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};
