#include "checker/nearest_name.hpp"

#include "base/text.hpp"

#include <algorithm>

namespace parcelkit::checker {

namespace {

// Edits between two words, a swap of two neighbours counting as one.
std::size_t distance(const std::wstring& a, const std::wstring& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    for (std::size_t j = 0; j <= b.size(); ++j) {
        d[0][j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

} // namespace

std::optional<std::wstring> nearestName(std::wstring_view written,
                                        const std::vector<std::wstring>& known) {
    const std::wstring word = base::asciiLower(written);
    const std::size_t allowed = word.size() <= 4 ? 1 : 2;
    std::optional<std::wstring> best;
    std::size_t bestDistance = allowed + 1;
    for (const auto& name : known) {
        const std::size_t d = distance(word, base::asciiLower(name));
        if (d < bestDistance) {
            best = name;
            bestDistance = d;
        }
    }
    return best;
}

std::wstring didYouMean(std::wstring_view written, const std::vector<std::wstring>& known,
                        std::wstring_view before, std::wstring_view after) {
    const auto nearest = nearestName(written, known);
    if (!nearest) {
        return L"";
    }
    return L"; did you mean " + std::wstring(before) + *nearest + std::wstring(after) + L"?";
}

} // namespace parcelkit::checker
