#include "platform/PngCheck.h"

#include "platform/FileRead.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <memory>
#include <span>
#include <vector>

namespace {

constexpr std::string_view kSignature{"\x89PNG\r\n\x1A\n", 8};

uint32_t Big32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

struct Header {
    uint32_t width = 0;
    uint32_t height = 0;
    uint8_t depth = 0;
    uint8_t colour = 0;
    uint8_t interlace = 0;
};

// Bits per pixel of a colour type and bit depth; 0 for a pairing PNG does not have.
uint32_t BitsPerPixel(uint8_t colour, uint8_t depth) {
    const bool small = depth == 1 || depth == 2 || depth == 4;
    const bool wide = depth == 8 || depth == 16;
    switch (colour) {
        case 0:
            return small || wide ? depth : 0;  // grey
        case 2:
            return wide ? 3u * depth : 0;  // RGB
        case 3:
            return small || depth == 8 ? depth : 0;  // palette
        case 4:
            return wide ? 2u * depth : 0;  // grey and alpha
        case 6:
            return wide ? 4u * depth : 0;  // RGBA
        default:
            return 0;
    }
}

bool ReadHeader(const uint8_t* p, Header& header, std::string& error) {
    header = {Big32(p), Big32(p + 4), p[8], p[9], p[12]};
    if (header.width == 0 || header.height == 0) return error = "the picture has no pixels", false;
    if (header.width > CPngCheck::kMaxSide || header.height > CPngCheck::kMaxSide)
        return error = "the picture is " + std::to_string(header.width) + " x " +
                       std::to_string(header.height) + " pixels; at most " +
                       std::to_string(CPngCheck::kMaxSide) + " on a side can be drawn",
               false;
    if (BitsPerPixel(header.colour, header.depth) == 0 || p[10] != 0 || p[11] != 0 ||
        header.interlace > 1)
        return error = "the header names a pixel format PNG does not have", false;
    return true;
}

// One pass of the picture data: rows of a filter byte and rowBytes of pixels.
struct Pass {
    uint64_t rows = 0;
    uint64_t rowBytes = 0;
};

// A plain picture is one pass; an interlaced one is the seven Adam7 passes,
// each over every dx-th column from x0 and every dy-th row from y0. Empty
// passes (a picture too small to reach them) hold no rows at all.
std::vector<Pass> PassesOf(const Header& header) {
    struct Grid {
        uint32_t x0, y0, dx, dy;
    };
    static constexpr Grid kPlain[] = {{0, 0, 1, 1}};
    static constexpr Grid kAdam7[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                      {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    const uint64_t bits = BitsPerPixel(header.colour, header.depth);
    std::vector<Pass> passes;
    for (const Grid& g : header.interlace ? std::span<const Grid>(kAdam7) : std::span(kPlain)) {
        const uint64_t columns = header.width > g.x0 ? (header.width - g.x0 + g.dx - 1) / g.dx : 0;
        const uint64_t rows = header.height > g.y0 ? (header.height - g.y0 + g.dy - 1) / g.dy : 0;
        if (columns > 0 && rows > 0) passes.push_back({rows, (columns * bits + 7) / 8});
    }
    return passes;
}

// Inflates the picture data as it comes, chunk by chunk, keeping none of it:
// it counts the bytes against what the header promises and checks the filter
// byte that starts each row.
class CPixelData {
public:
    explicit CPixelData(const Header& header) : m_passes(PassesOf(header)) {
        for (const Pass& pass : m_passes)
            m_expected += pass.rows * (1 + pass.rowBytes);
        m_rowsLeft = m_passes.front().rows;
        m_started = inflateInit(&m_zlib) == Z_OK;
    }
    CPixelData(const CPixelData&) = delete;
    CPixelData& operator=(const CPixelData&) = delete;
    ~CPixelData() {
        if (m_started) inflateEnd(&m_zlib);
    }

    bool Feed(const uint8_t* data, uint32_t size, std::string& error);
    bool Finish(std::string& error) const;

private:
    bool Walk(const uint8_t* out, size_t size, std::string& error);

    std::vector<Pass> m_passes;
    uint64_t m_expected = 0;
    uint64_t m_got = 0;
    size_t m_pass = 0;
    uint64_t m_rowsLeft = 0;
    uint64_t m_rowLeft = 0;  // pixel bytes left in the current row; 0: a filter byte is next
    z_stream m_zlib{};
    bool m_started = false;
    bool m_ended = false;  // the compressed stream is complete
};

bool CPixelData::Feed(const uint8_t* data, uint32_t size, std::string& error) {
    if (!m_started) return error = "out of memory while checking the picture data", false;
    m_zlib.next_in = const_cast<Bytef*>(data);
    m_zlib.avail_in = size;
    std::array<uint8_t, 32768> out;
    while (m_zlib.avail_in > 0 && !m_ended) {
        m_zlib.next_out = out.data();
        m_zlib.avail_out = out.size();
        const int result = inflate(&m_zlib, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
            return error = "the picture data is damaged (it does not inflate)", false;
        m_ended = result == Z_STREAM_END;
        const size_t produced = out.size() - m_zlib.avail_out;
        if (!Walk(out.data(), produced, error)) return false;
        if (result == Z_BUF_ERROR) break;  // no progress possible: wait for the next chunk
    }
    return true;
}

// Bytes past the last row are counted and otherwise ignored, as decoders do.
bool CPixelData::Walk(const uint8_t* out, size_t size, std::string& error) {
    m_got += size;
    while (size > 0 && m_pass < m_passes.size()) {
        if (m_rowLeft == 0) {
            if (*out > 4) return error = "a row of the picture data has an unknown filter", false;
            m_rowLeft = m_passes[m_pass].rowBytes;
            ++out, --size;
            continue;
        }
        const uint64_t step = std::min<uint64_t>(size, m_rowLeft);
        out += step, size -= step, m_rowLeft -= step;
        if (m_rowLeft == 0 && --m_rowsLeft == 0 && ++m_pass < m_passes.size())
            m_rowsLeft = m_passes[m_pass].rows;
    }
    return true;
}

// A compressed stream that never ends is cut short too, even when its rows
// are all there: the decoder reads on to its end and fails.
bool CPixelData::Finish(std::string& error) const {
    if (m_got < m_expected)
        return error = "the picture data is cut short: it holds " + std::to_string(m_got) +
                       " of the " + std::to_string(m_expected) + " bytes its size needs",
               false;
    if (!m_ended) return error = "the picture data is cut short: its stream does not end", false;
    return true;
}

// The order a decoder holds chunks to after the header: one palette at most,
// before the data when the picture needs it; the data in one run; no second
// header and no chunk the picture would need (a capital first letter) that
// the format does not know.
struct ChunkOrder {
    bool palette = false;
    bool inData = false;
    bool sawData = false;
};

bool CheckPlace(std::string_view type, uint32_t length, const Header& header, ChunkOrder& order,
                std::string& error) {
    const bool data = type == "IDAT";
    for (const char c : type)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return error = "a chunk has no valid name", false;
    if (data && order.sawData && !order.inData)
        return error = "the picture data is split by another chunk", false;
    order.sawData = order.sawData || data;
    order.inData = data;
    if (type == "PLTE" && order.palette) return error = "the file has two palettes", false;
    if (type == "PLTE" && !order.sawData) {
        order.palette = true;
        if (header.colour == 3 && (length == 0 || length % 3 != 0 || length > 3 * 256))
            return error = "the palette is damaged", false;
    }
    if (data && header.colour == 3 && !order.palette)
        return error = "the picture has colour numbers but no palette before them", false;
    if (type == "IHDR") return error = "the file has two header chunks", false;
    if (!data && type != "PLTE" && type != "IEND" && (type[0] & 0x20) == 0)
        return error = "chunk " + std::string(type) + " is needed to draw the picture, but unknown",
               false;
    return true;
}

// Walks the chunks after the signature; false with the reason at the first
// fault. Without `inflate` the picture data is left to the decoder.
bool CheckChunks(std::string_view file, Header& header, bool inflate, std::string& error) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(file.data());
    std::unique_ptr<CPixelData> pixels;  // made by the header, when inflating
    ChunkOrder order;
    size_t at = kSignature.size();
    for (bool first = true;; first = false) {
        if (file.size() - at < 12) return error = "the file ends before its end chunk", false;
        const uint32_t length = Big32(&bytes[at]);
        const std::string_view type = file.substr(at + 4, 4);
        if (length > file.size() - at - 12) return error = "the file is cut off", false;
        if (CPngCheck::Crc32(&bytes[at + 4], length + 4) != Big32(&bytes[at + 8 + length]))
            return error = "chunk " + std::string(type) + " is damaged (its CRC does not match)",
                   false;
        if (first) {
            if (type != "IHDR" || length != 13) return error = "the header chunk is missing", false;
            if (!ReadHeader(&bytes[at + 8], header, error)) return false;
            if (inflate) pixels = std::make_unique<CPixelData>(header);
        } else if (!CheckPlace(type, length, header, order, error)) {
            return false;
        }
        if (pixels && type == "IDAT" && !pixels->Feed(&bytes[at + 8], length, error)) return false;
        at += 12 + length;
        if (type == "IEND") break;
    }
    if (!order.sawData) return error = "the file holds no picture data", false;
    return !pixels || pixels->Finish(error);
}

bool CheckFile(std::string_view file, bool inflate, int& width, int& height, std::string& error) {
    if (file.substr(0, kSignature.size()) != kSignature) return error = "not a PNG file", false;
    Header header;
    if (!CheckChunks(file, header, inflate, error)) return false;
    width = static_cast<int>(header.width);
    height = static_cast<int>(header.height);
    return true;
}

}  // namespace

bool CPngCheck::Check(const std::string& path, int& width, int& height, std::string& error) {
    std::string file;
    if (!CFileRead::ReadWhole(path, CFileRead::kMaxPictureBytes, file, error)) return false;
    return CheckBytes(file, width, height, error);
}

bool CPngCheck::CheckBytes(std::string_view file, int& width, int& height, std::string& error) {
    return CheckFile(file, true, width, height, error);
}

bool CPngCheck::CheckLayout(std::string_view file, int& width, int& height, std::string& error) {
    return CheckFile(file, false, width, height, error);
}

uint32_t CPngCheck::Crc32(const uint8_t* data, size_t size) {
    return static_cast<uint32_t>(crc32(0, data, static_cast<uInt>(size)));
}
