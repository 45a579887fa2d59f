#pragma once
#include <cstdint>
#include <deque>

// The left button's presses and releases as they happened between two polls,
// kept in order so that none is lost: each poll hands out at most one of them
// (the game sees one pointer transition per frame), the rest wait for the
// polls after it. A tap shorter than a frame is thus a press in one frame and
// a release in the next. Owned by the backend that reads the button.
class CInputLatch {
public:
    struct Transition {
        bool down = false;
        int32_t x = 0;  // where it happened, for a backend that knows (window pixels)
        int32_t y = 0;
    };

    // A transition that repeats the button's latest state (a second press
    // with no release between) changes nothing and is dropped.
    void Push(const Transition& transition);
    // The oldest transition still waiting, taken for this poll; false when
    // none waits and the button stays as it is.
    bool Take(Transition& out);
    // The button as the polls so far have seen it.
    bool Button() const { return m_button; }
    bool Waiting() const { return !m_waiting.empty(); }

private:
    std::deque<Transition> m_waiting;
    bool m_button = false;
};
