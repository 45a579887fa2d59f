// Script interpreter benchmarks: stepping through CScriptManager::Update,
// jump cost against the label's place in the file, and the memory a script
// costs when many share one file.
#include "app/Game.h"
#include "app/Options.h"
#include "platform/Platform.h"
#include "scripting/Script.h"
#include "scripting/ScriptManager.h"
#include "scripting/ScriptSource.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A game that is never started: move, beq and j need nothing of it.
struct BareGame {
    BareGame() : platform(CreatePlatform(Headless())), game(*platform, options) {}
    static PlatformOptions Headless() {
        PlatformOptions headless;
        headless.headless = true;
        return headless;
    }
    Options options;
    std::unique_ptr<CPlatform> platform;
    CGame game;
};

// Seven commands a round, none of them a label: four moves, a beq that never
// jumps, a move and a j.
constexpr const char* kRegisterLoop =
    "loop:\n"
    "move $t0 $t1\nmove $t1 $t2\nmove $t2 $t0\nmove $t3 5\n"
    "beq $t0 $t3 done\nmove $t4 $t3\nj loop\n"
    "done:\n";

std::string LongScript(const std::string& head, const std::string& tail) {
    std::string text = head;
    for (int i = 0; i < 10'000; ++i)
        text += "move $t0 " + std::to_string(i) + "\n";
    return text + tail;
}

size_t HeapInUse() {
    return mallinfo2().uordblks;
}

}  // namespace

// Every Update gives each running script 102 steps; none ever ends or waits.
static void BM_ScriptStep(benchmark::State& state) {
    BareGame bare;
    CScriptManager manager(bare.game);
    const auto source = CScriptSource::Parse(kRegisterLoop);
    std::vector<std::unique_ptr<CScript>> scripts;
    for (int64_t i = 0; i < state.range(0); ++i) {
        scripts.push_back(std::make_unique<CScript>(source));
        manager.Restart(*scripts.back());
    }
    for (auto _ : state)
        manager.Update();
    const int64_t steps = state.iterations() * CScriptManager::kMaxPasses * state.range(0);
    state.SetItemsProcessed(steps);
    state.counters["ns_per_step"] = benchmark::Counter(
        static_cast<double>(steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ScriptStep)->Arg(1)->Arg(64)->Arg(1000);

// One step of "j" to a label before (0) or after (1) 10,000 lines.
static void BM_JumpOverTenThousandLines(benchmark::State& state) {
    BareGame bare;
    const bool toEnd = state.range(0) == 1;
    CScript script(CScriptSource::Parse(toEnd ? LongScript("j target\n", "target:\n")
                                              : LongScript("j target\ntarget:\n", "")));
    script.SetState(ScriptState::Running);
    for (auto _ : state) {
        script.Rewind();
        script.Run(bare.game);
    }
    state.SetLabel(toEnd ? "label at the end" : "label at the start");
}
BENCHMARK(BM_JumpOverTenThousandLines)->Arg(0)->Arg(1);

// CScript::FindLabel with a name, as code outside a step would call it.
static void BM_FindLabelByName(benchmark::State& state) {
    CScript script(CScriptSource::Parse(LongScript("first:\n", "last:\n")));
    const std::string name = state.range(0) == 1 ? "last" : "first";
    for (auto _ : state)
        benchmark::DoNotOptimize(script.FindLabel(name));
    state.SetLabel(state.range(0) == 1 ? "label at the end" : "label at the start");
}
BENCHMARK(BM_FindLabelByName)->Arg(0)->Arg(1);

// A thousand scripts of one 10,000-line file: the file's tokens once, then
// only each script's own state.
static void BM_ThousandScriptsOfOneFile(benchmark::State& state) {
    const std::string text = LongScript("", "");
    for (auto _ : state) {
        const size_t before = HeapInUse();
        auto source = CScriptSource::Parse(text);
        const size_t afterSource = HeapInUse();
        std::vector<std::unique_ptr<CScript>> scripts;
        scripts.reserve(1000);
        const size_t afterReserve = HeapInUse();
        for (int i = 0; i < 1000; ++i)
            scripts.push_back(std::make_unique<CScript>(source));
        const size_t afterScripts = HeapInUse();
        state.counters["file_bytes"] = static_cast<double>(afterSource - before);
        state.counters["bytes_per_script"] =
            static_cast<double>(afterScripts - afterReserve) / 1000;
    }
    state.counters["sizeof_CScript"] = sizeof(CScript);
}
BENCHMARK(BM_ThousandScriptsOfOneFile)->Unit(benchmark::kMillisecond);
