#pragma once
#include <map>
#include <string>

struct _FcConfig;

// Finds the font file for a face name through fontconfig. Stories ask for
// Windows faces (SimSun for the dialogue), so the search also asks for
// SimSun and Simplified Chinese coverage, and fontconfig picks the closest
// face installed (WenQuanYi Micro Hei on Debian). Owned by a backend; opens
// fontconfig on the first search only, so a run that draws no text never
// pays for it.
class CFontLocator {
public:
    struct FontFile {
        std::string path;
        int index = 0;  // face inside a collection (.ttc)
    };

    CFontLocator() = default;
    CFontLocator(const CFontLocator&) = delete;
    CFontLocator& operator=(const CFontLocator&) = delete;
    ~CFontLocator();

    // face: UTF-8. False (and `error` says why) when no font file is found.
    bool Find(const std::string& face, FontFile& out, std::string& error);

private:
    _FcConfig* m_config = nullptr;
    std::map<std::string, FontFile> m_found;
};
