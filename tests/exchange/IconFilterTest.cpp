// Tests of the icon filter.
#include "exchange/IconFilter.h"
#include "exchange/NetscapeImport.h"
#include "store/FileIO.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// `text` fed `chunk` bytes at a time, so that every state meets a chunk's end.
std::string Filtered(const std::string& text, size_t chunk)
{
    IconFilter filter;
    std::string out;
    for (size_t at = 0; at < text.size(); at += chunk)
        filter.Feed(text.data() + at, std::min(chunk, text.size() - at), out);
    return out;
}

TEST(IconFilter, LeavesOutIconValuesOnlyWhereTheTagReaderSeesThem)
{
    const struct {
        std::string text;
        std::string kept;
    } cases[] = {
        {"<DT><A HREF=\"http://x/\" ICON_URI=\"http://x/i.ico\" ICON=\"data:image/png;base64,AAAA\">X</A>",
         "<DT><A HREF=\"http://x/\" ICON_URI=\"\" ICON=\"\">X</A>"},
        {"<a icon='a\"b>' Icon = \"x y\"  iCoN=bare/x ICON=>ok</a ICON=\"end tag\">",
         "<a icon='' Icon = \"\"  iCoN=b ICON=>ok</a ICON=\"\">"},
        {"<A/ICON=\"x\"><A HREF=\"a>b\" ICON=\"x\">", "<A/ICON=\"\"><A HREF=\"a>b\" ICON=\"\">"},
        // Names that are not quite it, and places that are no tag.
        {"<A ICONS=\"1\" XICON=\"2\" ICON_URIX=\"3\" =ICON=\"4\" ICON \"5\">", ""},
        {"ICON=\"t\" < A ICON=\"t\"> <3 ICON=\"t\" </ ICON=\"t\">", ""},
        {"<!-- <A ICON=\"c\"> --><!--> <A ICON=\"c\"> --->", ""},
        {"<!DOCTYPE x ICON=\"d\"><!-x ICON=\"d\"><? ICON=\"p\"?><A ICON=\"after\">", "<!DOCTYPE x ICON=\"d\"><!-x ICON=\"d\"><? ICON=\"p\"?><A ICON=\"\">"},
        // Cut off: the tag reader drops what follows, whatever is kept.
        {"<A HREF=\"x\" ICON=\"never closed", "<A HREF=\"x\" ICON=\""},
        {"<A ICON=bare", "<A ICON=b"},
    };
    for (const auto& c : cases) {
        const std::string& kept = c.kept.empty() ? c.text : c.kept;
        for (size_t chunk : {c.text.size(), size_t{1}, size_t{2}, size_t{3}, size_t{7}})
            EXPECT_EQ(Filtered(c.text, chunk), kept) << c.text << " in pieces of " << chunk;
    }
}

// What a real browser's file holds reads the same without its icons.
TEST(IconFilter, BrowserExportsReadTheSame)
{
    const std::filesystem::path folder = std::filesystem::path(LINKHIVE_TEST_DATA) / "browser-exports";
    for (const char* name : {"chromium_nested.htm", "firefox_nested.htm", "internet_explorer_11_nested.htm"}) {
        std::ifstream in(folder / name, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::string kept = Filtered(text, 5);
        EXPECT_LT(kept.size(), text.size()) << name;
        const NetscapeFile before = ParseNetscapeFile(text.data(), text.size(), "top");
        const NetscapeFile after = ParseNetscapeFile(kept.data(), kept.size(), "top");
        ASSERT_EQ(after.links.size(), before.links.size()) << name;
        for (size_t i = 0; i < before.links.size(); ++i) {
            EXPECT_EQ(after.links[i].item.m_strURL, before.links[i].item.m_strURL) << name;
            EXPECT_EQ(after.links[i].item.m_strName, before.links[i].item.m_strName) << name;
            EXPECT_EQ(after.groups[after.links[i].group].name, before.groups[before.links[i].group].name) << name;
        }
    }
}

// Only what is kept counts, however much the icons hold.
TEST(IconFilter, ReadsWithinTheLimit)
{
    TempDir dir;
    const std::string icon = "<A ICON=\"" + std::string(300 << 10, 'i') + "\">";
    WriteBytes(dir.Path("icons.htm"), "<A HREF=\"x\">" + icon + icon);
    WriteBytes(dir.Path("text.htm"), std::string(35, 'x'));
    std::string text;
    InputFile icons(dir.Path("icons.htm"));
    EXPECT_TRUE(ReadWithoutIcons(icons, 34, text));
    EXPECT_EQ(text, "<A HREF=\"x\"><A ICON=\"\"><A ICON=\"\">");
    InputFile over(dir.Path("text.htm"));
    EXPECT_FALSE(ReadWithoutIcons(over, 34, text));
}

} // namespace
