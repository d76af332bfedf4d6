// Merging collections: three ways (a collection changed in two places since
// it was read) and two (another collection's bookmarks into this one).
#pragma once

#include "store/DataFile.h"

#include <cstddef>
#include <string>
#include <vector>

// The merged collection and what came into it from the other side. The
// counts are bookmarks, taken against OURS (the collection merged into).
struct MergeOutcome {
    StoreContent merged;
    bool threeWay = true;
    size_t added = 0;      // the other side's new bookmarks, and those it changed where ours removed them
    size_t removed = 0;    // bookmarks of ours the other side removed
    size_t changed = 0;    // bookmarks of ours the other side changed, its version taken
    size_t keptTwice = 0;  // bookmarks changed differently on both sides, kept in both versions
    size_t groupsAdded = 0;
    size_t groupsRemoved = 0;
    size_t groupsRenamed = 0;  // groups of ours the other side renamed, ours' bookmarks following
    // Where both versions of each bookmark kept twice stand in `merged`, ours' first.
    std::vector<size_t> keptTwiceItems;

    // Whether anything came from the other side.
    bool Changed() const { return added || removed || changed || keptTwice || groupsAdded || groupsRemoved || groupsRenamed; }
};

// A bookmark is its group (letter case ignored, as the store compares group
// names), name, URL and description; a group its name. What one side removed
// is removed, what one side added is added (once, when both added it), a
// bookmark changed on one side takes that change, one changed differently on
// both sides is kept in both versions, and one removed on one side but
// changed on the other keeps the change. A group the other side renamed takes
// the bookmarks this side added to it under its old name. Ours' order, then
// theirs' additions in theirs' order.
MergeOutcome MergeThreeWay(const StoreContent& base, const StoreContent& ours, const StoreContent& theirs);

// `into` with what `other` has and `into` lacks (bookmarks by all four texts,
// as often as `other` has them more; groups by name), in other's order.
MergeOutcome MergeTwoWay(const StoreContent& into, const StoreContent& other);

// The one line that tells the user what a merge brought.
std::string MergeSummary(const MergeOutcome& outcome);
