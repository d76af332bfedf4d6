// Bookmark files that nest folders: read into groups, written from them.
#include "exchange/BookmarkTree.h"

#include "exchange/HtmlExport.h"
#include "exchange/ImportFile.h"
#include "exchange/TagStream.h"
#include "store/CBookmarkDoc.h"
#include "store/CodePage.h"
#include "store/TextCompare.h"

#include <new>

BookmarkTreeBuilder::BookmarkTreeBuilder(const std::string& topGroup)
    : m_folders(topGroup, m_file)
{
    m_open.push_back(0);
}

void BookmarkTreeBuilder::OpenFolder(std::string_view name)
{
    size_t unconvertible = 0;
    std::string text = WellFormedUtf8(name, &unconvertible);
    Spend(text.size());
    m_open.push_back(m_folders.Add(m_open.back(), std::move(text), unconvertible));
}

void BookmarkTreeBuilder::CloseFolder()
{
    if (m_open.size() > 1)
        m_open.pop_back();
}

void BookmarkTreeBuilder::AddLink(std::string_view url, std::string_view name, std::string_view description)
{
    if (url.empty() || StartsNoCase(url, "place:")) {
        ++m_file.skipped;
        return;
    }
    CheckImportItems(m_file.links.size());
    const size_t group = m_folders.GroupOf(m_open.back());
    NetscapeFile::Link link{BookmarkItem(), group, 0};
    link.item.m_strURL = WellFormedUtf8(url, &link.unconvertible);
    link.item.m_strName = WellFormedUtf8(name, &link.unconvertible);
    link.item.m_strDescription = WellFormedUtf8(description, &link.unconvertible);
    Spend(url.size() + name.size() + description.size() + m_file.groups[group].name.size());
    m_file.links.push_back(std::move(link));
}

// Deep folders repeat their long paths in every link: bounded as the file is.
void BookmarkTreeBuilder::Spend(size_t bytes)
{
    m_spent += bytes;
    if (m_spent > kMaxImportFileSize)
        throw std::bad_alloc();
}

std::vector<std::string> FolderPath(const std::string& group)
{
    std::vector<std::string> path;
    size_t start = 0;
    for (size_t at; (at = group.find(" / ", start)) != std::string::npos; start = at + 3)
        path.push_back(group.substr(start, at - start));
    path.push_back(group.substr(start));
    return path;
}

namespace {

class TreeMaker {
public:
    explicit TreeMaker(ExportTree& tree) : m_tree(tree) { m_tree.folders.push_back(ExportTree::Folder()); }

    void Group(const std::string& group, const std::vector<size_t>& items)
    {
        std::vector<std::string> path = FolderPath(group);
        // The writers nest as deep as the folders: beyond a sane depth the
        // rest stays one name, which the import joins back alike.
        const size_t kMaxDepth = 64;
        for (size_t i = kMaxDepth; i < path.size(); ++i)
            path[kMaxDepth - 1] += " / " + path[i];
        if (path.size() > kMaxDepth)
            path.resize(kMaxDepth);
        size_t shared = 0;
        while (shared < m_open.size() && shared < path.size() && m_names[shared] == path[shared])
            ++shared;
        m_open.resize(shared);
        m_names.resize(shared);
        for (size_t i = shared; i < path.size(); ++i) {
            const size_t index = m_tree.folders.size();
            m_tree.folders.push_back(ExportTree::Folder{path[i], {}});
            m_tree.folders[Innermost()].entries.push_back(ExportTree::Entry{true, index});
            m_open.push_back(index);
            m_names.push_back(path[i]);
        }
        for (size_t item : items)
            m_tree.folders[Innermost()].entries.push_back(ExportTree::Entry{false, item});
    }

private:
    size_t Innermost() const { return m_open.empty() ? 0 : m_open.back(); }

    ExportTree& m_tree;
    std::vector<size_t> m_open;
    std::vector<std::string> m_names;
};

} // namespace

ExportTree GroupTree(const StoreContent& content)
{
    ExportTree tree;
    TreeMaker maker(tree);
    const GroupedItems grouped(content);
    for (size_t g : SortedOrder(content.m_arrGroups))
        maker.Group(content.m_arrGroups[g], grouped.Of(content.m_arrGroups[g]));
    for (const std::string& group : grouped.Unlisted())
        maker.Group(group, grouped.Of(group));
    return tree;
}
