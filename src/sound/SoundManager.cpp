#include "sound/SoundManager.h"

#include "app/DeviceFailure.h"
#include "app/Game.h"
#include "app/Log.h"
#include "app/Options.h"
#include "platform/Platform.h"
#include "sound/SoundFileCheck.h"
#include "story/Story.h"

#include <string>

CSoundManager::CSoundManager(CGame& game)
    : m_game(game), m_volume(game.GetOptions().volume), m_muted(game.GetOptions().muted) {}

bool CSoundManager::Init() {
    std::string error;
    if (!m_game.Platform().OpenAudio(error)) {
        ReportDeviceFailure(m_game, DeviceFailure::Audio, error);
        return false;
    }
    ApplyVolume();
    return true;
}

CAudioOut& CSoundManager::Audio() {
    return m_game.Platform().Audio();
}

// Playing the same music again does not restart it: a room's script that
// starts its music on every visit keeps it flowing.
void CSoundManager::PlayMusic(int32_t number) {
    if (m_music == number) return;
    const std::string* file = PlayableFile("PlayMusic", number, false);
    if (!file) return;
    StopMusic();
    m_music = number;
    Record({SoundEvent::Kind::MusicPlay, number, *file});
    std::string error;
    if (!Audio().PlayMusic(*file, error))
        CLog::Write("CSoundManager::PlayMusic() sound %d: %s: %s", number, file->c_str(),
                    error.c_str());
}

void CSoundManager::StopMusic() {
    if (!m_music) return;
    const SoundRow* row = m_game.Story().Sounds().Find(*m_music);
    Record({SoundEvent::Kind::MusicStop, *m_music, row ? row->file : std::string()});
    m_music.reset();
    Audio().StopMusic();
}

void CSoundManager::PlaySound(int32_t number) {
    const std::string* file = PlayableFile("PlaySound", number, true);
    if (!file) return;
    Record({SoundEvent::Kind::Effect, number, *file});
    std::string error;
    if (!Audio().PlaySound(*file, error))
        CLog::Write("CSoundManager::PlaySound() sound %d: %s: %s", number, file->c_str(),
                    error.c_str());
}

// The file of the sound, or null (and one log line) when there is none to
// play. A file is checked once; the verdict stands for the run.
const std::string* CSoundManager::PlayableFile(const char* operation, int32_t number, bool effect) {
    const SoundRow* row = m_game.Story().Sounds().Find(number);
    if (!row || row->file.empty()) {
        CLog::Write("CSoundManager::%s() No %d", operation, number);
        return nullptr;
    }
    const std::string key = (effect ? "effect:" : "music:") + row->file;
    auto verdict = m_verdicts.find(key);
    if (verdict == m_verdicts.end())
        verdict = m_verdicts.emplace(key, CSoundFileCheck::Check(row->file, effect)).first;
    if (verdict->second.empty()) return &row->file;
    CLog::Write("CSoundManager::%s() sound %d: %s %s", operation, number, row->file.c_str(),
                verdict->second.c_str());
    return nullptr;
}

void CSoundManager::Record(SoundEvent event) {
    if (m_eventFrame != m_game.FrameNumber()) {
        m_eventFrame = m_game.FrameNumber();
        m_events.clear();
    }
    m_events.push_back(std::move(event));
}

const std::vector<SoundEvent>& CSoundManager::EventsOf(uint32_t frame) const {
    static const std::vector<SoundEvent> kNone;
    return frame == m_eventFrame ? m_events : kNone;
}

void CSoundManager::ToggleMute() {
    m_muted = !m_muted;
    ApplyVolume();
}

void CSoundManager::ApplyVolume() {
    Audio().SetVolume(m_muted ? 0 : m_volume);
}
