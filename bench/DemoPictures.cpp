#include "DemoPictures.h"

#include "platform/FileRead.h"
#include "platform/raster/PictureDecoder.h"

#include <cstring>
#include <filesystem>

namespace {

bool SameRows(const SDL_Surface& engine, const DecodedPixels& other) {
    if (engine.w != other.width || engine.h != other.height) return false;
    for (int y = 0; y < engine.h; ++y)
        if (std::memcmp(
                static_cast<const uint8_t*>(engine.pixels) + static_cast<size_t>(y) * engine.pitch,
                static_cast<const uint8_t*>(other.pixels) + static_cast<size_t>(y) * other.pitch,
                static_cast<size_t>(engine.w) * 4) != 0)
            return false;
    return true;
}

}  // namespace

std::vector<std::string> DemoPicturePaths() {
    std::vector<std::string> paths;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(TABI_SOURCE_DIR) + "/demo/image"))
        paths.push_back(entry.path().string());
    return paths;
}

std::vector<DemoPicture> ReadDemoPictures() {
    std::vector<DemoPicture> pictures;
    std::string error;
    for (const std::string& path : DemoPicturePaths()) {
        pictures.push_back({path, {}});
        CFileRead::ReadWhole(path, CFileRead::kMaxPictureBytes, pictures.back().bytes, error);
    }
    return pictures;
}

bool AllSameAsEngine(benchmark::State& state, const std::vector<DemoPicture>& pictures,
                     const DecodeForCheck& decode, int64_t& pixelsPerSet) {
    CPictureDecoder::Prepare();
    for (const DemoPicture& picture : pictures) {
        const DecodedPicture engine = CPictureDecoder::Decode(picture.path, true);
        DecodedPixels other;
        if (!engine.ok || !decode(picture.bytes, other) || !SameRows(*engine.surface, other)) {
            state.SkipWithError(("not the engine's pixels: " + picture.path).c_str());
            return false;
        }
        pixelsPerSet += int64_t{other.width} * other.height;
    }
    return true;
}

void CountOutput(benchmark::State& state, int64_t pixelsPerSet) {
    state.SetBytesProcessed(state.iterations() * pixelsPerSet * 4);
}

void TimeDecoder(benchmark::State& state, const DecodeToArgb& decode) {
    const std::vector<DemoPicture> pictures = ReadDemoPictures();
    ArgbPixels pixels;
    const auto check = [&](const std::string& bytes, DecodedPixels& out) {
        if (!decode(bytes, pixels)) return false;
        out = {pixels.argb.get(), pixels.width * 4, pixels.width, pixels.height};
        return true;
    };
    int64_t pixelsPerSet = 0;
    if (!AllSameAsEngine(state, pictures, check, pixelsPerSet)) return;
    for (auto _ : state)
        for (const DemoPicture& picture : pictures)
            benchmark::DoNotOptimize(decode(picture.bytes, pixels));
    CountOutput(state, pixelsPerSet);
}
