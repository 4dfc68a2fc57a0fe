// "Did you mean ...": the known name closest to a misspelt one.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace inkline_cli {

// Edit distance ignoring case (ASCII).
std::size_t editDistance(std::string_view a, std::string_view b);

// The candidate nearest to `name`, when it is near enough to be a plausible typo.
std::optional<std::string> nearestName(std::string_view name, const std::vector<std::string>& candidates);

// "; did you mean \"X\"?" or "" when nothing is near.
std::string didYouMean(std::string_view name, const std::vector<std::string>& candidates);

}  // namespace inkline_cli
