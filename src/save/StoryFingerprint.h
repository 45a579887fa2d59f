#pragma once
#include <string>

class CStory;

// The story's fingerprint: a SHA-256 of the bytes of everything a run reads
// from the story folder (the manifest, every script and every picture of the
// story's tables, each under its path, a missing file marked as missing).
// Bytes rather than sizes and times: a story copied or installed elsewhere
// keeps its saves, and an edit that keeps the size is still seen. The demo's
// 2.3 MB take a few milliseconds. Read in the story folder (the working directory).
class CStoryFingerprint {
public:
    static std::string Of(const CStory& story);
};
