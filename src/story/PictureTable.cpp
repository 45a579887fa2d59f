#include "story/PictureTable.h"

namespace {

PictureRow Row(std::vector<std::string> files, int32_t width, int32_t height,
               std::vector<std::vector<uint8_t>> animations = {{0}},
               std::optional<HitBox> hitBox = {}) {
    PictureRow row;
    row.files = std::move(files);
    row.width = width;
    row.height = height;
    row.animations = std::move(animations);
    row.hitBox = hitBox;
    return row;
}

CPictureTable MakeBuiltIn() {
    CPictureTable table;
    table.Set(0, Row({"image/genkan.png"}, 2048, 1024));
    table.Set(
        1, Row({"image/walk00.png", "image/walk01.png", "image/walk02.png", "image/walkb00.png",
                "image/walkb01.png", "image/walkb02.png", "image/walkc00.png", "image/walkc01.png",
                "image/walkc02.png", "image/walkd00.png", "image/walkd01.png", "image/walkd02.png"},
               128, 256,
               // Standing in the four facings, then walking in them: step,
               // stand, other step, stand.
               {{0}, {3}, {6}, {9}, {1, 0, 2, 0}, {4, 3, 5, 3}, {7, 6, 8, 6}, {10, 9, 11, 9}},
               HitBox{0, 64, 128, 256}));
    table.Set(2, Row({"image/oneechanS.png"}, 128, 256, {{0}}, HitBox{0, 64, 128, 256}));
    table.Set(3, Row({"image/imouto.png"}, 512, 512));
    table.Set(4, Row({"image/rouka.png"}, 2048, 1024));
    table.Set(5, Row({"image/heya0.png"}, 2048, 1024));
    table.Set(6, Row({"image/oneechan.png"}, 512, 512));
    table.Set(1000, Row({"image/m0.png", "image/m1.png", "image/m2.png", "image/m3.png"}, 64, 64,
                        {{0}, {1, 2, 3}}));
    table.Set(1001, Row({"image/dia.png"}, 1280, 200));
    table.Set(2001, Row({"image/magic.png"}, 2048, 1024));
    table.Set(2002, Row({"image/end.png"}, 1280, 720));
    table.Set(2003, Row({"image/pc01.png"}, 2048, 1024));
    table.Set(2004, Row({"image/pc02.png"}, 2048, 1024));
    table.Set(3000, Row({"image/tachie-imouto.png"}, 512, 1024));
    table.Set(3001, Row({"image/tachie-oneechan.png"}, 512, 1024));
    return table;
}

}  // namespace

const CPictureTable& CPictureTable::BuiltIn() {
    static const CPictureTable table = MakeBuiltIn();
    return table;
}

void CPictureTable::Set(int32_t number, PictureRow row) {
    const auto old = m_rows.find(number);
    if (old != m_rows.end() && !old->second.name.empty()) m_names.erase(old->second.name);
    if (!row.name.empty()) m_names[row.name] = number;
    m_rows[number] = std::move(row);
}

const PictureRow* CPictureTable::Find(int32_t number) const {
    const auto found = m_rows.find(number);
    return found == m_rows.end() ? nullptr : &found->second;
}

std::optional<int32_t> CPictureTable::NumberOf(std::string_view name) const {
    const auto found = m_names.find(name);
    if (found == m_names.end()) return std::nullopt;
    return found->second;
}
