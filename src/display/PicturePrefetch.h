#pragma once
#include <cstdint>
#include <vector>

class CGame;

// Once a frame, tells the displayer which picture files the running and the
// waiting scripts are about to load, nearest first, so the platform decodes
// them off the game thread before a frame needs them. It only reads: game
// state, the log and what any frame shows are the same with it or without.
// Owned by the game object.
class CPicturePrefetch {
public:
    // A scene change asks for a background and a figure or two; asking for
    // more than the platform keeps ready would only push those out again.
    static constexpr int kMaxFiles = 3;

    explicit CPicturePrefetch(CGame& game);
    void Run();

private:
    CGame& m_game;
    std::vector<int32_t> m_numbers;  // kept between frames: no allocation per frame
    // The numbers of the last frame whose files the displayer all held. It
    // never lets a picture go, so the same numbers need no second look: a
    // script waiting for a click costs only the scan.
    std::vector<int32_t> m_held;
};
