#include "display/RenderDump.h"

#include "platform/Texture.h"
#include "sound/SoundManager.h"

#include <nlohmann/json.hpp>

namespace {

// {"play":"music"|"effect"} or {"stop":"music"}, with the sound's number and file.
nlohmann::ordered_json SoundEntry(const SoundEvent& event) {
    nlohmann::ordered_json entry;
    switch (event.kind) {
        case SoundEvent::Kind::MusicPlay:
            entry["play"] = "music";
            break;
        case SoundEvent::Kind::MusicStop:
            entry["stop"] = "music";
            break;
        case SoundEvent::Kind::Effect:
            entry["play"] = "effect";
            break;
    }
    entry["sound"] = event.number;
    entry["file"] = event.file;
    return entry;
}

}  // namespace

CRenderDump::CRenderDump(const std::string& path, bool append)
    : m_file(path, append ? std::ios::app : std::ios::trunc) {}

bool CRenderDump::WriteFrame(uint32_t frame, const std::vector<std::unique_ptr<RenderItem>>& items,
                             const TextDecoder& toUtf8, std::span<const SoundEvent> sounds) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const auto& item : items) {
        nlohmann::ordered_json entry;
        entry["kind"] = static_cast<uint8_t>(item->kind);
        if (item->kind == RenderItem::Kind::Quad) {
            entry["x"] = item->x;
            entry["y"] = item->y;
            entry["w"] = item->quad ? item->quad->width : 0.0f;
            entry["h"] = item->quad ? item->quad->height : 0.0f;
            entry["image"] = item->texture ? nlohmann::ordered_json(item->texture->Path())
                                           : nlohmann::ordered_json();
        } else {
            entry["text"] = item->text ? toUtf8(item->text) : std::string();
            entry["rect"] = {item->rect.left, item->rect.top, item->rect.right, item->rect.bottom};
            entry["color"] = item->color;
        }
        list.push_back(std::move(entry));
    }
    nlohmann::ordered_json line;
    line["frame"] = frame;
    line["items"] = std::move(list);
    if (!sounds.empty()) {
        nlohmann::ordered_json& entries = line["sounds"] = nlohmann::ordered_json::array();
        for (const SoundEvent& event : sounds)
            entries.push_back(SoundEntry(event));
    }
    m_file << line.dump() << '\n';
    m_file.flush();
    return m_file.good();
}
