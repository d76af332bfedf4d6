#include "launch/BrowserCommand.h"

#include "launch/ILauncher.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// How a Windows program splits its command line into arguments.
std::vector<std::string> SplitCommandLine(const std::string& line)
{
    std::vector<std::string> arguments;
    size_t at = 0;
    while (true) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        if (at == line.size())
            return arguments;
        std::string argument;
        bool quoted = false;
        for (; at < line.size() && (quoted || (line[at] != ' ' && line[at] != '\t')); ++at) {
            size_t backslashes = 0;
            while (at < line.size() && line[at] == '\\')
                ++backslashes, ++at;
            if (at < line.size() && line[at] == '"') {
                argument.append(backslashes / 2, '\\');
                if (backslashes % 2 != 0)
                    argument += '"';
                else
                    quoted = !quoted;
            } else {
                argument.append(backslashes, '\\');
                if (at == line.size())
                    break;
                if (!quoted && (line[at] == ' ' || line[at] == '\t'))
                    break;
                argument += line[at];
            }
        }
        arguments.push_back(argument);
    }
}

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
    for (const auto& test : cases) {
        const std::string line = BrowserCommandLine("b.exe", test.url);
        EXPECT_EQ(line, std::string("b.exe ") + test.onCommandLine) << test.url;
        EXPECT_EQ(SplitCommandLine(line), (std::vector<std::string>{"b.exe", test.url})) << line;
    }
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

TEST(BrowserCommand, EmailTestIsByteForByte)
{
    EXPECT_TRUE(IsEmailUrl("mailto:a@b.example"));
    EXPECT_TRUE(IsEmailUrl("mailto:"));
    for (const char* url : {"MAILTO:a@b.example", "Mailto:a", "mailto", " mailto:a", ""})
        EXPECT_FALSE(IsEmailUrl(url)) << url;
}
