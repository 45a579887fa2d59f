#pragma once
#include "platform/raster/DecodedPicture.h"

#include <string>

// Reads a picture file once, checks it (CPngCheck) and, when asked, decodes
// it into ARGB8888 pixels, the back buffer's own format. Holds no state, so
// any thread may call it.
class CPictureDecoder {
public:
    static DecodedPicture Decode(const std::string& path, bool withPixels);
    // The same into `picture`, whose pixels go into its target when the
    // target has the picture's size.
    static void Decode(const std::string& path, bool withPixels, DecodedPicture& picture);
    // Ready for calls from several threads at once; the first loader calls it
    // on the game thread before any worker starts.
    static void Prepare();
    static bool AllOpaque(const SDL_Surface& surface);
    static bool AllOpaque(const PixelTarget& pixels);
};
