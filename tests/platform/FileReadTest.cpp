// What stands where a story file should be is read only when it is a plain
// file of a sane size: a folder, a FIFO, a link to a device or an oversized
// file is reported like a missing file (same log, same exit code) with the
// reason on stderr, and never hangs or aborts the engine. A picture that
// would draw garbled or black is refused the same way.
#include "platform/FileRead.h"
#include "support/PngWriter.h"
#include "support/TempStory.h"
#include "support/TestImages.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <functional>

namespace fs = std::filesystem;

TEST(FileRead, OnlyAPlainFileOfASaneSizeIsRead) {
    using Make = std::function<void(const fs::path&)>;
    const auto sized = [](size_t bytes) {
        return Make([bytes](const fs::path& p) {
            std::ofstream{p};
            fs::resize_file(p, bytes);  // sparse: nothing is written
        });
    };
    const auto picture = [](uint32_t height, std::vector<uint8_t> zlib) {
        return Make([=](const fs::path& p) {
            std::ofstream(p, std::ios::binary) << CPngWriter::Encode({2, height}, zlib);
        });
    };
    const Make folder = [](const fs::path& p) { fs::remove(p), fs::create_directory(p); };
    const Make fifo = [](const fs::path& p) { fs::remove(p), mkfifo(p.c_str(), 0600); };
    const Make device = [](const fs::path& p) {
        fs::remove(p), fs::create_symlink("/dev/zero", p);
    };
    const std::vector<uint8_t> threeRows(3 * (1 + 8), 0);
    const std::string script = "script/start.txt", image = CTestImages::FilesOf(1000).front();
    const struct {
        std::string file;
        Make make;
        const char* reason;
    } cases[] = {
        {script, folder, "is a folder, not a file"},
        {script, fifo, "is a FIFO, not a file"},
        {script, device, "is a device, not a file"},
        {script, sized(CFileRead::kMaxScriptBytes + 1), "is larger than 16 MiB"},
        {image, folder, "is a folder, not a file"},
        {image, fifo, "is a FIFO, not a file"},
        {image, sized(CFileRead::kMaxPictureBytes + 1), "is larger than 260 MiB"},
        // (Every other way a picture can be broken: PngCheckTest.)
        {image, picture(4, CPngWriter::Zlib(threeRows)), "cut short"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + " " + c.reason);
        CTempStory story;
        story.WriteScript("start.txt", "Debug ran\n");
        const std::vector<std::string> args{"--data", story.Dir().string(), "--headless",
                                            "--frames", "3"};
        fs::remove(story.Dir() / c.file);
        const RunResult missing = story.RunBinary(args);
        c.make(story.Dir() / c.file);
        const RunResult run = story.RunBinary(args);
        EXPECT_EQ(run.exitCode, missing.exitCode);
        EXPECT_EQ(run.log, missing.log);
        EXPECT_NE(run.errors.find("tabi: " + c.file + ": "), std::string::npos) << run.errors;
        EXPECT_NE(run.errors.find(c.reason), std::string::npos) << run.errors;
    }
}
