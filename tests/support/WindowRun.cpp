#include "support/WindowRun.h"

#include "support/TempStory.h"

#include <cstdlib>
#include <fstream>

namespace {

constexpr const char* kScript = R"sh(#!/bin/sh
story="$1"; tabi="$2"; shift 2
XDG_DATA_HOME="$story/data" SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" "$tabi" --data "$story" --renderer software \
    --frame-times "$story/times.txt" --record "$story/record.txt" --dump "$story/dump.jsonl" \
    "$@" >/dev/null 2>"$story/stderr.txt" &
pid=$!
timeout 30 xdotool search --sync --name '^Tabi$' >"$story/window.txt" 2>/dev/null
window=$(head -n 1 "$story/window.txt")
n=0
while [ "$n" -lt 300 ] && [ "$(cat "$story/times.txt" 2>/dev/null | wc -l)" -lt 5 ]; do
    sleep 0.1; n=$((n + 1))
done
act() { xdotool windowfocus --sync "$window" "$@" >/dev/null 2>&1; sleep 0.3; }
await() {
    n=0
    while [ "$n" -lt 100 ] && ! grep -q "$1" "$story/log.txt"; do sleep 0.1; n=$((n + 1)); done
}
shot() { xwd -root -silent >"$story/root.xwd"; }
. "$story/actions.sh"
n=0
while kill -0 "$pid" 2>/dev/null && [ "$n" -lt 150 ]; do sleep 0.1; n=$((n + 1)); done
kill "$pid" 2>/dev/null  # still running after Escape: its status shows the kill
wait "$pid"; echo "exit $?" >"$story/result.txt"
)sh";

}  // namespace

bool CWindowRun::CanOpenWindows() {
    return std::system("command -v xvfb-run >/dev/null && command -v xdotool >/dev/null") == 0;
}

bool CWindowRun::Run(const CTempStory& story, const std::string& actions,
                     const std::string& tabiArguments) {
    story.WriteFile("run.sh", kScript);
    story.WriteFile("actions.sh", actions + "\n");
    const std::string command = "xvfb-run -a -s '-screen 0 1920x1080x24' sh '" +
                                story.Path("run.sh") + "' '" + story.Dir().string() + "' '" +
                                TABI_BINARY + "' " + tabiArguments;
    return std::system(command.c_str()) == 0;
}

ImagePixels CWindowRun::ReadScreen(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    const auto word = [&](size_t at) {
        if (at + 4 > bytes.size()) return 0u;
        const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
        return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
    };
    const uint32_t header = word(0), width = word(16), height = word(20), byteOrder = word(28);
    const uint32_t bytesPerLine = word(48), colours = word(76);
    ImagePixels screen;
    const size_t start = size_t{header} + size_t{colours} * 12;
    if (width == 0 || bytesPerLine / width != 4 ||
        start + size_t{bytesPerLine} * height > bytes.size())
        return screen;
    screen.width = static_cast<int>(width);
    screen.height = static_cast<int>(height);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t big = word(start + size_t{y} * bytesPerLine + size_t{x} * 4);
            const uint32_t pixel = byteOrder == 0 ? __builtin_bswap32(big) : big;
            screen.argb.push_back(0xFF000000u | (pixel & 0xFFFFFFu));
        }
    return screen;
}
