// Every kind of PNG a story may ship decodes to the colours the file holds:
// 8-bit RGB and RGBA take a direct path into the back buffer's format, the
// rest SDL_image's. A swapped red and blue, a lost alpha, or a gamma applied
// by one path and not the other shows as a wrong pixel in the screenshot.
#include "platform/PngCheck.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/ImageFile.h"
#include "support/PngWriter.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace {

struct FormatCase {
    const char* name;
    CPngWriter::Format format;  // three pixels wide, one high
    std::vector<uint8_t> row;   // after its filter byte
    const char* extraChunk;     // inserted after IHDR, or null
    std::vector<uint8_t> extraData;
    std::vector<uint32_t> expected;  // the screenshot's pixels: over black
};

std::vector<FormatCase> Cases() {
    const std::vector<uint8_t> rgba{0x12, 0x34, 0x56, 0xFF, 0xAB, 0xCD, 0xEF, 0xFF, 0xFF, 0, 0, 0};
    const std::vector<uint32_t> rgbaShown{0xFF123456, 0xFFABCDEF, 0xFF000000};
    const std::vector<uint8_t> linearGamma{0, 1, 0x86, 0xA0};  // 100000: gamma 1.0
    return {
        {"RGBA 8", {3, 1, 8, 6}, rgba, nullptr, {}, rgbaShown},
        {"RGB 8",
         {3, 1, 8, 2},
         {0x12, 0x34, 0x56, 0xAB, 0xCD, 0xEF, 1, 2, 3},
         nullptr,
         {},
         {0xFF123456, 0xFFABCDEF, 0xFF010203}},
        // Adam7 passes 1, 4 and 6 hold pixels 0, 2 and 1, each a row of its own.
        {"RGBA 8, interlaced",
         {3, 1, 8, 6, 1},
         {0x12, 0x34, 0x56, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0xAB, 0xCD, 0xEF, 0xFF},
         nullptr,
         {},
         rgbaShown},
        {"RGBA 8, gamma 1.0 (not applied)", {3, 1, 8, 6}, rgba, "gAMA", linearGamma, rgbaShown},
        {"RGBA 16",
         {3, 1, 16, 6},
         {0x12, 0, 0x34, 0,    0x56, 0, 0xFF, 0xFF, 0xAB, 0, 0xCD, 0,
          0xEF, 0, 0xFF, 0xFF, 0xFF, 0, 0,    0,    0,    0, 0,    0},
         nullptr,
         {},
         rgbaShown},
        {"grey 8",
         {3, 1, 8, 0},
         {0x40, 0x80, 0xFF},
         nullptr,
         {},
         {0xFF404040, 0xFF808080, 0xFFFFFFFF}},
        {"palette of greys",
         {3, 1, 8, 3},
         {5, 0, 15},
         nullptr,
         {},
         {0xFF555555, 0xFF000000, 0xFFFFFFFF}},
    };
}

// The file with an extra chunk spliced in after IHDR (8 signature bytes, 25 of IHDR).
std::string FileFor(const FormatCase& c) {
    std::vector<uint8_t> raw{0};
    raw.insert(raw.end(), c.row.begin(), c.row.end());
    std::string file = CPngWriter::Encode(c.format, CPngWriter::Zlib(raw));
    if (!c.extraChunk) return file;
    std::vector<uint8_t> chunk{0, 0, 0, static_cast<uint8_t>(c.extraData.size())};
    chunk.insert(chunk.end(), c.extraChunk, c.extraChunk + 4);
    chunk.insert(chunk.end(), c.extraData.begin(), c.extraData.end());
    const uint32_t crc = CPngCheck::Crc32(chunk.data() + 4, chunk.size() - 4);
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk.push_back(static_cast<uint8_t>(crc >> shift));
    return file.insert(33, std::string(chunk.begin(), chunk.end()));
}

}  // namespace

TEST(PictureFormats, EachKindOfFileShowsTheColoursItHolds) {
    CTempStory story;
    CHeadlessPlatform platform([] {
        PlatformOptions options;
        options.headless = true;
        return options;
    }());
    std::string error;
    ASSERT_TRUE(platform.CreateBackBuffer(1280, 720, error)) << error;
    const std::vector<FormatCase> cases = Cases();
    std::vector<std::unique_ptr<CTexture>> pictures;
    DrawList frame{{}, {0, 0, 1280, 720}};
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string path = story.Path("image/kind" + std::to_string(i) + ".png");
        std::ofstream(path, std::ios::binary) << FileFor(cases[i]);
        pictures.push_back(platform.LoadTexture(path, error));
        ASSERT_TRUE(pictures.back()) << cases[i].name << ": " << error;
        frame.commands.push_back({DrawCommand::Kind::Quad,
                                  0,
                                  static_cast<float>(i),
                                  3,
                                  1,
                                  pictures.back().get(),
                                  {},
                                  nullptr,
                                  {},
                                  0});
    }
    ASSERT_TRUE(platform.SaveScreenshot(frame, story.Path("shot.png"), error)) << error;
    ImagePixels shot;
    ASSERT_TRUE(CImageFile::ReadPixels(story.Path("shot.png"), shot, error)) << error;
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(shot.At(x, static_cast<int>(i)), cases[i].expected[static_cast<size_t>(x)])
                << std::hex << "pixel " << x;
    }
}
