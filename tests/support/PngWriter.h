#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes small test pictures as PNG without any image library: RGBA pixels,
// stored (uncompressed) deflate blocks.
class CPngWriter {
public:
    // pixels: width * height values of 0xAARRGGBB, row by row.
    static bool Write(const std::string& path, int width, int height,
                      const std::vector<uint32_t>& pixels);
    static bool WriteSolid(const std::string& path, int width, int height, uint32_t argb);
};
