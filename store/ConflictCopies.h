// The copies of a collection that sync services leave beside it.
#pragma once

#include <string>
#include <vector>

// When two computers changed a collection at once, a sync service keeps the
// version it could not put in place beside it, named after it:
// "work (Anna's conflicted copy 2026-12-01).lkh",
// "work.sync-conflict-20261201-120000-ABCDEF7.lkh" or "work-COMPUTER.lkh"
// (COMPUTER the name of the computer it came to). Whether `name` is such a
// copy of `collectionName`, letter case ignored as Windows ignores it.
bool IsConflictCopyName(const std::string& collectionName, const std::string& name, const std::string& computerName);

// The conflict copies in the folder of the collection at `path`, full paths
// in order of their names.
std::vector<std::string> ConflictCopiesOf(const std::string& path, const std::string& computerName);
