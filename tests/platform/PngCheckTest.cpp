#include "platform/PngCheck.h"
#include "platform/raster/PictureDecoder.h"
#include "support/DataTable.h"
#include "support/ImageFile.h"
#include "support/PngWriter.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

// A picture is refused at load, with a reason, whatever way its file is
// broken; a sound one gives its size without being decoded. A window's load,
// which decodes as it checks, refuses the same files with the same reasons.
TEST(PngCheck, RefusesEveryKindOfBrokenFile) {
    CTempStory story;
    const std::string path = story.Path("image/a.png");
    CPngWriter::WriteSolid(path, 40, 30, 0xFF336699);
    const std::string good = story.ReadFile("image/a.png");
    int width = 0, height = 0;
    std::string error;
    ASSERT_TRUE(CPngCheck::Check(path, width, height, error)) << error;
    EXPECT_EQ(width, 40);
    EXPECT_EQ(height, 30);

    std::string damaged = good;
    damaged[60] = static_cast<char>(damaged[60] ^ 0x10);  // inside the picture data
    std::vector<uint8_t> rows(2 * (1 + 8), 0);            // 2 x 2 RGBA
    rows[9] = 5;                                          // the second row's filter
    std::string noPalette = CPngWriter::Encode({2, 2, 8, 3}, CPngWriter::Zlib({0, 0, 0, 0}));
    noPalette.erase(noPalette.find("PLTE") - 4, 12 + 48);
    std::vector<uint8_t> endless = CPngWriter::Zlib(std::vector<uint8_t>(18));
    const std::string small = CPngWriter::Encode({2, 2}, endless);
    std::vector<uint8_t> badSum = CPngWriter::Zlib(std::vector<uint8_t>(18));
    badSum.back() ^= 1;  // the checksum at the stream's end
    endless[2] = 0;      // the last block says more follow
    const size_t data = small.find("IDAT") - 4, end = small.find("IEND") - 4;
    const std::string split = small.substr(0, end) +
                              std::string("\0\0\0\0tEXt\x96\x42\xC5\x85", 12) +
                              small.substr(data, end - data) + small.substr(end);
    const struct {
        const char* name;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"cut off", good.substr(0, good.size() - 30), "cut off"},
        {"no end", good.substr(0, good.size() - 12), "ends before"},
        {"damaged", damaged, "damaged"},
        {"not a picture", "GIF89a and so on", "not a PNG"},
        {"empty", "", "not a PNG"},
        {"unknown filter", CPngWriter::Encode({2, 2}, CPngWriter::Zlib(rows)), "filter"},
        {"no palette", noPalette, "no palette"},
        {"data split by another chunk", split, "split"},
        {"a stream that never ends", CPngWriter::Encode({2, 2}, endless), "does not end"},
        {"a wrong checksum", CPngWriter::Encode({2, 2}, badSum), "does not inflate"},
        {"a wrong checksum after the rows", CPngWriter::Encode({2, 2}, badSum, 4),
         "does not inflate"},
        {"16-bit palette", CPngWriter::Encode({1, 1, 16, 3}, CPngWriter::Zlib(rows)), "format"},
        {"8193 wide", CPngWriter::Encode({8193, 1}, CPngWriter::Zlib(rows)), "at most 8192"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        story.WriteFile("image/a.png", c.bytes);
        EXPECT_FALSE(CPngCheck::Check(path, width, height, error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        const DecodedPicture decoded = CPictureDecoder::Decode(path, true);
        EXPECT_FALSE(decoded.ok);
        EXPECT_EQ(decoded.error, error);
    }
    // Data past the last row, in the stream or after it, is ignored by both.
    std::vector<uint8_t> longer = CPngWriter::Zlib(std::vector<uint8_t>(20));
    std::vector<uint8_t> trailing = CPngWriter::Zlib(std::vector<uint8_t>(18));
    trailing.insert(trailing.end(), {1, 2, 3});
    for (const auto& zlib : {longer, trailing}) {
        story.WriteFile("image/a.png", CPngWriter::Encode({2, 2}, zlib));
        EXPECT_TRUE(CPngCheck::Check(path, width, height, error)) << error;
        EXPECT_TRUE(CPictureDecoder::Decode(path, true).ok);
    }
    EXPECT_FALSE(CPngCheck::Check(story.Path("image/none.png"), width, height, error));
}

// The picture data must inflate to exactly the rows the header promises, each
// with a known filter. The sizes in png-row-bytes.txt are worked out by hand
// from the PNG rules, and libpng (the decoder behind both backends) agrees:
// what the check passes decodes, and a file one byte short is refused by both.
TEST(PngCheck, PictureDataMustFillEveryRow) {
    CTempStory story;
    const std::string path = story.Path("image/a.png");
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    std::string error;
    for (const DataRow& c : CDataTable::Read("png-row-bytes.txt")) {
        SCOPED_TRACE(c.where);
        std::istringstream in(c[1]);
        uint32_t w, h, depth, colour, interlace;
        in >> w >> h >> depth >> colour >> interlace;
        const CPngWriter::Format format{w, h, static_cast<uint8_t>(depth),
                                        static_cast<uint8_t>(colour),
                                        static_cast<uint8_t>(interlace)};
        std::vector<uint8_t> raw(std::stoul(c[2]), 0);
        story.WriteFile("image/a.png", CPngWriter::Encode(format, CPngWriter::Zlib(raw)));
        EXPECT_TRUE(CPngCheck::Check(path, width, height, error)) << error;
        EXPECT_TRUE(CImageFile::ReadPixels(path, width, height, pixels, error)) << error;
        raw.pop_back();
        story.WriteFile("image/a.png", CPngWriter::Encode(format, CPngWriter::Zlib(raw)));
        EXPECT_FALSE(CPngCheck::Check(path, width, height, error));
        EXPECT_NE(error.find("cut short"), std::string::npos) << error;
        EXPECT_FALSE(CImageFile::ReadPixels(path, width, height, pixels, error));
    }
}
