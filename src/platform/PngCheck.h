#pragma once
#include <string>

// Reads a whole PNG file and checks its structure without decoding pixels:
// the signature, every chunk's length and CRC, a header first, picture data,
// and the end chunk last. What passes decodes; what fails is refused with a
// reason an author can act on.
class CPngCheck {
public:
    static bool Check(const std::string& path, int& width, int& height, std::string& error);
};
