#include "store/ChangeJournal.h"

namespace {

size_t Bytes(const BookmarkItem& item)
{
    return sizeof(BookmarkItem) + item.m_strURL.size() + item.m_strName.size() + item.m_strGroup.size() +
           item.m_strDescription.size();
}

size_t Bytes(const std::string& text)
{
    return sizeof(std::string) + text.size();
}

template <typename T>
size_t PartBytes(const ChangeRecord::Part<T>& part)
{
    size_t bytes = 0;
    for (const auto& entry : part.removed)
        bytes += sizeof(size_t) + Bytes(entry.second);
    for (const auto& edit : part.changed)
        bytes += sizeof(size_t) + Bytes(edit.other);
    for (const T& value : part.added)
        bytes += Bytes(value);
    return bytes;
}

// The removed entries leave the list for the record, in one pass.
template <typename T>
void Forward(std::vector<T>& list, ChangeRecord::Part<T>& part)
{
    if (!part.removed.empty()) {
        size_t next = 0;
        size_t kept = 0;
        for (size_t i = 0; i < list.size(); ++i) {
            if (next < part.removed.size() && part.removed[next].first == i) {
                part.removed[next++].second = std::move(list[i]);
                continue;
            }
            if (kept != i)
                list[kept] = std::move(list[i]);
            ++kept;
        }
        list.resize(kept);
    }
    for (auto& edit : part.changed)
        std::swap(list[edit.index], edit.other);
    part.addedCount = part.added.size();
    list.reserve(list.size() + part.added.size());
    for (T& value : part.added)
        list.push_back(std::move(value));
    part.added.clear();
    part.added.shrink_to_fit();
}

template <typename T>
void Backward(std::vector<T>& list, ChangeRecord::Part<T>& part)
{
    const size_t kept = list.size() - part.addedCount;
    part.added.reserve(part.addedCount);
    for (size_t i = kept; i < list.size(); ++i)
        part.added.push_back(std::move(list[i]));
    list.resize(kept);
    for (auto edit = part.changed.rbegin(); edit != part.changed.rend(); ++edit)
        std::swap(list[edit->index], edit->other);
    if (part.removed.empty())
        return;
    std::vector<T> merged;
    merged.reserve(list.size() + part.removed.size());
    size_t next = 0;
    size_t i = 0;
    while (i < list.size() || next < part.removed.size()) {
        if (next < part.removed.size() && part.removed[next].first == merged.size())
            merged.push_back(std::move(part.removed[next++].second));
        else if (i < list.size())
            merged.push_back(std::move(list[i++]));
        else
            break;
    }
    list.swap(merged);
}

} // namespace

void Remove(ChangeRecord::Part<BookmarkItem>& part, size_t index)
{
    part.removed.emplace_back(index, BookmarkItem());
}

void Change(ChangeRecord::Part<BookmarkItem>& part, size_t index, BookmarkItem after)
{
    part.changed.push_back({index, std::move(after)});
}

void Append(ChangeRecord::Part<BookmarkItem>& part, BookmarkItem item)
{
    part.added.push_back(std::move(item));
}

bool ChangeRecord::Empty() const
{
    return items.removed.empty() && items.changed.empty() && items.added.empty() && items.addedCount == 0 &&
           !TouchesGroups();
}

bool ChangeRecord::TouchesGroups() const
{
    return !groups.removed.empty() || !groups.changed.empty() || !groups.added.empty() || groups.addedCount != 0;
}

size_t ChangeRecord::Bytes() const
{
    return sizeof(ChangeRecord) + PartBytes(items) + PartBytes(groups) + what.size();
}

void ChangeJournal::DropUndone()
{
    for (const ChangeRecord& undone : m_undone)
        m_bytes -= undone.Bytes();
    m_undone.clear();
}

void ChangeJournal::Push(ChangeRecord record)
{
    DropUndone();
    m_bytes += record.Bytes();
    m_done.push_back(std::move(record));
    Trim();
}

void ChangeJournal::Clear()
{
    m_done.clear();
    m_undone.clear();
    m_bytes = 0;
    m_dropped = 0;
}

bool ChangeJournal::UndoLast(std::vector<std::string>& groups, std::vector<BookmarkItem>& items)
{
    if (m_done.empty())
        return false;
    ChangeRecord record = std::move(m_done.back());
    m_done.pop_back();
    m_bytes -= record.Bytes();
    ApplyBackward(record, groups, items);
    m_bytes += record.Bytes();
    m_undone.push_back(std::move(record));
    return true;
}

bool ChangeJournal::RedoLast(std::vector<std::string>& groups, std::vector<BookmarkItem>& items)
{
    if (m_undone.empty())
        return false;
    ChangeRecord record = std::move(m_undone.back());
    m_undone.pop_back();
    m_bytes -= record.Bytes();
    ApplyForward(record, groups, items);
    m_bytes += record.Bytes();
    m_done.push_back(std::move(record));
    Trim();
    return true;
}

void ChangeJournal::Trim()
{
    // The newest record stays even when it alone is past the bound.
    while (m_done.size() > 1 && (m_done.size() + m_undone.size() > m_mostRecords || m_bytes > m_mostBytes)) {
        m_bytes -= m_done.front().Bytes();
        m_done.pop_front();
        ++m_dropped;
    }
}

void ApplyForward(ChangeRecord& record, std::vector<std::string>& groups, std::vector<BookmarkItem>& items)
{
    Forward(groups, record.groups);
    Forward(items, record.items);
}

void ApplyBackward(ChangeRecord& record, std::vector<std::string>& groups, std::vector<BookmarkItem>& items)
{
    Backward(items, record.items);
    Backward(groups, record.groups);
}
