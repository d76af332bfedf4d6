// A change to the collection in words, for the history.
#pragma once

#include "store/ChangeJournal.h"
#include "store/DataFile.h"

#include <string>

// What `record`, just done to `after`, did: "Deleted 3 bookmarks from Dev",
// "Imported 1,204 bookmarks into 9 groups", "Renamed group News to Daily",
// "Edited Example Domain". A merge keeps the words it was given.
std::string DescribeChange(const ChangeRecord& record, const StoreContent& after);
