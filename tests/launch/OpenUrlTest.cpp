#include "launch/OpenUrl.h"

#include "launch/ILauncher.h"
#include "launch/SearchEngines.h"
#include "res/resource.h"
#include "settings/RegistryKey.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

namespace {

const char kNoBrowser[] = "There is no programme for internet browsing.\nCannot connect";
const char kShellFailed[] = "Cannot open URL.\nPlease contact the author of the programme!";
const char kBrowserKey[] = "Software\\CLASSES\\ftp\\shell\\open\\command";

class RecordingLauncher : public ILauncher {
public:
    intptr_t ShellOpen(const std::string& url) override
    {
        opened.push_back(url);
        return shellResult;
    }
    bool StartProcess(const std::string& commandLine) override
    {
        started.push_back(commandLine);
        return startResult;
    }
    bool IsFile(const std::string&) override { return false; }

    intptr_t shellResult = 42;
    bool startResult = true;
    std::vector<std::string> opened;
    std::vector<std::string> started;
};

// Runs against the in-memory registry here and the test prefix's under
// Wine, whose own registration comes back afterwards.
class OpenUrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegistryKey::ResetMemoryRegistry();
        RegistryKey key;
        m_hadBrowser = key.OpenForReading(RegistryRoot::LocalMachine, kBrowserKey) == kRegistryOk &&
                       key.ReadLongString("", m_browser) == kRegistryOk;
    }
    void TearDown() override
    {
        RegistryKey key;
        ASSERT_EQ(key.Open(RegistryRoot::LocalMachine, kBrowserKey), kRegistryOk);
        if (m_hadBrowser)
            key.WriteString("", m_browser);
        else
            key.DeleteValue("");
    }
    static void Register(const std::string& command)
    {
        RegistryKey key;
        ASSERT_EQ(key.Open(RegistryRoot::LocalMachine, kBrowserKey), kRegistryOk);
        key.WriteString("", command);
    }

    RecordingLauncher launcher;
    FakePrompt prompt;

private:
    bool m_hadBrowser = false;
    std::string m_browser;
};

}  // namespace

TEST_F(OpenUrlTest, NoUsableRegistrationOpensNothing)
{
    // Empty, or longer than the 260 characters read: the message, either way.
    for (const std::string& command : {std::string(), "\"" + std::string(300, 'b') + "\" \"%1\""}) {
        Register(command);
        prompt.shown.clear();
        for (const bool newProcess : {true, false})
            EXPECT_FALSE(OpenInBrowserOrShell(launcher, prompt, "http://a.example/", newProcess));
        EXPECT_EQ(prompt.shown, std::vector<std::string>(2, kNoBrowser));
    }
    // No program part: the URL must not become the program.
    Register("C:\\b.exe %1");
    EXPECT_FALSE(OpenInBrowserOrShell(launcher, prompt, "notepad.exe", true));
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(OpenUrlTest, EitherANewProcessOrTheShellWithTheUrlWhole)
{
    Register(R"("C:\b.exe" -x "%1")");
    const std::string url = "http://a.example/" + std::string(400, 'p') + " \"-q\"";
    EXPECT_TRUE(OpenInBrowserOrShell(launcher, prompt, url, true));
    EXPECT_EQ(launcher.started, (std::vector<std::string>{R"(C:\b.exe "http://a.example/)" + std::string(400, 'p') +
                                                         R"( \"-q\"")"}));
    EXPECT_TRUE(OpenInBrowserOrShell(launcher, prompt, url, false));
    EXPECT_EQ(launcher.opened, std::vector<std::string>{url});

    launcher.startResult = false;
    launcher.shellResult = 32;
    EXPECT_FALSE(OpenInBrowserOrShell(launcher, prompt, url, true));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_FALSE(OpenInBrowserOrShell(launcher, prompt, url, false));
    EXPECT_EQ(prompt.shown, std::vector<std::string>{kShellFailed});
}

TEST_F(OpenUrlTest, NamedBrowsersAndSearchEnginesAlwaysStartAProcess)
{
    EXPECT_FALSE(StartNamedBrowser(launcher, "", "http://a.example/"));
    EXPECT_TRUE(StartNamedBrowser(launcher, R"(C:\b.exe -n)", "http://a.example/ b"));
    EXPECT_EQ(launcher.started, std::vector<std::string>{R"(C:\b.exe -n "http://a.example/ b")"});

    Register(R"("C:\b.exe" "%1")");
    launcher.started.clear();
    const unsigned commands[] = {ID_SEARCH_APORT,    ID_SEARCH_RAMBLER, ID_SEARCH_YANDEX,  ID_SEARCH_ALTAVISTA,
                                 ID_SEARCH_EUROSEEK, ID_SEARCH_HOTBOT,  ID_SEARCH_INFOSEEK};
    for (int index = 0; index < 7; ++index) {
        ASSERT_EQ(SearchEngineIndex(commands[index]), index);
        OpenSearchEngine(launcher, prompt, index);
        EXPECT_EQ(launcher.started.back(), std::string("C:\\b.exe ") + kSearchEngines[index].homePage);
        EXPECT_EQ(std::string(kSearchEngines[index].homePage).rfind("http://", 0), 0u);
    }
    EXPECT_EQ(SearchEngineIndex(ID_SEARCH_ALTAVISTA + 1), -1);
    EXPECT_TRUE(launcher.opened.empty());
}
