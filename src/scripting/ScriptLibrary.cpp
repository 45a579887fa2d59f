#include "scripting/ScriptLibrary.h"

#include "scripting/Script.h"
#include "scripting/ScriptSource.h"

#include <string>

namespace {

struct ScriptFile {
    int number;
    std::string_view path;
};
constexpr ScriptFile kScriptFiles[] = {
    {0, "script/start.txt"},    {1, "script/script01.txt"}, {2, "script/script02.txt"},
    {3, "script/script03.txt"}, {4, "script/script04.txt"}, {10, "script/script10.txt"},
};

}  // namespace

CScriptLibrary::~CScriptLibrary() = default;

std::string_view CScriptLibrary::PathOf(int number) {
    for (const ScriptFile& file : kScriptFiles)
        if (file.number == number) return file.path;
    return {};
}

std::unique_ptr<CScript> CScriptLibrary::Load(int number) {
    const std::string_view path = PathOf(number);
    if (path.empty()) return nullptr;
    std::shared_ptr<const CScriptSource>& source = m_sources[number];
    if (!source) source = CScriptSource::Load(std::string(path));
    return std::make_unique<CScript>(source);
}
