#include "support/PngWriter.h"

#include "platform/PngCheck.h"

#include <algorithm>
#include <fstream>

namespace {

void PutBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PutBig32(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBig32(out, CPngCheck::Crc32(body.data(), body.size()));
}

}  // namespace

std::vector<uint8_t> CPngWriter::Zlib(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> z{0x78, 0x01};
    size_t pos = 0;
    do {
        const size_t len = std::min<size_t>(65535, raw.size() - pos);
        z.push_back(pos + len == raw.size() ? 1 : 0);
        z.push_back(static_cast<uint8_t>(len));
        z.push_back(static_cast<uint8_t>(len >> 8));
        z.push_back(static_cast<uint8_t>(~len));
        z.push_back(static_cast<uint8_t>(~len >> 8));
        z.insert(z.end(), raw.begin() + static_cast<long>(pos),
                 raw.begin() + static_cast<long>(pos + len));
        pos += len;
    } while (pos < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(z, (b << 16) | a);
    return z;
}

std::string CPngWriter::Encode(const Format& format, const std::vector<uint8_t>& zlib,
                               size_t tail) {
    std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBig32(header, format.width);
    PutBig32(header, format.height);
    header.insert(header.end(), {format.depth, format.colour, 0, 0, format.interlace});
    PutChunk(png, "IHDR", header);
    if (format.colour == 3) {
        std::vector<uint8_t> palette;
        for (uint8_t grey = 0; grey < 16; ++grey)
            palette.insert(palette.end(), 3, static_cast<uint8_t>(grey * 17));
        PutChunk(png, "PLTE", palette);
    }
    const auto split = zlib.end() - static_cast<long>(std::min(tail, zlib.size()));
    PutChunk(png, "IDAT", {zlib.begin(), split});
    if (tail > 0) PutChunk(png, "IDAT", {split, zlib.end()});
    PutChunk(png, "IEND", {});
    return std::string(png.begin(), png.end());
}

bool CPngWriter::Write(const std::string& path, int width, int height,
                       const std::vector<uint32_t>& pixels) {
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(height) * (1 + static_cast<size_t>(width) * 4));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) +
                                      static_cast<size_t>(x)];
            raw.push_back(static_cast<uint8_t>(p >> 16));
            raw.push_back(static_cast<uint8_t>(p >> 8));
            raw.push_back(static_cast<uint8_t>(p));
            raw.push_back(static_cast<uint8_t>(p >> 24));
        }
    }
    const std::string png =
        Encode({static_cast<uint32_t>(width), static_cast<uint32_t>(height)}, Zlib(raw));
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(png.data(), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(file);
}

bool CPngWriter::WriteSolid(const std::string& path, int width, int height, uint32_t argb) {
    return Write(
        path, width, height,
        std::vector<uint32_t>(static_cast<size_t>(width) * static_cast<size_t>(height), argb));
}
