#include "DemoPictures.h"
#include "platform/PngCheck.h"
#include "support/ImageFile.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

// The check every picture passes at load, in both backends: read, CRCs, and
// the picture data inflated without keeping it. All the demo's pictures.
static void BM_PngCheckDemoPictures(benchmark::State& state) {
    const std::vector<std::string> paths = DemoPicturePaths();
    int width = 0, height = 0;
    std::string error;
    for (auto _ : state)
        for (const std::string& path : paths)
            if (!CPngCheck::Check(path, width, height, error)) state.SkipWithError(error.c_str());
}
BENCHMARK(BM_PngCheckDemoPictures)->Unit(benchmark::kMillisecond);

// For scale: what decoding the same pictures in full costs (a window does
// this at load, headless only for screenshots).
static void BM_DecodeDemoPictures(benchmark::State& state) {
    const std::vector<std::string> paths = DemoPicturePaths();
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    std::string error;
    for (auto _ : state)
        for (const std::string& path : paths)
            if (!CImageFile::ReadPixels(path, width, height, pixels, error))
                state.SkipWithError(error.c_str());
}
BENCHMARK(BM_DecodeDemoPictures)->Unit(benchmark::kMillisecond);
