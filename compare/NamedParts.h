// Parts of two drawings paired by name: the first of several namesakes in one drawing pairs
// with the first in the other, and so on.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct TNamedPair {
    std::optional<std::size_t> Old;  // index in the old drawing's parts, none when only new
    std::optional<std::size_t> New;
};

// Every part of both drawings once: the old drawing's in its order, each with its namesake when
// it has one, then the new drawing's parts that have none.
template <class TPart, class TNameOf>
std::vector<TNamedPair> PairByName(const std::vector<TPart>& old, const std::vector<TPart>& now,
                                   TNameOf nameOf)
{
    std::map<std::string, std::vector<std::size_t>> unpaired;
    for (std::size_t i = now.size(); i-- > 0;)
        unpaired[nameOf(now[i])].push_back(i);
    std::vector<TNamedPair> pairs;
    std::vector<bool> paired(now.size(), false);
    for (std::size_t i = 0; i < old.size(); ++i) {
        std::vector<std::size_t>& namesakes = unpaired[nameOf(old[i])];
        if (namesakes.empty()) {
            pairs.push_back({i, std::nullopt});
            continue;
        }
        pairs.push_back({i, namesakes.back()});
        paired[namesakes.back()] = true;
        namesakes.pop_back();
    }
    for (std::size_t j = 0; j < now.size(); ++j)
        if (!paired[j])
            pairs.push_back({std::nullopt, j});
    return pairs;
}
