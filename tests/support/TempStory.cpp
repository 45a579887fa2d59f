#include "support/TempStory.h"

#include "app/Application.h"
#include "support/PngWriter.h"
#include "support/TestImages.h"

#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

std::vector<std::string> RunResult::LogLines() const {
    std::vector<std::string> lines;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

const nlohmann::json* RunResult::Frame(uint32_t frame) const {
    for (const auto& line : dump)
        if (line.at("frame") == frame) return &line;
    return nullptr;
}

CTempStory::CTempStory() {
    std::string pattern = (fs::temp_directory_path() / "tabi-story-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    m_dir = pattern;
    fs::create_directories(m_dir / "script");
    fs::create_directories(m_dir / "image");
    WriteSpriteImages(1000);
    WriteSpriteImages(1001);
    WriteScript("start.txt", "");
}

void CTempStory::WriteSpriteImages(int number) const {
    for (const std::string& file : CTestImages::FilesOf(number))
        WriteImage(file, 8, 8, CTestImages::ColorOf(file));
}

void CTempStory::WriteSpriteImages(std::initializer_list<int> numbers) const {
    for (int number : numbers)
        WriteSpriteImages(number);
}

CTempStory::~CTempStory() {
    std::error_code ignored;
    fs::remove_all(m_dir, ignored);
}

void CTempStory::WriteFile(std::string_view relative, std::string_view bytes) const {
    const fs::path path = m_dir / relative;
    fs::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void CTempStory::WriteScript(std::string_view name, std::string_view text) const {
    WriteFile(std::string("script/") + std::string(name), text);
}

void CTempStory::WriteImage(std::string_view relative, int width, int height, uint32_t argb) const {
    const fs::path path = m_dir / relative;
    fs::create_directories(path.parent_path());
    CPngWriter::WriteSolid(path.string(), width, height, argb);
}

void CTempStory::WriteInput(std::string_view text) const {
    WriteFile("input.txt", text);
}

void CTempStory::CopyDemo() const {
    for (const char* folder : {"script", "image"})
        fs::copy(fs::path(TABI_SOURCE_DIR) / "demo" / folder, m_dir / folder,
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::string CTempStory::ReadFile(std::string_view relative) const {
    if (!fs::is_regular_file(m_dir / relative)) return "";  // a device would never end
    std::ifstream file(m_dir / relative, std::ios::binary);
    std::ostringstream out;
    out << file.rdbuf();
    return out.str();
}

RunResult CTempStory::Collect(int exitCode) const {
    RunResult result;
    result.exitCode = exitCode;
    result.log = ReadFile("log.txt");
    std::istringstream dump(ReadFile("dump.jsonl"));
    for (std::string line; std::getline(dump, line);)
        if (!line.empty()) result.dump.push_back(nlohmann::json::parse(line));
    return result;
}

RunResult CTempStory::RunHeadless(uint32_t frames, const std::vector<std::string>& extra) const {
    fs::remove(m_dir / "dump.jsonl");
    std::vector<std::string> args{"--data",          m_dir.string(),         "--headless",
                                  "--frames",        std::to_string(frames), "--dump",
                                  Path("dump.jsonl")};
    if (fs::exists(m_dir / "input.txt")) {
        args.push_back("--input");
        args.push_back(Path("input.txt"));
    }
    args.insert(args.end(), extra.begin(), extra.end());
    const fs::path cwd = fs::current_path();
    const int code = CApplication::Run(args);
    fs::current_path(cwd);  // the run entered the story folder
    return Collect(code);
}

RunResult CTempStory::Play(std::string_view start, uint32_t frames,
                           const std::vector<std::string>& extra) const {
    WriteScript("start.txt", start);
    return RunHeadless(frames, extra);
}

RunResult CTempStory::RunBinary(const std::vector<std::string>& args) const {
    fs::remove(m_dir / "dump.jsonl");
    std::string command = TABI_BINARY;
    for (const std::string& arg : args)
        command += " '" + arg + "'";
    command += " 2>'" + Path("stderr.txt") + "' >'" + Path("stdout.txt") + "'";
    const int status = std::system(command.c_str());
    RunResult result = Collect(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    result.errors = ReadFile("stderr.txt");
    result.output = ReadFile("stdout.txt");
    return result;
}
