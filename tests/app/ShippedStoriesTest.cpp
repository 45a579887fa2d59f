// The demo and the example story play their recorded input to their End:
// the run ends on its own, well before the frame limit given here.
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>

TEST(ShippedStories, PlayTheirRecordedInputToTheirEnd) {
    for (const char* folder : {"demo", "examples/lighthouse"}) {
        const std::string dir = std::string(TABI_SOURCE_DIR) + "/" + folder;
        CTempStory scratch;  // for the dump and stderr
        const RunResult run =
            scratch.RunBinary({"--data", dir, "--headless", "--input", dir + "/playthrough.txt",
                               "--frames", "20000", "--dump", scratch.Path("dump.jsonl")});
        EXPECT_EQ(run.exitCode, 0) << folder << run.errors;
        ASSERT_FALSE(run.dump.empty()) << folder;
        EXPECT_LT(run.dump.back()["frame"].get<int>(), 19990) << folder << " never reached End";
    }
}
