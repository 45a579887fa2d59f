// The engine's picture decoders side by side on the demo's pictures, from
// bytes in memory into ARGB8888: libpng's simplified API (plain 8-bit RGB and
// RGBA files, which all the demo's are) against SDL_image and a conversion
// (every other file). libspng, when found, is in spng/SpngDecodeBench.cpp.
#include "DemoPictures.h"

#include "platform/raster/PictureDecoder.h"

#include <SDL_image.h>
#include <png.h>

#include <memory>

namespace {

// What the engine does for a plain file: libpng orders the channels as it reads.
bool DecodeLibpng(const std::string& bytes, ArgbPixels& out) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return false;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    image.format = SDL_BYTEORDER == SDL_LIL_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    out.argb = std::make_unique_for_overwrite<uint32_t[]>(size_t{image.width} * image.height);
    return png_image_finish_read(&image, nullptr, out.argb.get(), 0, nullptr) != 0;
}

SurfacePtr DecodeSdlImage(const std::string& bytes) {
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    SurfacePtr decoded(IMG_LoadTyped_RW(stream, 1, "PNG"));
    if (!decoded) return nullptr;
    return SurfacePtr(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
}

}  // namespace

// The whole load of a picture, for scale: read, check, decode, opacity test.
static void BM_DecodeDemoEngineLoad(benchmark::State& state) {
    CPictureDecoder::Prepare();
    const std::vector<std::string> paths = DemoPicturePaths();
    int64_t pixelsPerSet = 0;
    for (const std::string& path : paths) {
        const DecodedPicture picture = CPictureDecoder::Decode(path, true);
        pixelsPerSet += int64_t{picture.width} * picture.height;
    }
    for (auto _ : state)
        for (const std::string& path : paths)
            benchmark::DoNotOptimize(CPictureDecoder::Decode(path, true).ok);
    CountOutput(state, pixelsPerSet);
}
BENCHMARK(BM_DecodeDemoEngineLoad)->Unit(benchmark::kMillisecond);

static void BM_DecodeDemoLibpng(benchmark::State& state) {
    TimeDecoder(state, DecodeLibpng);
}
BENCHMARK(BM_DecodeDemoLibpng)->Unit(benchmark::kMillisecond);

static void BM_DecodeDemoSdlImage(benchmark::State& state) {
    const std::vector<DemoPicture> pictures = ReadDemoPictures();
    SurfacePtr kept;
    const auto decode = [&](const std::string& bytes, DecodedPixels& out) {
        if (!(kept = DecodeSdlImage(bytes))) return false;
        out = {kept->pixels, kept->pitch, kept->w, kept->h};
        return true;
    };
    int64_t pixelsPerSet = 0;
    if (!AllSameAsEngine(state, pictures, decode, pixelsPerSet)) return;
    for (auto _ : state)
        for (const DemoPicture& picture : pictures)
            benchmark::DoNotOptimize(DecodeSdlImage(picture.bytes).get());
    CountOutput(state, pixelsPerSet);
}
BENCHMARK(BM_DecodeDemoSdlImage)->Unit(benchmark::kMillisecond);
