#include "NameSuggestion.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace inkline_cli {

namespace {

char folded(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

std::size_t editDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const std::size_t substitution = diagonal + (folded(a[i - 1]) == folded(b[j - 1]) ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, substitution});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::optional<std::string> nearestName(std::string_view name, const std::vector<std::string>& candidates) {
  std::optional<std::string> best;
  std::size_t bestDistance = 0;
  for (const std::string& candidate : candidates) {
    const std::size_t distance = editDistance(name, candidate);
    if (!best || distance < bestDistance) {
      best = candidate;
      bestDistance = distance;
    }
  }
  // A third of the longer name may be wrong, and never less than two letters, so short names
  // still find their match while unrelated words suggest nothing.
  const std::size_t longer = best ? std::max(name.size(), best->size()) : 0;
  if (!best || bestDistance > std::max<std::size_t>(2, longer / 3)) return std::nullopt;
  return best;
}

std::string didYouMean(std::string_view name, const std::vector<std::string>& candidates) {
  const auto nearest = nearestName(name, candidates);
  return nearest ? "; did you mean \"" + *nearest + "\"?" : std::string{};
}

}  // namespace inkline_cli
