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

    Register(m_modes, std::make_unique<CModeRPGNormal>(*this), "RPGNormal");
    Register(m_modes, std::make_unique<CModeGalNormal>(*this), "GalNormal");
    Register(m_controllers, std::make_unique<CControllerRPGNormal>(*this), "ControllerRPGNormal");
    Register(m_controllers, std::make_unique<CControllerDialogue>(*this), "Dialogue");
    Register(m_controllers, std::make_unique<CControllerCamera>(*this), "Camera");

    if (!m_scripts->Start()) return false;
    ChangeMode(kModeRPG);
    return true;
}

template <typename T, typename U>
void CGame::Register(CRegistry<T>& registry, std::unique_ptr<U> object, std::string_view name) {
    object->SetName(name);
    registry.Add(std::move(object));
}

void CGame::ChangeMode(uint8_t mode) {
    m_runState = RunState::ModeChangePending;
    m_requestedMode = mode;
}

void CGame::RequestQuit(ExitCode code) {
    m_quitRequested = true;
    if (code == ExitCode::Failure) m_exitCode = ExitCode::Failure;
}

CController* CGame::FindController(std::string_view name) {
    return m_mainController ? m_mainController->Find(name) : nullptr;
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
        m_currentMode = m_modes.Find("RPGNormal");
        m_mainController = m_controllers.Find("ControllerRPGNormal");
        if (m_mainController) {
            m_mainController->AddChild(m_controllers.Find("Dialogue"));
            m_mainController->AddChild(m_controllers.Find("Camera"));
        }
    } else if (m_requestedMode == kModeGal) {
        m_currentMode = m_modes.Find("GalNormal");
        m_mainController = m_controllers.Find("Dialogue");
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
}

// The registries' objects hold sprites and fonts that the displayer made, so
// they go before it. The script manager outlives them: a mode that empties its
// scene stops the hero, which raises an event, and every script a mode or an
// entity destroys is first taken out of the manager's lists.
void CGame::Shutdown() {
    if (m_mainController) m_mainController->Detach();
    m_mainController = nullptr;
    m_currentMode = nullptr;
    m_controllers.Clear();
    m_modes.Clear();
    m_scripts.reset();
    m_displayer.reset();
    m_input.reset();
    m_sound.reset();
    m_database.reset();
    m_globalState.reset();
}
