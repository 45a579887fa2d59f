#pragma once
#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// What one run of the engine left behind.
struct RunResult {
    int exitCode = -1;
    std::string log;                   // log.txt, whole
    std::string errors;                // stderr, when the run was a separate process
    std::string output;                // stdout, likewise
    std::vector<nlohmann::json> dump;  // one object per Render: {"frame":N,"items":[...]}

    std::vector<std::string> LogLines() const;
    // The dump line of frame N, or null when that frame rendered nothing.
    const nlohmann::json* Frame(uint32_t frame) const;
};

// A story folder in a fresh temporary directory (script/ and image/), removed
// afterwards, and ways to run the engine on it headless as a story author would.
// It starts with what every story needs: the pictures of the pointer (sprite
// 1000) and the dialogue frame (sprite 1001), as tiny placeholders, and an
// empty start script.
class CTempStory {
public:
    CTempStory();
    // Writes placeholder pictures for every file of image-table numbers.
    void WriteSpriteImages(int number) const;
    void WriteSpriteImages(std::initializer_list<int> numbers) const;
    ~CTempStory();
    CTempStory(const CTempStory&) = delete;
    CTempStory& operator=(const CTempStory&) = delete;

    const std::filesystem::path& Dir() const { return m_dir; }
    std::string Path(std::string_view relative) const { return (m_dir / relative).string(); }

    void WriteFile(std::string_view relative, std::string_view bytes) const;
    void WriteScript(std::string_view name, std::string_view text) const;  // script/<name>
    void WriteImage(std::string_view relative, int width, int height,
                    uint32_t argb = 0xFFFFFFFF) const;
    void WriteInput(std::string_view text) const;  // used by the next runs
    void CopyDemo() const;                         // the demo's scripts and pictures
    std::string ReadFile(std::string_view relative) const;

    // tabi --data DIR --headless --frames N --dump DIR/dump.jsonl [--input DIR/input.txt] extra...
    // run in this process.
    RunResult RunHeadless(uint32_t frames, const std::vector<std::string>& extra = {}) const;
    // Writes `start` as script/start.txt, then runs headless.
    RunResult Play(std::string_view start, uint32_t frames,
                   const std::vector<std::string>& extra = {}) const;
    // The same through the tabi binary, for exit codes and stderr.
    RunResult RunBinary(const std::vector<std::string>& args) const;

private:
    RunResult Collect(int exitCode) const;

    std::filesystem::path m_dir;
};
