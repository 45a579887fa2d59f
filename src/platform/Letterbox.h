#pragma once
#include "platform/DrawList.h"

#include <cstdint>

// How the back buffer is scaled to the window or screen: Fit as large as
// fits (smoothed), Integer the largest whole multiple that fits (crisp
// pixels; Fit when not even one whole copy fits).
enum class ScaleMode : uint8_t { Fit, Integer };

// Where a back buffer of backWidth x backHeight goes in an output of
// outWidth x outHeight: scaled by `mode` with its shape kept, centred, the
// rest left as black bars.
PixelRect Letterbox(int outWidth, int outHeight, int backWidth, int backHeight,
                    ScaleMode mode = ScaleMode::Fit);

struct PixelPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PixelPoint&) const = default;
};

// The back-buffer pixel under output pixel (x, y), for a back buffer of
// backWidth x backHeight shown in `box`; a point on a bar goes to the
// nearest edge of the picture.
PixelPoint ToBackBuffer(const PixelRect& box, int backWidth, int backHeight, int32_t x, int32_t y);
