#include "world/WalkGrid.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kRoot3 = 1.7320508;
constexpr double kSlope = 0.5773502666666667;  // kRoot3 / 3

// Truncation toward zero, as the grid's arithmetic wants, safe for any double
// an int32 point can give.
int64_t Trunc(double value) {
    return static_cast<int64_t>(std::trunc(value));
}

}  // namespace

CWalkGrid::CWalkGrid(int32_t sceneWidth, int32_t sceneHeight)
    : m_sceneWidth(sceneWidth), m_side(std::max(0, 2 * std::max(0, sceneHeight) / 5 + 1)) {
    m_cells.assign(static_cast<size_t>(m_side) * static_cast<size_t>(m_side), kFree);
}

CWalkGrid::Cell CWalkGrid::CellOf(int32_t x, int32_t y) const {
    const double row = static_cast<double>(y / 5);
    const double a = static_cast<double>(x) * kSlope / 5.0 + row;
    const double b = static_cast<double>(x) * (-kSlope) / 5.0 + row +
                     static_cast<double>(m_sceneWidth / 5) / kRoot3;
    return {Trunc(a), Trunc(b)};
}

bool CWalkGrid::Contains(const Cell& cell) const {
    return cell.a >= 0 && cell.a < m_side && cell.b >= 0 && cell.b < m_side;
}

uint8_t CWalkGrid::CellValue(const Cell& cell) const {
    if (!Contains(cell)) return kBlocked;
    return m_cells[static_cast<size_t>(cell.a * m_side + cell.b)];
}

uint8_t CWalkGrid::At(int32_t x, int32_t y) const {
    return CellValue(CellOf(x, y));
}

// The loops run over the part of the rectangle inside the grid only: the same
// cells get painted, and corners far outside cost nothing.
bool CWalkGrid::Paint(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t value) {
    const Cell from = CellOf(x1, y1), to = CellOf(x2, y2);
    const int64_t aFirst = std::max<int64_t>(from.a, 0),
                  aLast = std::min<int64_t>(to.a, m_side - 1);
    const int64_t bFirst = std::max<int64_t>(from.b, 0),
                  bLast = std::min<int64_t>(to.b, m_side - 1);
    bool changed = false;
    for (int64_t a = aFirst; a <= aLast; ++a)
        for (int64_t b = bFirst; b <= bLast; ++b) {
            uint8_t& cell = m_cells[static_cast<size_t>(a * m_side + b)];
            changed |= cell != value;
            cell = value;
        }
    return changed;
}
