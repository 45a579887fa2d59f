#include "display/Database.h"

#include "app/Game.h"
#include "app/Log.h"
#include "display/Displayer.h"
#include "display/Sprite.h"
#include "scripting/Script.h"
#include "scripting/ScriptLibrary.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// One row of the image table: the files (image 0 first), the quad every image is
// stretched over, the animations (image indexes, animation 0 first) and, where
// the picture answers to the mouse, its hit box.
struct SpriteRow {
    int number;
    std::vector<const char*> files;
    int32_t width;
    int32_t height;
    std::vector<std::vector<uint8_t>> animations;
    std::optional<HitBox> hitBox;
};

const std::vector<SpriteRow>& ImageTable() {
    static const std::vector<SpriteRow> table = {
        {0, {"image/genkan.png"}, 2048, 1024, {{0}}, {}},
        {1,
         {"image/walk00.png", "image/walk01.png", "image/walk02.png", "image/walkb00.png",
          "image/walkb01.png", "image/walkb02.png", "image/walkc00.png", "image/walkc01.png",
          "image/walkc02.png", "image/walkd00.png", "image/walkd01.png", "image/walkd02.png"},
         128,
         256,
         // Standing in the four facings, then walking in them: step, stand, other step, stand.
         {{0}, {3}, {6}, {9}, {1, 0, 2, 0}, {4, 3, 5, 3}, {7, 6, 8, 6}, {10, 9, 11, 9}},
         HitBox{0, 64, 128, 256}},
        {2, {"image/oneechanS.png"}, 128, 256, {{0}}, HitBox{0, 64, 128, 256}},
        {3, {"image/imouto.png"}, 512, 512, {{0}}, {}},
        {4, {"image/rouka.png"}, 2048, 1024, {{0}}, {}},
        {5, {"image/heya0.png"}, 2048, 1024, {{0}}, {}},
        {6, {"image/oneechan.png"}, 512, 512, {{0}}, {}},
        {1000,
         {"image/m0.png", "image/m1.png", "image/m2.png", "image/m3.png"},
         64,
         64,
         {{0}, {1, 2, 3}},
         {}},
        {1001, {"image/dia.png"}, 1280, 200, {{0}}, {}},
        {2001, {"image/magic.png"}, 2048, 1024, {{0}}, {}},
        {2002, {"image/end.png"}, 1280, 720, {{0}}, {}},
        {2003, {"image/pc01.png"}, 2048, 1024, {{0}}, {}},
        {2004, {"image/pc02.png"}, 2048, 1024, {{0}}, {}},
        {3000, {"image/tachie-imouto.png"}, 512, 1024, {{0}}, {}},
        {3001, {"image/tachie-oneechan.png"}, 512, 1024, {{0}}, {}},
    };
    return table;
}

}  // namespace

CDatabase::CDatabase(CGame& game) : m_game(game), m_scripts(std::make_unique<CScriptLibrary>()) {}

CDatabase::~CDatabase() = default;

std::unique_ptr<CScript> CDatabase::LoadScript(int number) {
    return m_scripts->Load(number);
}

std::unique_ptr<CSprite> CDatabase::LoadSprite(int number) {
    auto sprite = std::make_unique<CSprite>(m_game.Handles());
    const auto& table = ImageTable();
    const auto row = std::find_if(table.begin(), table.end(),
                                  [number](const SpriteRow& r) { return r.number == number; });
    if (row == table.end()) {
        CLog::Write("CDatabase::LoadSprite No %d", number);
        return sprite;
    }
    CDisplayer& displayer = m_game.GetDisplayer();
    for (const char* file : row->files)
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
    return sprite;
}
