// libspng on the demo's pictures, for the choice of decoder: the same bytes
// in memory into the engine's ARGB8888, beside DecoderBench.cpp's. libspng
// gives RGBA bytes; swapping red and blue in place is counted, as the engine
// would have to do it. Built only where pkg-config finds libspng.
#include "DemoPictures.h"

#include <spng.h>

#include <memory>

namespace {

struct SpngContextDeleter {
    void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};

// RGBA bytes to 0xAARRGGBB words, whatever the machine's byte order.
void RgbaToArgb(uint32_t* pixels, size_t count) {
    auto* bytes = reinterpret_cast<uint8_t*>(pixels);
    for (size_t i = 0; i < count; ++i, bytes += 4)
        pixels[i] = uint32_t{bytes[3]} << 24 | uint32_t{bytes[0]} << 16 | uint32_t{bytes[1]} << 8 |
                    bytes[2];
}

bool DecodeSpng(const std::string& bytes, ArgbPixels& out) {
    std::unique_ptr<spng_ctx, SpngContextDeleter> context(spng_ctx_new(0));
    spng_ihdr header{};
    size_t size = 0;
    if (!context || spng_set_png_buffer(context.get(), bytes.data(), bytes.size()) != 0 ||
        spng_get_ihdr(context.get(), &header) != 0 ||
        spng_decoded_image_size(context.get(), SPNG_FMT_RGBA8, &size) != 0)
        return false;
    out.width = static_cast<int>(header.width);
    out.height = static_cast<int>(header.height);
    out.argb = std::make_unique_for_overwrite<uint32_t[]>(size / 4);
    if (spng_decode_image(context.get(), out.argb.get(), size, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS))
        return false;
    RgbaToArgb(out.argb.get(), size / 4);
    return true;
}

}  // namespace

static void BM_DecodeDemoSpng(benchmark::State& state) {
    TimeDecoder(state, DecodeSpng);
}
BENCHMARK(BM_DecodeDemoSpng)->Unit(benchmark::kMillisecond);
