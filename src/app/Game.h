#pragma once
#include "app/Registry.h"

#include <cstdint>
#include <memory>

class CPlatform;
class CGlobalState;
class CDatabase;
class CDisplayer;
class CInputManager;
class CInputRecorder;
class CSoundManager;
class CScriptManager;
class CHandleRegistry;
class CController;
class CControllerRPGNormal;
class CControllerDialogue;
class CControllerCamera;
class CMode;
class CModeRPGNormal;
class CModeGalNormal;
class CStory;
class CPicturePrefetch;
struct Options;

enum class ExitCode : int { Normal = 0, Failure = 1 };

// The one game object: creates and owns every manager, both modes and the three
// controllers (in two registries), and runs the game a frame at a time.
// Everything else reaches the managers, the current mode and the active
// controllers through it. It borrows the story (its tables and encoding),
// which the entry point loaded and keeps until the game is gone.
class CGame {
public:
    static constexpr uint8_t kModeRPG = 0;
    static constexpr uint8_t kModeGal = 8;
    static constexpr uint32_t kFrameMs = 22;

    CGame(CPlatform& platform, const Options& options, const CStory& story);
    // A story without a manifest: the engine's own tables.
    CGame(CPlatform& platform, const Options& options);
    CGame(CPlatform&&, const Options&) = delete;
    CGame(CPlatform&, const Options&, CStory&&) = delete;
    CGame(const CGame&) = delete;
    CGame& operator=(const CGame&) = delete;
    ~CGame();

    // False when a manager could not start and the program must end at once.
    bool Init();
    void Frame();
    void Shutdown();

    // Takes effect at the start of the next frame; the later request wins.
    void ChangeMode(uint8_t mode);

    // The message loop ends at its next pass. A failure's code outranks a
    // normal end requested in the same run.
    void RequestQuit(ExitCode code);
    bool QuitRequested() const { return m_quitRequested; }
    int ExitStatus() const { return static_cast<int>(m_exitCode); }

    // Number of Frame calls so far, the one running included (1 for the first).
    uint32_t FrameNumber() const { return m_frameNumber; }

    CPlatform& Platform() { return m_platform; }
    const Options& GetOptions() const { return m_options; }
    const CStory& Story() const { return m_story; }
    CDisplayer& GetDisplayer() { return *m_displayer; }
    CDatabase& GetDatabase() { return *m_database; }
    CSoundManager& Sound() { return *m_sound; }
    CScriptManager& GetScriptManager() { return *m_scripts; }
    CHandleRegistry& Handles() { return *m_handles; }
    CGlobalState& GlobalState() { return *m_globalState; }
    CMode* GetMode() { return m_currentMode; }
    CController* GetController() { return m_mainController; }
    // The current mode as what it is; null while the other mode is current.
    CModeRPGNormal* Scene() const;
    CModeGalNormal* Pictures() const;
    // Links of the active chain only: null when the current chain lacks them
    // (the picture-novel chain is the dialogue controller alone).
    CControllerRPGNormal* HeroController() const;
    CControllerDialogue* Dialogue() const;
    CControllerCamera* Camera() const;
    void SetInputRecorder(CInputRecorder* recorder) { m_recorder = recorder; }
    // Off while a load or reload replays input: frames run whole but nothing
    // is drawn, dumped or screenshot.
    void SetPresenting(bool presenting) { m_presenting = presenting; }
    bool IsPresenting() const { return m_presenting; }
    CInputRecorder* InputRecorder() { return m_recorder; }

private:
    enum class RunState : uint8_t { NotStarted = 0, Running = 2, ModeChangePending = 3 };

    template <typename T>
    T* InActiveChain(T* link) const;
    void RunFrame();
    void ApplyModeChange();
    void PaceFrame();
    void Prefetch();

    CPlatform& m_platform;
    const Options& m_options;
    const CStory& m_story;
    std::unique_ptr<CHandleRegistry> m_handles;
    std::unique_ptr<CGlobalState> m_globalState;
    std::unique_ptr<CDisplayer> m_displayer;
    std::unique_ptr<CInputManager> m_input;
    std::unique_ptr<CSoundManager> m_sound;
    CController* m_mainController = nullptr;  // borrowed from m_controllers
    std::unique_ptr<CScriptManager> m_scripts;
    CMode* m_currentMode = nullptr;  // borrowed from m_modes
    std::unique_ptr<CDatabase> m_database;
    CRegistry<CController> m_controllers;
    CRegistry<CMode> m_modes;
    // Borrowed from the registries, which own them from Init to Shutdown.
    CModeRPGNormal* m_scene = nullptr;
    CModeGalNormal* m_pictures = nullptr;
    CControllerRPGNormal* m_hero = nullptr;
    CControllerDialogue* m_dialogue = nullptr;
    CControllerCamera* m_camera = nullptr;
    CInputRecorder* m_recorder = nullptr;          // borrowed: the entry point owns it
    std::unique_ptr<CPicturePrefetch> m_prefetch;  // null with --no-decode-ahead

    RunState m_runState = RunState::NotStarted;
    uint8_t m_requestedMode = 0;
    uint32_t m_frameNumber = 0;
    bool m_paced = false;  // false until the first running frame stores its tick
    uint32_t m_lastTick = 0;
    bool m_quitRequested = false;
    bool m_presenting = true;
    ExitCode m_exitCode = ExitCode::Normal;
};
