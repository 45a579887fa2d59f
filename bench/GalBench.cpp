// Picture-novel benchmarks: a whole headless frame of a dialogue screen,
// without pixels and rasterised, and the picture cache (a picture loaded a
// second time). Runs on the demo art, so the pictures have real sizes.
#include "app/Game.h"
#include "app/Log.h"
#include "app/Options.h"
#include "display/Database.h"
#include "display/Sprite.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/TempStory.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

// Paints every frame it presents, as a screenshot would, without the PNG.
class CRasterizingPlatform : public CHeadlessPlatform {
public:
    using CHeadlessPlatform::CHeadlessPlatform;
    bool Present(const DrawList& frame, std::string& error) override {
        return Rasterize(frame, error);
    }
};

// A 1280 x 720 background, two 512 x 1024 standing pictures and the
// dialogue frame with a speaker and two lines of text; the script then
// waits for a click that never comes.
constexpr const char* kDialogueScene =
    "move $a0 8\nChangeMode\n"
    "move $a0 2002\nAddSprite x bg\n"
    "move $a0 3000\nAddSprite x left\nGetSprite left\nmove $a0 $v0\nmove $a1 60\nmove $a2 40\n"
    "SetSpritePosition\n"
    "move $a0 3001\nAddSprite x right\nGetSprite right\nmove $a0 $v0\nmove $a1 700\n"
    "SetSpritePosition\n"
    "SetDialogueSpeaker \xC3\xC3\n"
    "SetDialogueContent "
    "\xBD\xF1\xCC\xEC\xCC\xEC\xC6\xF8\xBA\xDC\xBA\xC3\xA3\xAC\xCE\xD2\xC3\xC7\xD2\xBB\xC6\xF0"
    "\xC8\xA5\xB9\xAB\xD4\xB0\xC9\xA2\xB2\xBD\xB0\xC9\xA1\xA3\xC2\xB7\xC9\xCF\xBB\xB9\xBF\xC9"
    "\xD2\xD4\xC2\xF2\xD2\xBB\xB5\xE3\xBA\xC3\xB3\xD4\xB5\xC4\xB6\xAB\xCE\xF7\xA1\xA3\n"
    "ShowDialogueFrame\nWaitForEvent EVENT_MOUSE_DOWN\n";

// A story folder holding the demo pictures.
void CopyDemoArt(const CTempStory& story) {
    const fs::path demo = fs::path(TABI_SOURCE_DIR) / "demo/image";
    for (const auto& entry : fs::directory_iterator(demo))
        fs::copy_file(entry.path(), story.Dir() / "image" / entry.path().filename(),
                      fs::copy_options::overwrite_existing);
}

// A headless game on a story folder, started and left at frame 0.
class CBenchGame {
public:
    CBenchGame(const CTempStory& story, bool rasterize) : m_previous(fs::current_path()) {
        fs::current_path(story.Dir());
        CLog::Open("log.txt");
        m_options.platform.headless = true;
        m_platform = rasterize ? std::make_unique<CRasterizingPlatform>(m_options.platform)
                               : std::make_unique<CHeadlessPlatform>(m_options.platform);
        std::string error;
        m_platform->Init(error);
        m_platform->CreateWindow(error);
        m_game = std::make_unique<CGame>(*m_platform, m_options);
        m_started = m_game->Init();
    }
    ~CBenchGame() {
        m_game.reset();
        m_platform.reset();
        CLog::Close();
        fs::current_path(m_previous);
    }
    CGame& Game() { return *m_game; }
    bool Started() const { return m_started && !m_game->QuitRequested(); }

private:
    fs::path m_previous;
    Options m_options;
    std::unique_ptr<CHeadlessPlatform> m_platform;
    std::unique_ptr<CGame> m_game;
    bool m_started = false;
};

// The dialogue screen with nine options shown over it, waiting for a pick.
std::string ChoiceScene() {
    std::string scene =
        std::string(kDialogueScene).substr(0, std::string(kDialogueScene).rfind("WaitForEvent"));
    for (char option = '1'; option <= '9'; ++option)
        scene += std::string("AddChoice \xD1\xA1\xCF\xEE") + option + "\n";
    return scene + "ShowChoices\n";
}

void RunDialogueFrames(benchmark::State& state, bool rasterize,
                       const std::string& scene = kDialogueScene) {
    CTempStory story;
    CopyDemoArt(story);
    story.WriteScript("start.txt", scene);
    CBenchGame bench(story, rasterize);
    for (int frame = 0; frame < 6; ++frame)
        bench.Game().Frame();  // set up, fonts opened
    if (!bench.Started()) {
        state.SkipWithError("the story did not start; see log.txt");
        return;
    }
    for (auto _ : state)
        bench.Game().Frame();
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

// Input, scripts, the chain's update and draw, the render queue and the draw
// list: everything of a frame but the pixels.
static void BM_GalDialogueFrame(benchmark::State& state) {
    RunDialogueFrames(state, false);
}
BENCHMARK(BM_GalDialogueFrame)->Unit(benchmark::kMicrosecond);

// The same frame painted into the headless back buffer every time.
static void BM_GalDialogueFrameRasterized(benchmark::State& state) {
    RunDialogueFrames(state, true);
}
BENCHMARK(BM_GalDialogueFrameRasterized)->Unit(benchmark::kMicrosecond);

// The same frame with nine choices shown over it: to compare with the one above.
static void BM_GalChoicesFrameRasterized(benchmark::State& state) {
    RunDialogueFrames(state, true, ChoiceScene());
}
BENCHMARK(BM_GalChoicesFrameRasterized)->Unit(benchmark::kMicrosecond);

// LoadSprite(0), a 2048 x 1024 picture, in a fresh game (the file is
// decoded) and then again (the displayer already holds it). The reported
// time is the first load's; the counters give both and their ratio.
static void BM_GalPictureLoadedTwice(benchmark::State& state) {
    CTempStory story;
    CopyDemoArt(story);
    story.WriteScript("start.txt", "");
    using Clock = std::chrono::steady_clock;
    double firstSeconds = 0, againSeconds = 0;
    for (auto _ : state) {
        CBenchGame bench(story, false);
        CDatabase& database = bench.Game().GetDatabase();
        const auto start = Clock::now();
        auto first = database.LoadSprite(0);
        const auto middle = Clock::now();
        auto again = database.LoadSprite(0);
        const auto end = Clock::now();
        benchmark::DoNotOptimize(again->GetTexture());
        if (!first->GetTexture() || first->GetTexture() != again->GetTexture())
            state.SkipWithError("the picture did not load, or loaded twice");
        const double firstRun = std::chrono::duration<double>(middle - start).count();
        firstSeconds += firstRun;
        againSeconds += std::chrono::duration<double>(end - middle).count();
        state.SetIterationTime(firstRun);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["first_ms"] = firstSeconds / n * 1e3;
    state.counters["again_us"] = againSeconds / n * 1e6;
    state.counters["x_faster"] = againSeconds > 0 ? firstSeconds / againSeconds : 0;
}
BENCHMARK(BM_GalPictureLoadedTwice)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
