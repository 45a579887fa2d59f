#include "support/SceneStory.h"

#include <gtest/gtest.h>

#include <cmath>

std::string CSceneStory::HeroAt(int x, int y) {
    return "SetSceneScale 2048 1024\n" + EntityAt(1, "hero", x, y) + "SetHero hero\n";
}

std::string CSceneStory::EntityAt(int number, std::string_view name, int x, int y) {
    return "LoadSprite " + std::to_string(number) + " x " + std::string(name) +
           "\nmove $a0 $v0\nmove $a1 " + std::to_string(x) + "\nmove $a2 " + std::to_string(y) +
           "\nPlaceEntity\n";
}

std::vector<nlohmann::json> CSceneStory::Items(const RunResult& run, uint32_t frame,
                                               std::string_view prefix) {
    std::vector<nlohmann::json> found;
    const nlohmann::json* line = run.Frame(frame);
    if (!line) return found;
    for (const auto& item : line->at("items"))
        if (item.contains("image") && item["image"].is_string() &&
            item["image"].get<std::string>().starts_with(prefix))
            found.push_back(item);
    return found;
}

nlohmann::json CSceneStory::Item(const RunResult& run, uint32_t frame, std::string_view prefix) {
    const std::vector<nlohmann::json> found = Items(run, frame, prefix);
    EXPECT_EQ(found.size(), 1u) << "items " << prefix << " in frame " << frame;
    return found.size() == 1 ? found[0] : nlohmann::json::object();
}

ScenePoint CSceneStory::CentreIn(const RunResult& run, uint32_t frame, std::string_view prefix) {
    const nlohmann::json item = Item(run, frame, prefix);
    if (item.empty()) return {NAN, NAN};
    return {item["x"].get<double>() + 64, item["y"].get<double>() + 128};
}

std::string CSceneStory::Words(const RunResult& run, uint32_t frame) {
    const nlohmann::json* line = run.Frame(frame);
    if (!line) return "(no render)";
    std::string words;
    for (const auto& item : line->at("items")) {
        std::string word = item.at("kind") == 1 ? "text" : "-";
        if (item.at("kind") != 1 && item.at("image").is_string()) {
            word = item.at("image").get<std::string>();
            word = word.substr(word.rfind('/') + 1);
            word = word.substr(0, word.rfind('.'));
        }
        words += word + " ";
    }
    return words;
}

size_t CSceneStory::Count(std::string_view text, std::string_view what) {
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}
