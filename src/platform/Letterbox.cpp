#include "platform/Letterbox.h"

#include <cstdint>

PixelRect Letterbox(int outWidth, int outHeight, int backWidth, int backHeight) {
    if (outWidth <= 0 || outHeight <= 0 || backWidth <= 0 || backHeight <= 0) return {};
    // Integer products: a window of exactly the back buffer's shape gets no bar.
    const int64_t wideness = int64_t{outWidth} * backHeight - int64_t{outHeight} * backWidth;
    int64_t width = outWidth, height = outHeight;
    if (wideness > 0)
        width = int64_t{outHeight} * backWidth / backHeight;  // bars left and right
    else if (wideness < 0)
        height = int64_t{outWidth} * backHeight / backWidth;  // bars above and below
    const auto left = static_cast<int32_t>((outWidth - width) / 2);
    const auto top = static_cast<int32_t>((outHeight - height) / 2);
    return {left, top, left + static_cast<int32_t>(width), top + static_cast<int32_t>(height)};
}
