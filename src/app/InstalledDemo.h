#pragma once
#include <filesystem>
#include <vector>

// The demo story `make install` puts beside the engine, played when tabi is
// started with no --data in a folder that holds no story (as a desktop menu
// starts it). Looked for next to the executable first, so an installed tree
// still works when moved or unpacked under another prefix, then under the
// prefix the engine was configured with.
class CInstalledDemo {
public:
    // Where the demo may be, in the order tried.
    static std::vector<std::filesystem::path> Candidates();
    // The first candidate that holds a story; empty when none does.
    static std::filesystem::path Find();
    // A story folder has a script/ folder or a story.toml of its own.
    static bool HoldsStory(const std::filesystem::path& folder);
};
