// Tests of the address book import.
#include "exchange/AddressBookImport.h"
#include "tests/exchange/ImportFixture.h"

#include <string>
#include <vector>

namespace {

const std::string kNoUrls = "There are no URLs, sorry.\n Please, contact the developer if you're sure that it's an error.";

TEST(AddressBookParse, HeaderTest)
{
    const struct {
        std::string header;
        bool accepted;
    } cases[] = {
        {"Name,E-mail Address", true},
        {"Name,Anything,at all", true},
        {"First,E-mail Address", true},
        {"E-mail Address", true},  // no comma: the rest is the whole line
        {"name,e-mail address", false},
        {"Name", false},
        {" Name,Mail", false},
        {"Name,E-mail Address ", true},
        {"Nom,E-mail Address ", false},
    };
    for (const auto& c : cases) {
        std::vector<BookmarkItem> candidates;
        EXPECT_EQ(ParseAddressBook(c.header + "\r\n", "g", candidates), c.accepted) << c.header;
    }
    std::vector<BookmarkItem> candidates;
    EXPECT_TRUE(ParseAddressBook("", "g", candidates));
    EXPECT_TRUE(candidates.empty());
}

TEST(AddressBookParse, EntryLines)
{
    const struct {
        std::string line;
        std::vector<std::string> entry;  // name, URL; empty when the line yields nothing
    } cases[] = {
        {"Ann,ann@example.com", {"Ann", "mailto:ann@example.com"}},
        {"Ann,ann@example.com,555-1234", {"Ann", "mailto:ann@example.com,555-1234"}},
        {"Ann,", {"Ann", "mailto:"}},
        {"Ann,a@x\x1A,b", {"Ann", "mailto:a@x\x1A,b"}},  // Ctrl+Z ends only the predecessor's files
        {" Ann , ann@x ", {" Ann ", "mailto: ann@x "}},
        {"\"Doe, John\",john@example.com", {"Doe, John", "mailto:john@example.com"}},
        {"\"Doe, John\",john@example.com,\"Work\"", {"Doe, John", "mailto:john@example.com,\"Work\""}},
        {"\"Doe, John\"", {"Doe, John", "mailto:"}},
        {"x,\"Quoted\",q@example.com", {"Quoted", "mailto:q@example.com"}},
        {"\"He said \"\"hi\"\"\",h@x", {"He said ", "mailto:h@x"}},
        {"\"Unclosed,u@x", {}},
        {"\"\",e@x", {}},
        {"no comma here", {}},
        {",nobody@example.com", {}},
        {"", {}},
        {"Ren\xE9" "e,r@x", {"Ren\u00e9" "e", "mailto:r@x"}},  // the legacy code page
        {"\u0420\u0435\u043d\u0430\u0442\u0430,\u0440@\u043f\u0440\u0438\u043c\u0435\u0440.\u0440\u0444",
         {"\u0420\u0435\u043d\u0430\u0442\u0430", "mailto:\u0440@\u043f\u0440\u0438\u043c\u0435\u0440.\u0440\u0444"}},
    };
    for (const auto& c : cases) {
        std::vector<BookmarkItem> candidates;
        ASSERT_TRUE(ParseAddressBook("Name,E-mail Address\n" + c.line + "\r\n", "book.csv", candidates));
        std::vector<std::string> entry;
        if (!candidates.empty())
            entry = {candidates[0].m_strName, candidates[0].m_strURL};
        EXPECT_EQ(entry, c.entry) << c.line;
        if (!candidates.empty()) {
            EXPECT_EQ(candidates[0].m_strGroup, "book.csv");
        }
    }
}

class AddressBookImport : public ImportFixture {};

TEST_F(AddressBookImport, EntriesBecomeMailBookmarks)
{
    const std::string path = WriteFile("friends.csv",
                                       "Name,E-mail Address\r\n"
                                       "Ann,ann@example.com\r\n"
                                       "Bob,bob@example.com\r\n"
                                       "Ann again,ANN@example.com");
    EXPECT_TRUE(ImportAddressBook(path, doc, prompt));
    EXPECT_EQ(doc.Groups(), std::vector<std::string>{"friends.csv"});
    EXPECT_EQ(selection.currentGroup, "friends.csv");
    EXPECT_EQ(Triples(), (std::vector<std::vector<std::string>>{{"Ann", "mailto:ann@example.com", "friends.csv"},
                                                              {"Bob", "mailto:bob@example.com", "friends.csv"}}));
    EXPECT_EQ(prompt.shown,
              std::vector<std::string>{"The following URL exists already in your database:\nmailto:ANN@example.com"});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(itemPane.updates, 1);
}

TEST_F(AddressBookImport, RefusalsAndEmptyBooks)
{
    EXPECT_FALSE(ImportAddressBook(WriteFile("wrong.csv", "name,e-mail address\nAnn,a@x\n"), doc, prompt));
    EXPECT_EQ(prompt.shown.back(), "It is not an address book!");
    EXPECT_EQ(prompt.styles.back(), MessageStyle::StopOk);
    EXPECT_TRUE(doc.Groups().empty());
    EXPECT_FALSE(doc.IsModified());

    const std::string missing = dir.Path("missing.csv");
    EXPECT_FALSE(ImportAddressBook(missing, doc, prompt));
    EXPECT_EQ(prompt.shown.back(), missing + " was not found.");
    EXPECT_EQ(prompt.styles.back(), MessageStyle::StopOk);
    EXPECT_FALSE(doc.IsModified());

    EXPECT_TRUE(ImportAddressBook(WriteFile("empty.csv", ""), doc, prompt));
    EXPECT_EQ(prompt.shown.back(), kNoUrls);
    EXPECT_EQ(prompt.styles.back(), MessageStyle::StopOk);
    EXPECT_EQ(doc.Groups(), std::vector<std::string>{"empty.csv"});
    EXPECT_TRUE(doc.IsModified());
    // The empty group is shown by the import itself, once.
    EXPECT_EQ(itemPane.updates, 1);
}

} // namespace
