#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes small test pictures as PNG without any image library: RGBA pixels,
// stored (uncompressed) deflate blocks.
class CPngWriter {
public:
    struct Format {
        uint32_t width = 1;
        uint32_t height = 1;
        uint8_t depth = 8;
        uint8_t colour = 6;  // RGBA
        uint8_t interlace = 0;
    };
    // A whole PNG file whose picture data is `zlib` as given; colour type 3
    // gets a palette of 16 greys first.
    // With `tail`, the data's last `tail` bytes go in an IDAT chunk of their own.
    static std::string Encode(const Format& format, const std::vector<uint8_t>& zlib,
                              size_t tail = 0);
    // Filtered rows (each a filter byte, then its pixels) as a zlib stream.
    static std::vector<uint8_t> Zlib(const std::vector<uint8_t>& raw);

    // pixels: width * height values of 0xAARRGGBB, row by row.
    static bool Write(const std::string& path, int width, int height,
                      const std::vector<uint32_t>& pixels);
    static bool WriteSolid(const std::string& path, int width, int height, uint32_t argb);
};
