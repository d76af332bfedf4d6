// Random texts for the benchmarks.
#pragma once

#include <random>
#include <string>

// Lower-case letters, of a length drawn from [minLength, maxLength].
inline std::string RandomText(std::mt19937& random, size_t minLength, size_t maxLength)
{
    std::uniform_int_distribution<size_t> length(minLength, maxLength);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::string text(length(random), ' ');
    for (char& c : text)
        c = static_cast<char>(letter(random));
    return text;
}

#include "store/DataFile.h"

#include <functional>

// `items` bookmarks in groups "Group 0" .. "Group N-1", with random names and
// http:// URLs. Each goes to a random group, or with `groupsInTurn` to the
// groups in turn (so each holds the same number); `description` gives the
// description of bookmark i (may draw from `random`).
inline StoreContent RandomCollection(std::mt19937& random, size_t groups, size_t items, bool groupsInTurn,
                                     const std::function<std::string(size_t)>& description = {})
{
    StoreContent content;
    for (size_t g = 0; g < groups; ++g)
        content.m_arrGroups.push_back("Group " + std::to_string(g));
    std::uniform_int_distribution<size_t> group(0, groups - 1);
    content.m_arrItems.reserve(items);
    for (size_t i = 0; i < items; ++i) {
        BookmarkItem item;
        item.m_strName = RandomText(random, 10, 60);
        item.m_strURL = "http://" + RandomText(random, 13, 113);
        item.m_strGroup = content.m_arrGroups[groupsInTurn ? i % groups : group(random)];
        if (description)
            item.m_strDescription = description(i);
        content.m_arrItems.push_back(std::move(item));
    }
    return content;
}
