#include "support/GameHarness.h"

#include "app/Log.h"
#include "input/InputFile.h"
#include "platform/Platform.h"
#include "story/Story.h"
#include "support/TempStory.h"

#include <stdexcept>

CGameHarness::CGameHarness(const CTempStory& story) : CGameHarness(story, CStory::BuiltIn()) {}

CGameHarness::CGameHarness(const CTempStory& folder, const CStory& story)
    : m_previousDir(std::filesystem::current_path()), m_folder(folder) {
    std::filesystem::current_path(folder.Dir());
    CLog::Open("log.txt");
    m_options.platform.headless = true;
    std::string error;
    if (std::filesystem::exists("input.txt") &&
        !CInputFile::Read("input.txt", m_options.platform.replay, error))
        throw std::runtime_error(error);
    m_platform = CreatePlatform(m_options.platform);
    if (!m_platform->Init(error) || !m_platform->CreateWindow(error))
        throw std::runtime_error("headless platform: " + error);
    m_game = std::make_unique<CGame>(*m_platform, m_options, story);
    if (!m_game->Init()) {
        std::filesystem::current_path(m_previousDir);  // the destructor will not run
        throw std::runtime_error("the game did not start");
    }
}

CGameHarness::~CGameHarness() {
    m_game.reset();
    m_platform.reset();
    CLog::Close();
    std::filesystem::current_path(m_previousDir);
}

void CGameHarness::RunFrames(uint32_t count) {
    for (uint32_t i = 0; i < count; ++i)
        m_game->Frame();
}

std::string CGameHarness::Log() const {
    return m_folder.ReadFile("log.txt");
}
