// Tests of reading an import's file within its limits.
#include "exchange/ImportFile.h"
#include "store/FileError.h"
#include "store/FileIO.h"
#include "tests/support/Fakes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ImportFile, PathRules)
{
    EXPECT_EQ(GroupNameOfPath("C:\\Docs\\links.htm"), "links.htm");
    EXPECT_EQ(GroupNameOfPath("links.htm"), "links.htm");
#ifdef _WIN32
    EXPECT_EQ(GroupNameOfPath("C:/Docs/links.htm"), "C:/Docs/links.htm");  // the dialog gives backslashes only
#else
    EXPECT_EQ(GroupNameOfPath("/home/me/links.htm"), "links.htm");
#endif
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"set", "set.mbx"},
        {"set.mbx", "set.mbx"},
        {"SET.MbX", "SET.MbX"},
        {"set.txt", "set.txt.mbx"},
        {"set.mbx.bak", "set.mbx.bak.mbx"},
        {"old.mbx\\set", "old.mbx\\set.mbx"},
        {"set.", "set..mbx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithExtension(c.path, "mbx"), c.expected) << c.path;
}

TEST(ImportFile, OversizedFileIsRefusedBeforeReading)
{
    TempDir dir;
    WriteBytes(dir.Path("page.htm"), std::string(11, 'x'));
    InputFile file(dir.Path("page.htm"));
    try {
        ReadImportFile(file, 10);
        FAIL() << "read a file over the limit";
    } catch (const FileError& error) {
        EXPECT_EQ(error.cause(), FileError::Generic);
    }
    InputFile again(dir.Path("page.htm"));
    EXPECT_EQ(ReadImportFile(again, 11), std::string(11, 'x'));
}

} // namespace
