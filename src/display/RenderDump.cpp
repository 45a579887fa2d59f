#include "display/RenderDump.h"

#include "platform/Texture.h"

#include <nlohmann/json.hpp>

CRenderDump::CRenderDump(const std::string& path, bool append)
    : m_file(path, append ? std::ios::app : std::ios::trunc) {}

bool CRenderDump::WriteFrame(uint32_t frame, const std::vector<std::unique_ptr<RenderItem>>& items,
                             const TextDecoder& toUtf8) {
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
    m_file << line.dump() << '\n';
    m_file.flush();
    return m_file.good();
}
