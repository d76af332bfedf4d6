// A group's list patched after a change of the items.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct BookmarkItem;
struct UpdateHint;

// A list of one group's bookmarks patched after a change of the items, as
// quicker than listing the group again: `rows` (store indices, in the
// list's order by `before`) lose the removed bookmarks, and the changed and
// added ones of `group` (letter case ignored) are placed where `before`
// puts them; `placed` gets these. False, with nothing touched, when more
// are placed than a refill would take longer for.
bool PatchGroupRows(std::vector<size_t>& rows, const UpdateHint& hint, const std::vector<BookmarkItem>& items,
                    const std::string& group, const std::function<bool(size_t, size_t)>& before,
                    std::vector<size_t>& placed);
