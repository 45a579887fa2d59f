#include "display/PicturePrefetch.h"

#include "app/Game.h"
#include "display/Displayer.h"
#include "scripting/PictureLookahead.h"
#include "scripting/ScriptManager.h"
#include "story/PictureTable.h"
#include "story/Story.h"

CPicturePrefetch::CPicturePrefetch(CGame& game) : m_game(game) {}

void CPicturePrefetch::Run() {
    m_numbers.clear();
    const CScriptManager& scripts = m_game.GetScriptManager();
    for (const CScript* script : scripts.Running())
        CPictureLookahead::Scan(*script, m_numbers);
    for (const CScript* script : scripts.Waiting())
        CPictureLookahead::Scan(*script, m_numbers);
    if (m_numbers == m_held) return;
    int asked = 0;
    for (int32_t number : m_numbers) {
        const PictureRow* row = m_game.Story().Pictures().Find(number);
        if (!row) continue;
        for (const std::string& file : row->files) {
            if (m_game.GetDisplayer().Prefetch(file)) ++asked;
            if (asked == kMaxFiles) return;
        }
    }
    if (asked == 0) m_held = m_numbers;
}
