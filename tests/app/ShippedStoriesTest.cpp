// The example story plays its recorded input to its End: the run ends on its
// own, well before the frame limit given here. (The demo's playthrough is
// held to its recorded render dump and log by the DemoPlaythrough test.)
#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <string>

TEST(ShippedStories, TheExamplePlaysItsRecordedInputToItsEnd) {
    const std::string dir = std::string(TABI_SOURCE_DIR) + "/examples/lighthouse";
    CTempStory scratch;  // for the dump and stderr
    const RunResult run =
        scratch.RunBinary({"--data", dir, "--headless", "--input", dir + "/playthrough.txt",
                           "--frames", "20000", "--dump", scratch.Path("dump.jsonl")});
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_FALSE(run.dump.empty());
    EXPECT_LT(run.dump.back()["frame"].get<int>(), 19990) << "the example never reached End";
}
