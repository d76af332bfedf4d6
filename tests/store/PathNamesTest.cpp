// Tests of path parts.
#include "store/PathNames.h"

#include <gtest/gtest.h>

TEST(PathNames, TitlesAndFoldersOfEachPlatformsPaths)
{
    const struct {
        const char* path;
        const char* title;
        const char* folder;
    } cases[] = {
        {"links.lkh", "links.lkh", "."},
#ifdef _WIN32
        {"C:\\Docs\\links.lkh", "links.lkh", "C:\\Docs"},
        {"C:links.lkh", "links.lkh", "C:"},
        {"\\links.lkh", "links.lkh", "\\"},
        {"C:/Docs/links.lkh", "links.lkh", "C:/Docs"},
#else
        {"/home/me/links.lkh", "links.lkh", "/home/me"},
        {"/links.lkh", "links.lkh", "/"},
        {"dir/links.lkh", "links.lkh", "dir"},
#endif
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileTitleOf(c.path), c.title) << c.path;
        EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
    }
}

TEST(PathNames, FullPathsStartFromTheCurrentFolder)
{
    const std::string full = FullPathOf("links.lkh");
    EXPECT_NE(full, "links.lkh");
    EXPECT_EQ(FileTitleOf(full), "links.lkh");
    EXPECT_EQ(FullPathOf(full), full);
}
