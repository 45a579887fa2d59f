#pragma once
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

class CStory;

// Where a story's saves live and what they are called: --saves DIR, or
// $XDG_DATA_HOME/tabi/<story>/saves (~/.local/share when XDG_DATA_HOME is
// unset or not absolute), <story> being the manifest's title or else the
// story folder's name, made safe for a file name. A save NAME is the file
// NAME.save there.
class CSaveFolder {
public:
    static constexpr const char* kQuickSave = "quick";
    static constexpr const char* kAutosave = "autosave";

    // Empty, with `error` saying why, when there is no home folder to use.
    static std::filesystem::path Choose(const std::string& chosen, const std::string& storyName,
                                        std::string& error);
    // The manifest's title, or else the working directory's name, made safe.
    static std::string StoryName(const CStory& story);
    // No slash, control character or leading dot; at most 100 bytes, cut
    // between UTF-8 characters; "story" when nothing is left.
    static std::string SafeName(std::string_view text);
    static std::filesystem::path FileOf(const std::filesystem::path& folder, std::string_view name);
    // A file for a new screenshot taken at `now`: screenshots/ in the saves
    // folder (made if missing), named by the local date and time. Empty, with
    // `error` saying why, when the folder cannot be made.
    static std::filesystem::path NewScreenshot(const std::filesystem::path& folder, std::time_t now,
                                               std::string& error);
};
