#pragma once
#include <cstdint>

// The fixed area every game position is measured in, in pixels (origin top
// left, y downwards). The displayer centres it on the back buffer, the input
// manager maps the pointer into it, and the camera keeps the hero at its middle.
constexpr int32_t kLayoutWidth = 1280;
constexpr int32_t kLayoutHeight = 720;
