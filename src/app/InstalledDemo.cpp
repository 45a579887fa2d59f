#include "app/InstalledDemo.h"

namespace fs = std::filesystem;

namespace {

// The demo's folder below an installation prefix, as CMake installs it.
const fs::path kDemoBelowPrefix = fs::path("share") / "tabi" / "demo";

}  // namespace

std::vector<fs::path> CInstalledDemo::Candidates() {
    std::vector<fs::path> candidates;
    std::error_code ec;
    const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) candidates.push_back(executable.parent_path().parent_path() / kDemoBelowPrefix);
    const fs::path configured = fs::path(TABI_INSTALL_PREFIX) / kDemoBelowPrefix;
    if (candidates.empty() || candidates.front() != configured) candidates.push_back(configured);
    return candidates;
}

fs::path CInstalledDemo::Find() {
    for (const fs::path& folder : Candidates())
        if (HoldsStory(folder)) return folder;
    return {};
}

bool CInstalledDemo::HoldsStory(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder / "script", ec) ||
           fs::is_regular_file(folder / "story.toml", ec);
}
