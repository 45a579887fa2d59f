#pragma once
#include <cstdint>
#include <string>

// One line of an input file (--input / --record): what the player did, stamped
// with the frame whose input poll (or window-event pass) should see it. Save,
// Load and Reload act on the whole game after that frame, in a session's own
// count of frames (which a load does not move).
struct ReplayEvent {
    enum class Type : uint8_t {
        Motion,
        Press,
        Release,
        Escape,
        Close,
        Key,
        Save,
        Load,
        Reload,
        Advance
    };
    ReplayEvent() = default;
    ReplayEvent(uint32_t atFrame, Type what, int32_t motionX = 0, int32_t motionY = 0)
        : frame(atFrame), type(what), dx(motionX), dy(motionY) {}

    uint32_t frame = 0;
    Type type = Type::Motion;
    int32_t dx = 0;  // Motion only
    int32_t dy = 0;
    uint8_t number = 0;  // Key only: the number key 1-9
    std::string name;    // Save and Load: the save's name
};
