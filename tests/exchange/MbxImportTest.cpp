// Tests of the predecessor's data file import.
#include "tests/exchange/ImportFixture.h"
#include "tests/support/DocContent.h"
#include "exchange/MbxImport.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Rows = ItemRows;

TEST(MbxParse, LineRules)
{
    const struct {
        const char* what;
        std::string text;
        std::vector<std::string> groups;
        Rows items;
    } cases[] = {
        {"groups and items", "[News]\r\nPaper=http://p/\r\n[Mail]\r\nMe=mailto:me@x\r\n", {"News", "Mail"},
         {{"Paper", "http://p/", "News"}, {"Me", "mailto:me@x", "Mail"}}},
        {"only the first = splits", "[G]\nA=http://x/?a=b\n", {"G"}, {{"A", "http://x/?a=b", "G"}}},
        {"no = and empty lines", "[G]\nhttp://bare/\n\n", {"G"}, {{"", "http://bare/", "G"}, {"", "", "G"}}},
        {"ignored lines", "=http://no/\n[G]\n=x\n", {"G"}, {}},
        {"short group lines", "[\n[]\n[x\n", {"", "", ""}, {}},
        {"same group twice", "[G]\n[G]\na=b", {"G", "G"}, {{"a", "b", "G"}}},
        {"Ctrl+Z ends the file", "[G]\na=b\x1A\nc=d\n", {"G"}, {{"a", "b", "G"}}},
        {"lone carriage returns stay", "[G]\na=b\rc\r\r\n", {"G"}, {{"a", "b\rc\r", "G"}}},
        {"empty", "", {}, {}},
        {"the legacy code page", "[Caf\xE9]\n\x80=http://x/\xE9\n", {"Caf\u00e9"}, {{"\u20ac", "http://x/\u00e9", "Caf\u00e9"}}},
        {"UTF-8 and its mark", "\xEF\xBB\xBF[\u65e5\u672c]\n\u20ac=http://\u4f8b.jp/\n", {"\u65e5\u672c"},
         {{"\u20ac", "http://\u4f8b.jp/", "\u65e5\u672c"}}},
    };
    for (const auto& c : cases) {
        StoreContent content;
        EXPECT_TRUE(ParseMbx(c.text, content)) << c.what;
        EXPECT_EQ(content.m_arrGroups, c.groups) << c.what;
        EXPECT_EQ(Triples(content), c.items) << c.what;
    }
    StoreContent content;
    EXPECT_FALSE(ParseMbx("=ignored\nA=http://a/\n[G]\n", content));
}

using MbxImport = ImportFixture;

TEST_F(MbxImport, ReplacesTheDocumentWithAnUntitledOne)
{
    OpenKeptDocument();
    EditContent(doc, [&](StoreContent& content) { content.m_arrGroups.push_back("Unsaved"); });
    doc.SetModifiedFlag(true);
    WriteFile("old.MBX", "[Zeta]\nz=http://z/\n[Alpha]\n");

    EXPECT_TRUE(ImportMbx(dir.Path("old.MBX"), doc, prompt));
    EXPECT_EQ(doc.Groups(), (std::vector<std::string>{"Zeta", "Alpha"}));
    EXPECT_EQ(Triples(), (Rows{{"z", "http://z/", "Zeta"}}));
    EXPECT_EQ(selection.currentGroup, "Zeta");  // the file's first group, not the pane's
    EXPECT_EQ(doc.GetTitle(), "Untitled");
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(prompt.shown.empty());
    // The titled document went back to its file first, without asking.
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("kept.lkh")));
    EXPECT_EQ(doc.Groups(), (std::vector<std::string>{"Kept", "Unsaved"}));
}

TEST_F(MbxImport, ExtensionIsAddedUnlessPresent)
{
    WriteFile("set.mbx", "[G]\n");
    EXPECT_TRUE(ImportMbx(dir.Path("set"), doc, prompt));
    EXPECT_EQ(doc.Groups(), std::vector<std::string>{"G"});

    doc.SetModifiedFlag(false);
    WriteFile("set.txt.mbx", "[H]\n");
    WriteFile("set.txt", "[Wrong]\n");
    EXPECT_TRUE(ImportMbx(dir.Path("set.txt"), doc, prompt));
    EXPECT_EQ(doc.Groups(), std::vector<std::string>{"H"});
}

TEST_F(MbxImport, UnusableFilesChangeNothing)
{
    OpenKeptDocument();
    doc.SetModifiedFlag(true);
    const struct {
        const char* file;
        const char* content;  // null: no such file
        std::vector<std::string> shown;
    } cases[] = {
        {"item-first.mbx", "a=b\n[G]\n", {"Wrong file format."}},
        {"missing.mbx", nullptr, {"Wrong file format."}},
        {"no-groups.mbx", "=x\n=y", {}},
        {"empty.mbx", "", {}},
    };
    for (const auto& c : cases) {
        prompt.shown.clear();
        prompt.styles.clear();
        if (c.content)
            WriteFile(c.file, c.content);
        EXPECT_EQ(ImportMbx(dir.Path(c.file), doc, prompt), c.shown.empty()) << c.file;
        EXPECT_EQ(prompt.shown, c.shown) << c.file;
        if (!c.shown.empty()) {
            EXPECT_EQ(prompt.styles[0], MessageStyle::StopOk);
        }
        EXPECT_EQ(doc.Groups(), std::vector<std::string>{"Kept"}) << c.file;
        EXPECT_EQ(doc.GetTitle(), "kept.lkh");
        EXPECT_TRUE(doc.IsModified());
    }
}

TEST_F(MbxImport, UnsavedDocumentGetsTheSavePrompt)
{
    WriteFile("set.mbx", "[G]\n");
    const struct {
        const char* title;
        MessageAnswer answer;
        const char* savePath;  // what the save dialog picks
        bool imported;
    } cases[] = {
        {"Untitled", MessageAnswer::Cancel, "", false},
        {"Untitled", MessageAnswer::No, "", true},
        {"No Name", MessageAnswer::Yes, "", false},  // the save dialog was cancelled
        {"No Name", MessageAnswer::Yes, "saved.lkh", true},
    };
    for (const auto& c : cases) {
        doc.OnNewDocument();
        doc.SetTitle(c.title);
        SetGroups(doc, {"Mine"});
        doc.SetModifiedFlag(true);
        prompt.shown.clear();
        prompt.answers = {c.answer};
        prompt.savePath = *c.savePath ? dir.Path(c.savePath) : "";

        EXPECT_EQ(ImportMbx(dir.Path("set.mbx"), doc, prompt), c.imported) << c.title;
        ASSERT_FALSE(prompt.shown.empty());
        EXPECT_EQ(prompt.shown[0], std::string("Save changes to ") + c.title + "?");
        EXPECT_EQ(doc.Groups(), std::vector<std::string>{c.imported ? "G" : "Mine"}) << c.title;
    }
    EXPECT_EQ(ReadBytes(dir.Path("saved.lkh")), std::string("\xFF\xFF\xFF\xFF\0\0\0\0\x04Mine", 13));

    // An unmodified untitled document is simply replaced.
    doc.OnNewDocument();
    prompt.shown.clear();
    EXPECT_TRUE(ImportMbx(dir.Path("set.mbx"), doc, prompt));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(MbxImport, FailedSaveOfTheTitledDocumentEndsTheImport)
{
    OpenKeptDocument();
    EditContent(doc, [&](StoreContent& content) { content.m_arrGroups.push_back("Unsaved"); });
    doc.SetModifiedFlag(true);
    WriteFile("set.mbx", "[G]\n");
    // The document's file has become a folder, so saving over it fails.
    std::remove(dir.Path("kept.lkh").c_str());
    std::filesystem::create_directory(dir.Path("kept.lkh"));

    EXPECT_FALSE(ImportMbx(dir.Path("set.mbx"), doc, prompt));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.styles[0], MessageStyle::ExclamationOk);
    EXPECT_EQ(doc.Groups(), (std::vector<std::string>{"Kept", "Unsaved"}));
    EXPECT_EQ(doc.GetTitle(), "kept.lkh");
    EXPECT_TRUE(doc.IsModified());
}

} // namespace
