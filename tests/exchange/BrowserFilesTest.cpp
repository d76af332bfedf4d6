// Tests of the Chromium, Firefox backup and XBEL bookmark files.
#include "tests/exchange/ImportFixture.h"
#include "tests/support/DocContent.h"
#include "exchange/BrowserFiles.h"
#include "exchange/BrowserImport.h"
#include "exchange/NetscapeImport.h"
#include "exchange/Md5.h"
#include "store/FileIO.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using Rows = std::vector<std::string>;

std::string DataFile(const char* name)
{
    std::ifstream in(std::filesystem::path(LINKHIVE_TEST_DATA) / "browser-formats" / name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// "group|name|URL|description" of every link, then "skipped N".
Rows Read(BookmarkFileParser parse, const std::string& text)
{
    const NetscapeFile file = parse(text.data(), text.size(), "top");
    Rows rows;
    if (!file.recognised)
        rows.push_back("not recognised");
    for (const NetscapeFile::Link& link : file.links)
        rows.push_back(file.groups[link.group].name + "|" + link.item.m_strName + "|" + link.item.m_strURL + "|" +
                       link.item.m_strDescription);
    if (file.skipped)
        rows.push_back("skipped " + std::to_string(file.skipped));
    return rows;
}

TEST(BrowserFiles, ReadTheBrowsersOwnFiles)
{
    EXPECT_EQ(Read(ParseChromiumFile, DataFile("Bookmarks")),
              (Rows{"top|Example|https://example.com/|", "Work|Tracker|https://tracker.example/issues?id=1|",
                    "Work / Tools|Grüße — Tools|https://tools.example/ü|", "Work / Tools|Again|https://example.com/|",
                    "Reading|Long read|http://read.example/a|", "top|Loose|http://loose.example/|",
                    "top|Phone|https://m.example/|"}));
    EXPECT_EQ(Read(ParseFirefoxBackup, DataFile("firefox-backup.json")),
              (Rows{"top|Mozilla|https://www.mozilla.org/|", "Dev|Docs|https://developer.example/docs|",
                    "Dev / Deep|Nested & deep|https://deep.example/?a=1&b=2|", "top|Bar link|https://bar.example/|",
                    "skipped 1"}));
    EXPECT_EQ(Read(ParseXbelFile, DataFile("bookmarks.xbel")),
              (Rows{"top|Top & first|https://top.example/|", "News|News \u00e9dition|https://news.example/?a=1&b=2|The morning paper",
                    "News / Local|Local|https://local.example/|", "skipped 1"}));
}

TEST(BrowserFiles, OtherFilesAreRefusedAndBadOnesSurvive)
{
    const std::string deepJson = std::string(100000, '[') + std::string(100000, ']');
    std::string deepXml = "<xbel>";
    for (int i = 0; i < 5000; ++i)
        deepXml += "<folder a='</x>'>";
    const std::string netscape = "<!DOCTYPE NETSCAPE-Bookmark-file-1><DL><DT><A HREF=\"http://a/\">a</A></DL>";
    const BookmarkFileParser parsers[] = {ParseChromiumFile, ParseFirefoxBackup, ParseXbelFile};
    const std::string others[] = {netscape,  "",  "{\"roots\": 1}", "{\"type\": \"text/x-moz-place\"}",
                                  "<other/>", deepJson, deepXml, "<xbel><folder>", "{\"roots\": {\"other\": {\"children\": [1, {\"type\": \"url\"}"};
    for (BookmarkFileParser parse : parsers) {
        for (const std::string& text : others)
            EXPECT_EQ(Read(parse, text), Rows{"not recognised"}) << text.substr(0, 40);
    }
    // Recognised but odd: folders of no children, wrong types, links without an address.
    EXPECT_EQ(Read(ParseChromiumFile, "{\"roots\": {\"bookmark_bar\": {\"children\": [{\"type\": \"folder\"}, "
                                      "{\"type\": \"url\", \"name\": 3}, {\"type\": \"url\", \"url\": \"u\"}]}}}"),
              (Rows{"top||u|", "skipped 1"}));
    EXPECT_EQ(Read(ParseXbelFile, "<xbel><folder><title>A</title><folder><title>B</title></folder>"
                                  "<bookmark href='h'/></folder><bookmark href='i'>\xFF</bookmark></xbel>"),
              (Rows{"A||h|", "top||i|"}));
}

TEST(BrowserFiles, Md5AndTheBrowsersChecksum)
{
    const struct {
        std::string text;
        const char* digest;
    } vectors[] = {{"", "d41d8cd98f00b204e9800998ecf8427e"},
                   {"abc", "900150983cd24fb0d6963f7d28e17f72"},
                   {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
                    "57edf4a22be3c955ac49da2e2107b67a"}};
    for (const auto& v : vectors) {
        Md5 md5;
        md5.Update(v.text);
        EXPECT_EQ(md5.HexDigest(), v.digest);
    }
    // The sample's checksum, made as the browser makes it, comes out again.
    const nlohmann::json file = nlohmann::json::parse(DataFile("Bookmarks"));
    Md5 md5;
    std::vector<const nlohmann::json*> pending;
    for (const char* root : {"synced", "other", "bookmark_bar"})
        pending.push_back(&file["roots"][root]);
    while (!pending.empty()) {
        const nlohmann::json& node = *pending.back();
        pending.pop_back();
        if (node["type"] == "url") {
            ChecksumUrlNode(md5, node["id"], node["name"], node["url"]);
            continue;
        }
        ChecksumFolderNode(md5, node["id"], node["name"]);
        md5.Update("folder");
        for (auto child = node["children"].rbegin(); child != node["children"].rend(); ++child)
            pending.push_back(&*child);
    }
    EXPECT_EQ(md5.HexDigest(), file["checksum"]);
}

class BrowserFileExport : public ImportFixture {};

// What each export writes its reader reads back: the groups, the bookmarks
// and (where the format holds them) the descriptions.
TEST_F(BrowserFileExport, RoundTrips)
{
    SetGroups(doc, {"Work", "Work / Tools", "Zed", "A <&> \"q\""});
    SetItems(doc, {MakeItem("w", "http://w/", "Work", "about w"), MakeItem("t\u00e9", "http://t/?a=1&b=2", "Work / Tools"),
                   MakeItem("z", "http://z/", "Zed", "line\r\nnext"), MakeItem("q", "http://q/", "A <&> \"q\"")});
    const struct {
        BookmarkFileParser parse;
        std::string text;
        bool descriptions;
    } cases[] = {{ParseChromiumFile, ChromiumBookmarkFile(doc.Content()), false},
                 {ParseXbelFile, XbelBookmarkFile(doc.Content()), true}};
    for (const auto& c : cases) {
        NetscapeFile file = c.parse(c.text.data(), c.text.size(), "top");
        ASSERT_TRUE(file.recognised);
        Rows rows;
        for (const NetscapeFile::Link& link : file.links)
            rows.push_back(file.groups[link.group].name + "|" + link.item.m_strName + "|" + link.item.m_strURL + "|" +
                           (c.descriptions ? link.item.m_strDescription : ""));
        EXPECT_EQ(rows, (Rows{"A <&> \"q\"|q|http://q/|", std::string("Work|w|http://w/|") + (c.descriptions ? "about w" : ""),
                              "Work / Tools|t\u00e9|http://t/?a=1&b=2|",
                              std::string("Zed|z|http://z/|") + (c.descriptions ? "line\r\nnext" : "")}))
            << c.text;
    }
    // The Chromium file's own checksum is the browser's over what it holds.
    const nlohmann::json chromium = nlohmann::json::parse(cases[0].text);
    EXPECT_EQ(chromium["roots"]["bookmark_bar"]["id"], "1");
    EXPECT_EQ(chromium["roots"]["synced"]["id"], "3");
    EXPECT_EQ(chromium["roots"]["bookmark_bar"]["children"][0]["id"], "4");
}

TEST_F(BrowserFileExport, ImportsFollowTheBrowserBookmarkRules)
{
    SetGroups(doc, {"work"});
    SetItems(doc, {MakeItem("stored", "https://example.com/", "work")});
    const std::string path = WriteFile("Bookmarks", DataFile("Bookmarks"));
    EXPECT_TRUE(ImportChromiumFile(path, doc, prompt));
    EXPECT_EQ(doc.Groups(), (Rows{"work", "Work / Tools", "Reading", "Bookmarks"}));
    EXPECT_EQ(prompt.shown.back(), "Imported 5 bookmarks into 4 groups. 2 were already in the collection.");

    // A file of another kind leaves the store as it was.
    doc.SetModifiedFlag(false);
    const size_t items = doc.Items().size();
    const std::string xbel = WriteFile("marks.xbel", DataFile("bookmarks.xbel"));
    EXPECT_FALSE(ImportChromiumFile(xbel, doc, prompt));
    EXPECT_EQ(prompt.shown.back(), "This is not a Chromium bookmarks file.");
    EXPECT_FALSE(ImportFirefoxBackup(xbel, doc, prompt));
    EXPECT_EQ(prompt.shown.back(), "This is not a Firefox bookmarks backup.");
    EXPECT_FALSE(ImportXbelFile(path, doc, prompt));
    EXPECT_EQ(prompt.shown.back(), "This is not an XBEL bookmark file.");
    EXPECT_EQ(doc.Items().size(), items);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(ImportXbelFile(xbel, doc, prompt));
    EXPECT_EQ(doc.Items()[doc.Items().size() - 2].m_strDescription, "The morning paper");
}

} // namespace
