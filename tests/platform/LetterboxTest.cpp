#include "platform/Letterbox.h"

#include "support/DataTable.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(Letterbox, KeepsTheShapeWithCentredBars) {
    for (const DataRow& c : CDataTable::Read("letterbox.txt")) {
        SCOPED_TRACE(c.where);
        std::istringstream in(c[0] + " " + c[1]);
        int outW, outH, backW, backH;
        std::string mode;
        PixelRect expected;
        in >> outW >> outH >> backW >> backH >> mode >> expected.left >> expected.top >>
            expected.right >> expected.bottom;
        const ScaleMode scale = mode == "integer" ? ScaleMode::Integer : ScaleMode::Fit;
        EXPECT_EQ(Letterbox(outW, outH, backW, backH, scale), expected);
    }
}

TEST(Letterbox, OutputPointsMapBackIntoTheBackBuffer) {
    for (const DataRow& c : CDataTable::Read("letterbox-points.txt")) {
        SCOPED_TRACE(c.where);
        std::istringstream in(c[0] + " " + c[1]);
        int32_t x, y;
        PixelPoint expected;
        in >> x >> y >> expected.x >> expected.y;
        EXPECT_EQ(ToBackBuffer({96, 0, 1824, 1080}, 1280, 800, x, y), expected);
    }
    EXPECT_EQ(ToBackBuffer({}, 1280, 720, 5, 5), (PixelPoint{0, 0}));  // minimised: no picture
}
