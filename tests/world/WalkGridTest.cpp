#include "world/WalkGrid.h"

#include <gtest/gtest.h>

// Sample points of a 2048 x 1024 scene; points outside the grid answer
// blocked without a read outside it.
TEST(WalkGrid, CellsOfSamplePointsInA2048By1024Scene) {
    struct PointCase {
        int32_t x, y;
        int64_t a, b;
        bool inside;
    };
    const CWalkGrid grid(2048, 1024);
    const PointCase cases[] = {
        {0, 0, 0, 236, true},     {100, 50, 21, 234, true},   {1024, 512, 220, 219, true},
        {2048, 0, 236, 0, true},  {0, 1024, 204, 440, false}, {2048, 1024, 440, 203, false},
        {-3, -7, -1, 235, false},
    };
    for (const PointCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        const CWalkGrid::Cell cell = grid.CellOf(c.x, c.y);
        EXPECT_EQ(cell.a, c.a);
        EXPECT_EQ(cell.b, c.b);
        EXPECT_EQ(grid.Contains(cell), c.inside);
        EXPECT_EQ(grid.At(c.x, c.y), c.inside ? CWalkGrid::kFree : CWalkGrid::kBlocked);
    }
    EXPECT_EQ(grid.At(-100000, 5), CWalkGrid::kBlocked);
    EXPECT_EQ(grid.At(INT32_MAX, INT32_MIN), CWalkGrid::kBlocked);
    // The side depends on the height only; a negative height gives one cell, not a crash.
    EXPECT_EQ(grid.Side(), 410);
    EXPECT_EQ(CWalkGrid(100, 1024).Side(), 410);
    EXPECT_EQ(CWalkGrid(2048, 100).Side(), 41);
    EXPECT_EQ(CWalkGrid(10, -50).Side(), 1);
}

// Painting fills the cell rectangle between two corners, and nothing when
// the corners come in the wrong order; values keep their low 8 bits.
TEST(WalkGrid, PaintingFillsTheCellRectangleBetweenTwoCorners) {
    CWalkGrid grid(2048, 1024);
    grid.Paint(1050, 530, 1000, 500, 255);  // the wrong order
    grid.Paint(1000, 500, 1050, 530, 255);
    const CWalkGrid::Cell from = grid.CellOf(1000, 500), to = grid.CellOf(1050, 530);
    size_t painted = 0;
    for (int64_t a = 0; a < grid.Side(); ++a)
        for (int64_t b = 0; b < grid.Side(); ++b) {
            const bool inside = a >= from.a && a <= to.a && b >= from.b && b <= to.b;
            ASSERT_EQ(grid.CellValue({a, b}), inside ? 255 : 0) << a << "," << b;
            painted += inside;
        }
    EXPECT_GT(painted, 1u);
    grid.Paint(1000, 500, 1050, 530, static_cast<uint8_t>(300));  // a trap number: 300 mod 256
    EXPECT_EQ(grid.CellValue(to), 44);
}

TEST(WalkGrid, ARegionPartlyOutsideIsPaintedOnlyInside) {
    CWalkGrid grid(2048, 1024);
    grid.Paint(-4000, -4000, 100, 50, 7);  // far outside to (21, 234)
    EXPECT_EQ(grid.CellValue({0, 0}), 7);
    EXPECT_EQ(grid.CellValue({21, 234}), 7);
    EXPECT_EQ(grid.CellValue({22, 0}), 0);
    EXPECT_EQ(grid.CellValue({0, 235}), 0);
    grid.Paint(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 9);  // whole grid, at once
    EXPECT_EQ(grid.CellValue({409, 409}), 9);
}
