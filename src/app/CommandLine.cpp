#include "app/CommandLine.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdio>

namespace {

bool ParseUnsigned(std::string_view text, uint32_t& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && !text.empty();
}

// The back buffer of a desktop with no common shape is the desktop's own size,
// and a headless screenshot paints all of it: no renderer takes a side beyond
// 16384, and 16384 x 16384 is already 1 GiB of pixels.
constexpr uint32_t kMaxDisplaySide = 16384;

// "WxH", both from 1 to kMaxDisplaySide.
std::string ParseDisplaySize(const std::string& text, PlatformOptions& platform) {
    const auto x = text.find('x');
    uint32_t w = 0, h = 0;
    if (x == std::string::npos || !ParseUnsigned(std::string_view(text).substr(0, x), w) ||
        !ParseUnsigned(std::string_view(text).substr(x + 1), h) || w == 0 || h == 0)
        return "--display wants WIDTHxHEIGHT in pixels, such as 1280x720, not '" + text + "'";
    if (w > kMaxDisplaySide || h > kMaxDisplaySide)
        return "--display " + text + " is larger than a back buffer can be (at most " +
               std::to_string(kMaxDisplaySide) + " on a side)";
    platform.desktopWidth = static_cast<int>(w);
    platform.desktopHeight = static_cast<int>(h);
    return {};
}

std::string ParseFrames(const std::string& text, uint32_t& frames) {
    if (!ParseUnsigned(text, frames) || frames == 0)
        return "--frames wants a whole number of frames, 1 or more, not '" + text + "'";
    return {};
}

std::string ParseVolume(const std::string& text, int& volume) {
    uint32_t value = 0;
    if (!ParseUnsigned(text, value) || value > 100)
        return "--volume wants a whole number from 0 to 100, not '" + text + "'";
    volume = static_cast<int>(value);
    return {};
}

// "N:FILE" with N a frame number from 1.
std::string ParseScreenshot(const std::string& text, std::vector<ScreenshotRequest>& out) {
    const auto colon = text.find(':');
    uint32_t frame = 0;
    if (colon == std::string::npos ||
        !ParseUnsigned(std::string_view(text).substr(0, colon), frame) || frame == 0 ||
        colon + 1 == text.size())
        return "--screenshot wants FRAME:FILE, such as 30:shot.png, not '" + text + "'";
    out.push_back({frame, text.substr(colon + 1)});
    return {};
}

}  // namespace

CCommandLine::Result CCommandLine::Parse(const std::vector<std::string>& args, Options& options) {
    CLI::App app{"Tabi plays a story of script files and pictures.", "tabi"};
    app.set_version_flag("--version", std::string("tabi ") + TABI_VERSION);
    app.get_formatter()->column_width(30);

    std::string display = "1280x720";
    std::string frames;
    std::vector<std::string> screenshots;
    std::string renderer = "auto";
    std::string scale = "fit";
    std::string volume = "100";
    app.add_option("--data", options.dataDir,
                   "Story folder: change to DIR first (log.txt goes there)")
        ->type_name("DIR")
        ->check(CLI::ExistingDirectory);
    app.add_flag("--windowed", options.platform.windowed,
                 "A resizable window instead of full screen");
    app.add_flag("--headless", options.platform.headless,
                 "No window, no audio device: virtual clock, input only from --input");
    app.add_option("--display", display, "Headless desktop size")->type_name("WxH");
    app.add_option("--frames", frames, "End normally after frame N")->type_name("N");
    app.add_option("--input", options.inputFile, "Replay the input recorded in FILE")
        ->type_name("FILE");
    app.add_option("--record", options.recordFile, "Write this run's input to FILE")
        ->type_name("FILE");
    app.add_option("--dump", options.dumpFile,
                   "Write every frame's render items to FILE (JSON lines)")
        ->type_name("FILE");
    app.add_option("--screenshot", screenshots, "PNG of the back buffer after frame N (repeatable)")
        ->type_name("N:FILE");
    app.add_option("--renderer", renderer, "Window renderer")
        ->type_name("auto|software|accelerated")
        ->check(CLI::IsMember({"auto", "software", "accelerated"}));
    app.add_option("--scale", scale,
                   "Window and full screen: fit (as large as fits, smoothed) or integer "
                   "(the largest whole multiple, crisp pixels)")
        ->type_name("fit|integer")
        ->check(CLI::IsMember({"fit", "integer"}));
    app.add_option("--frame-times", options.platform.frameTimesFile,
                   "Window: write the wall-clock time of every frame to FILE (for benchmarks)")
        ->type_name("FILE");
    app.add_flag("--overlay", options.overlay, "Draw the walk grid, hit boxes and frame rate");
    app.add_flag("--check", options.check,
                 "Check the story for mistakes and play nothing (exit 1 on an error)");
    app.add_option("--trace", options.traceFile,
                   "Write one line per executed command to FILE: frame, place, tokens, registers")
        ->type_name("FILE");
    app.add_option("--start-at", options.startLabel,
                   "Begin the start script at LABEL instead of its top")
        ->type_name("LABEL");
    app.add_option("--volume", volume, "Sound volume, 0 to 100 (default 100)")->type_name("0..100");
    app.add_flag("--mute", options.muted, "Start with the sound muted (M toggles it in a window)");
    app.add_option("--saves", options.savesDir,
                   "Keep saves in DIR (default $XDG_DATA_HOME/tabi/<story>/saves)")
        ->type_name("DIR");
    auto* load =
        app.add_option("--load", options.loadFile, "Start from the save FILE")->type_name("FILE");
    app.add_flag("--continue", options.continueGame, "Start from the autosave of the last quit")
        ->excludes(load);
    app.add_option("--cache-mb", options.cacheMb,
                   "Memory for decoded pictures, in MiB; pictures on screen always stay")
        ->type_name("N")
        ->check(CLI::Range(1u, 1u << 20));
    app.add_flag("!--no-decode-ahead", options.decodeAhead,
                 "Decode pictures only when a script asks for them");

    std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them backwards
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);  // prints help, version or the error
        return {false, code == 0 ? 0 : 2};
    }

    std::string error = ParseDisplaySize(display, options.platform);
    if (error.empty() && app.count("--frames") > 0) error = ParseFrames(frames, options.frames);
    if (error.empty()) error = ParseVolume(volume, options.volume);
    for (const std::string& s : screenshots)
        if (error.empty()) error = ParseScreenshot(s, options.screenshots);
    if (!error.empty()) {
        std::fprintf(stderr, "tabi: %s\nRun with --help for more information.\n", error.c_str());
        return {false, 2};
    }
    options.platform.renderer = renderer == "software"      ? RendererChoice::Software
                                : renderer == "accelerated" ? RendererChoice::Accelerated
                                                            : RendererChoice::Auto;
    options.platform.scale = scale == "integer" ? ScaleMode::Integer : ScaleMode::Fit;
    return {};
}
