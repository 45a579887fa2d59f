#pragma once
#include <span>
#include <string_view>

// The known key a mistyped one most likely meant: the closest by edit
// distance (a swap of two neighbours counts as one edit, case is ignored),
// if it is at most two edits away and closer than the key is long. Empty
// when none is.
std::string_view NearestKey(std::string_view key, std::span<const std::string_view> known);
