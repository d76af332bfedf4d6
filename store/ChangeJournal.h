#pragma once

#include "store/BookmarkItem.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

// One operation on the collection, as it can be taken back and done again
// exactly. Done, the removals go (indices before them, ascending), then the
// changes land (indices after the removals), then the additions are appended;
// groups and items alike. A record holds only what the collection does not:
// the removed entries and the old values while done, the new values and the
// appended entries while taken back; applying it trades them over.
struct ChangeRecord {
    // What the user did, for a history to name; the parts' sizes are the counts.
    // A Merge brought another version's changes; its words are the merge's summary.
    enum Kind { AddItems, RemoveItems, EditItems, MoveItems, AddGroup, RenameGroup, RemoveGroup, PasteItem, Import, Merge };
    template <typename T>
    struct Edit {
        size_t index;
        T other;  // the value the collection does not hold now
    };
    template <typename T>
    struct Part {
        std::vector<std::pair<size_t, T>> removed;
        std::vector<Edit<T>> changed;
        std::vector<T> added;  // empty while the record is done: the collection holds them
        size_t addedCount = 0;  // how many it appends, once done
    };

    Kind kind = EditItems;
    Part<BookmarkItem> items;
    Part<std::string> groups;
    // What the change did, in words, and when (seconds since 1970), for the
    // history.
    std::string what;
    int64_t when = 0;

    bool Empty() const;
    bool TouchesGroups() const;
    // About what the record holds in memory, for the journal's bound.
    size_t Bytes() const;
};

// Builders: a record made before it is done names the new values and the
// entries to append; the removed ones are taken from the collection.
void Remove(ChangeRecord::Part<BookmarkItem>& part, size_t index);
void Change(ChangeRecord::Part<BookmarkItem>& part, size_t index, BookmarkItem after);
void Append(ChangeRecord::Part<BookmarkItem>& part, BookmarkItem item);

// The records since the collection was put in place, newest last, and those
// taken back since, ready to be done again. Bounded by count and bytes: the
// oldest records go first.
class ChangeJournal {
public:
    explicit ChangeJournal(size_t mostRecords = 1000, size_t mostBytes = size_t{256} << 20)
        : m_mostRecords(mostRecords), m_mostBytes(mostBytes)
    {
    }

    // A change just done: whatever was taken back can no longer be done again.
    void Push(ChangeRecord record);
    // Before a change is done: what was taken back goes first, so that its
    // memory is not held alongside the change's.
    void DropUndone();
    void Clear();

    // The newest record done, which UndoLast takes back; null when none.
    const ChangeRecord* NewestDone() const { return m_done.empty() ? nullptr : &m_done.back(); }
    // The record taken back last, which RedoLast does again; null when none.
    const ChangeRecord* NewestUndone() const { return m_undone.empty() ? nullptr : &m_undone.back(); }
    size_t DoneCount() const { return m_done.size(); }
    size_t UndoneCount() const { return m_undone.size(); }
    // The done records, 0 the newest.
    const ChangeRecord& Done(size_t newest) const { return m_done[m_done.size() - 1 - newest]; }
    // The undone records, 0 the one RedoLast does first.
    const ChangeRecord& Undone(size_t newest) const { return m_undone[m_undone.size() - 1 - newest]; }
    // How many of the oldest records the bound has dropped since the journal
    // was last cleared.
    size_t DroppedCount() const { return m_dropped; }
    size_t Bytes() const { return m_bytes; }

    // Take back the newest done record (or do again the newest undone) on
    // `groups` and `items`; false when there is none.
    bool UndoLast(std::vector<std::string>& groups, std::vector<BookmarkItem>& items);
    bool RedoLast(std::vector<std::string>& groups, std::vector<BookmarkItem>& items);

private:
    void Trim();

    size_t m_mostRecords;
    size_t m_mostBytes;
    size_t m_bytes = 0;  // of the records, done and undone
    size_t m_dropped = 0;
    std::deque<ChangeRecord> m_done;
    std::vector<ChangeRecord> m_undone;
};

// Do `record` on the two lists, or take it back.
void ApplyForward(ChangeRecord& record, std::vector<std::string>& groups, std::vector<BookmarkItem>& items);
void ApplyBackward(ChangeRecord& record, std::vector<std::string>& groups, std::vector<BookmarkItem>& items);
