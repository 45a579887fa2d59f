// Every kind of PNG a story may ship decodes to the colours the file holds:
// 8-bit RGB and RGBA take a direct path into the back buffer's format, the
// rest SDL_image's. A swapped red and blue, a lost alpha, or a gamma applied
// by one path and not the other shows as a wrong pixel in the screenshot.
#include "platform/PngCheck.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/DataTable.h"
#include "support/ImageFile.h"
#include "support/PngWriter.h"
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

namespace {

std::vector<uint32_t> Hex(const std::vector<std::string>& words, size_t from = 0) {
    std::vector<uint32_t> values;
    for (size_t i = from; i < words.size(); ++i)
        values.push_back(static_cast<uint32_t>(std::stoul(words[i], nullptr, 16)));
    return values;
}

// The file of a row of picture-formats.txt, its extra chunk spliced in after
// IHDR (8 signature bytes, 25 of IHDR).
std::string FileFor(const DataRow& c) {
    std::istringstream format(c[1]);
    int depth = 0, colour = 0, interlace = 0;
    format >> depth >> colour >> interlace;
    std::vector<uint8_t> raw{0};
    for (uint32_t byte : Hex(c.Words(2)))
        raw.push_back(static_cast<uint8_t>(byte));
    std::string file =
        CPngWriter::Encode({3, 1, static_cast<uint8_t>(depth), static_cast<uint8_t>(colour),
                            static_cast<uint8_t>(interlace)},
                           CPngWriter::Zlib(raw));
    if (c[3] == "-") return file;
    const std::vector<std::string> extra = c.Words(3);
    std::vector<uint8_t> chunk{0, 0, 0, static_cast<uint8_t>(extra.size() - 1)};
    chunk.insert(chunk.end(), extra[0].begin(), extra[0].end());
    for (uint32_t byte : Hex(extra, 1))
        chunk.push_back(static_cast<uint8_t>(byte));
    const uint32_t crc = CPngCheck::Crc32(chunk.data() + 4, chunk.size() - 4);
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk.push_back(static_cast<uint8_t>(crc >> shift));
    return file.insert(33, std::string(chunk.begin(), chunk.end()));
}

}  // namespace

TEST(PictureFormats, EachKindOfFileShowsTheColoursItHolds) {
    CTempStory story;
    PlatformOptions options;
    options.headless = true;
    CHeadlessPlatform platform(options);
    std::string error;
    ASSERT_TRUE(platform.CreateBackBuffer(1280, 720, error)) << error;
    const std::vector<DataRow> cases = CDataTable::Read("picture-formats.txt");
    std::vector<std::unique_ptr<CTexture>> pictures;
    DrawList frame{{}, {0, 0, 1280, 720}};
    for (size_t i = 0; i < cases.size(); ++i) {
        const std::string path = story.Path("image/kind" + std::to_string(i) + ".png");
        std::ofstream(path, std::ios::binary) << FileFor(cases[i]);
        pictures.push_back(platform.LoadTexture(path, error));
        ASSERT_TRUE(pictures.back()) << cases[i].where << ": " << error;
        const float row = static_cast<float>(i);
        frame.commands.push_back(
            {DrawCommand::Kind::Quad, 0, row, 3, 1, pictures.back().get(), {}, nullptr, {}, 0});
    }
    ASSERT_TRUE(platform.SaveScreenshot(frame, story.Path("shot.png"), error)) << error;
    ImagePixels shot;
    ASSERT_TRUE(CImageFile::ReadPixels(story.Path("shot.png"), shot, error)) << error;
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].where);
        const std::vector<uint32_t> expected = Hex(cases[i].Words(4));
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(shot.At(x, static_cast<int>(i)), expected[static_cast<size_t>(x)])
                << std::hex << "pixel " << x;
    }
}
