#include "input/InputFile.h"

#include "support/DataTable.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

bool Parse(const std::string& text, std::vector<ReplayEvent>& events, std::string& error) {
    std::istringstream in(text);
    return CInputFile::Parse(in, "in.txt", events, error);
}

}  // namespace

// Events come out ordered by frame, in the file's order within a frame, and
// each formats back to the line a recording writes.
TEST(InputFile, ReadsEveryEventIgnoringCommentsAndBlankLines) {
    std::vector<ReplayEvent> events;
    std::string error;
    ASSERT_TRUE(
        Parse("# a replay\n\n3 motion 10 -4   # right and up\n  5 press\n5 release\n"
              "7 escape\n2 close\n6 key 9\n4 save quick\n4 load a-1_B\n9 reload\n6 advance\n",
              events, error))
        << error;
    std::string lines;
    for (const ReplayEvent& e : events)
        lines += CInputFile::FormatLine(e) + "\n";
    EXPECT_EQ(lines,
              "2 close\n3 motion 10 -4\n4 save quick\n4 load a-1_B\n5 press\n5 release\n"
              "6 key 9\n6 advance\n7 escape\n9 reload\n");
}

// A bad line is named by file and line. (That the run then stops with exit
// code 2 before anything runs: RunTest's usage errors.)
TEST(InputFile, ABadLineIsNamedByFileAndLine) {
    for (const DataRow& c : CDataTable::Read("replay-line-errors.txt")) {
        SCOPED_TRACE(c.where);
        std::vector<ReplayEvent> events;
        std::string error;
        EXPECT_FALSE(Parse("1 motion 1 1\n# fine so far\n" + c[0] + "\n", events, error));
        EXPECT_EQ(error.rfind("in.txt:3: ", 0), 0u) << error;
        EXPECT_NE(error.find(c[1]), std::string::npos) << error;
    }
}
