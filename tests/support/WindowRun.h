#pragma once
#include "support/ImageFile.h"

#include <string>

class CTempStory;

// Runs tabi in a window on a virtual display of its own (1920 x 1080, so the
// back buffer is 1280 x 720) and plays the player's part once the game has
// paced a few frames. The story folder then holds stderr.txt, record.txt,
// dump.jsonl, times.txt (the frame times), window.txt (the window's id when
// one appeared) and result.txt ("exit N"). No sound card is needed: SDL's
// dummy audio driver stands in, unless SDL_AUDIODRIVER names another. Every
// wait is bounded, so a hung window fails the test instead of the suite.
class CWindowRun {
public:
    static constexpr const char* kNeeds =
        "needs xvfb-run (package xvfb), xdotool and xwd for a virtual display";
    static bool CanOpenWindows();
    // `actions` is shell text run against the game, with $story, $pid and
    // $window set and these at hand: `act ARGS` (xdotool ARGS with the window
    // focused, then a pause), `await TEXT` (until log.txt holds it) and `shot`
    // (the whole screen into root.xwd).
    static bool Run(const CTempStory& story, const std::string& actions,
                    const std::string& tabiArguments = "--windowed");
    // The screen as `shot` saved it: a ZPixmap of 24-bit colours, 4 bytes a
    // pixel (its header may say 24 or 32 bits a pixel).
    static ImagePixels ReadScreen(const std::string& path);
};
