#include "story/NearestKey.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Optimal string alignment distance: insertions, deletions, substitutions and
// swaps of adjacent characters, one edit each.
size_t Distance(std::string_view a, std::string_view b) {
    const size_t width = b.size() + 1;
    std::vector<size_t> d((a.size() + 1) * width);
    const auto at = [&](size_t i, size_t j) -> size_t& { return d[i * width + j]; };
    for (size_t i = 0; i <= a.size(); ++i)
        at(i, 0) = i;
    for (size_t j = 0; j <= b.size(); ++j)
        at(0, j) = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t cost = Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1;
            at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + cost});
            if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) &&
                Lower(a[i - 2]) == Lower(b[j - 1]))
                at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
        }
    }
    return at(a.size(), b.size());
}

}  // namespace

std::string_view NearestKey(std::string_view key, std::span<const std::string_view> known) {
    std::string_view best;
    size_t bestDistance = 3;
    for (const std::string_view candidate : known) {
        const size_t distance = Distance(key, candidate);
        if (distance < bestDistance && distance < key.size()) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}
