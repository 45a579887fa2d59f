#pragma once
#include "platform/raster/SdlPtr.h"

#include <string>

// What decoding one picture file gave: its size and, when pixels were asked
// for, its 32-bit pixels; or why it failed. Made on a worker thread or the
// game thread, handed over whole.
struct DecodedPicture {
    bool ok = false;
    int width = 0;
    int height = 0;
    SurfacePtr surface;   // ARGB8888; null when only the check was asked for
    bool opaque = false;  // every pixel has full alpha
    std::string error;    // why it failed, naming no path
};
