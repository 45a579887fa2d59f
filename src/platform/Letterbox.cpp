#include "platform/Letterbox.h"

#include <algorithm>

namespace {

PixelRect Centred(int outWidth, int outHeight, int64_t width, int64_t height) {
    const auto left = static_cast<int32_t>((outWidth - width) / 2);
    const auto top = static_cast<int32_t>((outHeight - height) / 2);
    return {left, top, left + static_cast<int32_t>(width), top + static_cast<int32_t>(height)};
}

// One output pixel's place along an axis of the picture, held inside it.
int32_t Along(int32_t at, int32_t start, int32_t end, int back) {
    const int64_t size = end - start;
    if (size <= 0) return 0;
    const int64_t inside = (int64_t{at} - start) * back / size;
    return static_cast<int32_t>(std::clamp<int64_t>(inside, 0, back - 1));
}

}  // namespace

PixelRect Letterbox(int outWidth, int outHeight, int backWidth, int backHeight, ScaleMode mode) {
    if (outWidth <= 0 || outHeight <= 0 || backWidth <= 0 || backHeight <= 0) return {};
    if (mode == ScaleMode::Integer) {
        const int times = std::min(outWidth / backWidth, outHeight / backHeight);
        if (times >= 1)
            return Centred(outWidth, outHeight, int64_t{backWidth} * times,
                           int64_t{backHeight} * times);
    }
    // Integer products: a window of exactly the back buffer's shape gets no bar.
    const int64_t wideness = int64_t{outWidth} * backHeight - int64_t{outHeight} * backWidth;
    int64_t width = outWidth, height = outHeight;
    if (wideness > 0)
        width = int64_t{outHeight} * backWidth / backHeight;  // bars left and right
    else if (wideness < 0)
        height = int64_t{outWidth} * backHeight / backWidth;  // bars above and below
    return Centred(outWidth, outHeight, width, height);
}

PixelPoint ToBackBuffer(const PixelRect& box, int backWidth, int backHeight, int32_t x, int32_t y) {
    if (backWidth <= 0 || backHeight <= 0) return {};
    return {Along(x, box.left, box.right, backWidth), Along(y, box.top, box.bottom, backHeight)};
}
