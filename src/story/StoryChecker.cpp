#include "story/StoryChecker.h"

#include "platform/FileRead.h"
#include "platform/PngCheck.h"
#include "scripting/CommandTable.h"
#include "story/Diagnostics.h"
#include "story/ScriptChecker.h"
#include "story/Story.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// A row the manifest gave: the story means it, so its files must be there
// even when no script names it literally.
bool IsStoryScript(const CStory& story, int32_t number) {
    return CStory::BuiltIn().Scripts().PathOf(number) != story.Scripts().PathOf(number);
}

bool IsStoryPicture(const CStory& story, int32_t number) {
    const PictureRow* builtIn = CStory::BuiltIn().Pictures().Find(number);
    const PictureRow* row = story.Pictures().Find(number);
    return row && (!builtIn || builtIn->files != row->files);
}

}  // namespace

void CStoryChecker::CheckFolder(CDiagnostics& out) {
    const std::unique_ptr<CStory> story = CStory::Load(".", out);
    if (story) CheckStory(*story, CCommandTable::Engine(), out);
}

void CStoryChecker::CheckStory(const CStory& story, const CCommandTable& commands,
                               CDiagnostics& out) {
    std::set<int32_t> picturesUsed;
    CheckScripts(story, commands, out, picturesUsed);
    CheckPictures(story, picturesUsed, out);
}

// A built-in script the story never starts may be missing: the engine's own
// table names files a story need not have.
void CStoryChecker::CheckScripts(const CStory& story, const CCommandTable& commands,
                                 CDiagnostics& out, std::set<int32_t>& picturesUsed) {
    CScriptChecker checker(story, commands, out);
    std::set<int32_t> missing;
    for (const auto& [number, path] : story.Scripts().Rows()) {
        std::string bytes, error;
        if (CFileRead::ReadWhole(path, CFileRead::kMaxScriptBytes, bytes, error))
            checker.Check(path, bytes, number == CScriptTable::kStartScript);
        else
            missing.insert(number);
    }
    for (const int32_t number : missing)
        if (number == CScriptTable::kStartScript || IsStoryScript(story, number) ||
            checker.ScriptsUsed().contains(number))
            out.Error(story.Scripts().PathOf(number), 0, 0,
                      "script " + std::to_string(number) + " is missing or cannot be read");
    picturesUsed = checker.PicturesUsed();
}

// Each file once, checked the way a run loads it. Inflating the pictures is
// most of what --check costs, so the files are checked side by side, one
// thread a core; what is found is reported in the table's order all the same.
void CStoryChecker::CheckPictures(const CStory& story, const std::set<int32_t>& used,
                                  CDiagnostics& out) {
    struct Job {
        std::string file;
        int32_t number = 0;
        std::string error;
        bool good = true;
    };
    std::vector<Job> jobs;
    std::set<std::string> seen;
    for (const auto& [number, row] : story.Pictures().Rows()) {
        if (!used.contains(number) && !IsStoryPicture(story, number)) continue;
        for (const std::string& file : row.files)
            if (seen.insert(file).second) jobs.push_back({file, number, {}, true});
    }
    std::atomic<size_t> next = 0;
    const auto work = [&jobs, &next] {
        for (size_t i = next++; i < jobs.size(); i = next++) {
            int width = 0, height = 0;
            jobs[i].good = CPngCheck::Check(jobs[i].file, width, height, jobs[i].error);
        }
    };
    {
        std::vector<std::jthread> helpers;
        const size_t cores = std::max(1u, std::thread::hardware_concurrency());
        for (size_t i = 1; i < std::min(cores, jobs.size()); ++i)
            helpers.emplace_back(work);
        work();
    }  // the helpers are joined here
    for (const Job& job : jobs)
        if (!job.good)
            out.Error(job.file, 0, 0, job.error + " (picture " + std::to_string(job.number) + ")");
}
