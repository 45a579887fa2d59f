#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Reads a PNG file into plain pixels with libpng, for the tests that check
// screenshots: they read what the engine wrote with a decoder of their own.
class CImageFile {
public:
    // argb: width * height values of 0xAARRGGBB, row by row. False (and
    // `error` says why) when the file is missing or does not decode.
    static bool ReadPixels(const std::string& path, int& width, int& height,
                           std::vector<uint32_t>& argb, std::string& error);
};
