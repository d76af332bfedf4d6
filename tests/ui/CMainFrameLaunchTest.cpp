#include "tests/app/AppFixture.h"
#include "tests/framework/DialogDriver.h"
#include "tests/ui/PaneDriver.h"

#include "framework/CDialog.h"
#include "launch/SearchEngines.h"
#include "launch/SystemLauncher.h"
#include "res/resource.h"
#include "settings/Preferences.h"
#include "ui/CItemPane.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>

namespace {

const char kBrowserKey[] = "Software\\Classes\\ftp\\shell\\open\\command";
const char kNoBrowser[] = "There is no programme for internet browsing.\nCannot connect";
const char kShellFailed[] = "Cannot open URL.\nPlease contact the author of the programme!";

std::string TestBrowser()
{
    return WindowsPath(LINKHIVE_TEST_BROWSER);
}

bool ReadBrowserCommand(std::string& command)
{
    char buffer[1024] = "";
    DWORD size = sizeof buffer;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kBrowserKey, nullptr, RRF_RT_REG_SZ, nullptr, buffer, &size) != 0)
        return false;
    command = buffer;
    return true;
}

void RegisterBrowser(const std::string& command)
{
    RegSetKeyValueA(HKEY_LOCAL_MACHINE, kBrowserKey, nullptr, REG_SZ, command.c_str(),
                    static_cast<DWORD>(command.size() + 1));
}

void UnregisterBrowser()
{
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kBrowserKey);
}

// The shell's "open" is recorded and answered with `shellResult`; processes
// are recorded and really started.
class RecordingLauncher : public SystemLauncher {
public:
    intptr_t ShellOpen(const std::string& url) override
    {
        opened.push_back(url);
        return shellResult;
    }
    bool StartProcess(const std::string& commandLine) override
    {
        started.push_back(commandLine);
        return SystemLauncher::StartProcess(commandLine);
    }

    intptr_t shellResult = 42;
    std::vector<std::string> opened;
    std::vector<std::string> started;
};

class LaunchTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        m_hadBrowser = ReadBrowserCommand(m_browser);
        m_log = dir.Path("browser.log");
        SetEnvironmentVariableA("LINKHIVE_BROWSER_LOG", m_log.c_str());
        ASSERT_TRUE(Start());
        Frame().SetLauncher(launcher);
        items = Frame().ItemPane()->GetSafeHwnd();
        Command(ID_VIEW_DETAILS);
    }
    void TearDown() override
    {
        AppFixture::TearDown();
        if (m_hadBrowser)
            RegisterBrowser(m_browser);
        else
            UnregisterBrowser();
        SetEnvironmentVariableA("LINKHIVE_BROWSER_LOG", nullptr);
    }

    CBookmarkDoc& Doc() { return App().Document(); }

    // The test browser's command line, then its arguments, once a started
    // one has written them; empty when none ever does.
    std::vector<std::string> BrowserRun()
    {
        for (int wait = 0; wait < 600 && !FileExists(m_log); ++wait)
            Sleep(100);
        const std::string log = ReadBytes(m_log);
        DeleteFileA(m_log.c_str());
        std::vector<std::string> parts;
        for (size_t start = 0, end; (end = log.find('\0', start)) != std::string::npos; start = end + 1)
            parts.push_back(log.substr(start, end - start));
        return parts;
    }

    // A copy of the test browser in a folder whose name holds a blank.
    std::string SpacedBrowser()
    {
        const std::string folder = dir.Path("Program Files x");
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string copy = folder + "\\browser.exe";
        CopyFileA(TestBrowser().c_str(), copy.c_str(), FALSE);
        return copy;
    }

    void DoubleClick(int row)
    {
        ClickRow(items, row);
        RECT rect = {};
        rect.left = LVIR_LABEL;
        SendMessageA(items, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
        SendMessageA(items, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rect.left + 2, (rect.top + rect.bottom) / 2));
    }

    std::vector<bool> Enabled(const std::vector<UINT>& ids)
    {
        std::vector<bool> enabled;
        for (const UINT id : ids)
            enabled.push_back((MenuState(FrameWindow(), id) & MF_GRAYED) == 0);
        return enabled;
    }

    TempDir dir;
    RecordingLauncher launcher;
    HWND items = nullptr;

private:
    bool m_hadBrowser = false;
    std::string m_browser;
    std::string m_log;
};

}  // namespace

TEST_F(LaunchTest, DoubleClickStartsTheRegisteredBrowserWithTheUrlAsOneArgument)
{
    const std::string browser = TestBrowser();
    const std::string spaced = SpacedBrowser();
    const std::string switchUrl = R"(http://x.example/ --some-switch "q" a\"b c\)";
    const std::string longUrl = "http://a.example/" + std::string(383, 'l');
    const struct {
        std::string command;
        std::string url;
        std::string line;
        std::vector<std::string> arguments;
    } cases[] = {
        {'"' + browser + R"(" "%1")", switchUrl, browser + R"( "http://x.example/ --some-switch \"q\" a\\\"b c\\")",
         {browser, switchUrl}},
        {browser + R"( -nohome "%1")", "http://a.example/", browser + " -nohome  http://a.example/",
         {browser, "-nohome", "http://a.example/"}},
        {'"' + spaced + R"(" "%1")", longUrl, '"' + spaced + "\" " + longUrl, {spaced, longUrl}},
    };
    thePreferences.bCreateNewProcess = 1;
    for (const auto& test : cases) {
        RegisterBrowser(test.command);
        Fill(Doc(), {"G"}, {Bookmark("a", test.url, "G")}, "G");
        DoubleClick(0);
        const std::vector<std::string> run = BrowserRun();
        ASSERT_FALSE(run.empty()) << test.command;
        EXPECT_EQ(run[0], test.line);
        EXPECT_EQ(std::vector<std::string>(run.begin() + 1, run.end()), test.arguments);
    }
    EXPECT_EQ(launcher.started.size(), 3u);
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(LaunchTest, CommandsAndDoubleClickChooseTheWay)
{
    RegisterBrowser('"' + TestBrowser() + R"(" "%1")");
    const UINT kDoubleClick = 0;
    const struct {
        uint32_t newWindow;
        UINT command;
        const char* url;
        bool newProcess;
    } cases[] = {
        {1, ID_ITEM_OPEN, "http://a.example/", false},
        {0, ID_ITEM_OPEN_NEW_WINDOW, "http://a.example/", true},
        {0, kDoubleClick, "http://a.example/", false},
        {1, kDoubleClick, "mailto:m@b.example", false},
        {0, kDoubleClick, "mailto:m@b.example", false},
        {1, kDoubleClick, "MAILTO:M@B.EXAMPLE", true},
    };
    for (const auto& test : cases) {
        Fill(Doc(), {"G"}, {Bookmark("a", test.url, "G")}, "G");
        thePreferences.bCreateNewProcess = test.newWindow;
        launcher.opened.clear();
        launcher.started.clear();
        if (test.command == kDoubleClick) {
            DoubleClick(0);
        } else {
            ClickRow(items, 0);
            Command(test.command);
        }
        if (test.newProcess) {
            const std::vector<std::string> run = BrowserRun();
            ASSERT_FALSE(run.empty()) << test.url;
            EXPECT_EQ(run.back(), test.url);
            EXPECT_TRUE(launcher.opened.empty()) << test.url;
        } else {
            EXPECT_EQ(launcher.opened, std::vector<std::string>{test.url});
            EXPECT_TRUE(launcher.started.empty()) << test.url;
        }
    }
    // A double click that leaves no row selected opens nothing.
    launcher.opened.clear();
    ListView_SetItemState(items, -1, 0, LVIS_SELECTED);
    SendMessageA(items, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2000));
    EXPECT_TRUE(launcher.opened.empty());
}

TEST_F(LaunchTest, FailuresShowTheirMessagesAndTheLookupWritesNothing)
{
    UnregisterBrowser();
    Fill(Doc(), {"G"}, {Bookmark("a", "http://a.example/", "G")}, "G");
    ClickRow(items, 0);
    for (const UINT id : {ID_ITEM_OPEN, ID_ITEM_OPEN_NEW_WINDOW, ID_SEARCH_YANDEX})
        Command(id);
    EXPECT_EQ(prompt.shown, std::vector<std::string>(3, kNoBrowser));
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_TRUE(launcher.started.empty());
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBrowserKey, 0, KEY_READ, &key), ERROR_SUCCESS);

    RegisterBrowser('"' + TestBrowser() + R"(" "%1")");
    prompt.shown.clear();
    for (const intptr_t result : {32, 33}) {
        launcher.shellResult = result;
        Command(ID_ITEM_OPEN);
    }
    EXPECT_EQ(prompt.shown, std::vector<std::string>{kShellFailed});

    // A command with no quoted part has no program: the URL must not become one.
    RegisterBrowser(TestBrowser() + " %1");
    Command(ID_ITEM_OPEN_NEW_WINDOW);
    EXPECT_TRUE(launcher.started.empty());
}

TEST_F(LaunchTest, EnableRulesAndTheDefaultActionMarks)
{
    Fill(Doc(), {"G"}, {Bookmark("a", "http://a.example/", "G"), Bookmark("m", "mailto:m@b.example", "G")}, "G");
    const std::vector<UINT> openCommands = {ID_ITEM_OPEN, ID_ITEM_OPEN_NEW_WINDOW, ID_OPEN_IN_MSIE, ID_OPEN_IN_NETSCAPE,
                               ID_OPEN_IN_CUSTOM};
    EXPECT_EQ(Enabled(openCommands), (std::vector<bool>{false, false, false, false, false}));
    ClickRow(items, 0);
    EXPECT_EQ(Enabled(openCommands), (std::vector<bool>{true, true, false, false, false}));
    thePreferences.nnPath = "b.exe";
    EXPECT_EQ(Enabled(openCommands), (std::vector<bool>{true, true, false, true, false}));
    ClickRow(items, 1);
    EXPECT_EQ(Enabled(openCommands), (std::vector<bool>{true, false, false, false, false}));
    EXPECT_EQ(Enabled({ID_PREF_CONFIGURE_BROWSERS, ID_SEARCH_APORT, ID_SEARCH_INFOSEEK}),
              (std::vector<bool>{true, true, true}));

    // Either entry flips the preference, the marked one too.
    for (const UINT id : {ID_PREF_OPEN_NEW_WINDOW, ID_PREF_OPEN_NEW_WINDOW, ID_PREF_OPEN_EXISTING_WINDOW}) {
        const bool wasNew = thePreferences.bCreateNewProcess != 0;
        EXPECT_EQ(IsRadioMarked(FrameWindow(), ID_PREF_OPEN_NEW_WINDOW), wasNew);
        EXPECT_EQ(IsRadioMarked(FrameWindow(), ID_PREF_OPEN_EXISTING_WINDOW), !wasNew);
        Command(id);
        EXPECT_EQ(thePreferences.bCreateNewProcess, wasNew ? 0u : 1u) << id;
    }
}

TEST_F(LaunchTest, EachTrayEntryOpensItsOwnRow)
{
    RegisterBrowser('"' + TestBrowser() + R"(" "%1")");
    Fill(Doc(), {"G"},
         {Bookmark("Same", "http://one.example/", "G"), Bookmark("Same", "http://two.example/", "G"),
          Bookmark("mail", "mailto:m@b.example", "G")},
         "G");
    std::vector<std::string> urls;
    for (const LPARAM index : RowIndices(items))
        urls.push_back(Doc().m_arrItems[static_cast<size_t>(index)].m_strURL);

    thePreferences.bCreateNewProcess = 0;
    for (UINT row = 0; row < 4; ++row)
        Command(ID_TRAY_ITEM_FIRST + row);
    EXPECT_EQ(launcher.opened, urls);

    // The browser gets an e-mail address too: the tray makes no e-mail test.
    thePreferences.bCreateNewProcess = 1;
    const UINT mailRow = static_cast<UINT>(std::find(urls.begin(), urls.end(), "mailto:m@b.example") - urls.begin());
    Command(ID_TRAY_ITEM_FIRST + mailRow);
    const std::vector<std::string> run = BrowserRun();
    ASSERT_FALSE(run.empty());
    EXPECT_EQ(run.back(), "mailto:m@b.example");
}

TEST_F(LaunchTest, SearchEnginesAndNamedBrowsersAlwaysStartANewProcess)
{
    const std::string browser = TestBrowser();
    RegisterBrowser('"' + browser + R"(" "%1")");
    thePreferences.bCreateNewProcess = 0;
    for (const SearchEngine& engine : kSearchEngines) {
        Command(engine.command);
        const std::vector<std::string> run = BrowserRun();
        ASSERT_FALSE(run.empty()) << engine.homePage;
        EXPECT_EQ(run[0], browser + " " + engine.homePage);
    }

    // The named browsers never look at the registration.
    UnregisterBrowser();
    const std::string spaced = SpacedBrowser();
    thePreferences.msiePath = browser;
    thePreferences.nnPath = browser + " -switch";
    thePreferences.customPath = spaced;
    const std::string url = "http://a.example/ b";
    Fill(Doc(), {"G"}, {Bookmark("a", url, "G")}, "G");
    ClickRow(items, 0);
    const struct {
        UINT command;
        std::string line;
    } cases[] = {
        {ID_OPEN_IN_MSIE, browser + " \"" + url + '"'},
        {ID_OPEN_IN_NETSCAPE, browser + " -switch \"" + url + '"'},
        {ID_OPEN_IN_CUSTOM, '"' + spaced + "\" \"" + url + '"'},
    };
    for (const auto& test : cases) {
        Command(test.command);
        const std::vector<std::string> run = BrowserRun();
        ASSERT_FALSE(run.empty()) << test.command;
        EXPECT_EQ(run[0], test.line);
        EXPECT_EQ(run.back(), url);
    }
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(LaunchTest, BrowsersDialogKeepsThePathsUntilOK)
{
    thePreferences.msiePath = "m.exe";
    thePreferences.nnPath = "n.exe";
    prompt.files = {"C:\\chosen\\m.exe", "C:\\chosen\\n.exe"};
    std::vector<std::string> fields;
    {
        DialogDriver driver({[&fields](HWND dialog) {
            fields.push_back(GetDialogItemText(dialog, IDC_MSIE_PATH));
            for (const int button : {IDC_BROWSE_MSIE, IDC_BROWSE_NN, IDC_BROWSE_CUSTOM})
                Click(dialog, button);
            for (const int field : {IDC_MSIE_PATH, IDC_NN_PATH, IDC_CUSTOM_PATH})
                fields.push_back(GetDialogItemText(dialog, field));
            Click(dialog, IDCANCEL);
        }});
        Command(ID_PREF_CONFIGURE_BROWSERS);
        EXPECT_TRUE(driver.Finished());
    }
    EXPECT_EQ(fields, (std::vector<std::string>{"m.exe", "C:\\chosen\\m.exe", "C:\\chosen\\n.exe", ""}));
    EXPECT_EQ(thePreferences.msiePath, "m.exe");
    EXPECT_EQ(thePreferences.nnPath, "n.exe");
    ASSERT_EQ(prompt.requests.size(), 3u);
    const char* titles[] = {"Browse for Microsoft Internet Explorer", "Browse for Netscape Navigator",
                            "Browse for Custom Browser"};
    for (size_t index = 0; index < 3; ++index) {
        EXPECT_EQ(prompt.requests[index].title, titles[index]);
        EXPECT_EQ(prompt.requests[index].filter, "Executables|*.exe|");
        EXPECT_FALSE(prompt.requests[index].save);
    }

    // OK takes the fields as typed; an emptied one un-configures its browser.
    {
        DialogDriver driver({[](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_MSIE_PATH, "");
            SetDlgItemTextA(dialog, IDC_CUSTOM_PATH, " C:\\c.exe -x ");
            Click(dialog, IDOK);
        }});
        Command(ID_PREF_CONFIGURE_BROWSERS);
        EXPECT_TRUE(driver.Finished());
    }
    EXPECT_EQ(thePreferences.msiePath, "");
    EXPECT_EQ(thePreferences.nnPath, "n.exe");
    EXPECT_EQ(thePreferences.customPath, " C:\\c.exe -x ");
    EXPECT_EQ(Enabled({ID_OPEN_IN_MSIE, ID_OPEN_IN_NETSCAPE, ID_OPEN_IN_CUSTOM}),
              (std::vector<bool>{false, true, true}));
}

TEST_F(LaunchTest, TheSystemShellOpensWhatItIsGiven)
{
    SystemLauncher system;
    EXPECT_TRUE(system.IsFile(TestBrowser()));
    EXPECT_FALSE(system.IsFile(dir.Root()));
    EXPECT_GT(system.ShellOpen(TestBrowser()), 32);
    const std::vector<std::string> run = BrowserRun();
    EXPECT_EQ(run.size(), 2u);  // the command line and the program alone
}
