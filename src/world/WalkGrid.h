#pragma once
#include <cstdint>
#include <vector>

// The invisible isometric walk grid of a scene: one byte per diamond-shaped cell
// (0 free, 1..254 a trap number, 255 blocked), N x N cells with N = 2H/5 + 1.
// Lines of equal a fall at 30 degrees to the right, lines of equal b rise at 30
// degrees; each cell spans 5 pixels along a vertical line.
class CWalkGrid {
public:
    static constexpr uint8_t kFree = 0;
    static constexpr uint8_t kBlocked = 255;

    struct Cell {
        int64_t a = 0;
        int64_t b = 0;
        bool operator==(const Cell&) const = default;
    };

    CWalkGrid(int32_t sceneWidth, int32_t sceneHeight);

    // The cell holding scene point (x, y); it may lie outside the grid.
    Cell CellOf(int32_t x, int32_t y) const;
    // Paints the rectangle of cells between the cells of two corner points
    // (nothing when the first corner's a or b is the larger); cells outside the
    // grid are skipped. Answers whether any cell changed.
    bool Paint(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t value);
    // The grid stores no cell outside it: such points answer blocked.
    uint8_t At(int32_t x, int32_t y) const;
    uint8_t CellValue(const Cell& cell) const;
    bool Contains(const Cell& cell) const;
    int32_t Side() const { return m_side; }

private:
    int32_t m_sceneWidth;
    int32_t m_side;
    std::vector<uint8_t> m_cells;  // row-major: cell (a, b) is a * side + b
};
