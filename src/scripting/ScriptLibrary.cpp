#include "scripting/ScriptLibrary.h"

#include "scripting/Script.h"
#include "scripting/ScriptSource.h"
#include "story/Story.h"

#include <string>

CScriptLibrary::CScriptLibrary(const CStory& story) : m_story(story) {}

CScriptLibrary::~CScriptLibrary() = default;

std::string_view CScriptLibrary::PathOf(int number) const {
    return m_story.Scripts().PathOf(number);
}

ScriptReading CScriptLibrary::ReadingOf(const CStory& story) {
    ScriptReading reading{story.Encoding(), nullptr, nullptr};
    if (story.HasManifest()) {
        reading.pictures = &story.Pictures();
        reading.sounds = &story.Sounds();
    }
    return reading;
}

std::unique_ptr<CScript> CScriptLibrary::Load(int number) {
    const std::string_view path = PathOf(number);
    if (path.empty()) return nullptr;
    std::shared_ptr<const CScriptSource>& source = m_sources[number];
    if (!source) source = CScriptSource::Load(std::string(path), ReadingOf(m_story));
    return std::make_unique<CScript>(source);
}
