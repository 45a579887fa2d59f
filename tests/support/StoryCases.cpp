#include "support/StoryCases.h"

#include "support/TempStory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct StoryCase {
    std::string what;
    uint32_t frames = 0;
    int exitCode = 0;
    std::vector<std::pair<std::string, std::string>> files;  // path, bytes
    std::map<std::string, std::string> expected;             // "log", "check", "frame N"
};

// "\xHH" stands for the byte HH, so the data stays readable text.
std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += text[i];
        }
    return out;
}

std::string TrimEnd(std::string text) {
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

// Handles depend on what was made before; the log shows each as 0x#.
std::string WithoutHandles(std::string log) {
    for (size_t at = log.find("0x"); at != std::string::npos; at = log.find("0x", at + 3))
        if (log.size() >= at + 10) log.replace(at, 10, "0x#");
    return log;
}

std::string Number(const nlohmann::json& value) {
    const double number = value.get<double>();
    if (number != std::floor(number) || std::fabs(number) > 1e15) return value.dump();
    return std::to_string(static_cast<long long>(number));
}

// A frame of the dump, an item a line: "picture x,y wxh" ("-" for none), or
// "text 'words' [rect] colour".
std::string Describe(const RunResult& run, uint32_t frame) {
    if (!run.Frame(frame)) return "(no render)";
    std::ostringstream out;
    for (const auto& item : run.Frame(frame)->at("items")) {
        if (item.at("kind") == 1) {
            out << "text '" << item.at("text").get<std::string>() << "' " << item.at("rect").dump()
                << " " << std::hex << std::uppercase << item.at("color").get<uint32_t>() << "\n";
            continue;
        }
        const auto& image = item.at("image");
        out << (image.is_null() ? "-" : image.get<std::string>()) << " " << Number(item.at("x"))
            << "," << Number(item.at("y")) << " " << Number(item.at("w")) << "x"
            << Number(item.at("h")) << "\n";
    }
    return TrimEnd(out.str());
}

// A case from its "===" line: what it shows, then any frames= and exit=.
StoryCase Begin(const std::string& header, uint32_t frames) {
    StoryCase c;
    c.what = header;
    c.frames = frames;
    std::istringstream words(header);
    for (std::string word; words >> word;) {
        if (word.starts_with("frames="))
            c.frames = static_cast<uint32_t>(std::stoul(word.substr(7)));
        if (word.starts_with("exit=")) c.exitCode = std::stoi(word.substr(5));
    }
    return c;
}

// Reads a file of cases; `images` and `frames` lines before the first case
// apply to every case.
std::vector<StoryCase> ReadCases(std::istream& in, std::vector<int>& images) {
    std::vector<StoryCase> cases;
    uint32_t frames = 10;
    std::string section, text;
    const auto flush = [&] {
        if (cases.empty()) return;
        const bool output = section == "log" || section == "check" || section.starts_with("frame ");
        if (output)
            cases.back().expected[section] = TrimEnd(Unescape(text));
        else
            cases.back().files.emplace_back(section, TrimEnd(Unescape(text)) + "\n");
        text.clear();
    };
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (line.starts_with("#")) continue;
        if (word == "===" || word == "---") {
            flush();
            section = word == "---" ? line.substr(4) : "script/start.txt";
            if (word == "===") cases.push_back(Begin(line.substr(4), frames));
        } else if (!cases.empty()) {
            text += line + "\n";
        } else if (word == "images") {
            for (int number; words >> number;)
                images.push_back(number);
        } else if (word == "frames") {
            words >> frames;
        }
    }
    flush();
    return cases;
}

void RunCase(const StoryCase& c, const std::vector<int>& images) {
    CTempStory story;
    for (int number : images)
        story.WriteSpriteImages(number);
    for (const auto& [path, bytes] : c.files)
        story.WriteFile(path, bytes);
    if (c.expected.contains("check")) {
        const RunResult run = story.RunBinary({"--check", "--data", story.Dir().string()});
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(TrimEnd(run.output), c.expected.at("check"));
        EXPECT_FALSE(std::filesystem::exists(story.Dir() / "log.txt")) << "a check writes nothing";
        return;
    }
    const RunResult run = story.RunHeadless(c.frames);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(TrimEnd(WithoutHandles(run.log)),
              c.expected.contains("log") ? c.expected.at("log") : "");
    for (const auto& [section, items] : c.expected) {
        if (!section.starts_with("frame ")) continue;
        EXPECT_EQ(Describe(run, std::stoul(section.substr(6))), items) << section;
    }
}

}  // namespace

void CStoryCases::Run(std::string_view file) {
    const std::string path = TABI_SOURCE_DIR "/tests/data/cases/" + std::string(file);
    std::ifstream in(path, std::ios::binary);
    std::vector<int> images;
    const std::vector<StoryCase> cases = ReadCases(in, images);
    ASSERT_FALSE(cases.empty()) << "no cases in " << path;
    for (const StoryCase& c : cases) {
        SCOPED_TRACE(std::string(file) + ": " + c.what);
        RunCase(c, images);
    }
}
