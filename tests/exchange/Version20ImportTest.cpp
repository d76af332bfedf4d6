// Tests of the version 2.0 import.
#include "tests/exchange/ImportFixture.h"
#include "tests/support/DocContent.h"
#include "exchange/Version20Import.h"

#include <string>
#include <vector>

namespace {

// One group "New Group" with one item "New URL", "http://", in the 2.0 layout.
const std::string kVersion20Example("\0\0\0\0\0\0\0\0\x09New Group\x07New URL\x07http://\x09New Group", 44);

using Version20Import = ImportFixture;

TEST_F(Version20Import, ImportsAsNoNameModified)
{
    OpenKeptDocument();
    WriteFile("old.LKH", kVersion20Example);
    EXPECT_TRUE(ImportVersion20(dir.Path("old.LKH"), doc, prompt));
    EXPECT_EQ(doc.Groups(), std::vector<std::string>{"New Group"});
    EXPECT_EQ(Triples(), (std::vector<std::vector<std::string>>{{"New URL", "http://", "New Group"}}));
    EXPECT_EQ(doc.Items()[0].m_strDescription, "");
    EXPECT_EQ(selection.currentGroup, "New Group");
    EXPECT_EQ(doc.GetTitle(), "No Name");
    EXPECT_EQ(doc.GetPathName(), "");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(Version20Mode);
    EXPECT_TRUE(prompt.shown.empty());

    // ".lkh" is added to a name without it; a zero-byte file is an empty store.
    WriteFile("zero.lkh", "");
    prompt.answers = {MessageAnswer::No};
    EXPECT_TRUE(ImportVersion20(dir.Path("zero"), doc, prompt));
    EXPECT_TRUE(doc.Groups().empty());
    EXPECT_EQ(doc.GetTitle(), "No Name");
}

TEST_F(Version20Import, UnreadableFileLeavesTheDocumentAsItWas)
{
    const struct {
        const char* file;
        std::string content;
        std::string message;
    } cases[] = {
        {"missing.lkh", "", "missing.lkh\nCannot find this file.\nPlease verify that the correct path and file name are given."},
        {"cut.lkh", kVersion20Example.substr(0, 30), "Unexpected file format."},
    };
    for (const auto& c : cases) {
        OpenKeptDocument();
        doc.SetModifiedFlag(true);
        prompt.shown.clear();
        if (!c.content.empty())
            WriteFile(c.file, c.content);
        EXPECT_FALSE(ImportVersion20(dir.Path(c.file), doc, prompt));
        EXPECT_EQ(prompt.shown, std::vector<std::string>{c.message});
        EXPECT_EQ(prompt.styles.back(), MessageStyle::ExclamationOk);
        EXPECT_EQ(doc.Groups(), std::vector<std::string>{"Kept"});
        EXPECT_EQ(doc.GetTitle(), "kept.lkh");
        EXPECT_TRUE(doc.IsModified());
        EXPECT_FALSE(Version20Mode);
    }
}

TEST_F(Version20Import, ModifiedDocumentGetsTheSavePrompt)
{
    OpenKeptDocument();
    EditContent(doc, [&](StoreContent& content) { content.m_arrGroups.push_back("Unsaved"); });
    doc.SetModifiedFlag(true);
    WriteFile("old.lkh", kVersion20Example);

    prompt.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(ImportVersion20(dir.Path("old.lkh"), doc, prompt));
    EXPECT_EQ(prompt.shown, std::vector<std::string>{"Save changes to kept.lkh?"});
    EXPECT_EQ(doc.Groups(), (std::vector<std::string>{"Kept", "Unsaved"}));
    EXPECT_FALSE(Version20Mode);

    prompt.answers = {MessageAnswer::Yes};
    EXPECT_TRUE(ImportVersion20(dir.Path("old.lkh"), doc, prompt));
    EXPECT_EQ(doc.Groups(), std::vector<std::string>{"New Group"});
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("kept.lkh")));
    EXPECT_EQ(doc.Groups(), (std::vector<std::string>{"Kept", "Unsaved"}));
}

} // namespace
