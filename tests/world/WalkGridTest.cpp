#include "world/WalkGrid.h"

#include <gtest/gtest.h>

// Sample points of a 2048 x 1024 scene; points outside the grid, however far,
// answer blocked without a read outside it. The side depends on the height
// only; a negative height gives one cell, not a crash.
TEST(WalkGrid, CellsOfSamplePointsInA2048By1024Scene) {
    const struct {
        int32_t x, y;
        int64_t a, b;
        bool inside;
    } cases[] = {
        {0, 0, 0, 236, true},     {100, 50, 21, 234, true},   {1024, 512, 220, 219, true},
        {2048, 0, 236, 0, true},  {0, 1024, 204, 440, false}, {2048, 1024, 440, 203, false},
        {-3, -7, -1, 235, false},
    };
    const CWalkGrid grid(2048, 1024);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        const CWalkGrid::Cell cell = grid.CellOf(c.x, c.y);
        EXPECT_EQ(std::make_pair(cell.a, cell.b), std::make_pair(c.a, c.b));
        EXPECT_EQ(grid.Contains(cell), c.inside);
        EXPECT_EQ(grid.At(c.x, c.y), c.inside ? CWalkGrid::kFree : CWalkGrid::kBlocked);
    }
    EXPECT_EQ(grid.At(INT32_MAX, INT32_MIN), CWalkGrid::kBlocked);
    EXPECT_EQ(grid.Side(), 410);
    EXPECT_EQ(CWalkGrid(100, 1024).Side(), 410);
    EXPECT_EQ(CWalkGrid(10, -50).Side(), 1);
}

// Painting fills the cell rectangle between two corners, nothing when the
// corners come in the wrong order, and only the part inside the grid. (That
// values keep their low 8 bits: SceneCommandsTest.)
TEST(WalkGrid, PaintingFillsTheCellRectangleBetweenTwoCornersInsideTheGrid) {
    CWalkGrid grid(2048, 1024);
    grid.Paint(1050, 530, 1000, 500, 255);  // the wrong order
    grid.Paint(1000, 500, 1050, 530, 255);
    grid.Paint(-4000, -4000, 100, 50, 7);  // far outside to (21, 234)
    const CWalkGrid::Cell from = grid.CellOf(1000, 500), to = grid.CellOf(1050, 530);
    for (int64_t a = 0; a < grid.Side(); ++a)
        for (int64_t b = 0; b < grid.Side(); ++b) {
            const bool wall = a >= from.a && a <= to.a && b >= from.b && b <= to.b;
            ASSERT_EQ(grid.CellValue({a, b}), wall                  ? 255
                                              : a <= 21 && b <= 234 ? 7
                                                                    : 0)
                << a << "," << b;
        }
    EXPECT_GT(to.a - from.a + to.b - from.b, 2);
    grid.Paint(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 9);  // whole grid, at once
    EXPECT_EQ(grid.CellValue({409, 409}), 9);
}
