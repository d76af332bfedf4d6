#pragma once

#include "store/BookmarkItem.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CBookmarkDoc;
class IPrompt;

// A browser's bookmark file as read, its texts in the store's code page.
struct NetscapeFile {
    struct Group {
        std::string name;      // the folder path, names joined by " / "
        size_t unconvertible;  // characters of the name that became '?'
    };
    struct Link {
        BookmarkItem item;  // the group left empty: `group` names it
        size_t group;       // index into `groups`
        size_t unconvertible;
    };
    bool recognised = false;    // the bookmark file's DOCTYPE or at least one <A HREF>
    std::vector<Group> groups;  // distinct by the store's comparison rule, in the order their first link came
    std::vector<Link> links;    // every link in file order, repeated ones too
    size_t skipped = 0;         // links with an empty or a "place:" address
};

// Reads the bytes of a bookmark file as browsers write it: a tag stream,
// folders (<H3>) holding the <DL> after them, links (<A HREF>) with an
// optional <DD> description; character references decoded, the charset its
// META names (UTF-8 without one) converted to the store's code page. Links
// outside every folder go to `topGroup`. Throws std::bad_alloc past
// kMaxImportItems links or when the texts outgrow kMaxImportFileSize (deep
// folders repeat long paths in every link).
NetscapeFile ParseNetscapeFile(const char* data, size_t size, const std::string& topGroup);

// Imports the bookmark file at `path` whole: each folder holding links
// becomes a group (one the store has already receives them), links the
// store holds or the file repeats are skipped, outside folders the group is
// named after the file. The store is committed once and the first group that
// received a bookmark becomes current; one message sums it up. The file's
// icons are left out as it is read (IconFilter); what remains may be
// kMaxImportFileSize bytes. False when the file could not be read, holds
// more or is no bookmark file (reported through `prompt`, the limit in
// megabytes; the store is then unchanged).
bool ImportNetscapeFile(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt);

// As above with another limit than kMaxImportFileSize.
bool ImportNetscapeFile(const std::string& path, CBookmarkDoc& doc, IPrompt& prompt, uint64_t limit);
