#include "app/Application.h"

#include "app/CommandLine.h"
#include "app/Game.h"
#include "app/Log.h"
#include "app/Session.h"
#include "input/InputFile.h"
#include "input/InputRecorder.h"
#include "platform/FileRead.h"
#include "platform/Platform.h"
#include "scripting/ScriptLibrary.h"
#include "scripting/ScriptSource.h"
#include "scripting/Trace.h"
#include "sound/SoundManager.h"
#include "story/Diagnostics.h"
#include "story/Story.h"
#include "story/StoryChecker.h"

#include <unistd.h>
#include <cstdio>
#include <memory>

namespace {

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

}  // namespace

int CApplication::Run(const std::vector<std::string>& args) {
    Options options;
    bool proceed = false;
    const int code = PrepareRun(args, options, proceed);
    if (!proceed) return code;
    if (options.check) return CheckStory();
    if (!CLog::Open("log.txt")) std::fprintf(stderr, "tabi: cannot write log.txt here\n");
    int exitCode = static_cast<int>(ExitCode::Failure);
    if (std::shared_ptr<const CStory> story = LoadStory()) {
        options.platform.title = story->Title();
        exitCode = Play(options, std::move(story));
    }
    CLog::Close();
    return exitCode;
}
