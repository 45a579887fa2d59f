#pragma once
#include <cstdint>
#include <limits>

// Truncation toward zero that stays defined for any float: values beyond the
// int32 range (a script may place things anywhere) are clamped to it.
inline int32_t TruncToInt32(float value) {
    if (!(value > -2147483648.0f)) return std::numeric_limits<int32_t>::min();
    if (!(value < 2147483648.0f)) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}
