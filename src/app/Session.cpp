#include "app/Session.h"

#include "app/Game.h"
#include "app/Log.h"
#include "display/Displayer.h"
#include "input/InputRecorder.h"
#include "platform/Platform.h"
#include "save/ReplayPlatform.h"
#include "save/SaveFile.h"
#include "save/SaveFolder.h"
#include "save/StoryFingerprint.h"
#include "sound/SoundManager.h"
#include "story/Diagnostics.h"
#include "story/Story.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace fs = std::filesystem;

namespace {

// A headless run has no player to end it: without --frames, a story that never
// ends would run flat out for ever (and fill the disk with its dump). It stops
// after about an hour of game time instead, and says so.
constexpr uint32_t kHeadlessFrameLimit = 163'636;

bool IsCommand(const ReplayEvent& event) {
    return event.type == ReplayEvent::Type::Save || event.type == ReplayEvent::Type::Load ||
           event.type == ReplayEvent::Type::Reload;
}

}  // namespace

// One game with everything it borrows; the game is declared last, so it goes first.
struct CSession::Play {
    Options options;
    std::shared_ptr<const CStory> story;
    std::string fingerprint;  // of the story files as this game read them
    std::unique_ptr<CReplayPlatform> platform;
    std::unique_ptr<CGame> game;
};

CSession::CSession(CPlatform& device, const Options& options, std::shared_ptr<const CStory> story,
                   CInputRecorder* recorder)
    : m_device(device), m_options(options), m_firstStory(std::move(story)), m_recorder(recorder) {
    // The saves, loads and reloads of the input file are the session's, not the devices'.
    auto& replay = m_options.platform.replay;
    std::copy_if(replay.begin(), replay.end(), std::back_inserter(m_commands), IsCommand);
    m_storyName = CSaveFolder::StoryName(*m_firstStory);
    m_folder = CSaveFolder::Choose(m_options.savesDir, m_storyName, m_folderError);
}

CSession::~CSession() = default;

CGame& CSession::Game() {
    return *m_play->game;
}

int CSession::Run() {
    Start();
    Loop();
    // Quitting as a player does (Escape, closing the window) keeps the game
    // for --continue. A headless run writes no autosave unless given --saves:
    // tests and tools must not fill the player's folder.
    const bool byPlayer = m_closed || m_play->platform->EscapeSeen();
    const bool wanted = !m_options.platform.headless || !m_options.savesDir.empty();
    if (byPlayer && wanted && Game().ExitStatus() == 0) Autosave();
    Game().Shutdown();
    return Game().ExitStatus();
}

void CSession::Start() {
    fs::path start = m_options.loadFile;
    if (m_options.continueGame) {
        if (!FolderReady()) CLog::Write("tabi: --continue: %s", m_folderError.c_str());
        start = m_folderError.empty() ? CSaveFolder::FileOf(m_folder, CSaveFolder::kAutosave)
                                      : fs::path();
        std::error_code ec;
        if (!start.empty() && !fs::exists(start, ec)) {
            CLog::Write("tabi: --continue: no autosave in %s; the story starts from its beginning",
                        m_folder.c_str());
            start.clear();
        }
    }
    if (!start.empty() && Load(start)) return;
    if (!start.empty()) CLog::Write("tabi: the story starts from its beginning");
    std::string error;
    Adopt(Replay(m_firstStory, {}, 0, error), 0);
}

// One window event per pass, then one frame, then what the pass asked of the
// whole game (a save, a load, a reload), until a quit request: the request is
// seen at the start of the next pass, so the frame of the pass that made it
// still runs.
void CSession::Loop() {
    const bool capped = m_options.platform.headless && m_options.frames == 0;
    while (!Game().QuitRequested()) {
        if (capped && m_pass >= kHeadlessFrameLimit) {
            CLog::Write(
                "tabi: the headless run ended after %u frames without an end of its own; "
                "give --frames to choose",
                kHeadlessFrameLimit);
            break;
        }
        const uint32_t next = m_pass + 1;
        const WindowEvent event = m_device.PollWindowEvent(next);
        ReplayEvent asked;
        const bool isAsked = AskedByWindow(event, asked);
        if (event == WindowEvent::Close) {
            if (m_recorder) m_recorder->RecordClose(next);
            m_closed = true;
            Game().RequestQuit(ExitCode::Normal);
        } else if (event == WindowEvent::ToggleOverlay) {
            Game().GetDisplayer().ToggleOverlay();  // a view only: not recorded
        } else if (event == WindowEvent::ToggleMute) {
            Game().Sound().ToggleMute();  // a setting: not recorded either
        } else if (event == WindowEvent::ToggleFullScreen) {
            m_device.ToggleFullScreen();  // the view again
        } else if (event == WindowEvent::Screenshot) {
            Screenshot();
        }
        Game().Frame();
        m_pass = next;
        if (m_recorder && m_recorder->Failed()) Game().RequestQuit(ExitCode::Failure);
        for (; m_nextCommand < m_commands.size() && m_commands[m_nextCommand].frame <= m_pass;
             ++m_nextCommand)
            Execute(m_commands[m_nextCommand]);
        if (isAsked) {
            if (m_recorder) m_recorder->RecordCommand(asked);
            Execute(asked);
        }
        if (m_options.frames != 0 && Game().FrameNumber() >= m_options.frames) break;
    }
}

bool CSession::AskedByWindow(WindowEvent event, ReplayEvent& command) {
    command.frame = m_pass + 1;
    if (event == WindowEvent::QuickSave || event == WindowEvent::QuickLoad) {
        command.type =
            event == WindowEvent::QuickSave ? ReplayEvent::Type::Save : ReplayEvent::Type::Load;
        command.name = CSaveFolder::kQuickSave;
        return true;
    }
    command.type = ReplayEvent::Type::Reload;
    return event == WindowEvent::Reload;
}

// A game that is ending is not saved or replaced: its quit stands.
void CSession::Execute(const ReplayEvent& command) {
    if (Game().QuitRequested()) return;
    if (command.type == ReplayEvent::Type::Reload) return Reload();
    if (!FolderReady()) {
        CLog::Write("tabi: cannot %s %s: %s",
                    command.type == ReplayEvent::Type::Save ? "save" : "load", command.name.c_str(),
                    m_folderError.c_str());
        return;
    }
    const fs::path path = CSaveFolder::FileOf(m_folder, command.name);
    if (command.type == ReplayEvent::Type::Save)
        Save(path);
    else
        Load(path);
}

// Of this pass's frame, in the saves folder; the wall clock only names the file.
void CSession::Screenshot() {
    std::string error = m_folderError;
    const fs::path path = FolderReady()
                              ? CSaveFolder::NewScreenshot(m_folder, std::time(nullptr), error)
                              : fs::path();
    if (path.empty())
        std::fprintf(stderr, "tabi: no screenshot: %s\n", error.c_str());
    else
        Game().GetDisplayer().TakeScreenshot(path.string());
}

bool CSession::FolderReady() {
    return m_folderError.empty();
}

void CSession::Autosave() {
    if (FolderReady())
        Save(CSaveFolder::FileOf(m_folder, CSaveFolder::kAutosave));
    else
        CLog::Write("tabi: no autosave: %s", m_folderError.c_str());
}

// A save that cannot be written leaves the previous one as it was; the game goes on.
void CSession::Save(const fs::path& path) {
    SaveData data;
    data.title = m_storyName;
    data.story = m_play->fingerprint;
    data.frame = Game().FrameNumber();
    data.input = m_play->platform->Journal().Events();
    std::string error;
    if (CSaveFile::Write(path, data, error))
        CLog::Write("tabi: saved %s at frame %u", path.c_str(), data.frame);
    else
        CLog::Write("tabi: %s; the game goes on", error.c_str());
}

// The story's files are hashed again: the replay reads them as they are now,
// and an edit since the start must refuse a save made before it.
bool CSession::Load(const fs::path& path) {
    SaveData data;
    std::string error;
    const std::shared_ptr<const CStory> story = m_play ? m_play->story : m_firstStory;
    if (CSaveFile::Read(path, data, error)) {
        const std::string now = CStoryFingerprint::Of(*story);
        if (data.story != now && data.title != m_storyName)
            error = path.string() + ": the save belongs to another story (" + data.title + ")";
        else if (data.story != now)
            error = path.string() + ": the story has changed since the save was made";
    }
    std::unique_ptr<Play> play;
    if (error.empty()) {
        play = Replay(story, std::move(data.input), data.frame, error, data.story);
        if (!play) error = path.string() + ": " + error;
    }
    if (!play) {
        CLog::Write("tabi: cannot load %s; the game goes on", error.c_str());
        return false;
    }
    Adopt(std::move(play), data.frame);
    CLog::Write("tabi: loaded %s at frame %u", path.c_str(), data.frame);
    return true;
}

// The story as it is on disk now, replayed with this run's input up to the
// current frame; a story that no longer loads leaves the old one playing.
void CSession::Reload() {
    CDiagnostics findings;
    std::shared_ptr<const CStory> story = CStory::Load(".", findings);
    for (const Diagnostic& finding : findings.All())
        CLog::Write("%s", CDiagnostics::Format(finding).c_str());
    const uint32_t frame = Game().FrameNumber();
    std::string error = "its manifest has an error";
    std::unique_ptr<Play> play;
    if (story) play = Replay(story, m_play->platform->Journal().Events(), frame, error);
    if (!play) {
        CLog::Write("tabi: cannot reload the story: %s; the old one goes on", error.c_str());
        return;
    }
    Adopt(std::move(play), frame);
    CLog::Write("tabi: reloaded the story at frame %u", frame);
}

// Frames 1..frames run whole with nothing presented, their log lines held
// back: they were written when the frames were first played. When the replay
// fails, the lines of the step that failed are written, since they say why.
std::unique_ptr<CSession::Play> CSession::Replay(std::shared_ptr<const CStory> story,
                                                 std::vector<ReplayEvent> history, uint32_t frames,
                                                 std::string& error, std::string fingerprint) {
    auto play = std::make_unique<Play>();
    play->options = m_options;
    play->options.platform.replay.clear();  // the device already has it
    play->options.appendDump = m_dumpStarted;
    m_dumpStarted = true;
    play->story = std::move(story);
    play->fingerprint =
        fingerprint.empty() ? CStoryFingerprint::Of(*play->story) : std::move(fingerprint);
    play->platform = std::make_unique<CReplayPlatform>(m_device, m_devicesOpen, std::move(history));
    play->game = std::make_unique<CGame>(*play->platform, play->options, *play->story);
    CGame& game = *play->game;
    if (frames == 0) {  // a fresh start: its failures end the run, as they always did
        if (game.Init())
            m_devicesOpen = true;
        else
            game.RequestQuit(ExitCode::Failure);
        return play;
    }
    std::vector<std::string> lines;
    size_t stepLines = 0;
    CLog::CaptureTo(&lines);
    const bool started = game.Init() && !game.QuitRequested();
    if (started) m_devicesOpen = true;
    game.SetPresenting(false);
    while (started && game.FrameNumber() < frames && !game.QuitRequested()) {
        stepLines = lines.size();
        game.Frame();
    }
    const bool replayed = started && !game.QuitRequested();
    if (!replayed) {
        error = !started ? "the story cannot start"
                         : "the story ends at frame " + std::to_string(game.FrameNumber()) +
                               " of the " + std::to_string(frames) + " to replay";
        play.reset();  // its shutdown's lines are held back too
    }
    CLog::CaptureTo(nullptr);
    if (replayed) {
        game.SetPresenting(true);
        return play;
    }
    for (size_t i = stepLines; i < lines.size(); ++i)
        CLog::Write("%s", lines[i].c_str());
    return nullptr;
}

void CSession::Adopt(std::unique_ptr<Play> play, uint32_t frame) {
    m_play = std::move(play);
    m_play->platform->GoLive(frame, m_pass);
    Game().SetInputRecorder(m_recorder);
    if (m_recorder) m_recorder->SetFrameShift(m_pass - frame);
}
