// Saves on the demo story: writing a save, starting from one (a load replays
// every frame it holds) after 10,000 frames and after an hour (163,636), and
// reloading the story at frame 2,000. The input moves the mouse every frame,
// the most a save can hold; the targets are a load within 1 s and a reload
// within 300 ms.
#include "app/Application.h"
#include "save/SaveFile.h"
#include "support/TempStory.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

namespace {

namespace fs = std::filesystem;

// The demo, its intro clicked through, then the mouse swung left and right.
std::unique_ptr<CTempStory> DemoWithInput(uint32_t frames, const std::string& extra) {
    auto story = std::make_unique<CTempStory>();
    const fs::path demo = fs::path(TABI_SOURCE_DIR) / "demo";
    for (const char* folder : {"script", "image"})
        fs::copy(demo / folder, story->Dir() / folder, fs::copy_options::overwrite_existing);
    std::string input = "6 press\n7 release\n9 press\n10 release\n12 press\n13 release\n";
    for (uint32_t frame = 20; frame <= frames; ++frame)
        input += std::to_string(frame) + (frame % 2 ? " motion 3 0\n" : " motion -3 0\n");
    story->WriteInput(input + extra);
    return story;
}

int RunTabi(const CTempStory& story, std::vector<std::string> args) {
    std::vector<std::string> all{"--data", story.Dir().string(), "--headless"};
    all.insert(all.end(), args.begin(), args.end());
    const fs::path cwd = fs::current_path();
    const int code = CApplication::Run(all);
    fs::current_path(cwd);
    return code;
}

// One story per frame count, its save made once.
const CTempStory& SavedDemo(uint32_t frames) {
    static std::map<uint32_t, std::unique_ptr<CTempStory>> stories;
    auto& story = stories[frames];
    if (!story) {
        story = DemoWithInput(frames, std::to_string(frames) + " save s\n");
        RunTabi(*story, {"--frames", std::to_string(frames), "--input", story->Path("input.txt"),
                         "--saves", story->Path("saves")});
    }
    return *story;
}

void BM_WriteSave(benchmark::State& state) {
    const CTempStory& story = SavedDemo(static_cast<uint32_t>(state.range(0)));
    SaveData data;
    std::string error;
    if (!CSaveFile::Read(story.Path("saves/s.save"), data, error))
        state.SkipWithError(error.c_str());
    for (auto _ : state)
        if (!CSaveFile::Write(story.Path("saves/again.save"), data, error))
            state.SkipWithError(error.c_str());
    state.counters["KB"] = static_cast<double>(fs::file_size(story.Path("saves/s.save"))) / 1024;
}
BENCHMARK(BM_WriteSave)->Arg(10'000)->Arg(163'636)->Unit(benchmark::kMillisecond);

// A whole start from the save, its first live frame included.
void BM_StartFromSave(benchmark::State& state) {
    const auto frames = static_cast<uint32_t>(state.range(0));
    const CTempStory& story = SavedDemo(frames);
    for (auto _ : state)
        if (RunTabi(story, {"--frames", std::to_string(frames + 1), "--load",
                            story.Path("saves/s.save")}) != 0)
            state.SkipWithError("the load failed");
}
BENCHMARK(BM_StartFromSave)->Arg(10'000)->Arg(163'636)->Unit(benchmark::kMillisecond);

// Playing to frame 2,001 with and without a reload after frame 2,000: the
// difference is the reload.
void BM_PlayTo2001(benchmark::State& state) {
    const bool reload = state.range(0) != 0;
    static const auto plain = DemoWithInput(2'001, "");
    static const auto reloading = DemoWithInput(2'001, "2000 reload\n");
    const CTempStory& story = reload ? *reloading : *plain;
    for (auto _ : state)
        RunTabi(story, {"--frames", "2001", "--input", story.Path("input.txt")});
}
BENCHMARK(BM_PlayTo2001)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
