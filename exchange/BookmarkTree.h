// Bookmark files that nest folders: read into groups, written from them.
#pragma once

#include "exchange/NetscapeReader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct StoreContent;

// Gathers a walk over a file's folders into groups as the browser-bookmark
// import makes them: a folder's path joined by " / ", links outside every
// folder in `topGroup`, groups made when their first link comes. Texts are
// UTF-8; an ill-formed byte becomes U+FFFD and counts as unconvertible.
// Throws std::bad_alloc past kMaxImportItems links or when the texts outgrow
// kMaxImportFileSize.
class BookmarkTreeBuilder {
public:
    explicit BookmarkTreeBuilder(const std::string& topGroup);

    void OpenFolder(std::string_view name);
    void CloseFolder();
    // Links with an empty or a "place:" address are counted as skipped.
    void AddLink(std::string_view url, std::string_view name, std::string_view description = {});
    void Recognise() { m_file.recognised = true; }
    NetscapeFile Finish() { return std::move(m_file); }

private:
    void Spend(size_t bytes);

    NetscapeFile m_file;
    FolderGroups m_folders;      // after m_file, which it fills
    std::vector<size_t> m_open;  // the open folders, the top first
    uint64_t m_spent = 0;
};

// The collection as nested folders, for the writers: the groups in the
// group pane's order, then those in no entry (the Netscape export's order);
// each group's name cut at " / " into folders, a folder kept open while the
// next groups lie in it.
struct ExportTree {
    struct Entry {
        bool folder;
        size_t index;  // into `folders`, or into the content's items
    };
    struct Folder {
        std::string name;
        std::vector<Entry> entries;
    };
    std::vector<Folder> folders;  // [0] is the top, nameless
};
ExportTree GroupTree(const StoreContent& content);

// A group's folders: its name cut at each " / ".
std::vector<std::string> FolderPath(const std::string& group);
