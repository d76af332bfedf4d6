// Tests of the application object.
#include "tests/app/AppFixture.h"
#include "tests/support/DocContent.h"

#include "res/resource.h"
#include "store/TextCompare.h"
#include "ui/CGroupPane.h"
#include "ui/CItemPane.h"

#include <commctrl.h>

using LinkhiveAppTest = AppFixture;

namespace {

std::string MenuText(HWND frame, UINT id)
{
    MenuState(frame, id);
    char text[512] = "";
    GetMenuStringA(GetMenu(frame), id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

} // namespace

TEST_F(LinkhiveAppTest, RegistersTheFileTypeForThisUser)
{
    ASSERT_TRUE(Start());
    const struct {
        const char* key;
        const char* value;
    } cases[] = {
        {"Software\\Classes\\.lkh", "Linkhive.Document"},
        {"Software\\Classes\\Linkhive.Document", "Linkhive Document"},
    };
    for (const auto& test : cases) {
        std::string value;
        EXPECT_TRUE(ReadSettingText(test.key, "", value)) << test.key;
        EXPECT_EQ(value, test.value);
    }
    std::string command;
    ASSERT_TRUE(ReadSettingText("Software\\Classes\\Linkhive.Document\\shell\\open\\command", "", command));
    EXPECT_NE(command.find("\"%1\""), std::string::npos);
    EXPECT_EQ(command[0], '"');
}

TEST_F(LinkhiveAppTest, OpensTheCommandLineFileAndRemembersIt)
{
    ASSERT_TRUE(Start({"/dde", SamplePath()}));
    EXPECT_EQ(WindowTitle(FrameWindow()), "sample.lkh - Linkhive");
    EXPECT_FALSE(App().Document().Groups().empty());
    EXPECT_EQ(App().Document().Selection().currentGroup, App().Document().FirstGroupInPaneOrder());
    EXPECT_EQ(Frame().GetActiveView(), Frame().GroupPane());
    EXPECT_EQ(MenuText(FrameWindow(), ID_FILE_MRU_FILE1), "&1 " + SamplePath());
    Close();
    std::string first;
    ASSERT_TRUE(ReadSettingText("Software\\Quillmere\\Linkhive\\Recent File List", "File1", first));
    EXPECT_EQ(first, SamplePath());

    // "Open Last File" brings it back; with it off, a new document.
    ASSERT_TRUE(Start());
    EXPECT_EQ(App().Document().GetPathName(), SamplePath());
    Close();
    SetSetting("Open Last File", 0);
    ASSERT_TRUE(Start());
    EXPECT_EQ(App().Document().GetPathName(), "");
    EXPECT_EQ(WindowTitle(FrameWindow()), "Untitled - Linkhive");
}

TEST_F(LinkhiveAppTest, AFileOnTheCommandLineThatCannotBeOpenedEndsStartUp)
{
    TempDir folder;
    EXPECT_FALSE(Start({folder.Path("missing.lkh")}));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(FindWindowA(nullptr, "Untitled - Linkhive"), nullptr);
}

TEST_F(LinkhiveAppTest, ADamagedLastFileStartsANewDocument)
{
    TempDir folder;
    const std::string damaged = folder.Path("damaged.lkh");
    WriteBytes(damaged, std::string("\x07\x00\x00\x00garbage-that-is-no-store", 28));
    SetRecentFile(damaged);
    ASSERT_TRUE(Start());
    EXPECT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(WindowTitle(FrameWindow()), "Untitled - Linkhive");
    EXPECT_FALSE(App().Document().IsModified());
    // The frame made for the damaged file went without ending the run.
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    // The panes of the frame that went let go of the program-wide names;
    // the panes shown now hold them.
    EXPECT_EQ(theGroupPane, Frame().GroupPane());
    EXPECT_EQ(theItemPane, Frame().ItemPane());

    // A last file that no longer exists is skipped silently.
    Close();
    SetRecentFile(folder.Path("gone.lkh"));
    prompt.shown.clear();
    ASSERT_TRUE(Start());
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(WindowTitle(FrameWindow()), "Untitled - Linkhive");
    EXPECT_EQ(theGroupPane, Frame().GroupPane());
    Close();
    EXPECT_EQ(theGroupPane, nullptr);
    EXPECT_EQ(theItemPane, nullptr);
}

TEST_F(LinkhiveAppTest, SaveChangesPromptGuardsNewOpenAndClose)
{
    TempDir folder;
    ASSERT_TRUE(Start());
    EditContent(App().Document(), [&](StoreContent& content) { content.m_arrGroups.push_back("Work"); });
    App().Document().SetModifiedFlag();

    prompt.answers = {MessageAnswer::Cancel};
    Command(ID_FILE_NEW);
    EXPECT_EQ(prompt.shown.back(), "Save changes to Untitled?");
    EXPECT_EQ(App().Document().Groups().size(), 1u);

    prompt.answers = {MessageAnswer::Cancel};
    SendMessageA(FrameWindow(), WM_CLOSE, 0, 0);
    ASSERT_NE(FrameWindow(), nullptr);
    EXPECT_TRUE(IsWindow(FrameWindow()));

    // Open: the file dialog first, then the prompt; Yes saves through Save As.
    const std::string saved = folder.Path("work.lkh");
    prompt.files = {SamplePath(), saved};
    prompt.answers = {MessageAnswer::Yes};
    Command(ID_FILE_OPEN);
    ASSERT_EQ(prompt.requests.size(), 2u);
    EXPECT_EQ(prompt.requests[0].filter, "Linkhive (*.lkh)|*.lkh|All Files (*.*)|*.*|");
    EXPECT_TRUE(prompt.requests[1].save);
    EXPECT_TRUE(FileExists(saved));
    EXPECT_EQ(App().Document().GetPathName(), SamplePath());
    EXPECT_EQ(MenuText(FrameWindow(), ID_FILE_MRU_FILE1), "&1 " + SamplePath());
    EXPECT_EQ(MenuText(FrameWindow(), ID_FILE_MRU_FILE1 + 1), "&2 " + saved);

    // A recent entry reopens its file; New empties the store.
    Command(ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(App().Document().GetPathName(), saved);
    EXPECT_EQ(App().Document().Groups(), std::vector<std::string>{"Work"});
    Command(ID_FILE_NEW);
    EXPECT_TRUE(App().Document().Groups().empty());
    EXPECT_EQ(WindowTitle(FrameWindow()), "Untitled - Linkhive");

    // Save on an untitled store asks for a name and titles the window by it.
    prompt.files = {folder.Path("other.lkh")};
    Command(ID_FILE_SAVE);
    EXPECT_EQ(WindowTitle(FrameWindow()), "other.lkh - Linkhive");

    // Exit closes like the window's close box.
    App().Document().SetModifiedFlag();
    prompt.answers = {MessageAnswer::No};
    Command(ID_APP_EXIT);
    EXPECT_EQ(FrameWindow(), nullptr);
}

TEST_F(LinkhiveAppTest, ARecentFileThatIsGoneLeavesTheList)
{
    TempDir folder;
    const std::string kept = folder.Path("kept.lkh");
    WriteBytes(kept, ReadBytes(LINKHIVE_SAMPLE));
    SetSetting("Open Last File", 0);
    SetRecentFile(folder.Path("gone.lkh"));
    ASSERT_TRUE(Start({kept}));
    EXPECT_EQ(MenuText(FrameWindow(), ID_FILE_MRU_FILE1 + 1), "&2 " + folder.Path("gone.lkh"));
    Command(ID_FILE_MRU_FILE1 + 1);
    EXPECT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(App().Document().GetPathName(), kept);
    EXPECT_EQ(MenuState(FrameWindow(), ID_FILE_MRU_FILE1 + 1), static_cast<UINT>(-1));
}

TEST_F(LinkhiveAppTest, ARelativeNameIsOpenedAndRememberedWhole)
{
    char before[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof before, before);
    const std::string sample = SamplePath();
    const size_t cut = sample.find_last_of('\\');
    ASSERT_TRUE(SetCurrentDirectoryA(sample.substr(0, cut).c_str()));
    SetSetting("One Instance", 1);
    const bool started = Start({sample.substr(cut + 1)});
    SetCurrentDirectoryA(before);
    ASSERT_TRUE(started);

    // Elsewhere the next start still finds it, and the idle text is the whole path.
    EXPECT_EQ(App().Document().GetPathName(), sample);
    char idle[512] = "";
    SendMessageA(Frame().StatusBar(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(idle));
    EXPECT_EQ(std::string(idle), sample);
    Close();
    std::string first;
    ASSERT_TRUE(ReadSettingText("Software\\Quillmere\\Linkhive\\Recent File List", "File1", first));
    EXPECT_EQ(first, sample);
}

TEST_F(LinkhiveAppTest, AnEmptyFirstRecentEntryMeansNoLastFile)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quillmere\\Linkhive\\Recent File List", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              0);
    const std::string sample = SamplePath();
    RegSetValueExA(key, "File1", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    RegSetValueExA(key, "File2", 0, REG_SZ, reinterpret_cast<const BYTE*>(sample.c_str()),
                   static_cast<DWORD>(sample.size() + 1));
    RegCloseKey(key);
    ASSERT_TRUE(Start());
    EXPECT_EQ(WindowTitle(FrameWindow()), "Untitled - Linkhive");
}
