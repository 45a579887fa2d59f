// What sound costs at start-up: opening SDL's audio and the mixer on it (and
// the Vorbis decoder), the step a window run takes before its first frame.
// SDL_AUDIODRIVER chooses the device (the dummy driver where there is none).
#include "platform/Platform.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

static void BM_OpenMixer(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    for (auto _ : state) {
        std::unique_ptr<CPlatform> platform = CreatePlatform(PlatformOptions{});
        std::string error;
        if (!platform->OpenAudio(error)) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.PauseTiming();  // closing is the exit's cost, not the start's
        platform.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenMixer)->Unit(benchmark::kMillisecond)->Iterations(20);
