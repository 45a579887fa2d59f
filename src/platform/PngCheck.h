#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Reads a whole PNG file and checks it without keeping its pixels: the
// signature, every chunk's length and CRC, a header first (a size the
// renderer can draw, a known pixel format), a palette where one is needed,
// picture data that inflates whole to exactly the rows the header promises,
// each row with a known filter, and the end chunk last. What passes decodes;
// what fails is refused with a reason an author can act on. Both backends
// run it at load, so a damaged picture fails the same way with or without a
// window.
class CPngCheck {
public:
    static constexpr uint32_t kMaxSide = 8192;  // the largest quad the displayer draws

    static bool Check(const std::string& path, int& width, int& height, std::string& error);
    static bool CheckBytes(std::string_view file, int& width, int& height, std::string& error);
    // All of it but inflating the picture data, for a decoder that inflates
    // it anyway and tells a damaged stream itself.
    static bool CheckLayout(std::string_view file, int& width, int& height, std::string& error);
    // The CRC-32 that PNG chunks carry.
    static uint32_t Crc32(const uint8_t* data, size_t size);
};
