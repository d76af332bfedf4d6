// Tests of the browser command lines.
#include "launch/BrowserCommand.h"

#include "launch/ILauncher.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class FilesLauncher : public ILauncher {
public:
    intptr_t ShellOpen(const std::string&) override { return 0; }
    bool StartProcess(const std::string&) override { return false; }
    bool IsFile(const std::string& path) override { return files.count(path) != 0; }
    std::set<std::string> files;
};

}  // namespace

TEST(BrowserCommand, ProgramPartOfTheRegisteredCommand)
{
    const struct {
        const char* command;
        const char* program;
    } cases[] = {
        {R"("C:\Program Files\B\b.exe" "%1")", R"(C:\Program Files\B\b.exe)"},
        {R"("C:\b.exe" -nohome "%1")", R"(C:\b.exe)"},
        {R"(C:\b.exe -nohome "%1")", R"(C:\b.exe -nohome )"},
        {R"(C:\b.exe %1)", ""},
        {R"("C:\b.exe %1)", ""},
        {"", ""},
    };
    for (const auto& test : cases)
        EXPECT_EQ(ProgramPart(test.command), test.program) << test.command;
}

TEST(BrowserCommand, TheUrlIsAlwaysExactlyOneArgument)
{
    const struct {
        const char* url;
        const char* onCommandLine;
    } cases[] = {
        {"http://a.example/x?y=1&z=2", "http://a.example/x?y=1&z=2"},
        {"http://x.example/ --some-switch", R"("http://x.example/ --some-switch")"},
        {"http://x.example/\t-a", "\"http://x.example/\t-a\""},
        {R"(http://x.example/"q" -b)", R"("http://x.example/\"q\" -b")"},
        {R"(a\"b)", R"("a\\\"b")"},
        {R"(file://C:\dir name\)", R"("file://C:\dir name\\")"},
        {R"(a\\b c)", R"("a\\b c")"},
        {R"(" -x ")", R"("\" -x \"")"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(BrowserCommandLine("b.exe", test.url), std::string("b.exe ") + test.onCommandLine) << test.url;
}

TEST(BrowserCommand, ProgramPathsWithBlanksAreQuotedOnlyWhenTheyNameAFile)
{
    FilesLauncher launcher;
    launcher.files = {R"(C:\Program Files\b.exe)"};
    const struct {
        const char* registered;  // null: a configured path
        const char* entered;
        const char* program;
    } cases[] = {
        {nullptr, R"(C:\Program Files\b.exe)", R"("C:\Program Files\b.exe")"},
        {nullptr, R"(C:\Program Files\gone.exe)", R"(C:\Program Files\gone.exe)"},
        {nullptr, R"(C:\Program Files\b.exe -new)", R"(C:\Program Files\b.exe -new)"},
        {nullptr, R"("C:\Program Files\b.exe" -new)", R"("C:\Program Files\b.exe" -new)"},
        {nullptr, R"(C:\b.exe)", R"(C:\b.exe)"},
        {R"("C:\Program Files\gone.exe" "%1")", nullptr, R"("C:\Program Files\gone.exe")"},
        {R"("C:\b.exe" "%1")", nullptr, R"(C:\b.exe)"},
        {R"(C:\Program Files\b.exe "%1")", nullptr, R"("C:\Program Files\b.exe" )"},
        {R"(C:\Program Files\b.exe -n "%1")", nullptr, R"(C:\Program Files\b.exe -n )"},
    };
    for (const auto& test : cases) {
        if (test.registered != nullptr)
            EXPECT_EQ(RegisteredProgram(test.registered, launcher), test.program) << test.registered;
        else
            EXPECT_EQ(ProgramText(test.entered, launcher), test.program) << test.entered;
    }
}
