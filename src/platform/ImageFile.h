#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Reads a picture file into plain pixels, for code that must not see the
// image library (tests that check screenshots).
class CImageFile {
public:
    // argb: width * height values of 0xAARRGGBB, row by row. False (and
    // `error` says why) when the file is missing or does not decode.
    static bool ReadPixels(const std::string& path, int& width, int& height,
                           std::vector<uint32_t>& argb, std::string& error);
};
