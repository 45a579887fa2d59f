#pragma once
#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The demo's pictures, read once so that decoder benchmarks time decoding alone.
struct DemoPicture {
    std::string path;
    std::string bytes;
};

// ARGB8888 pixels a decoder gave, rows `pitch` bytes apart; kept by the decoder.
struct DecodedPixels {
    const void* pixels = nullptr;
    int pitch = 0;
    int width = 0;
    int height = 0;
};
using DecodeForCheck = std::function<bool(const std::string& bytes, DecodedPixels& out)>;

std::vector<std::string> DemoPicturePaths();
std::vector<DemoPicture> ReadDemoPictures();

// Once before timing: whether `decode` gives, for every picture, exactly the
// pixels of the engine's decoder. Skips the benchmark naming the first file
// that differs; adds up the set's pixels into `pixelsPerSet`.
bool AllSameAsEngine(benchmark::State& state, const std::vector<DemoPicture>& pictures,
                     const DecodeForCheck& decode, int64_t& pixelsPerSet);

// Reports the decoded bytes (4 a pixel, every picture) per second of the run.
void CountOutput(benchmark::State& state, int64_t pixelsPerSet);

// A whole picture of 0xAARRGGBB words, as a decoder under test writes it.
struct ArgbPixels {
    std::unique_ptr<uint32_t[]> argb;
    int width = 0;
    int height = 0;
};
using DecodeToArgb = std::function<bool(const std::string& bytes, ArgbPixels& out)>;

// Checks `decode` against the engine's pixels, then times it over the set.
void TimeDecoder(benchmark::State& state, const DecodeToArgb& decode);
