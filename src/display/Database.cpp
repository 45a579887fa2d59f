#include "display/Database.h"

#include "scripting/Script.h"
#include "scripting/ScriptLibrary.h"

CDatabase::CDatabase(CGame& game) : m_game(game), m_scripts(std::make_unique<CScriptLibrary>()) {}

CDatabase::~CDatabase() = default;

std::unique_ptr<CScript> CDatabase::LoadScript(int number) {
    return m_scripts->Load(number);
}
