#pragma once
#include <array>
#include <cstdint>

// The story's global record: scene numbers, the last trap fired and 256 flags.
// Lives in memory only, all zero at start; owned by the game object.
class CGlobalState {
public:
    static constexpr int kFlagCount = 256;

    int32_t prevScene = 0;
    int32_t curScene = 0;
    int32_t lastTrap = 0;
    std::array<int32_t, kFlagCount> flags{};
};
