// Tests of the HTML export.
#include "exchange/HtmlExport.h"
#include "tests/support/DocContent.h"
#include "exchange/HtmlImport.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/ScriptSamples.h"

#include <filesystem>

namespace {

class HtmlExportTest : public DocumentFixture {
protected:
    void FillStore()
    {
        SetGroups(doc, {"A", "B"});
        Add("One", "http://one/", "A");
        Add("Mail", "mailto:x@y", "Not listed");
        Add("Two <b>&amp;", "http://two/?a=1&b=2", "a");
    }
};

TEST_F(HtmlExportTest, CollectionPageByteForByte)
{
    EXPECT_EQ("<html>\r\n<title>Linkhive Bookmarks</title>\r\n<body>\r\n\r\n</body>\r\n</html>", CollectionPage(doc.Content()));

    FillStore();
    EXPECT_EQ("<html>\r\n<title>Linkhive Bookmarks</title>\r\n<body>\r\n"
              "\r\n<h3>A</h3>\r\n\r\n<ul>\r\n"
              "  <li><a href=\"http://one/\">One</a></li>\r\n"
              "  <li><a href=\"http://two/?a=1&b=2\">Two <b>&amp;</a></li>\r\n"
              "\r\n</ul>\r\n\r\n"
              "\r\n<h3>B</h3>\r\n\r\n<ul>\r\n"
              "\r\n</ul>\r\n\r\n"
              "\r\n</body>\r\n</html>",
              CollectionPage(doc.Content()));
}

TEST_F(HtmlExportTest, GroupPageByteForByte)
{
    FillStore();
    EXPECT_EQ("<html>\r\n<body>\r\n\r\n"
              "<p><a href=\"http://one/\">One</a></p>\r\n"
              "<p><a href=\"http://two/?a=1&b=2\">Two <b>&amp;</a></p>\r\n"
              "</body>\r\n</html>",
              GroupPage(doc.Content(), "a"));
    EXPECT_EQ("<html>\r\n<body>\r\n\r\n</body>\r\n</html>", GroupPage(doc.Content(), "B"));
}

TEST_F(HtmlExportTest, ExtensionRules)
{
    const std::vector<std::vector<std::string>> rules = {
        // chosen, whole collection, one group
        {"page", "page.html", "page.html"},
        {"page.htm", "page.htm.html", "page.htm"},
        {"page.HTML", "page.HTML", "page.HTML"},
        {"page.txt", "page.txt.html", "page.txt"},
        {"page.", "page..html", "page..html"},
        {"dir.d/page", "dir.d/page.html", "dir.d/page.html"},
    };
    for (const auto& rule : rules) {
        EXPECT_EQ(rule[1], CollectionPagePath(rule[0])) << rule[0];
        EXPECT_EQ(rule[2], GroupPagePath(rule[0])) << rule[0];
    }
}

TEST_F(HtmlExportTest, SavesThroughTheSafeWrite)
{
    FillStore();
    selection.currentGroup = "A";
    ASSERT_TRUE(SaveCollectionPage(doc, dir.Path("first")));
    ASSERT_TRUE(SaveCollectionPage(doc, dir.Path("second.html")));
    ASSERT_TRUE(SaveGroupPage(doc, dir.Path("group.htm")));
    EXPECT_EQ(CollectionPage(doc.Content()), ReadBytes(dir.Path("first.html")));
    EXPECT_EQ(CollectionPage(doc.Content()), ReadBytes(dir.Path("second.html")));
    EXPECT_EQ(GroupPage(doc.Content(), "A"), ReadBytes(dir.Path("group.htm")));
    EXPECT_FALSE(doc.IsModified());

    // A page that cannot replace the old one leaves it whole.
    const std::string locked = WriteFile("locked.html", "old page");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                             std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(SaveCollectionPage(doc, locked));
    EXPECT_FALSE(SaveGroupPage(doc, locked));
    EXPECT_EQ("old page", ReadBytes(locked));
    EXPECT_EQ((std::vector<std::string>{"Access to " + locked + " was denied.", "Access to " + locked + " was denied."}),
              prompt.shown);
    EXPECT_EQ(MessageStyle::StopOk, prompt.styles[0]);
    EXPECT_EQ((std::vector<std::string>{"first.html", "group.htm", "locked.html", "second.html"}), FilesIn(dir.Root()));
}

TEST_F(HtmlExportTest, ExportedPagesImportAgain)
{
    SetGroups(doc, {"Web", "Other"});
    Add("One", "http://one/", "Web");
    Add("Secure", "https://secure/", "Web");
    Add("Mail", "mailto:someone@example.com", "Web");
    Add("Two & more", "http://two/?a=1&b=2", "Web");
    Add("Three", "http://three/", "Other");
    selection.currentGroup = "Web";
    ASSERT_TRUE(SaveCollectionPage(doc, dir.Path("all.html")));
    ASSERT_TRUE(SaveGroupPage(doc, dir.Path("web.html")));

    const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
        {"all.html", {"One|http://one/", "Two & more|http://two/?a=1&b=2", "Three|http://three/"}},
        {"web.html", {"One|http://one/", "Two & more|http://two/?a=1&b=2"}},
    };
    for (const auto& [file, links] : expected) {
        CurrentSelection otherSelection;
        ClipboardMarks otherMarks;
        FakePrompt otherPrompt;
        FakeClipboard otherClipboard;
        CBookmarkDoc imported(otherSelection, otherMarks, otherPrompt, otherClipboard);
        ASSERT_TRUE(ImportHtml(dir.Path(file), imported, otherPrompt));
        std::vector<std::string> found;
        for (const BookmarkItem& item : imported.Items()) {
            found.push_back(item.m_strName + "|" + item.m_strURL);
            EXPECT_EQ(file, item.m_strGroup);
        }
        EXPECT_EQ(links, found) << file;
        EXPECT_TRUE(otherPrompt.shown.empty());
    }
}

// A page whose texts the legacy code page holds is in it, as always; any
// other is UTF-8 and says so. Either imports again whole.
TEST_F(HtmlExportTest, PagesOfEveryScript)
{
    for (const ScriptSample& sample : ScriptSamples()) {
        doc.Clear();
        SetGroups(doc, {sample.name});
        Add(sample.name, sample.url, sample.name);
        selection.currentGroup = sample.name;
        const std::string page = CollectionPage(doc.Content());
        EXPECT_EQ(!sample.legacy, page.find(kUtf8PageCharset) == 8) << sample.script;
        EXPECT_EQ(!sample.legacy, page.find(sample.name) != std::string::npos) << sample.script;

        const std::string path = dir.Path(sample.name + ".html");
        ASSERT_TRUE(SaveGroupPage(doc, path)) << sample.script;
        CurrentSelection otherSelection;
        ClipboardMarks otherMarks;
        FakePrompt otherPrompt;
        FakeClipboard otherClipboard;
        CBookmarkDoc imported(otherSelection, otherMarks, otherPrompt, otherClipboard);
        ASSERT_TRUE(ImportHtml(path, imported, otherPrompt)) << sample.script;
        ASSERT_EQ(1u, imported.Items().size()) << sample.script;
        EXPECT_EQ(sample.name + "|" + sample.url + "|" + sample.name + ".html",
                  imported.Items()[0].m_strName + "|" + imported.Items()[0].m_strURL + "|" + imported.Items()[0].m_strGroup)
            << sample.script;
    }
}

} // namespace
