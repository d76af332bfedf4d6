// Tests of the main frame's launching commands.
#include "tests/app/AppFixture.h"
#include "tests/framework/DialogDriver.h"
#include "tests/support/ScriptSamples.h"
#include "tests/ui/PaneDriver.h"

#include "framework/CDialog.h"
#include "res/resource.h"
#include "settings/Preferences.h"
#include "ui/CItemPane.h"

#include <commctrl.h>

#include <algorithm>

namespace {

using Texts = std::vector<std::string>;

const UINT kDoubleClick = 0;

std::string TestBrowser()
{
    return WindowsPath(LINKHIVE_TEST_BROWSER);
}

class LaunchTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
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
        SetEnvironmentVariableA("LINKHIVE_BROWSER_LOG", nullptr);
    }

    // The test browser's command line, then its arguments, once a started
    // one has written them; empty when none ever does.
    Texts BrowserRun()
    {
        // Read until it gives something: under load Wine has been seen to
        // show the file before it can be read.
        std::string log;
        for (int wait = 0; wait < 600 && (log = ReadBytes(m_log)).empty(); ++wait)
            Sleep(100);
        DeleteFileA(m_log.c_str());
        Texts parts;
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

    // Opens the only bookmark, `url`, by `command` or a double click.
    void Open(const std::string& url, UINT command)
    {
        Fill(Doc(), {"G"}, {Bookmark("a", url, "G")}, "G");
        ClickRow(items, 0);
        if (command != kDoubleClick) {
            Command(command);
            return;
        }
        RECT rect = {};
        rect.left = LVIR_LABEL;
        SendMessageA(items, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
        SendMessageA(items, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rect.left + 2, (rect.top + rect.bottom) / 2));
    }

    std::vector<bool> Enabled(const std::vector<UINT>& ids)
    {
        std::vector<bool> enabled;
        for (const UINT id : ids)
            enabled.push_back(AppFixture::Enabled(id));
        return enabled;
    }

    TempDir dir;
    BrowserRegistration registration;
    RecordingLauncher launcher;
    HWND items = nullptr;

private:
    std::string m_log;
};

}  // namespace

TEST_F(LaunchTest, TheBrowserGetsTheUrlAsOneArgumentByteForByte)
{
    const std::string browser = TestBrowser();
    const std::string quoted = '"' + browser + R"(" "%1")";
    const std::string spaced = SpacedBrowser();
    const std::string switchUrl = R"(http://x.example/ --some-switch "q" a\"b c\)";
    const std::string longUrl = "http://a.example/" + std::string(383, 'l');
    const std::string blankUrl = "http://a.example/ b";
    thePreferences.msiePath = browser;
    thePreferences.nnPath = browser + " -switch";
    thePreferences.customPath = spaced;
    const struct {
        std::string registered;
        UINT command;
        std::string url;
        std::string line;
        Texts arguments;
    } cases[] = {
        {quoted, kDoubleClick, switchUrl, browser + R"( "http://x.example/ --some-switch \"q\" a\\\"b c\\")",
         {browser, switchUrl}},
        {browser + R"( -nohome "%1")", kDoubleClick, "http://a.example/", browser + " -nohome  http://a.example/",
         {browser, "-nohome", "http://a.example/"}},
        {'"' + spaced + R"(" "%1")", kDoubleClick, longUrl, '"' + spaced + "\" " + longUrl, {spaced, longUrl}},
        // The named browsers never look at the registration.
        {"", ID_OPEN_IN_MSIE, blankUrl, browser + " \"" + blankUrl + '"', {browser, blankUrl}},
        {"", ID_OPEN_IN_NETSCAPE, blankUrl, browser + " -switch \"" + blankUrl + '"', {browser, "-switch", blankUrl}},
        {"", ID_OPEN_IN_CUSTOM, blankUrl, '"' + spaced + "\" \"" + blankUrl + '"', {spaced, blankUrl}},
    };
    for (const auto& test : cases) {
        registration.Set(test.registered);
        thePreferences.bCreateNewProcess = test.command == kDoubleClick;
        Open(test.url, test.command);
        const Texts run = BrowserRun();
        ASSERT_FALSE(run.empty()) << test.line;
        EXPECT_EQ(run[0], test.line);
        EXPECT_EQ(Texts(run.begin() + 1, run.end()), test.arguments);
    }

    // Search engines start a process whatever the preference says.
    registration.Set(quoted);
    thePreferences.bCreateNewProcess = 0;
    const struct {
        UINT command;
        const char* homePage;
    } engines[] = {
        {ID_SEARCH_APORT, "http://www.aport.ru/"},         {ID_SEARCH_RAMBLER, "http://www.rambler.ru/"},
        {ID_SEARCH_YANDEX, "http://www.yandex.ru/"},       {ID_SEARCH_ALTAVISTA, "http://www.altavista.com/"},
        {ID_SEARCH_EUROSEEK, "http://www.euroseek.com/"},  {ID_SEARCH_HOTBOT, "http://www.hotbot.com/"},
        {ID_SEARCH_INFOSEEK, "http://www.infoseek.com/"},
    };
    for (const auto& engine : engines) {
        Command(engine.command);
        const Texts run = BrowserRun();
        ASSERT_FALSE(run.empty()) << engine.homePage;
        EXPECT_EQ(run[0], browser + " " + engine.homePage);
    }
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(LaunchTest, BrowsersInFoldersOfEveryScriptGetItsUrlsWhole)
{
    thePreferences.bCreateNewProcess = 1;
    bool named = false;
    for (const ScriptSample& sample : ScriptSamples()) {
        const std::string folder = dir.Root() + "\\" + sample.name;
        const std::string browser = folder + "\\browser.exe";
        ASSERT_TRUE(CreateDirectoryW(Wide(folder).c_str(), nullptr)) << sample.script;
        ASSERT_TRUE(CopyFileW(Wide(TestBrowser()).c_str(), Wide(browser).c_str(), FALSE)) << sample.script;
        // The registered browser and the named one in turn.
        registration.Set('"' + browser + R"(" "%1")");
        thePreferences.customPath = browser;
        named = !named;
        Open(sample.url, named ? ID_OPEN_IN_CUSTOM : kDoubleClick);
        const Texts run = BrowserRun();
        ASSERT_FALSE(run.empty()) << sample.script;
        EXPECT_EQ(Texts(run.begin() + 1, run.end()), (Texts{browser, sample.url})) << sample.script;
    }
}

TEST_F(LaunchTest, CommandsAndDoubleClickChooseTheWay)
{
    registration.Set('"' + TestBrowser() + R"(" "%1")");
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
        thePreferences.bCreateNewProcess = test.newWindow;
        launcher.opened.clear();
        launcher.started.clear();
        Open(test.url, test.command);
        if (test.newProcess) {
            const Texts run = BrowserRun();
            ASSERT_FALSE(run.empty()) << test.url;
            EXPECT_EQ(run.back(), test.url);
            EXPECT_TRUE(launcher.opened.empty()) << test.url;
        } else {
            EXPECT_EQ(launcher.opened, Texts{test.url});
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
    registration.Set("");
    Open("http://a.example/", ID_ITEM_OPEN);
    for (const UINT id : {ID_ITEM_OPEN_NEW_WINDOW, ID_SEARCH_YANDEX})
        Command(id);
    EXPECT_EQ(prompt.shown, Texts(3, "There is no programme for internet browsing.\nCannot connect"));
    EXPECT_TRUE(launcher.opened.empty());
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_FALSE(BrowserRegistration::Exists());

    registration.Set('"' + TestBrowser() + R"(" "%1")");
    prompt.shown.clear();
    for (const intptr_t result : {32, 33}) {
        launcher.shellResult = result;
        Command(ID_ITEM_OPEN);
    }
    EXPECT_EQ(prompt.shown, Texts{"Cannot open URL.\nPlease contact the author of the programme!"});

    // A command with no quoted part has no program: the URL must not become one.
    registration.Set(TestBrowser() + " %1");
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
    registration.Set('"' + TestBrowser() + R"(" "%1")");
    Fill(Doc(), {"G"},
         {Bookmark("Same", "http://one.example/", "G"), Bookmark("Same", "http://two.example/", "G"),
          Bookmark("mail", "mailto:m@b.example", "G")},
         "G");
    Texts urls;
    for (const LPARAM index : RowIndices(items))
        urls.push_back(Doc().Items()[static_cast<size_t>(index)].m_strURL);

    thePreferences.bCreateNewProcess = 0;
    for (UINT row = 0; row < 4; ++row)
        Command(ID_TRAY_ITEM_FIRST + row);
    EXPECT_EQ(launcher.opened, urls);

    // The browser gets an e-mail address too: the tray makes no e-mail test.
    thePreferences.bCreateNewProcess = 1;
    const UINT mailRow = static_cast<UINT>(std::find(urls.begin(), urls.end(), "mailto:m@b.example") - urls.begin());
    Command(ID_TRAY_ITEM_FIRST + mailRow);
    const Texts run = BrowserRun();
    ASSERT_FALSE(run.empty());
    EXPECT_EQ(run.back(), "mailto:m@b.example");
}

TEST_F(LaunchTest, BrowsersDialogKeepsThePathsUntilOK)
{
    thePreferences.msiePath = "m.exe";
    thePreferences.nnPath = "n.exe";
    prompt.files = {"C:\\chosen\\m.exe", "C:\\chosen\\n.exe"};
    Texts fields;
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
    EXPECT_EQ(fields, (Texts{"m.exe", "C:\\chosen\\m.exe", "C:\\chosen\\n.exe", ""}));
    EXPECT_EQ(thePreferences.msiePath, "m.exe");
    EXPECT_EQ(thePreferences.nnPath, "n.exe");
    Texts requests;
    for (const FileDialogRequest& request : prompt.requests)
        requests.push_back(RequestLine(request));
    EXPECT_EQ(requests, (Texts{"open|Browse for Microsoft Internet Explorer|Executables|*.exe|||",
                               "open|Browse for Netscape Navigator|Executables|*.exe|||",
                               "open|Browse for Custom Browser|Executables|*.exe|||"}));

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
    EXPECT_EQ(Enabled({ID_OPEN_IN_MSIE, ID_OPEN_IN_NETSCAPE, ID_OPEN_IN_CUSTOM}), (std::vector<bool>{false, true, true}));
}

TEST_F(LaunchTest, TheSystemShellOpensWhatItIsGiven)
{
    SystemLauncher system;
    EXPECT_TRUE(system.IsFile(TestBrowser()));
    EXPECT_FALSE(system.IsFile(dir.Root()));
    EXPECT_GT(system.ShellOpen(TestBrowser()), 32);
    EXPECT_EQ(BrowserRun().size(), 2u);  // the command line and the program alone
}
