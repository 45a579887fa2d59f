#pragma once
#include "display/RenderItem.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

class CGame;
class CController;
class CEntity;

// The world the game shows at a time: the role-playing scene or the picture-novel
// sprites. Both modes are made once at start-up and kept in the game's mode
// registry; a mode keeps its contents while it is not current. The base answers
// every operation with nothing (or null) for a mode that has no use for it.
class CMode {
public:
    CMode(const CMode&) = delete;
    CMode& operator=(const CMode&) = delete;
    virtual ~CMode();

    // The entities in drawing order. Callers do not change the mode while
    // they walk it.
    virtual std::span<const std::unique_ptr<CEntity>> Entities() const { return {}; }
    virtual CEntity* GetHero() const { return nullptr; }
    // A mode without entities destroys what it is given at once.
    virtual void AddEntity(std::unique_ptr<CEntity> entity);
    virtual void Update() {}
    virtual void Clean() {}
    virtual void SortByDepth() {}
    virtual CEntity* FindEntityByName(std::string_view name);
    virtual void Draw() {}

    // The innermost controller of the chain that shows this mode: it takes the
    // mode's render items.
    void SetController(CController* controller) { m_controller = controller; }
    CController* Controller() const { return m_controller; }

    // Its registry name, the kName of its class.
    const std::string& Name() const { return m_name; }
    int32_t SceneWidth() const { return m_sceneWidth; }
    int32_t SceneHeight() const { return m_sceneHeight; }

protected:
    // Each kind of mode passes its own kName.
    CMode(CGame& game, std::string_view name) : m_game(game), m_name(name) {}

    // Hands an item to the attached controller, which passes it up the chain.
    void Submit(std::unique_ptr<RenderItem> item);

    CGame& m_game;
    CController* m_controller = nullptr;  // borrowed from the game's registry
    int32_t m_sceneWidth = 0;
    int32_t m_sceneHeight = 0;

private:
    std::string m_name;
};
