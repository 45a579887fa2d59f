#include "platform/raster/FontLocator.h"

#include <fontconfig/fontconfig.h>

namespace {

const FcChar8* Chars(const char* text) {
    return reinterpret_cast<const FcChar8*>(text);
}

}  // namespace

CFontLocator::~CFontLocator() {
    if (m_config) FcConfigDestroy(m_config);
}

bool CFontLocator::Find(const std::string& face, FontFile& out, std::string& error) {
    if (auto found = m_found.find(face); found != m_found.end()) {
        out = found->second;
        return true;
    }
    if (!m_config) m_config = FcInitLoadConfigAndFonts();
    if (!m_config) {
        error = "fontconfig could not load its configuration";
        return false;
    }
    FcPattern* pattern = FcPatternCreate();
    if (!face.empty()) FcPatternAddString(pattern, FC_FAMILY, Chars(face.c_str()));
    FcPatternAddString(pattern, FC_FAMILY, Chars("SimSun"));
    FcPatternAddString(pattern, FC_LANG, Chars("zh-cn"));
    FcConfigSubstitute(m_config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(m_config, pattern, &result);
    FcPatternDestroy(pattern);

    FcChar8* file = nullptr;
    int index = 0;
    const bool found = match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
    if (found) {
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
        out = {reinterpret_cast<const char*>(file), index};
        m_found.emplace(face, out);
    } else {
        error = "no installed font matches '" + face + "' (nor SimSun, nor any Chinese face)";
    }
    if (match) FcPatternDestroy(match);
    return found;
}
