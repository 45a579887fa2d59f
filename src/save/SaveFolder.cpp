#include "save/SaveFolder.h"

#include "story/Story.h"

#include <cstdlib>
#include <ctime>

namespace fs = std::filesystem;

namespace {

constexpr size_t kMaxNameBytes = 100;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

fs::path CSaveFolder::Choose(const std::string& chosen, const std::string& storyName,
                             std::string& error) {
    if (!chosen.empty()) return chosen;
    fs::path data = Environment("XDG_DATA_HOME");
    if (data.empty() || !data.is_absolute()) {
        const std::string home = Environment("HOME");
        if (home.empty()) {
            error = "neither XDG_DATA_HOME nor HOME is set: give --saves DIR";
            return {};
        }
        data = fs::path(home) / ".local" / "share";
    }
    return data / "tabi" / storyName / "saves";
}

std::string CSaveFolder::StoryName(const CStory& story) {
    if (story.HasManifest() && story.Title() != CStory::kDefaultTitle)
        return SafeName(story.Title());
    std::error_code ec;
    return SafeName(fs::current_path(ec).filename().string());
}

std::string CSaveFolder::SafeName(std::string_view text) {
    std::string name;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unsafe = c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F ||
                            (name.empty() && (c == '.' || c == ' '));
        name.push_back(unsafe ? '_' : c);
    }
    if (name.size() > kMaxNameBytes) {
        size_t cut = kMaxNameBytes;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;  // never inside a UTF-8 character
        name.resize(cut);
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    return name.empty() ? "story" : name;
}

fs::path CSaveFolder::FileOf(const fs::path& folder, std::string_view name) {
    return folder / (std::string(name) + ".save");
}

// A second screenshot within the same second gets "-2", then "-3", and so on.
fs::path CSaveFolder::NewScreenshot(const fs::path& folder, std::time_t now, std::string& error) {
    const fs::path shots = folder / "screenshots";
    std::error_code ec;
    fs::create_directories(shots, ec);
    if (ec) {
        error = "cannot make " + shots.string() + ": " + ec.message();
        return {};
    }
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", &local);
    fs::path file = shots / (std::string(stamp) + ".png");
    for (int n = 2; fs::exists(file, ec) && n < 1000; ++n)
        file = shots / (std::string(stamp) + "-" + std::to_string(n) + ".png");
    return file;
}
