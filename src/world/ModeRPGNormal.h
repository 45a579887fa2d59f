#pragma once
#include "world/Mode.h"
#include "world/WalkGrid.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class CScript;

// The role-playing mode ("RPGNormal"): the walkable scene. Its entities in
// drawing order (largest depth first), the hero among them, the walk grid and
// the scripts of traps 0..255. Owns the entities and the trap scripts.
class CModeRPGNormal : public CMode {
public:
    static constexpr int kTrapSlots = 256;
    static constexpr int32_t kMaxSceneHeight = 20477;  // keeps the grid at 8192 x 8192

    static constexpr std::string_view kName = "RPGNormal";

    explicit CModeRPGNormal(CGame& game);
    ~CModeRPGNormal() override;

    std::span<const std::unique_ptr<CEntity>> Entities() const override { return m_entities; }
    CEntity* GetHero() const override { return m_hero; }
    void AddEntity(std::unique_ptr<CEntity> entity) override;
    void Update() override;
    // Removes every entity but the hero, then stops the hero.
    void Clean() override;
    void SortByDepth() override;
    CEntity* FindEntityByName(std::string_view name) override;
    void Draw() override;

    void SetSceneScale(int32_t width, int32_t height);
    // SetSceneScale has given the scene its size and walk grid.
    bool HasSize() const { return m_grid.has_value(); }
    void SetTile(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t value);
    // Free (0) everywhere when there is no grid; blocked outside the grid.
    uint8_t CellAt(int32_t x, int32_t y) const;
    const CWalkGrid* Grid() const { return m_grid ? &*m_grid : nullptr; }
    // Changes whenever the grid does (sized or painted), for views that
    // keep a picture of it.
    uint32_t GridRevision() const { return m_gridRevision; }
    // Binds a trap number to a script; the script held before is destroyed.
    void SetTrap(uint8_t trap, std::unique_ptr<CScript> script);
    CScript* TrapScript(uint8_t trap) const { return m_traps[trap].get(); }
    void TriggerTrap(uint8_t trap);
    void SetHero(CEntity* entity);

private:
    std::vector<std::unique_ptr<CEntity>> m_entities;
    CEntity* m_hero = nullptr;  // one of m_entities
    std::optional<CWalkGrid> m_grid;
    uint32_t m_gridRevision = 0;
    std::array<std::unique_ptr<CScript>, kTrapSlots> m_traps;
};
