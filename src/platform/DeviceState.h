#pragma once
#include <cstdint>

// What one input poll reads off the devices: the mouse's relative motion since
// the previous poll, the left button and the Escape key as they are now.
struct DeviceState {
    int32_t dx = 0;
    int32_t dy = 0;
    bool leftButton = false;
    bool escape = false;
};

// The window messages the message loop handles, one per pass. ToggleOverlay
// is the author's key (F1) for the development overlay: a view, not game
// input, so it is neither recorded nor replayed.
enum class WindowEvent : uint8_t { None, Close, Exposed, ToggleOverlay };
