#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Reads a whole PNG file and checks its structure without decoding pixels:
// the signature, every chunk's length and CRC, a header first, picture data,
// and the end chunk last. What passes decodes; what fails is refused with a
// reason an author can act on.
class CPngCheck {
public:
    static bool Check(const std::string& path, int& width, int& height, std::string& error);
    // The CRC-32 that PNG chunks carry.
    static uint32_t Crc32(const uint8_t* data, size_t size);
};
