// Tests of the HTML import.
#include "exchange/HtmlImport.h"
#include "tests/support/DocContent.h"
#include "tests/exchange/ImportFixture.h"
#include "store/TextCompare.h"

#include <cctype>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

const std::string kDuplicate = "The following URL exists already in your database:\n";
const std::string kNoUrls = "There are no URLs, sorry.\n Please, contact the developer";

std::vector<std::pair<std::string, std::string>> Scan(const std::string& text)
{
    std::vector<LinkSpan> spans;
    ScanHtmlLinks(text.data(), text.size(), spans);
    std::vector<std::pair<std::string, std::string>> links;
    for (const LinkSpan& span : spans)
        links.emplace_back(text.substr(span.urlBegin, span.urlLength), text.substr(span.nameBegin, span.nameLength));
    return links;
}

using Links = std::vector<std::pair<std::string, std::string>>;

TEST(HtmlScan, LineRules)
{
    const struct {
        const char* what;
        std::string text;
        Links links;
    } cases[] = {
        {"anchor with later attributes", "<DT><A HREF=\"http://a.example/\" ADD_DATE=\"1\">Alpha</A>\n",
         {{"http://a.example/", "Alpha"}}},
        {"first link of a line only", "<a href=\"http://one/\">1</a> <a href=\"http://two/\">2</a>",
         {{"http://one/", "1"}}},
        {"single quotes", "<a href='http://x/'>X</a>\n", {}},
        {"single quotes, later double quote", "<a href='http://x/'>X</a> \"y\"\n", {{"http://x/'>X</a> ", ""}}},
        {"text on the next line", "<a href=\"http://x/\">\nText</a>\n", {{"http://x/", ""}}},
        {"markup inside the text", "<a href=\"http://x/\">Bold <b>x</b></a>", {{"http://x/", "Bold "}}},
        {"no > after the quote", "\"http://x/\" then <b", {{"http://x/", "\" then "}}},
        {"plain text", "see http://x/ here\n", {}},
        {"other schemes", "<a href=\"https://s/\">S</a>\n<a href=\"HTTP://C/\">C</a>\n<a href=\"ftp://f/\">F</a>\n", {}},
        {"nothing decoded", "<a href=\"http://x/?a=1&amp;b=2#top\"> A &amp; B </a>",
         {{"http://x/?a=1&amp;b=2#top", " A &amp; B "}}},
        {"CR LF lines, last without end", "<a href=\"http://x/\">X</a>\r\n\r\n<a href=\"http://y/\">Y</a>",
         {{"http://x/", "X"}, {"http://y/", "Y"}}},
        {"quote only on the next line", "http://x/\n\"<a>\"\n", {}},
        {"Ctrl+Z and NUL are ordinary bytes", std::string("\x1A\n<a href=\"http://x/\">A\0B</a>\n", 29),
         {{"http://x/", std::string("A\0B", 3)}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Scan(c.text), c.links) << c.what;
}

TEST(HtmlScan, LongLinesAndManyLines)
{
    const std::string longName(100000, 'n');
    std::string page = "<a href=\"http://long/\">" + longName + "</a>\n";
    for (int i = 0; i < 5000; ++i)
        page += "<DT><A HREF=\"http://host/" + std::to_string(i) + "\">" + std::to_string(i) + "</A>\n";
    const Links links = Scan(page);
    ASSERT_EQ(links.size(), 5001u);
    EXPECT_EQ(links[0].second, longName);
    EXPECT_EQ(links[5000], (std::pair<std::string, std::string>("http://host/4999", "4999")));
}

class HtmlImport : public ImportFixture {};

TEST_F(HtmlImport, AddsANewGroupAndSkipsStoredUrls)
{
    SetGroups(doc, {"Old"});
    SetItems(doc, {Item("a", "HTTP://DUP.example/", "Old"), Item("b", "http://other/", "Old"),
                      Item("c", "http://dup.EXAMPLE/", "Old")});
    const std::string path = WriteFile("links.htm",
                                       "<a href=\"http://dup.example/\">Dup</a>\n"
                                       "<a href=\"http://new/\">New</a>\n"
                                       "<a href=\"http://NEW/\">New again</a>\n");

    EXPECT_TRUE(ImportHtml(path, doc, prompt));
    EXPECT_EQ(doc.Groups(), (std::vector<std::string>{"Old", "links.htm"}));
    EXPECT_EQ(selection.currentGroup, "links.htm");
    EXPECT_EQ(Triples().back(), (std::vector<std::string>{"New", "http://new/", "links.htm"}));
    EXPECT_EQ(doc.Items().size(), 4u);
    // One notice per matching stored item, the link found twice reported once.
    EXPECT_EQ(prompt.shown, (std::vector<std::string>{kDuplicate + "http://dup.example/", kDuplicate + "http://dup.example/",
                                                      kDuplicate + "http://NEW/"}));
    EXPECT_EQ(prompt.styles[0], MessageStyle::InformationOk);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(itemPane.updates, 1);

    // The same file again: a second group of the same name, every link reported.
    prompt.shown.clear();
    EXPECT_TRUE(ImportHtml(path, doc, prompt));
    EXPECT_EQ(doc.Groups(), (std::vector<std::string>{"Old", "links.htm", "links.htm"}));
    EXPECT_EQ(doc.Items().size(), 4u);
    EXPECT_EQ(prompt.shown.size(), 4u);
}

// The index must give what comparing each link with every stored URL gives.
TEST_F(HtmlImport, ManyLinksAgreeWithComparingEveryStoredUrl)
{
    std::mt19937 random(1);
    auto url = [&random](int n) {
        std::string text = "http://h/" + std::to_string(n) + "/abc";
        for (size_t i = 7; i < text.size(); ++i) {
            if (random() % 2)
                text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
        }
        return text;
    };
    for (int i = 0; i < 2000; ++i)
        EditContent(doc, [&](StoreContent& content) { content.m_arrItems.push_back(Item("s", url(static_cast<int>(random() % 1500)), "Old")); });
    std::string page;
    std::vector<std::string> links;
    for (int i = 0; i < 3000; ++i) {
        links.push_back(url(static_cast<int>(random() % 3000)));
        page += "<a href=\"" + links.back() + "\">x</a>\n";
    }

    std::vector<BookmarkItem> expected = doc.Items();
    size_t notices = 0;
    for (const std::string& link : links) {
        size_t matches = 0;
        for (const BookmarkItem& item : expected)
            matches += TextEqual(item.m_strURL, link) ? 1 : 0;
        notices += matches;
        if (matches == 0)
            expected.push_back(Item("x", link, "many.htm"));
    }

    EXPECT_TRUE(ImportHtml(WriteFile("many.htm", page), doc, prompt));
    ASSERT_EQ(doc.Items().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(doc.Items()[i].m_strURL, expected[i].m_strURL);
    EXPECT_EQ(prompt.shown.size(), notices);
}

TEST_F(HtmlImport, PageWithoutLinksLeavesAnEmptyGroup)
{
    const std::string path = WriteFile("plain.html", "<p>https://secure.example/ only</p>\n");
    EXPECT_TRUE(ImportHtml(path, doc, prompt));
    EXPECT_EQ(doc.Groups(), std::vector<std::string>{"plain.html"});
    EXPECT_EQ(prompt.shown, std::vector<std::string>{kNoUrls});
    EXPECT_EQ(prompt.styles[0], MessageStyle::StopOk);
    EXPECT_TRUE(doc.IsModified());
    // The empty group is shown by the import itself, once.
    EXPECT_EQ(itemPane.updates, 1);
}

TEST_F(HtmlImport, FileThatCannotBeOpenedChangesNothing)
{
    SetGroups(doc, {"Kept"});
    const std::string path = dir.Path("missing.htm");
    EXPECT_FALSE(ImportHtml(path, doc, prompt));
    EXPECT_EQ(prompt.shown, std::vector<std::string>{path + " was not found."});
    EXPECT_EQ(prompt.styles[0], MessageStyle::StopOk);
    EXPECT_EQ(doc.Groups(), std::vector<std::string>{"Kept"});
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(HtmlImport, RealBrowserExports)
{
    const std::filesystem::path folder = std::filesystem::path(LINKHIVE_TEST_DATA) / "browser-exports";
    const struct {
        const char* file;
        size_t links;
        std::vector<std::string> first;  // name, URL of the first link
    } cases[] = {
        {"netscape_basic.htm", 1, {"Public stuff", "http://public.tld"}},  // its https link is not found
        {"chromium_flat.htm", 3, {"WINDOWS93", "http://www.windows93.net/"}},
        {"firefox_nested.htm", 18,
         {"Timeline of the Elves in Tolkien\xE2\x80\x99s works | LotrProject Blog",
          "http://lotrproject.com/blog/2013/02/08/timeline-of-the-elves-in-tolkiens-works/"}},
        {"scuttle.htm", 4, {"EuroVoc Thesaurus", "http://eurovoc.europa.eu/drupal/?q=navigation&amp;cl=en"}},
        {"netscape_extended.htm", 1, {"", "http://localhost.localdomain:8083/Shaarli/?JVvqCA"}},  // an image as text
        {"scuttle_new_line.htm", 1, {"", "http://funky16corners.com"}},  // attribute runs on to the next line
        {"safari_folded.htm", 0, {}},
        {"empty.htm", 0, {}},
    };
    for (const auto& c : cases) {
        doc.Clear();
        prompt.shown.clear();
        EXPECT_TRUE(ImportHtml((folder / c.file).string(), doc, prompt)) << c.file;
        EXPECT_EQ(doc.Groups(), std::vector<std::string>{c.file});
        ASSERT_EQ(doc.Items().size(), c.links) << c.file;
        if (c.links > 0) {
            EXPECT_EQ(doc.Items()[0].m_strName, c.first[0]) << c.file;
            EXPECT_EQ(doc.Items()[0].m_strURL, c.first[1]) << c.file;
            EXPECT_TRUE(prompt.shown.empty()) << c.file;
        }
    }
}

} // namespace
