#include "world/ModeGalNormal.h"

#include "app/Game.h"
#include "app/Log.h"
#include "display/Sprite.h"
#include "story/Story.h"

#include <algorithm>

CModeGalNormal::CModeGalNormal(CGame& game) : CMode(game, kName) {}

CModeGalNormal::~CModeGalNormal() = default;

void CModeGalNormal::AddSprite(std::unique_ptr<CSprite> sprite) {
    if (sprite) m_sprites.push_back(std::move(sprite));
}

CSprite* CModeGalNormal::GetSprite(std::string_view name) const {
    const std::string_view kept = CSprite::CutName(name, m_game.Story().Encoding());
    for (const auto& sprite : m_sprites)
        if (sprite->Name() == kept) return sprite.get();
    return nullptr;
}

void CModeGalNormal::DeleteSprite(const CSprite* sprite) {
    const auto found = std::find_if(m_sprites.begin(), m_sprites.end(),
                                    [sprite](const auto& s) { return s.get() == sprite; });
    if (found == m_sprites.end()) return;
    CLog::Write("Sprite Deleted");
    m_sprites.erase(found);
}

void CModeGalNormal::Clean() {
    m_sprites.clear();
}

void CModeGalNormal::Draw() {
    for (const auto& sprite : m_sprites)
        Submit(std::make_unique<RenderItem>(sprite->MakeItem(sprite->m_x, sprite->m_y)));
}
