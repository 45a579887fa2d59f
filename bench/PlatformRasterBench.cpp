#include "platform/headless/HeadlessPlatform.h"
#include "support/PngWriter.h"
#include "support/TempStory.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

// A sprite like a character portrait: opaque middle, soft see-through edges.
std::vector<uint32_t> SoftSprite(int width, int height) {
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int edge = std::min(std::min(x, width - 1 - x), std::min(y, height - 1 - y));
            const auto alpha = static_cast<uint32_t>(std::min(255, edge * 8));
            pixels.push_back(alpha << 24 | static_cast<uint32_t>(x * 2) << 16 | 0x4080);
        }
    return pixels;
}

DrawCommand Quad(const CTexture& texture, float x, float y) {
    DrawCommand quad;
    quad.texture = &texture;
    quad.x = x;
    quad.y = y;
    quad.width = static_cast<float>(texture.Width());
    quad.height = static_cast<float>(texture.Height());
    return quad;
}

}  // namespace

// One frame of a scene as the headless screenshots paint it, without the PNG
// encoding: a 2048 x 1024 background scrolled under the layout area of a
// 1280 x 800 back buffer and ten 128 x 256 alpha-blended sprites.
static void BM_HeadlessRasterFrame(benchmark::State& state) {
    CTempStory story;
    story.WriteImage("image/background.png", 2048, 1024, 0xFF336699);
    CPngWriter::Write(story.Path("image/sprite.png"), 128, 256, SoftSprite(128, 256));
    PlatformOptions options;
    options.headless = true;
    CHeadlessPlatform platform(options);
    std::string error;
    platform.CreateBackBuffer(1280, 800, error);
    const auto background = platform.LoadTexture(story.Path("image/background.png"), error);
    const auto sprite = platform.LoadTexture(story.Path("image/sprite.png"), error);
    if (!background || !sprite) {
        state.SkipWithError(error.c_str());
        return;
    }
    DrawList frame;
    frame.clip = {0, 40, 1280, 760};
    frame.commands.push_back(Quad(*background, -300, 40 - 150));
    for (int i = 0; i < 10; ++i)
        frame.commands.push_back(
            Quad(*sprite, static_cast<float>(i * 130 - 20), 40 + 300 + (i % 3) * 100));
    platform.Rasterize(frame, error);  // uploads the pictures once, as a real run does
    for (auto _ : state)
        if (!platform.Rasterize(frame, error)) state.SkipWithError(error.c_str());
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_HeadlessRasterFrame)->Unit(benchmark::kMicrosecond);
