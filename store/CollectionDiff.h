// The one change record that turns a collection into another.
#pragma once

#include "store/ChangeJournal.h"
#include "store/DataFile.h"

// The record that, done on `from`, leaves `to`: the bookmarks and groups
// both hold in the same order stay where they are, the others are removed,
// changed in place or appended. Cheap when `to` keeps `from`'s order, as a
// merge's collection does; its kind and words are the caller's.
ChangeRecord DiffCollections(const StoreContent& from, const StoreContent& to);
