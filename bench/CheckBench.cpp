// `tabi --check` benchmarks: the demo story (target: 50 ms at most) and a
// generated story of 10,000 lines, each checked whole from disk as the
// command line does.
#include "story/Diagnostics.h"
#include "story/StoryChecker.h"
#include "support/TempStory.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

void CheckFolder(benchmark::State& state, const fs::path& folder) {
    const fs::path cwd = fs::current_path();
    fs::current_path(folder);
    size_t findings = 0;
    for (auto _ : state) {
        CDiagnostics out;
        CStoryChecker::CheckFolder(out);
        findings = out.All().size();
    }
    fs::current_path(cwd);
    state.counters["findings"] = static_cast<double>(findings);
}

// A clean story of many kinds of command, with labels, jumps and texts, ten
// lines a round.
std::string TenThousandLines() {
    std::string text;
    for (int i = 0; i < 1000; ++i) {
        const std::string n = std::to_string(i);
        text += "at" + n + ":\nmove $a0 " + std::to_string(i % 256) + "\nmove $a1 $v0\n";
        text += "SetGlobalFlag\n";
        text += "beq $a0 $a1 at" + n + "\nSetDialogueSpeaker name" + n + "\n";
        text += "SetDialogueContent text_of_line_" + n + "\nWaitForEvent EVENT_MOUSE_DOWN\n";
        text += "Debug step" + n + "\nj at" + std::to_string((i + 1) % 1000) + "\n";
    }
    return text;
}

}  // namespace

static void BM_CheckDemo(benchmark::State& state) {
    CheckFolder(state, fs::path(TABI_SOURCE_DIR) / "demo");
}
BENCHMARK(BM_CheckDemo)->Unit(benchmark::kMillisecond);

static void BM_CheckTenThousandLines(benchmark::State& state) {
    CTempStory story;
    story.WriteScript("start.txt", TenThousandLines());
    CheckFolder(state, story.Dir());
}
BENCHMARK(BM_CheckTenThousandLines)->Unit(benchmark::kMillisecond);
