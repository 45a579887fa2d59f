#pragma once
#include "support/TempStory.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A point of the scene as the tests read it back.
struct ScenePoint {
    double x, y;
    bool operator==(const ScenePoint&) const = default;
};

// Pieces of role-playing stories for the tests, and ways to read their frames
// back out of the render dump.
class CSceneStory {
public:
    // The walking character (sprite 1: a 128 x 256 quad, centre (64, 128))
    // as the hero "hero" at (x, y) of a 2048 x 1024 scene. The scene is sized
    // first: without it the camera would scroll everything out of view.
    static std::string HeroAt(int x, int y);
    // Loads sprite `number` as `name`, places it at (x, y) and leaves its
    // handle in $a0 (and $v0).
    static std::string EntityAt(int number, std::string_view name, int x, int y);

    // The quad items of frame N whose picture file starts with `prefix`
    // ("image/walk" for the hero), in drawing order.
    static std::vector<nlohmann::json> Items(const RunResult& run, uint32_t frame,
                                             std::string_view prefix);
    // The one item of frame N with that prefix; fails the test and gives an
    // empty object when there is not exactly one.
    static nlohmann::json Item(const RunResult& run, uint32_t frame, std::string_view prefix);
    // Where the centre of that item's 128 x 256 character (sprites 1 and 2)
    // is on the screen: the scene point while the camera stays at (0, 0).
    // NaN when there is not exactly one such item.
    static ScenePoint CentreIn(const RunResult& run, uint32_t frame,
                               std::string_view prefix = "image/walk");
    // Frame N in one word per item, in drawing order: the picture's file name
    // without folder and extension, "text", or "-" for the empty sprite;
    // "(no render)" when the frame rendered nothing.
    static std::string Words(const RunResult& run, uint32_t frame);
    static size_t Count(std::string_view text, std::string_view what);
};
