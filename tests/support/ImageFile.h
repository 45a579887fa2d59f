#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A picture as plain pixels: width * height values of 0xAARRGGBB, row by row.
struct ImagePixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;
    uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y * width + x)]; }
};

// Reads a PNG file into plain pixels with libpng, for the tests that check
// screenshots: they read what the engine wrote with a decoder of their own.
class CImageFile {
public:
    // False (and `error` says why) when the file is missing or does not decode.
    static bool ReadPixels(const std::string& path, int& width, int& height,
                           std::vector<uint32_t>& argb, std::string& error);
    static bool ReadPixels(const std::string& path, ImagePixels& out, std::string& error) {
        return ReadPixels(path, out.width, out.height, out.argb, error);
    }
};
