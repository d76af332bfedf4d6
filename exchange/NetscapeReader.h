// A browser's bookmark file read into folders and links.
#pragma once

#include "store/BookmarkItem.h"
#include "store/TextCompare.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

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

// Group names without regard to letter case, as the store compares them.
struct NoCaseHash {
    size_t operator()(const std::string& text) const { return HashNoCase(text); }
};
struct NoCaseEqual {
    bool operator()(const std::string& a, const std::string& b) const { return TextEqual(a, b); }
};
using NoCaseIndex = std::unordered_map<std::string, size_t, NoCaseHash, NoCaseEqual>;

// A file's folders as the import's groups: a folder's path from the top,
// names joined by " / ", the top folder (index 0) named `topGroup`; a
// group made in `file` when its folder's first link comes, shared by
// folders whose paths compare equal.
class FolderGroups {
public:
    FolderGroups(const std::string& topGroup, NetscapeFile& file);
    FolderGroups(const FolderGroups&) = delete;
    FolderGroups& operator=(const FolderGroups&) = delete;

    // A folder inside `parent`; its index.
    size_t Add(size_t parent, std::string name, size_t unconvertible);
    // The group of the links in `folder`, made now if it is the first.
    size_t GroupOf(size_t folder);

private:
    struct Folder {
        size_t parent;
        std::string name;
        size_t unconvertible;
        size_t group;  // kNone until a link lands in it
    };

    NetscapeFile& m_file;
    std::vector<Folder> m_folders;  // [0] is the top, outside every folder
    NoCaseIndex m_groupIndex;
};
