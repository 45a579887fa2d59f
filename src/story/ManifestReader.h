#pragma once
#include <string_view>

class CStory;
class CDiagnostics;

// Reads a story's manifest (TOML) into the story: its title, its encoding, and
// the rows it adds to or replaces in the script and picture tables. Every
// mistake goes to the diagnostics with its line and column in the manifest
// (unknown keys with the nearest known one); the story is only usable when
// none of them is an error.
class CManifestReader {
public:
    static void Read(std::string_view text, CStory& story, CDiagnostics& out);
};
