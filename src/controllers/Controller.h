#pragma once
#include "display/RenderItem.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class CGame;
class CMode;

// One flag byte per mouse button; the input manager reports the left one only.
struct MouseButtons {
    std::array<uint8_t, 4> flags{};
};

// A per-frame behaviour between the game object and the current mode. The active
// controllers form a chain: update and draw run down it into the mode, render
// items climb back up it to the displayer, pointer events reach the head alone.
// The game's controller registry owns every controller; links are borrowed.
class CController {
public:
    CController(const CController&) = delete;
    CController& operator=(const CController&) = delete;
    virtual ~CController() = default;

    virtual void Draw();
    virtual void Update();
    virtual void Submit(std::unique_ptr<RenderItem> item);
    virtual void SetMode(CMode* mode);
    virtual void OnMouseMove(int32_t x, int32_t y);
    // Raises EVENT_MOUSE_DOWN: a click advances a conversation where the head
    // keeps this behaviour (the picture-novel chain).
    virtual void OnMouseDown(const MouseButtons& buttons, int32_t x, int32_t y);
    virtual void OnMouseUp(const MouseButtons& buttons, int32_t x, int32_t y);

    // Appends c at the end of the chain below this link.
    void AddChild(CController* c);
    // Unlinks this link and every link below it.
    void Detach();
    // True when `link` is this link or one chained below it, never one above.
    bool Reaches(const CController& link) const;

    // Its registry name, the kName of its class.
    const std::string& Name() const { return m_name; }
    bool IsShown() const { return m_shown; }
    void SetShown(bool shown) { m_shown = shown; }
    CController* Parent() const { return m_parent; }
    CController* Child() const { return m_child; }
    CMode* Mode() const { return m_mode; }

protected:
    // Each kind of controller passes its own kName.
    CController(CGame& game, std::string_view name) : m_game(game), m_name(name) {}

    // `link` when it is chained at or below this link, else null: a link only
    // works with the links under it.
    template <typename T>
    T* Below(T* link) const {
        return link && Reaches(*link) ? link : nullptr;
    }

    CGame& m_game;
    bool m_shown = true;
    CController* m_parent = nullptr;
    CController* m_child = nullptr;
    CMode* m_mode = nullptr;

private:
    std::string m_name;
};
