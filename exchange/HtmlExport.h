// The collection or one group as an HTML page.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class CBookmarkDoc;
struct StoreContent;

// The whole-collection pages' group rule: a group name holds the bookmarks
// whose group equals it, letter case ignored, in store order. Walks the
// store once, so a store of many groups costs no more than one of few.
// Keeps a reference to `content`, which must outlive it.
class GroupedItems {
public:
    explicit GroupedItems(const StoreContent& content);

    // Indices into m_arrItems of the bookmarks `group` holds; empty if none.
    const std::vector<size_t>& Of(const std::string& group) const;

    // The group names of bookmarks that no entry of the group list equals,
    // in order of first appearance, each as its first bookmark spells it.
    std::vector<std::string> Unlisted() const;

private:
    struct Group {
        std::string spelling;  // as the first bookmark of the group has it
        std::vector<size_t> items;
    };

    const StoreContent& m_content;
    std::vector<Group> m_groups;                          // by first appearance
    std::unordered_map<std::string, size_t> m_byFolded;  // folded name -> index into m_groups
};

// The line after "<html>" of a page whose texts the legacy code page cannot
// hold, which is then in UTF-8; other pages are in that code page and have
// no such line, as they always had.
extern const char kUtf8PageCharset[];

// The whole collection as a page: every group a heading with a list of its
// links, in group-list order; bytes as the file holds them (CR LF).
std::string CollectionPage(const StoreContent& content);

// One group's links as paragraphs, with no title and no heading.
std::string GroupPage(const StoreContent& content, const std::string& group);

// The whole-collection page appends ".html" unless the extension is "html";
// the group page only when the name has no extension at all.
std::string CollectionPagePath(const std::string& chosen);
std::string GroupPagePath(const std::string& chosen);

// Settle the chosen path by its rule and write the page through the safe
// write; a failure is reported with the standard file-error text and
// returns false. The group page shows the current group.
bool SaveCollectionPage(CBookmarkDoc& doc, const std::string& chosen);
bool SaveGroupPage(CBookmarkDoc& doc, const std::string& chosen);
