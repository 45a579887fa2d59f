#include "platform/PngCheck.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kSignature{"\x89PNG\r\n\x1A\n", 8};

uint32_t Big32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// Walks the chunks after the signature; false with the reason at the first fault.
bool CheckChunks(const std::vector<uint8_t>& file, int& width, int& height, std::string& error) {
    size_t at = kSignature.size();
    bool sawData = false;
    for (bool first = true;; first = false) {
        if (file.size() - at < 12) return error = "the file ends before its end chunk", false;
        const uint32_t length = Big32(&file[at]);
        const std::string_view type(reinterpret_cast<const char*>(&file[at + 4]), 4);
        if (length > file.size() - at - 12) return error = "the file is cut off", false;
        if (CPngCheck::Crc32(&file[at + 4], length + 4) != Big32(&file[at + 8 + length]))
            return error = "chunk " + std::string(type) + " is damaged (its CRC does not match)",
                   false;
        if (first) {
            if (type != "IHDR" || length != 13) return error = "the header chunk is missing", false;
            width = static_cast<int>(Big32(&file[at + 8]));
            height = static_cast<int>(Big32(&file[at + 12]));
            if (width <= 0 || height <= 0) return error = "the picture has no pixels", false;
        }
        sawData = sawData || type == "IDAT";
        at += 12 + length;
        if (type == "IEND") break;
    }
    if (!sawData) return error = "the file holds no picture data", false;
    return true;
}

}  // namespace

bool CPngCheck::Check(const std::string& path, int& width, int& height, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return error = "cannot open the file", false;
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (file.size() < kSignature.size() ||
        std::string_view(reinterpret_cast<const char*>(file.data()), kSignature.size()) !=
            kSignature)
        return error = "not a PNG file", false;
    return CheckChunks(file, width, height, error);
}

uint32_t CPngCheck::Crc32(const uint8_t* data, size_t size) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}
