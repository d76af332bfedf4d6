// A group's list patched after a change of the items.
#include "query/GroupRows.h"

#include "store/BookmarkItem.h"
#include "store/CDocument.h"
#include "store/TextCompare.h"

#include <algorithm>

bool PatchGroupRows(std::vector<size_t>& rows, const UpdateHint& hint, const std::vector<BookmarkItem>& items,
                    const std::string& group, const std::function<bool(size_t, size_t)>& before,
                    std::vector<size_t>& placed)
{
    // Each bookmark placed moves part of the rows; past a few, a refill is as quick.
    const size_t kMostPlaced = 64;
    const size_t count = items.size();
    if (hint.changed.size() + hint.added > kMostPlaced || hint.added > count)
        return false;

    RemoveIndices(rows, hint.removed);
    placed.clear();
    for (const size_t index : hint.changed) {
        const auto shown = std::find(rows.begin(), rows.end(), index);
        if (shown != rows.end())
            rows.erase(shown);
        placed.push_back(index);
    }
    for (size_t index = count - hint.added; index < count; ++index)
        placed.push_back(index);
    placed.erase(std::remove_if(placed.begin(), placed.end(),
                                [&](size_t index) {
                                    return index >= count || !TextEqual(items[index].m_strGroup, group);
                                }),
                 placed.end());
    for (const size_t index : placed)
        rows.insert(std::lower_bound(rows.begin(), rows.end(), index, before), index);
    return true;
}
