#pragma once
#include <cstdint>

// One line of an input file (--input / --record): what the player did, stamped
// with the frame whose input poll (or window-event pass) should see it.
struct ReplayEvent {
    enum class Type : uint8_t { Motion, Press, Release, Escape, Close, Key };
    uint32_t frame = 0;
    Type type = Type::Motion;
    int32_t dx = 0;  // Motion only
    int32_t dy = 0;
    uint8_t number = 0;  // Key only: the number key 1-9
};
