#pragma once
#include "platform/ReplayEvent.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// What a save holds: the game is deterministic, so the input its polls saw up
// to a frame, replayed on the same story, rebuilds that frame exactly.
struct SaveData {
    std::string title;  // the story's name, as its save folder has it
    std::string story;  // the story's fingerprint when the save was made
    uint32_t frame = 0;
    std::vector<ReplayEvent> input;  // motion, press and release only, frames 1..frame
};

// The save file: a text file led by its format version, closed by a check
// sum of everything before it, written to a temporary file and renamed over
// the old save, so a crash leaves either the old save or the new one whole.
//   tabi save 1 / title <name> / story <fingerprint> / frame <N> / <input lines> / end <sha-256>
class CSaveFile {
public:
    static constexpr int kVersion = 1;

    static std::string Format(const SaveData& data);
    // False, with `error` saying what is wrong with the text (no path), when
    // it is no whole save of this version; `data` is then left as it was.
    static bool Parse(std::string_view text, SaveData& data, std::string& error);

    static bool Write(const std::filesystem::path& path, const SaveData& data, std::string& error);
    static bool Read(const std::filesystem::path& path, SaveData& data, std::string& error);
};
