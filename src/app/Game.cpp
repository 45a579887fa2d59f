#include "app/Game.h"

#include "app/GlobalState.h"
#include "app/HandleRegistry.h"
#include "app/Log.h"
#include "app/Options.h"
#include "controllers/Controller.h"
#include "controllers/ControllerCamera.h"
#include "controllers/ControllerDialogue.h"
#include "controllers/ControllerRPGNormal.h"
#include "display/Database.h"
#include "display/Displayer.h"
#include "display/PicturePrefetch.h"
#include "input/InputManager.h"
#include "platform/Platform.h"
#include "scripting/ScriptManager.h"
#include "sound/SoundManager.h"
#include "story/Story.h"
#include "world/Mode.h"
#include "world/ModeGalNormal.h"
#include "world/ModeRPGNormal.h"

CGame::CGame(CPlatform& platform, const Options& options, const CStory& story)
    : m_platform(platform),
      m_options(options),
      m_story(story),
      m_handles(std::make_unique<CHandleRegistry>()) {}

CGame::CGame(CPlatform& platform, const Options& options)
    : CGame(platform, options, CStory::BuiltIn()) {}

CGame::~CGame() {
    Shutdown();
}

// The order is load-bearing: the database exists before the controllers (whose
// constructors load sprites through it), the back buffer before anything makes
// textures or fonts, and the script manager comes last, so the first script
// command runs in the second frame, after the first mode change built the chain.
bool CGame::Init() {
    m_globalState = std::make_unique<CGlobalState>();
    m_database = std::make_unique<CDatabase>(*this);
    m_displayer = std::make_unique<CDisplayer>(*this);
    m_displayer->Init();
    m_input = std::make_unique<CInputManager>(*this);
    if (!m_input->Init()) return false;
    m_sound = std::make_unique<CSoundManager>(*this);
    if (!m_sound->Init()) return false;
    // Made before the modes and controllers: their scripts and entities tell it
    // when they go; it runs nothing until Start.
    m_scripts = std::make_unique<CScriptManager>(*this);

    m_scene = m_modes.Add(std::make_unique<CModeRPGNormal>(*this));
    m_pictures = m_modes.Add(std::make_unique<CModeGalNormal>(*this));
    m_hero = m_controllers.Add(std::make_unique<CControllerRPGNormal>(*this));
    m_dialogue = m_controllers.Add(std::make_unique<CControllerDialogue>(*this));
    m_camera = m_controllers.Add(std::make_unique<CControllerCamera>(*this));

    if (!m_scripts->Start()) return false;
    ChangeMode(kModeRPG);
    if (m_options.decodeAhead) m_prefetch = std::make_unique<CPicturePrefetch>(*this);
    Prefetch();
    return true;
}

// After each frame, while the frame's wait leaves the workers time.
void CGame::Prefetch() {
    if (m_prefetch) m_prefetch->Run();
}

void CGame::ChangeMode(uint8_t mode) {
    m_runState = RunState::ModeChangePending;
    m_requestedMode = mode;
}

void CGame::RequestQuit(ExitCode code) {
    m_quitRequested = true;
    if (code == ExitCode::Failure) m_exitCode = ExitCode::Failure;
}

CModeRPGNormal* CGame::Scene() const {
    return m_currentMode && m_currentMode == m_scene ? m_scene : nullptr;
}

CModeGalNormal* CGame::Pictures() const {
    return m_currentMode && m_currentMode == m_pictures ? m_pictures : nullptr;
}

template <typename T>
T* CGame::InActiveChain(T* link) const {
    return link && m_mainController && m_mainController->Reaches(*link) ? link : nullptr;
}

CControllerRPGNormal* CGame::HeroController() const {
    return InActiveChain(m_hero);
}

CControllerDialogue* CGame::Dialogue() const {
    return InActiveChain(m_dialogue);
}

CControllerCamera* CGame::Camera() const {
    return InActiveChain(m_camera);
}

void CGame::Frame() {
    ++m_frameNumber;
    switch (m_runState) {
        case RunState::Running:
            RunFrame();
            break;
        case RunState::ModeChangePending:
            ApplyModeChange();
            break;
        default:
            RequestQuit(ExitCode::Failure);
            break;
    }
}

void CGame::RunFrame() {
    m_input->Poll();
    m_scripts->Update();
    if (m_mainController) {
        m_mainController->Update();
        m_mainController->Draw();
    }
    m_displayer->Render();
    Prefetch();
    PaceFrame();
}

// At least kFrameMs between running frames. The platform sleeps (the headless
// clock just jumps), so an idle game does not burn a core. The first running
// frame does not wait.
void CGame::PaceFrame() {
    if (m_paced) m_platform.WaitUntil(m_lastTick + kFrameMs);
    m_lastTick = m_platform.Ticks();
    m_paced = true;
}

// A mode-change frame does nothing else: no input, scripts, drawing or pacing.
void CGame::ApplyModeChange() {
    if (m_mainController) m_mainController->Detach();
    if (m_requestedMode == kModeRPG) {
        m_currentMode = m_scene;
        m_mainController = m_hero;
        if (m_mainController) {
            m_mainController->AddChild(m_dialogue);
            m_mainController->AddChild(m_camera);
        }
    } else if (m_requestedMode == kModeGal) {
        m_currentMode = m_pictures;
        m_mainController = m_dialogue;
    } else {
        // An unknown mode ends the program; the old chain stays detached.
        CLog::Write(
            "CGame::ChangeMode() unknown mode %u: only 0 (RPGNormal) and 8 (GalNormal) "
            "exist; the run ends",
            static_cast<unsigned>(m_requestedMode));
        RequestQuit(ExitCode::Failure);
        return;
    }
    if (m_mainController) m_mainController->SetMode(m_currentMode);
    m_runState = RunState::Running;
    Prefetch();
}

// The registries' objects hold sprites and fonts that the displayer made, so
// they go before it. The script manager outlives them: a mode that empties its
// scene stops the hero, which raises an event, and every script a mode or an
// entity destroys is first taken out of the manager's lists.
void CGame::Shutdown() {
    if (m_mainController) m_mainController->Detach();
    m_mainController = nullptr;
    m_currentMode = nullptr;
    m_hero = nullptr;
    m_dialogue = nullptr;
    m_camera = nullptr;
    m_scene = nullptr;
    m_pictures = nullptr;
    m_controllers.Clear();
    m_modes.Clear();
    m_scripts.reset();
    m_displayer.reset();
    m_input.reset();
    m_sound.reset();
    m_database.reset();
    m_globalState.reset();
}
