#pragma once
#include <cstdint>
#include <limits>

// What one input poll reads off the devices: the mouse's relative motion since
// the previous poll, the left button as this poll delivers it (presses and
// releases are latched, one a poll: see CInputLatch), the Escape key as it is
// now, the last number key pressed since the previous poll, and whether an
// "advance" key (Space, Enter, the wheel turned down) was pressed since then.
struct DeviceState {
    int32_t dx = 0;
    int32_t dy = 0;
    bool leftButton = false;
    bool escape = false;
    uint8_t number = 0;  // 1-9, or 0 when no number key was pressed
    bool advance = false;
};

// Motions add up without wrapping: a replay file may hold any 32-bit values,
// and several of them can reach one poll.
inline int32_t SaturatingAdd(int32_t a, int32_t b) {
    int32_t sum = 0;
    if (!__builtin_add_overflow(a, b, &sum)) return sum;
    return b > 0 ? std::numeric_limits<int32_t>::max() : std::numeric_limits<int32_t>::min();
}

// The window messages the message loop handles, one per pass. ToggleOverlay
// is the author's key (F1) for the development overlay, ToggleMute the
// player's (M) for the sound: settings, not game input, so they are neither
// recorded nor replayed. QuickSave (F5), QuickLoad (F9) and Reload (Shift+R)
// act on the whole game after the pass's frame. ToggleFullScreen (F11,
// Alt+Enter) and Screenshot (F12) are the player's and, like the mute, not
// game input: a window backend acts on the first itself, the session saves
// the picture.
enum class WindowEvent : uint8_t {
    None,
    Close,
    Exposed,
    ToggleOverlay,
    ToggleMute,
    QuickSave,
    QuickLoad,
    Reload,
    ToggleFullScreen,
    Screenshot
};
