#pragma once
#include "app/Options.h"
#include "platform/ReplayEvent.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class CPlatform;
class CStory;
class CGame;
class CInputRecorder;

// One run as the player sees it: the game being played, replaced by a new
// one when a save is loaded or the story reloaded. A new game is built beside
// the old one and replays input to its frame; only when that succeeds does it
// take the old one's place, so a refused load or a broken reload leaves the
// game as it was. Runs the message loop and writes the saves. Made and owned
// by the entry point, on the platform it made.
class CSession {
public:
    CSession(CPlatform& device, const Options& options, std::shared_ptr<const CStory> story,
             CInputRecorder* recorder);
    CSession(CPlatform&&, const Options&, std::shared_ptr<const CStory>, CInputRecorder*) = delete;
    CSession(const CSession&) = delete;
    CSession& operator=(const CSession&) = delete;
    ~CSession();

    // Starts (from --load or --continue when asked), plays until the end and
    // returns the exit code.
    int Run();

private:
    struct Play;

    void Start();
    void Loop();
    bool AskedByWindow(WindowEvent event, ReplayEvent& command);
    void Execute(const ReplayEvent& command);
    void Save(const std::filesystem::path& path);
    bool Load(const std::filesystem::path& path);
    void Reload();
    void Autosave();
    void Screenshot();
    // `fingerprint`: the story's, when the caller has just taken it.
    std::unique_ptr<Play> Replay(std::shared_ptr<const CStory> story,
                                 std::vector<ReplayEvent> history, uint32_t frames,
                                 std::string& error, std::string fingerprint = {});
    void Adopt(std::unique_ptr<Play> play, uint32_t frame);
    bool FolderReady();
    CGame& Game();

    CPlatform& m_device;  // borrowed: the entry point keeps it until the session is gone
    Options m_options;
    std::shared_ptr<const CStory> m_firstStory;
    CInputRecorder* m_recorder;  // borrowed, may be null
    std::unique_ptr<Play> m_play;
    std::vector<ReplayEvent> m_commands;  // the input file's saves, loads and reloads
    size_t m_nextCommand = 0;
    std::filesystem::path m_folder;
    std::string m_folderError;
    std::string m_storyName;
    uint32_t m_pass = 0;  // the session's frame: message-loop passes so far
    bool m_devicesOpen = false;
    bool m_dumpStarted = false;
    bool m_closed = false;
};
