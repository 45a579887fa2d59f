#include "platform/InputLatch.h"

#include "support/DataTable.h"

#include <gtest/gtest.h>

#include <string>

TEST(InputLatch, HandsOutEveryTransitionInOrderOnePerPoll) {
    for (const DataRow& c : CDataTable::Read("input-latch.txt")) {
        SCOPED_TRACE(c.where);
        CInputLatch latch;
        std::string seen;
        for (const char step : c[0]) {
            if (step != '.') {
                latch.Push({step == 'd', 0, 0});
                continue;
            }
            CInputLatch::Transition taken;
            const bool took = latch.Take(taken);
            EXPECT_TRUE(!took || latch.Button() == taken.down);
            seen += took ? (taken.down ? 'D' : 'U') : '-';
        }
        EXPECT_EQ(seen, c[1]);
    }
}
