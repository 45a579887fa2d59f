#include "world/ModeRPGNormal.h"

#include "app/Game.h"
#include "app/GlobalState.h"
#include "app/Log.h"
#include "scripting/Script.h"
#include "scripting/ScriptManager.h"
#include "world/Entity.h"

#include <algorithm>

CModeRPGNormal::CModeRPGNormal(CGame& game) : CMode(game, kName) {}

CModeRPGNormal::~CModeRPGNormal() {
    Clean();
    m_hero = nullptr;
    m_entities.clear();
}

void CModeRPGNormal::AddEntity(std::unique_ptr<CEntity> entity) {
    if (!entity) return;
    entity->SetScene(this);
    m_entities.push_back(std::move(entity));
    SortByDepth();
}

// Each entity moves a step, then its picture animates. The list does not change
// during the walk: traps only queue scripts and stops only wake them.
void CModeRPGNormal::Update() {
    for (const auto& entity : m_entities) {
        entity->Update();
        if (CSprite* sprite = entity->GetSprite()) sprite->Animate();
    }
}

void CModeRPGNormal::Clean() {
    // The hero is spared by identity, whatever its role has become.
    std::unique_ptr<CEntity> hero;
    for (auto& entity : m_entities)
        if (entity.get() == m_hero) hero = std::move(entity);
    m_entities.clear();
    if (!hero) return;
    AddEntity(std::move(hero));
    m_hero->Stop();
}

// Largest depth first; equal depths keep the order they were added in.
void CModeRPGNormal::SortByDepth() {
    std::stable_sort(m_entities.begin(), m_entities.end(),
                     [](const auto& a, const auto& b) { return a->GetDepth() > b->GetDepth(); });
}

CEntity* CModeRPGNormal::FindEntityByName(std::string_view name) {
    for (const auto& entity : m_entities)
        if (entity->GetName() == name) return entity.get();
    return nullptr;
}

void CModeRPGNormal::Draw() {
    for (const auto& entity : m_entities)
        Submit(std::make_unique<RenderItem>(entity->MakeItem()));
}

void CModeRPGNormal::SetSceneScale(int32_t width, int32_t height) {
    if (height > kMaxSceneHeight) {
        CLog::Write(
            "SetSceneScale: a scene %d pixels high is too high for its walk grid; %d is used",
            height, kMaxSceneHeight);
        height = kMaxSceneHeight;
    }
    m_sceneWidth = width;
    m_sceneHeight = height;
    m_grid.emplace(width, height);
    ++m_gridRevision;
}

void CModeRPGNormal::SetTile(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t value) {
    if (!m_grid) return;
    // Scripts often repaint the same cells every frame; only a real change
    // makes the overlay draw the grid again.
    if (m_grid->Paint(x1, y1, x2, y2, value)) ++m_gridRevision;
}

uint8_t CModeRPGNormal::CellAt(int32_t x, int32_t y) const {
    return m_grid ? m_grid->At(x, y) : CWalkGrid::kFree;
}

void CModeRPGNormal::SetTrap(uint8_t trap, std::unique_ptr<CScript> script) {
    m_traps[trap] = std::move(script);  // the old script leaves the manager's lists as it goes
}

// A trap cell painted with a number that no script was bound to does nothing.
void CModeRPGNormal::TriggerTrap(uint8_t trap) {
    if (!m_traps[trap]) return;
    m_game.GetScriptManager().Restart(*m_traps[trap]);
    m_game.GlobalState().lastTrap = trap;
}

void CModeRPGNormal::SetHero(CEntity* entity) {
    if (m_hero) m_hero->SetRole(CEntity::kNone);
    m_hero = entity;
    if (m_hero) m_hero->SetRole(CEntity::kHero);
}
