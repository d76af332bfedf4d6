// Tests of the browser bookmark file import.
#include "tests/exchange/ImportFixture.h"
#include "tests/support/DocContent.h"
#include "exchange/NetscapeExport.h"
#include "exchange/NetscapeImport.h"
#include "store/CodePage.h"
#include "store/TextCompare.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

const char kHead[] = "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<DL><p>\n";
const char kNotBookmarks[] = "This is not a bookmark file of a web browser.";

// "group|name|URL|description" of every link read, then "skipped N" and
// "lost N" (characters that became '?').
std::vector<std::string> Read(const std::string& text)
{
    const NetscapeFile file = ParseNetscapeFile(text.data(), text.size(), "top.htm");
    std::vector<std::string> rows;
    size_t lost = 0;
    for (const NetscapeFile::Group& group : file.groups)
        lost += group.unconvertible;
    for (const NetscapeFile::Link& link : file.links) {
        rows.push_back(file.groups[link.group].name + "|" + link.item.m_strName + "|" + link.item.m_strURL + "|" +
                       link.item.m_strDescription);
        lost += link.unconvertible;
    }
    if (file.skipped)
        rows.push_back("skipped " + std::to_string(file.skipped));
    if (lost)
        rows.push_back("lost " + std::to_string(lost));
    return rows;
}

using Rows = std::vector<std::string>;

TEST(NetscapeParse, StructureAndTolerance)
{
    const struct {
        const char* what;
        std::string text;
        Rows rows;
    } cases[] = {
        {"nesting: paths joined, a closed folder hands back to its parent",
         "<DL><p><DT><H3>Bar</H3><DL><p>"
         "<DT><H3 ADD_DATE=\"1\">Work</H3><DL><p><DT><H3>Tools</H3><DL><p><DT><A HREF=\"http://t/\">T</A></DL><p>"
         "<DT><A HREF=\"http://w/\">W</A></DL><p></DL><p>"
         "<DT><A HREF=\"http://top/\">Top</A><DT><H3>Empty</H3><DL><p></DL><p></DL>",
         {"Bar / Work / Tools|T|http://t/|", "Bar / Work|W|http://w/|", "top.htm|Top|http://top/|"}},
        {"missing end tags, stray <p> and <HR>, a list of no folder's",
         "<DL><DT><H3>F\n<DL><p><DT><A HREF=\"http://a/\">A\n<DD> about a \n<HR><DT><A HREF=\"http://b/\">B\n"
         "<p></DL><p><DL><DT><A HREF=\"http://c/\">C</DL>",
         {"F|A|http://a/|about a", "F|B|http://b/|", "top.htm|C|http://c/|"}},
        {"any case, any quotes, tags across lines, markup inside names dropped",
         "<dl><dt><h3 folded>Mixed</H3><dL><Dt><a\n  add_date=1 HREF='http://s/?q=\"x\"'\n>Single <B>bold</b> <img src=x></A>"
         "<DT><A id=z href=http://bare/>Bare</a></dl>",
         {"Mixed|Single bold|http://s/?q=\"x\"|", "Mixed|Bare|http://bare/|"}},
        {"descriptions: after a link only, the first, up to the next tag",
         "<DT><H3>G</H3><DD>of the folder<DL><DT><A HREF=\"http://a/\">A</A>\n<DD>line one\n line two <b>x</b>\n"
         "<DD>second</DL>",
         {"G|A|http://a/|line one\n line two"}},
        {"every scheme; empty and internal addresses skipped, anchors without HREF ignored",
         "<A HREF=\"https://s/\">s</A><A HREF=\"ftp://f/\">f</A><A HREF=\"mailto:m@x\">m</A>"
         "<A HREF=\"javascript:void(0)\">j</A><A HREF=\"file:///c:/x\">x</A><A HREF=\"rel/page\">r</A>"
         "<A HREF=\"\">empty</A><A HREF=\" \">blank</A><A HREF=\"place:sort=8\">p</A><A HREF=\"PLACE:x\">P</A>"
         "<A NAME=\"anchor\">no link</A><DD>nothing to describe",
         {"top.htm|s|https://s/|", "top.htm|f|ftp://f/|", "top.htm|m|mailto:m@x|", "top.htm|j|javascript:void(0)|",
          "top.htm|x|file:///c:/x|", "top.htm|r|rel/page|", "skipped 4"}},
        {"comments, declarations and a lone < are no tags",
         "<!-- <A HREF=\"http://hidden/\">x</A> --><?xml x?><A HREF=\"http://a/\">1 < 2 <3</A><!-- cut off <A HREF=",
         {"top.htm|1 < 2 <3|http://a/|"}},
        {"a tag the file cuts off is dropped", "<A HREF=\"http://a/\">A</A><A HREF=\"http://b/", {"top.htm|A|http://a/|"}},
        {"folders of one path, in any letter case, are one group",
         "<DT><H3>Work</H3><DL><DT><A HREF=\"http://1/\">1</A></DL><DT><H3>WORK</H3><DL><DT><A HREF=\"http://2/\">2</A></DL>"
         "<DT><H3></H3><DL><DT><A HREF=\"http://3/\">3</A></DL>",
         {"Work|1|http://1/|", "Work|2|http://2/|", "|3|http://3/|"}},
        {"an <H3> followed by a link before its list names no list",
         "<DT><H3>Lost</H3><DT><A HREF=\"http://a/\">A</A><DL><DT><A HREF=\"http://b/\">B</A></DL>",
         {"top.htm|A|http://a/|", "top.htm|B|http://b/|"}},
        {"more closing lists than open ones", "</DL></DL><DT><A HREF=\"http://a/\">A</A>", {"top.htm|A|http://a/|"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.text), c.rows) << c.what;
}

TEST(NetscapeParse, ReferencesAndCharsets)
{
    const std::string meta1251 = "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\">";
    const struct {
        const char* what;
        std::string text;
        Rows rows;
    } cases[] = {
        {"references in names, URLs, folders and descriptions",
         "<H3>a &amp; b</H3><DL><A HREF=\"http://x/?a=1&amp;b=2&copy=3&#38;c&#x26;d\">&lt;&quot;&apos;&gt;&nbsp;"
         "&eacute;&Eacute;&yuml;&#233;&#xe9;&#X20AC;</A><DD>&unknown; &amp &#0; &#1114112;</DL>",
         {"a & b|<\"'>\u00a0\u00e9\u00c9\u00ff\u00e9\u00e9\u20ac|http://x/?a=1&b=2&copy=3&c&d|&unknown; &amp \ufffd \ufffd"}},
        {"all of HTML's names, two characters for some; &#128; to &#159; as windows-1252",
         "<A HREF=\"http://x/&#150;&#x97;&#128&#129;&#159;\">&mdash;&hellip;&rsquo;&euro;&Euml;&fjlig;"
         "&CounterClockwiseContourIntegral;&CounterClockwiseContourIntegrals;&nbsp</A>",
         {"top.htm|\u2014\u2026\u2019\u20ac\u00cb" "fj\u2233&CounterClockwiseContourIntegrals;&nbsp|http://x/\u2013\u2014\u20ac\u0081\u0178|"}},
        {"blanks written as references survive trimming",
         "<A HREF=\"&#32;http://x/\"> &#32;name&#9;\n</A><DD>\n&#10;\n", {"top.htm|\x20name\t|\x20http://x/|\n"}},
        {"UTF-8 without META kept whole; a byte that is no UTF-8 becomes '?'",
         "<A HREF=\"http://x/\">\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD\xC3</A>", {"top.htm|\u00e9\u20ac\u4e2d?|http://x/|", "lost 1"}},
        {"a byte-order mark outweighs the META",
         "\xEF\xBB\xBF" + meta1251 + "<A HREF=\"http://x/\">\xC3\xA9</A>", {"top.htm|\u00e9|http://x/|"}},
        {"windows-1251 converted", meta1251 + "<A HREF=\"http://x/\">\x88\xAB\xC6</A>", {"top.htm|\u20ac\u00ab\u0416|http://x/|"}},
        {"iso-8859-1 read as browsers read it, charset attribute",
         "<meta charset='ISO-8859-1'><A HREF=\"http://x/\">\xE9\x80</A>", {"top.htm|\u00e9\u20ac|http://x/|"}},
        {"iso-8859-15", "<META CONTENT=\"text/html;charset=iso-8859-15\"><A HREF=\"http://x/\">\xA4\xE9</A>",
         {"top.htm|\u20ac\u00e9|http://x/|"}},
        {"a charset not known read as guessed: the legacy code page, references whole",
         "<META CONTENT=\"text/html; charset=x-mac-roman\"><A HREF=\"http://x/\">\x8E&eacute;&#x4E2D;</A>",
         {"top.htm|\u017d\u00e9\u4e2d|http://x/|"}},
        {"a META after the first bookmark is too late",
         "<A HREF=\"http://x/\">\xC3\xA9</A>" + meta1251, {"top.htm|\u00e9|http://x/|"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.text), c.rows) << c.what;
}

TEST(NetscapeParse, Recognition)
{
    const struct {
        std::string text;
        bool recognised;
    } cases[] = {
        {"", false},
        {"<html><body><a name=\"x\">not a link</a> http://x/</body></html>", false},
        {"<!doctype netscape-bookmark-file-1>", true},
        {"<p><a href=\"\">empty</a></p>", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseNetscapeFile(c.text.data(), c.text.size(), "g").recognised, c.recognised) << c.text;
}

class NetscapeImport : public ImportFixture {
protected:
    bool Import(const std::string& name, const std::string& text) { return ImportNetscapeFile(WriteFile(name, text), doc, prompt); }
};

TEST_F(NetscapeImport, SkipsDuplicatesAndFillsGroupsTheStoreHas)
{
    SetGroups(doc, {"Old", "work"});
    SetItems(doc, {Item("stored", "HTTP://DUP/", "Old")});
    const std::string text = std::string(kHead) +
                             "<DT><H3>Work</H3><DL><p><DT><A HREF=\"http://dup/\">d</A>"
                             "<DT><A HREF=\"http://new/\">n</A><DD>about</DL><p>"
                             "<DT><H3>Fresh</H3><DL><p><DT><A HREF=\"http://NEW/\">again</A>"
                             "<DT><A HREF=\"http://f/\">\xE4\xB8\xAD</A><DT><A HREF=\"place:x\">q</A></DL><p>"
                             "<DT><A HREF=\"http://top/\">t</A><DT><H3>Empty</H3><DL><p></DL><p></DL><p>";

    EXPECT_TRUE(Import("marks.html", text));
    EXPECT_EQ(doc.Groups(), (std::vector<std::string>{"Old", "work", "Fresh", "marks.html"}));
    EXPECT_EQ(Items(), (std::vector<std::string>{"stored|HTTP://DUP/|Old|", "n|http://new/|work|about",
                                                 "\u4e2d|http://f/|Fresh|", "t|http://top/|marks.html|"}));
    EXPECT_EQ(selection.currentGroup, "work");
    EXPECT_EQ(prompt.shown, std::vector<std::string>{
                                "Imported 3 bookmarks into 3 groups. 1 was already in the collection. 1 was repeated in "
                                "the file.\n1 link was not imported (an empty or internal address)."});
    EXPECT_EQ(prompt.styles[0], MessageStyle::InformationOk);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(itemPane.updates, 1);
    EXPECT_EQ(groupPane.updates, 1);

    // The same file again: nothing new, no group, no change.
    doc.SetModifiedFlag(false);
    prompt.shown.clear();
    EXPECT_TRUE(Import("marks.html", text));
    EXPECT_EQ(doc.Groups().size(), 4u);
    EXPECT_EQ(doc.Items().size(), 4u);
    EXPECT_EQ(prompt.shown, std::vector<std::string>{"Imported 0 bookmarks into 0 groups. 5 were already in the "
                                                     "collection.\n1 link was not imported (an empty or internal "
                                                     "address)."});
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(itemPane.updates, 1);
}

TEST_F(NetscapeImport, AddressesDifferingBeyondTheHostAreNoCopies)
{
    SetGroups(doc, {"Old"});
    SetItems(doc, {Item("stored", "https://sho.rt/AbC", "Old")});
    const std::string text = std::string(kHead) +
                             "<DT><A HREF=\"HTTPS://SHO.RT/AbC\">same</A><DT><A HREF=\"https://sho.rt/abc\">a</A>"
                             "<DT><A HREF=\"https://sho.rt/ABC\">b</A><DT><A HREF=\"https://Sho.rt/abc\">again</A>"
                             "</DL><p>";
    EXPECT_TRUE(Import("marks.html", text));
    EXPECT_EQ(Items(), (std::vector<std::string>{"stored|https://sho.rt/AbC|Old|", "a|https://sho.rt/abc|marks.html|",
                                                 "b|https://sho.rt/ABC|marks.html|"}));
    EXPECT_EQ(prompt.shown,
              std::vector<std::string>{"Imported 2 bookmarks into 1 group. 1 was already in the collection. 1 was repeated in the file."});
}

// A link the file repeats is no link the collection had; one counts in the singular.
TEST_F(NetscapeImport, SummaryCounts)
{
    const std::string a = "<A HREF=\"http://a/\">a</A>";
    const std::string b = "<A HREF=\"http://b/\">b</A>";
    const struct {
        std::string links;
        const char* summary;
    } cases[] = {
        {b, "Imported 1 bookmark into 1 group. 0 were already in the collection."},
        {a + b + "<H3>F</H3><DL>" + b + "</DL>",
         "Imported 1 bookmark into 1 group. 1 was already in the collection. 1 was repeated in the file."},
        {b + b + b + "<A HREF=\"\">e</A><A HREF=\"place:\">p</A>",
         "Imported 1 bookmark into 1 group. 0 were already in the collection. 2 were repeated in the file.\n"
         "2 links were not imported (empty or internal addresses)."},
        {"<H3>\xE4\xB8</H3><DL>" + b + "</DL><H3>G</H3><DL><A HREF=\"http://c/\">\xE4\xB8\xAD\xFF</A></DL>",
         "Imported 2 bookmarks into 2 groups. 0 were already in the collection.\n"
         "3 characters had no equivalent in this code page and became \"?\"."},
    };
    for (const auto& c : cases) {
        doc.Clear();
        SetItems(doc, {Item("stored", "http://a/", "Old")});
        prompt.shown.clear();
        EXPECT_TRUE(Import("s.htm", kHead + c.links));
        EXPECT_EQ(prompt.shown, std::vector<std::string>{c.summary}) << c.links;
    }
}

TEST_F(NetscapeImport, FailuresChangeNothing)
{
    SetGroups(doc, {"Kept"});
    const struct {
        std::string path;
        std::string message;
        MessageStyle style;
    } cases[] = {
        {WriteFile("page.htm", "<html><p>https://x/ and <a name=x>y</a></p></html>"), kNotBookmarks, MessageStyle::StopOk},
        {WriteFile("empty.htm", ""), kNotBookmarks, MessageStyle::StopOk},
        {dir.Path("missing.htm"), dir.Path("missing.htm") + " was not found.", MessageStyle::StopOk},
    };
    for (const auto& c : cases) {
        prompt.shown.clear();
        prompt.styles.clear();
        EXPECT_FALSE(ImportNetscapeFile(c.path, doc, prompt)) << c.path;
        EXPECT_EQ(prompt.shown, std::vector<std::string>{c.message}) << c.path;
        EXPECT_EQ(prompt.styles, std::vector<MessageStyle>{c.style}) << c.path;
    }
    EXPECT_EQ(doc.Groups(), std::vector<std::string>{"Kept"});
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(itemPane.updates, 0);
}

// Browsers write every favicon into the file: a file over the limit only
// by them imports, one over it by its text is refused in words.
TEST_F(NetscapeImport, LargeFilesCountWithoutTheirIcons)
{
    const uint64_t limit = 1 << 20;
    const std::string icon = " ICON=\"data:image/png;base64," + std::string(limit, 'A') + "\"";
    std::string text = kHead;
    for (const char* host : {"a", "b", "c"})
        text += std::string("<DT><A HREF=\"http://") + host + "/\" ICON_URI=\"http://x/i.ico\"" + icon + ">" + host + "</A>";
    EXPECT_TRUE(ImportNetscapeFile(WriteFile("icons.htm", text), doc, prompt, limit));
    EXPECT_EQ(Items(), (std::vector<std::string>{"a|http://a/|icons.htm|", "b|http://b/|icons.htm|", "c|http://c/|icons.htm|"}));

    prompt.shown.clear();
    const std::string path = WriteFile("big.htm", kHead + std::string(limit, 'x'));
    EXPECT_FALSE(ImportNetscapeFile(path, doc, prompt, limit));
    EXPECT_EQ(prompt.shown, std::vector<std::string>{path + " is too large to import (over 1 MB)."});
    EXPECT_EQ(prompt.styles.back(), MessageStyle::StopOk);
    EXPECT_EQ(doc.Items().size(), 3u);
}

TEST_F(NetscapeImport, RealBrowserExports)
{
    const std::filesystem::path folder = std::filesystem::path(LINKHIVE_TEST_DATA) / "browser-exports";
    const struct {
        const char* file;
        size_t bookmarks;
        size_t groups;
        size_t skipped;
        std::string sample;  // one bookmark, as Items() shows it
    } cases[] = {
        {"chromium_flat.htm", 9, 1, 0, ""},
        {"chromium_nested.htm", 18, 8, 0, "Welcome :: CheckiO|https://checkio.org/|Dev / Python|"},
        {"delicious.htm", 5, 1, 0, "Paper craft Mine Turtle|http://storml.deviantart.com/art/Mine-Turtle-Instructions-302477240"
                                   "?q=in%3Ascraps%20sort%3Atime%20gallery%3Astorml&qo=1|delicious.htm|\"Hello!\""},
        {"delicious_sanitize.htm", 2, 1, 0, ""},
        {"firefox_flat.htm", 21, 2, 3, ""},
        {"firefox_nested.htm", 21, 7, 3,
         "Timeline of the Elves in Tolkien\u2019s works | LotrProject Blog|http://lotrproject.com/blog/2013/02/08/"
         "timeline-of-the-elves-in-tolkiens-works/|firefox_nested.htm|"},
        {"google_bookmarks_nested.htm", 6, 1, 0, ""},
        {"internet_explorer_11_flat.htm", 18, 1, 0, ""},
        {"internet_explorer_11_nested.htm", 27, 9, 0, "PHP Sadness|http://phpsadness.com/|Dev / PHP|"},
        {"netscape_basic.htm", 2, 1, 0, ""},
        {"netscape_extended.htm", 2, 1, 0, ""},
        {"netscape_multiline.htm", 3, 1, 0, ""},
        {"netscape_nested.htm", 8, 4, 0, "Nested 3-1|http://nest.ed/3-1|Folder3 / Folder3-1|"},
        {"safari_folded.htm", 3, 3, 0, "Wikipedia, the free encyclopedia|https://en.wikipedia.org/wiki/Main_Page|"
                                       "Autre Divers / doc|"},
        {"scuttle.htm", 4, 1, 0, ""},
        {"scuttle_new_line.htm", 1, 1, 0, ""},
        {"shaarli.htm", 6, 1, 0, ""},
        {"shaarli_legacy.htm", 2, 1, 0, ""},
        {"shaarli_markdown.htm", 3, 1, 0, ""},
        {"shaarli_with_tabs_and_spaces.htm", 1, 1, 0, ""},
        {"shaarli_with_whitespace_tags.htm", 1, 1, 0, ""},
    };
    for (const auto& c : cases) {
        doc.Clear();
        prompt.shown.clear();
        EXPECT_TRUE(ImportNetscapeFile((folder / c.file).string(), doc, prompt)) << c.file;
        EXPECT_EQ(doc.Items().size(), c.bookmarks) << c.file;
        EXPECT_EQ(doc.Groups().size(), c.groups) << c.file;
        ASSERT_EQ(prompt.shown.size(), 1u) << c.file;
        const size_t skippedLine = prompt.shown[0].find(" links were not imported");
        EXPECT_EQ(skippedLine == std::string::npos ? 0 : std::stoul(prompt.shown[0].substr(prompt.shown[0].rfind('\n') + 1)),
                  c.skipped)
            << prompt.shown[0];
        if (!c.sample.empty()) {
            const std::vector<std::string> items = Items();
            EXPECT_NE(std::find(items.begin(), items.end(), c.sample), items.end()) << c.file;
        }
    }
}

// Export, then import into an empty collection: every group that holds a
// bookmark and every bookmark come back, in order, whatever bytes the texts hold.
TEST_F(NetscapeImport, RoundTripThroughTheExport)
{
    StoreContent content;
    // Groups nested as folders, one with parts empty or blank at their ends.
    content.m_arrGroups = {"Work", "Empty", " a & <b> ", "Caf\u00e9 \u20ac / x", "Work / Sub", "Caf\u00e9 \u20ac",
                           "Work /  / Deep", " / ", "work / Case", "Tail / ", " Lead  /  x "};
    content.m_arrItems = {
        MakeItem(" lead", "http://w/1", "Work", "line\r\nnext \t"),
        MakeItem("\u00e9t\u00e9 \u0081\u008d\u008f\u0090\u009d", "mailto:a&b@x", " a & <b> ", "&amp; &#32; \"q\""),
        MakeItem("", "  http://blank-edges/  ", "Caf\u00e9 \u20ac / x", " "),
        MakeItem("second", "http://w/2", "work"),
    };
    for (const char* group : {"Work / Sub", "Caf\u00e9 \u20ac", "Work /  / Deep", " / ", "work / Case", "Tail / ", " Lead  /  x "})
        content.m_arrItems.push_back(MakeItem(group, std::string("http://g/") + group, group));
    std::mt19937 random(20);
    for (int i = 0; i < 200; ++i) {
        std::string name, description;
        // Characters of every plane, the controls and Latin-1 most often.
        const auto character = [&random] {
            const char32_t limits[] = {0x100, 0x10000, 0x110000};
            char32_t code = 0;
            while (code == 0 || (code >= 0xD800 && code <= 0xDFFF))
                code = static_cast<char32_t>(random() % limits[random() % 3]);
            return code;
        };
        for (int k = 0; k < 12; ++k) {
            AppendUtf8(name, character());
            AppendUtf8(description, character());
        }
        content.m_arrItems.push_back(
            MakeItem(name, "http://r/" + std::to_string(i) + name, i % 2 ? "Work" : "Caf\u00e9 \u20ac / x", description));
    }
    const std::string file = NetscapeBookmarkFile(content);
    ASSERT_TRUE(Import("round.htm", file));

    // The groups in the pane's order (as the export writes them), each with its bookmarks in store order.
    EXPECT_EQ(doc.Groups(), (std::vector<std::string>{" / ", " a & <b> ", " Lead  /  x ", "Caf\u00e9 \u20ac",
                                                         "Caf\u00e9 \u20ac / x", "Tail / ", "Work", "Work /  / Deep",
                                                         "work / Case", "Work / Sub"}));
    std::vector<std::string> expected;
    for (const std::string& group : doc.Groups()) {
        for (const BookmarkItem& item : content.m_arrItems) {
            if (TextEqual(item.m_strGroup, group))
                expected.push_back(item.m_strName + "|" + item.m_strURL + "|" + group + "|" + item.m_strDescription);
        }
    }
    EXPECT_EQ(Items(), expected);
    EXPECT_EQ(prompt.shown[0], "Imported 211 bookmarks into 10 groups. 0 were already in the collection.");
}

} // namespace
