#pragma once
#include <cstdint>
#include <set>

class CCommandTable;
class CDiagnostics;
class CStory;

// `tabi --check`: reads a story folder (the working directory) the way a run
// would, without running it, and reports every mistake it can see: in the
// manifest, in each script file of the script table, and in the picture
// files the story uses. Runs nothing and writes nothing.
class CStoryChecker {
public:
    // The manifest first: a story whose manifest has an error is not read on.
    static void CheckFolder(CDiagnostics& out);
    static void CheckStory(const CStory& story, const CCommandTable& commands, CDiagnostics& out);

private:
    static void CheckScripts(const CStory& story, const CCommandTable& commands, CDiagnostics& out,
                             std::set<int32_t>& picturesUsed);
    static void CheckPictures(const CStory& story, const std::set<int32_t>& used,
                              CDiagnostics& out);
};
