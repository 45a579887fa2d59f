#include "display/Database.h"

#include "app/Game.h"
#include "app/Log.h"
#include "display/Displayer.h"
#include "display/Sprite.h"
#include "scripting/Script.h"
#include "scripting/ScriptLibrary.h"
#include "story/Story.h"

CDatabase::CDatabase(CGame& game)
    : m_game(game), m_scripts(std::make_unique<CScriptLibrary>(game.Story())) {}

CDatabase::~CDatabase() = default;

std::unique_ptr<CScript> CDatabase::LoadScript(int number) {
    return m_scripts->Load(number);
}

std::unique_ptr<CSprite> CDatabase::LoadSprite(int number) {
    auto sprite = std::make_unique<CSprite>(m_game.Handles());
    const PictureRow* row = m_game.Story().Pictures().Find(number);
    if (!row) {
        CLog::Write("CDatabase::LoadSprite No %d", number);
        return sprite;
    }
    CDisplayer& displayer = m_game.GetDisplayer();
    for (const std::string& file : row->files)
        sprite->AddImage(displayer.LoadTexture(file));
    sprite->SetSize(row->width, row->height, displayer.CreateVertexBuffer(row->width, row->height));
    for (const auto& sequence : row->animations) {
        sprite->BeginAnimation();
        for (uint8_t image : sequence)
            sprite->AddFrame(image);
        sprite->EndAnimation();
    }
    sprite->SetAnimation(0);
    if (row->hitBox) sprite->SetHitBox(*row->hitBox);
    // An image shows until the tick passes the duration: one tick more than it.
    sprite->SetFrameDuration(static_cast<uint8_t>(row->ticks - 1));
    return sprite;
}
