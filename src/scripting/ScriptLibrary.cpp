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

std::unique_ptr<CScript> CScriptLibrary::Load(int number) {
    const std::string_view path = PathOf(number);
    if (path.empty()) return nullptr;
    std::shared_ptr<const CScriptSource>& source = m_sources[number];
    if (!source) {
        ScriptReading reading{m_story.Encoding(), nullptr, nullptr};
        if (m_story.HasManifest()) {
            reading.pictures = &m_story.Pictures();
            reading.sounds = &m_story.Sounds();
        }
        source = CScriptSource::Load(std::string(path), reading);
    }
    return std::make_unique<CScript>(source);
}
