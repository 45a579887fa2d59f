#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/Game.h"
#include "app/InstalledDemo.h"
#include "app/Log.h"
#include "app/Session.h"
#include "input/InputFile.h"
#include "input/InputRecorder.h"
#include "platform/FileRead.h"
#include "platform/Platform.h"
#include "save/SaveFolder.h"
#include "scripting/ScriptLibrary.h"
#include "scripting/ScriptSource.h"
#include "scripting/Trace.h"
#include "sound/SoundManager.h"
#include "story/Diagnostics.h"
#include "story/Story.h"
#include "story/StoryChecker.h"

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

// A path the player typed means the folder they typed it in, even when the
// run then enters the installed demo's folder.
void AnchorPath(std::string& path, const fs::path& base) {
    if (!path.empty() && fs::path(path).is_relative()) path = (base / path).string();
}

void AnchorPaths(Options& options, const fs::path& base) {
    for (std::string* path :
         {&options.inputFile, &options.recordFile, &options.dumpFile, &options.traceFile,
          &options.loadFile, &options.savesDir, &options.platform.frameTimesFile})
        AnchorPath(*path, base);
    for (ScreenshotRequest& shot : options.screenshots)
        AnchorPath(shot.path, base);
}

// No --data and no story here: the demo installed with the engine plays.
// False when there is none, having said where it was looked for.
bool ChooseInstalledDemo(Options& options) {
    const fs::path demo = CInstalledDemo::Find();
    if (demo.empty()) {
        std::string places;
        for (const fs::path& folder : CInstalledDemo::Candidates())
            places += (places.empty() ? "" : " or ") + folder.string();
        CLog::Open("log.txt");
        CLog::Write(
            "tabi: no story here (no script/ folder or story.toml) and no installed "
            "demo in %s: give --data DIR",
            places.c_str());
        CLog::Close();
        return false;
    }
    std::error_code ec;
    AnchorPaths(options, fs::current_path(ec));
    options.dataDir = demo.string();
    options.installedDemo = true;
    return true;
}

// --start-at names a label of the start script. A story that cannot be read
// is not judged here: the run itself says what is wrong with it.
bool StartLabelFound(const std::string& label) {
    CDiagnostics ignored;
    const std::unique_ptr<CStory> story = CStory::Load(".", ignored);
    if (!story) return true;
    const std::string path(story->Scripts().PathOf(CScriptTable::kStartScript));
    std::string bytes, error;
    if (!CFileRead::ReadWhole(path, CFileRead::kMaxScriptBytes, bytes, error)) return true;
    if (CScriptSource::Parse(bytes, CScriptLibrary::ReadingOf(*story))->FindLabel(label) !=
        ScriptToken::kNoLabel)
        return true;
    std::fprintf(stderr, "tabi: --start-at: %s has no label %s\n", path.c_str(), label.c_str());
    return false;
}

// Everything that can make the run a usage error happens here, before any
// file is written: the story folder, then the input file.
int PrepareRun(const std::vector<std::string>& args, Options& options, bool& proceed) {
    const CCommandLine::Result parsed = CCommandLine::Parse(args, options);
    proceed = parsed.proceed;
    if (!proceed) return parsed.exitCode;
    proceed = false;
    if (options.dataDir.empty() && !CInstalledDemo::HoldsStory(".") &&
        !ChooseInstalledDemo(options))
        return static_cast<int>(ExitCode::Failure);
    if (!options.dataDir.empty() && chdir(options.dataDir.c_str()) != 0) {
        std::fprintf(stderr, "tabi: --data: cannot enter %s\n", options.dataDir.c_str());
        return 2;
    }
    if (!options.inputFile.empty()) {
        if (!options.platform.headless) {
            std::fprintf(stderr, "tabi: --input replays only in a --headless run\n");
            return 2;
        }
        std::string error;
        if (!CInputFile::Read(options.inputFile, options.platform.replay, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 2;
        }
    }
    if (!options.startLabel.empty() && !StartLabelFound(options.startLabel)) return 2;
    proceed = true;
    return 0;
}

// --check: every finding on stdout, GCC style, then a count of them. Plays
// nothing and writes no file.
int CheckStory() {
    CDiagnostics findings;
    CStoryChecker::CheckFolder(findings);
    size_t errors = 0;
    for (const Diagnostic& finding : findings.All()) {
        std::printf("%s\n", CDiagnostics::Format(finding).c_str());
        if (finding.severity == Severity::Error) ++errors;
    }
    const size_t warnings = findings.All().size() - errors;
    std::printf("%zu error%s, %zu warning%s\n", errors, errors == 1 ? "" : "s", warnings,
                warnings == 1 ? "" : "s");
    return errors > 0 ? 1 : 0;
}

int Play(const Options& options, std::shared_ptr<const CStory> story) {
    std::unique_ptr<CInputRecorder> recorder;
    if (!options.recordFile.empty()) {
        recorder = std::make_unique<CInputRecorder>(options.recordFile);
        if (!recorder->IsOpen()) {
            CLog::Write("tabi: cannot write the input record %s", options.recordFile.c_str());
            return 1;
        }
    }
    std::unique_ptr<CTrace> trace;
    if (!options.traceFile.empty()) {
        trace = std::make_unique<CTrace>(options.traceFile);
        if (!trace->IsOpen()) {
            CLog::Write("tabi: cannot write the trace %s", options.traceFile.c_str());
            return 1;
        }
    }
    std::unique_ptr<CPlatform> platform = CreatePlatform(options.platform);
    std::string error;
    if (!platform->Init(error)) {
        std::fprintf(stderr, "Call to RegisterClassEx failed!\ntabi: %s\n", error.c_str());
        return 1;
    }
    if (!platform->CreateWindow(error)) {
        std::fprintf(stderr, "Call to CreateWindow failed!\ntabi: %s\n", error.c_str());
        return 1;
    }
    CSession session(*platform, options, std::move(story), recorder.get());
    return session.Run();
}

// The story folder's manifest is read whole before anything is made: a
// mistake in it ends the run before its first frame, with every finding in
// the log (and so on stderr), and nothing of it half-used.
std::unique_ptr<CStory> LoadStory() {
    CDiagnostics findings;
    std::unique_ptr<CStory> story = CStory::Load(".", findings);
    for (const Diagnostic& finding : findings.All())
        CLog::Write("%s", CDiagnostics::Format(finding).c_str());
    return story;
}

// The story folder's log.txt, but the installed demo's folder belongs to the
// system: its log goes beside its saves, $XDG_DATA_HOME/tabi/demo/log.txt.
std::string LogPath(const Options& options) {
    if (!options.installedDemo) return "log.txt";
    CDiagnostics ignored;  // the run reads the story again and logs them
    const std::unique_ptr<CStory> story = CStory::Load(".", ignored);
    std::error_code ec;
    const std::string name =
        story ? CSaveFolder::StoryName(*story) : fs::current_path(ec).filename().string();
    std::string error;
    const fs::path saves = CSaveFolder::Choose("", name, error);
    if (saves.empty()) return "log.txt";
    fs::create_directories(saves.parent_path(), ec);
    return (saves.parent_path() / "log.txt").string();
}

}  // namespace

int CApplication::Run(const std::vector<std::string>& args) {
    Options options;
    bool proceed = false;
    const int code = PrepareRun(args, options, proceed);
    if (!proceed) return code;
    if (options.check) return CheckStory();
    const std::string logPath = LogPath(options);
    if (!CLog::Open(logPath.c_str()))
        std::fprintf(stderr, "tabi: cannot write %s\n", logPath.c_str());
    int exitCode = static_cast<int>(ExitCode::Failure);
    if (std::shared_ptr<const CStory> story = LoadStory()) {
        options.platform.title = story->Title();
        exitCode = Play(options, std::move(story));
    }
    CLog::Close();
    return exitCode;
}
