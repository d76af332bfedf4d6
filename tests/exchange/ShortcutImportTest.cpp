// Tests of the shortcut imports.
#include "exchange/LocalFileSystem.h"
#include "tests/support/DocContent.h"
#include "exchange/ShortcutFile.h"
#include "exchange/ShortcutImport.h"
#include "tests/support/DocumentFixture.h"

#include <algorithm>
#include <filesystem>

namespace {

// Lists what the test says and records deletions.
class FakeFileSystem : public IFileSystem {
public:
    std::vector<std::string> ListShortcutCandidates(const std::string& folder) override
    {
        listed.push_back(folder);
        return names;
    }
    bool RemoveFile(const std::string& path) override
    {
        removed.push_back(path);
        return false;
    }

    std::vector<std::string> names;
    std::vector<std::string> listed;
    std::vector<std::string> removed;
};

class ShortcutImportTest : public DocumentFixture {
protected:
    std::string Shortcut(const std::string& name, const std::string& url)
    {
        return WriteFile(name, "[InternetShortcut]\r\nURL=" + url + "\r\n");
    }

    FakeFileSystem files;
};

TEST_F(ShortcutImportTest, DropAddsShortcutsToTheCurrentGroupInDropOrder)
{
    SetGroups(doc, {"Work", "Home"});
    selection.currentGroup = "Home";
    const std::vector<std::string> paths = {
        Shortcut("b.url", "http://b/"),
        WriteFile("notes.txt", "[InternetShortcut]\r\nURL=http://txt/\r\n"),
        Shortcut("My.Site.URL", "http://site/"),
        WriteFile("nokey.url", "[InternetShortcut]\r\nX=1\r\n"),
        WriteFile("noextension", ""),
        dir.Path("missing.url"),
    };
    for (bool deleteSources : {false, true}) {
        EditContent(doc, [&](StoreContent& content) { content.m_arrItems.clear(); });
        files.removed.clear();
        const std::vector<std::string> imported = DropShortcutFiles(doc, files, paths, deleteSources);
        EXPECT_EQ((std::vector<std::string>{"b|http://b/|Home|", "My.Site|http://site/|Home|", "nokey||Home|",
                                            "missing||Home|"}),
                  Items());
        // Those without a URL are kept: they alone still hold the address.
        const std::vector<std::string> read = {paths[0], paths[2]};
        EXPECT_EQ(read, imported);
        EXPECT_EQ(deleteSources ? read : std::vector<std::string>{}, files.removed);
    }
    EXPECT_EQ((std::vector<std::string>{"Work", "Home"}), doc.Groups());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ShortcutImportTest, DropOnAStoreWithoutGroupsMakesNewGroup)
{
    selection.currentGroup = "Deleted earlier";
    DropShortcutFiles(doc, files, {Shortcut("a.url", "http://a/")}, false);
    EXPECT_EQ(std::vector<std::string>{"New Group"}, doc.Groups());
    EXPECT_EQ("New Group", selection.currentGroup);
    EXPECT_EQ(std::vector<std::string>{"a|http://a/|New Group|"}, Items());
}

TEST_F(ShortcutImportTest, ShortcutsWhoseURLWasNotReadAreNotDeleted)
{
    SetGroups(doc, {"G"});
    selection.currentGroup = "G";
    const std::string good = Shortcut("good.url", "http://good/");
    // Each of these still gives a bookmark, with an empty URL.
    const std::vector<std::string> unread = {
        WriteFile("nokey.url", "[InternetShortcut]\r\nX=http://x/\r\n"),
        WriteFile("otherSection.url", "[Other]\r\nURL=http://x/\r\n"),
        Shortcut("empty.url", ""),
        Shortcut("blanks.url", "   "),
        Shortcut("huge.url", "http://huge/"),
        dir.Path("missing.url"),
        dir.Path("folder.url"),
    };
    std::filesystem::resize_file(unread[4], kMaxShortcutFileSize + 1);
    std::filesystem::create_directory(unread[6]);

    std::vector<std::string> paths = unread;
    paths.push_back(good);
    EXPECT_EQ(std::vector<std::string>{good}, DropShortcutFiles(doc, files, paths, true));
    EXPECT_EQ(std::vector<std::string>{good}, files.removed);
    ASSERT_EQ(paths.size(), doc.Items().size());
    for (size_t i = 0; i < unread.size(); ++i)
        EXPECT_EQ("", doc.Items()[i].m_strURL) << unread[i];

    // The folder import keeps them the same way.
    files.removed.clear();
    for (const std::string& path : paths)
        files.names.push_back(std::filesystem::path(path).filename().string());
    std::vector<std::string> deletable;
    ASSERT_TRUE(ImportShortcutFolder(doc, files, dir.Root() + "/", true, &deletable));
    EXPECT_EQ(std::vector<std::string>{dir.Root() + "/good.url"}, deletable);
    EXPECT_EQ(deletable, files.removed);
    EXPECT_EQ(2 * paths.size(), doc.Items().size());
}

TEST_F(ShortcutImportTest, FolderImportKeepsOnlyExactExtensionsInListOrder)
{
    const std::string folder = dir.Root() + "/";
    Shortcut("b.url", "http://b/");
    Shortcut("A.URL", "http://a/");
    files.names = {"b.url", "a.urls", "A.URL", "x.txt", "url"};
    SetGroups(doc, {"Other"});
    std::vector<std::string> imported;
    ASSERT_TRUE(ImportShortcutFolder(doc, files, folder, true, &imported));
    EXPECT_EQ(std::vector<std::string>{folder}, files.listed);
    EXPECT_EQ((std::vector<std::string>{"Other", folder}), doc.Groups());
    EXPECT_EQ(folder, selection.currentGroup);
    EXPECT_EQ((std::vector<std::string>{"b|http://b/|" + folder + "|", "A|http://a/|" + folder + "|"}), Items());
    EXPECT_EQ((std::vector<std::string>{folder + "b.url", folder + "A.URL"}), imported);
    EXPECT_EQ(imported, files.removed);

    // The same folder again: a second group, its name made unique.
    ASSERT_TRUE(ImportShortcutFolder(doc, files, folder, false));
    EXPECT_EQ((std::vector<std::string>{"Other", folder, folder + " *"}), doc.Groups());
    EXPECT_EQ(4u, doc.Items().size());
    EXPECT_EQ(folder + " *", doc.Items()[3].m_strGroup);
}

TEST_F(ShortcutImportTest, FolderWithoutShortcutsChangesNothing)
{
    files.names = {"a.urls", "b.txt"};
    EXPECT_FALSE(ImportShortcutFolder(doc, files, "C:\\empty\\", true));
    EXPECT_EQ(std::vector<std::string>{"Sorry, no URLs here. Try another folder."}, prompt.shown);
    EXPECT_EQ(MessageStyle::StopOk, prompt.styles[0]);
    EXPECT_TRUE(doc.Groups().empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(0, groupPane.updates + itemPane.updates);
}

TEST_F(ShortcutImportTest, RealFolderIsListedAndEmptied)
{
    for (const char* name : {"b.url", "a.url", "C.URL", "d.urls", "e.txt"})
        Shortcut(name, std::string("http://") + name + "/");
    std::filesystem::create_directory(dir.Path("sub.url"));
#ifdef _WIN32
    const std::string folder = dir.Root() + "\\";
#else
    const std::string folder = dir.Root() + "/";
#endif
    LocalFileSystem local;
    ASSERT_TRUE(ImportShortcutFolder(doc, local, folder, true));
    std::vector<std::string> items;
    for (const BookmarkItem& item : doc.Items())
        items.push_back(item.m_strName + " " + item.m_strURL);
#ifdef _WIN32
    std::sort(items.begin(), items.end());
    EXPECT_EQ((std::vector<std::string>{"C http://C.URL/", "a http://a.url/", "b http://b.url/"}), items);
#else
    // A Linux folder has no order; the group pane's order stands in for it.
    EXPECT_EQ((std::vector<std::string>{"a http://a.url/", "b http://b.url/", "C http://C.URL/"}), items);
#endif
    EXPECT_EQ((std::vector<std::string>{"d.urls", "e.txt", "sub.url"}), FilesIn(dir.Root()));
}

} // namespace
