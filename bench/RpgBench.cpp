// Role-playing benchmarks: whole headless frames of a busy scene, with and
// without painting the pixels, and the per-frame cost of depth sorting and
// hit testing as the number of entities grows.
#include "app/Game.h"
#include "app/Options.h"
#include "display/Database.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/TempStory.h"
#include "world/Entity.h"
#include "world/ModeRPGNormal.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

// The headless backend, painting every frame it is given into its offscreen
// back buffer (what a screenshot costs, without the PNG encoding).
class CPaintingPlatform : public CHeadlessPlatform {
public:
    using CHeadlessPlatform::CHeadlessPlatform;
    bool Present(const DrawList& frame, std::string& error) override {
        return Rasterize(frame, error);
    }
};

// A small deterministic walk generator: targets inside the scene's middle,
// where every cell is free.
struct Walks {
    uint32_t seed = 12345;
    int32_t Next(int32_t low, int32_t high) {
        seed = seed * 1664525u + 1013904223u;
        return low + static_cast<int32_t>((seed >> 8) % static_cast<uint32_t>(high - low));
    }
};

// The demo story's pictures, so sprites blend with real alpha edges.
void CopyDemoArt(const CTempStory& story) {
    for (const auto& file : fs::directory_iterator(fs::path(TABI_SOURCE_DIR) / "demo" / "image"))
        fs::copy_file(file.path(), story.Dir() / "image" / file.path().filename(),
                      fs::copy_options::overwrite_existing);
}

// A 2048 x 1024 scene with its background, the hero and `walkers` characters,
// and the dialogue frame shown with a speaker and a line of text.
std::string BusyScene(int walkers) {
    std::string text =
        "SetSceneScale 2048 1024\nLoadSprite 0 x bg\nmove $a0 $v0\nmove $a1 1024\n"
        "move $a2 512\nPlaceEntity\nSetEntityDepth bg 100000\n"
        "LoadSprite 1 x hero\nSetHero hero\nmove $a0 $v0\nPlaceEntity\n";
    Walks walks;
    for (int i = 0; i < walkers; ++i)
        text += "LoadSprite 1 x walker\nmove $a0 $v0\nSetNPC\nmove $a1 " +
                std::to_string(walks.Next(300, 1700)) + "\nmove $a2 " +
                std::to_string(walks.Next(300, 800)) + "\nPlaceEntity\n";
    return text +
           "ShowDialogueFrame\nSetDialogueSpeaker Guide\n"
           "SetDialogueContent The_walkers_keep_walking_while_the_frame_is_shown.\n";
}

// Everything a benchmark needs for whole frames: the story folder, entered
// for the game's life, and the game itself.
class CBusyGame {
public:
    CBusyGame(int walkers, bool paint) : m_previous(fs::current_path()) {
        CopyDemoArt(m_story);
        m_story.WriteScript("start.txt", BusyScene(walkers));
        fs::current_path(m_story.Dir());
        m_options.platform.headless = true;
        m_platform = paint ? std::make_unique<CPaintingPlatform>(m_options.platform)
                           : std::make_unique<CHeadlessPlatform>(m_options.platform);
        m_game = std::make_unique<CGame>(*m_platform, m_options);
        m_ready = m_game->Init();
        for (int frame = 0; frame < 10 && m_ready; ++frame)
            Frame();
    }
    ~CBusyGame() {
        m_game.reset();
        m_platform.reset();
        fs::current_path(m_previous);
    }
    bool Ready() const { return m_ready && Scene() && Scene()->Entities().size() > 2; }

    // One frame; every entity that has stopped is sent on a new walk first.
    void Frame() {
        if (CModeRPGNormal* scene = Scene())
            for (const auto& entity : scene->Entities())
                if (!entity->IsMoving() && entity->GetDepth() == 0)
                    entity->MoveTo(m_walks.Next(300, 1700), m_walks.Next(300, 800), 2);
        m_game->Frame();
    }

private:
    CModeRPGNormal* Scene() const { return m_game->Scene(); }

    fs::path m_previous;
    CTempStory m_story;
    Options m_options;
    std::unique_ptr<CHeadlessPlatform> m_platform;
    std::unique_ptr<CGame> m_game;
    Walks m_walks;
    bool m_ready = false;
};

void RunFrames(benchmark::State& state, bool paint) {
    CBusyGame game(static_cast<int>(state.range(0)), paint);
    if (!game.Ready()) {
        state.SkipWithError("the busy scene did not start");
        return;
    }
    for (auto _ : state)
        game.Frame();
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

// A role-playing frame of the busy scene: input, scripts, 52 entities moving
// and animating, the camera following the hero, the render list with the
// dialogue frame; the headless backend draws nothing.
static void BM_RpgFrame(benchmark::State& state) {
    RunFrames(state, false);
}
BENCHMARK(BM_RpgFrame)->Arg(50)->Unit(benchmark::kMicrosecond);

// The same frame, painted into the offscreen back buffer every time.
static void BM_RpgFramePainted(benchmark::State& state) {
    RunFrames(state, true);
}
BENCHMARK(BM_RpgFramePainted)->Arg(50)->Unit(benchmark::kMicrosecond);

// What the scene spends on its entity list in a frame where one entity
// changes depth (a full re-sort) and the pointer's hover test walks the list
// in drawing order, hit-testing every entity.
static void BM_RpgSortAndHitTest(benchmark::State& state) {
    CTempStory story;
    story.WriteSpriteImages(2);
    story.WriteScript("start.txt", "");
    const fs::path previous = fs::current_path();
    fs::current_path(story.Dir());
    Options options;
    options.platform.headless = true;
    CHeadlessPlatform platform(options.platform);
    {
        CGame game(platform, options);
        game.Init();
        CModeRPGNormal scene(game);
        Walks walks;
        for (int64_t i = 0; i < state.range(0); ++i) {
            auto entity = std::make_unique<CEntity>(game);
            entity->SetSprite(game.GetDatabase().LoadSprite(2));
            entity->SetPosition(static_cast<float>(walks.Next(0, 2048)),
                                static_cast<float>(walks.Next(0, 1024)));
            entity->SetDepth(walks.Next(0, 1000));
            scene.AddEntity(std::move(entity));
        }
        size_t turn = 0;
        for (auto _ : state) {
            scene.Entities()[turn++ % scene.Entities().size()]->SetDepth(walks.Next(0, 1000));
            int hits = 0;
            for (const auto& entity : scene.Entities())
                hits += entity->HitTest(1024, 512) ? 1 : 0;
            benchmark::DoNotOptimize(hits);
        }
        state.SetComplexityN(state.range(0));
    }
    fs::current_path(previous);
}
BENCHMARK(BM_RpgSortAndHitTest)
    ->Arg(50)
    ->Arg(500)
    ->Arg(5000)
    ->Complexity(benchmark::oNLogN)
    ->Unit(benchmark::kMicrosecond);
