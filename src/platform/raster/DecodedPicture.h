#pragma once
#include "platform/raster/SdlPtr.h"

#include <string>

// Memory a picture may be decoded straight into: a texture's own pixels,
// locked by the game thread before a worker writes them and unlocked by it
// after. The software renderer keeps a texture as plain memory, so the
// picture then never exists twice (8 MiB for a 2048 x 1024 background).
struct PixelTarget {
    void* pixels = nullptr;
    int pitch = 0;
    int width = 0;
    int height = 0;
};

// What decoding one picture file gave: its size and, when pixels were asked
// for, its 32-bit pixels; or why it failed. Made on a worker thread or the
// game thread, handed over whole. A picture that came with a target holds
// its pixels in `texture` (and no surface) when they fitted it.
struct DecodedPicture {
    bool ok = false;
    int width = 0;
    int height = 0;
    SurfacePtr surface;   // ARGB8888; null when only the check was asked for
    bool opaque = false;  // every pixel has full alpha
    std::string error;    // why it failed, naming no path
    // Made, locked, unlocked and destroyed on the game thread only; a worker
    // writes `target` and passes the pointer on untouched.
    TexturePtr texture;
    PixelTarget target;
    bool inTarget = false;  // the pixels went into `target`
};
