#include "sound/SoundManager.h"

#include "app/DeviceFailure.h"
#include "app/Game.h"
#include "platform/Platform.h"

#include <string>

bool CSoundManager::Init() {
    std::string error;
    if (m_game.Platform().OpenAudio(error)) return true;
    ReportDeviceFailure(m_game, DeviceFailure::Audio, error);
    return false;
}
