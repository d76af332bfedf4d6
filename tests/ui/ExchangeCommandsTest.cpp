#include "tests/app/AppFixture.h"
#include "tests/framework/DialogDriver.h"
#include "tests/ui/PaneDriver.h"

#include "exchange/HtmlExport.h"
#include "framework/Win32Clipboard.h"
#include "framework/Win32Prompt.h"
#include "res/resource.h"
#include "ui/CGroupPane.h"
#include "ui/CItemPane.h"

#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <cstring>
#include <functional>

namespace {

std::string Shortcut(const std::string& url)
{
    return "[InternetShortcut]\r\nURL=" + url + "\r\n";
}

// What a file dialog was asked for, in one line: save, title, filter,
// default extension and the name it starts with.
std::string Describe(const FileDialogRequest& request)
{
    return std::string(request.save ? "save|" : "open|") + request.title + "|" + request.filter + "|" +
           request.defaultExtension + "|" + request.initialPath;
}

// A drop handle as the shell hands one over: DROPFILES, then every name
// ended by a zero byte, and one zero byte more.
HDROP MakeDrop(const std::vector<std::string>& paths)
{
    std::string names;
    for (const std::string& path : paths)
        names += path + '\0';
    names += '\0';
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

std::string CurrentDirectory()
{
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    return folder;
}

// The folder import moves the current directory, and a current folder
// cannot be removed.
class KeepCurrentDirectory {
public:
    ~KeepCurrentDirectory() { SetCurrentDirectoryA(m_folder.c_str()); }

private:
    std::string m_folder = CurrentDirectory();
};

// Paths longer than MAX_PATH, through the wide functions' "\\?\" form.
std::wstring LongPath(const std::string& path)
{
    return L"\\\\?\\" + std::wstring(path.begin(), path.end());
}

void WriteLongFile(const std::string& path, const std::string& bytes)
{
    const HANDLE file = CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool LongFileExists(const std::string& path)
{
    return GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The steps of a user in a common dialog: `fill` types into it, then its OK
// button is pressed (posted: the dialog checks the typed name in its own time).
std::vector<SheetStep> FillAndConfirm(SheetStep fill)
{
    return {std::move(fill), [](HWND dialog) {
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
            }};
}

// The file dialog's name box: a combo box on Windows, an edit box in Wine.
HWND FileNameBox(HWND dialog)
{
    const HWND combo = GetDlgItem(dialog, cmb13);
    return combo != nullptr ? combo : GetDlgItem(dialog, edt1);
}

class ExchangeCommandsTest : public AppFixture {
protected:
    HWND Groups() { return Frame().GroupPane()->GetSafeHwnd(); }
    HWND Items() { return Frame().ItemPane()->GetSafeHwnd(); }
    CBookmarkDoc& Doc() { return App().Document(); }
    std::string SelectedGroup() { return SelectedRow(Groups()) < 0 ? "" : RowTexts(Groups())[SelectedRow(Groups())]; }
    bool Enabled(UINT id) { return (MenuState(FrameWindow(), id) & MF_GRAYED) == 0; }
    void SelectGroup(const std::string& name)
    {
        const std::vector<std::string> rows = RowTexts(Groups());
        for (size_t row = 0; row < rows.size(); ++row) {
            if (rows[row] == name)
                ClickRow(Groups(), static_cast<int>(row));
        }
    }
    std::vector<std::string> Urls(const std::string& group)
    {
        std::vector<std::string> urls;
        for (const size_t index : Doc().ItemsOfGroup(group))
            urls.push_back(Doc().m_arrItems[index].m_strURL);
        return urls;
    }
    void Drop(const std::vector<std::string>& paths)
    {
        SendMessageA(FrameWindow(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    }
};

} // namespace

TEST_F(ExchangeCommandsTest, LinkImportsAddTheirGroupThroughTheirDialogs)
{
    TempDir folder;
    WriteBytes(folder.Path("links.htm"), "<a href=\"http://b.example/\">Bee</a>\n<p>\n<a href=\"http://a.example/\">Ay</a>\n");
    WriteBytes(folder.Path("book.csv"), "Name,E-mail Address\nAnn,ann@example.org\n");
    ASSERT_TRUE(Start());

    // Ctrl+H reaches the HTML import.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG ctrlH = {FrameWindow(), WM_KEYDOWN, 'H', 0, 0, {0, 0}};
    EXPECT_TRUE(Frame().TranslateAccelerators(ctrlH));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    ASSERT_EQ(prompt.requests.size(), 1u);

    const struct {
        UINT command;
        const char* request;
        const char* file;
        std::vector<std::string> names;
        std::vector<std::string> urls;
    } cases[] = {
        {ID_IMPORT_HTML, "open|Import HTML|Internet Documents|*.htm;*.html|||", "links.htm", {"Ay", "Bee"},
         {"http://a.example/", "http://b.example/"}},
        {ID_IMPORT_ADDRESS_BOOK, "open|Import Address Book|Text Files (Comma Separated Values|*.csv|||", "book.csv",
         {"Ann"}, {"mailto:ann@example.org"}},
    };
    for (const auto& test : cases) {
        Fill(Doc(), {"G"}, {Bookmark("x", "http://x", "G")}, "G");
        Doc().SetModifiedFlag(false);
        ASSERT_TRUE(Enabled(test.command));
        Command(test.command);  // cancelled
        EXPECT_EQ(Describe(prompt.requests.back()), test.request);
        EXPECT_EQ(Doc().m_arrGroups.size(), 1u);
        EXPECT_FALSE(Doc().IsModified());

        prompt.files = {folder.Path(test.file)};
        Command(test.command);
        EXPECT_EQ(Doc().m_arrGroups, (std::vector<std::string>{"G", test.file}));
        EXPECT_EQ(SelectedGroup(), test.file);
        EXPECT_EQ(RowTexts(Items()), test.names);
        EXPECT_EQ(RowTexts(Items(), 1), test.urls);
        EXPECT_TRUE(Doc().IsModified());
    }
    EXPECT_EQ(Describe(prompt.requests[0]), cases[0].request);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(WindowTitle(FrameWindow()), "Untitled - Linkhive");
}

TEST_F(ExchangeCommandsTest, APageWithoutLinksStillShowsItsNewGroup)
{
    TempDir folder;
    WriteBytes(folder.Path("plain.html"), "<p>no links at all</p>\n");
    ASSERT_TRUE(Start());
    Fill(Doc(), {"G"}, {Bookmark("x", "http://x", "G")}, "G");
    prompt.files = {folder.Path("plain.html")};
    Command(ID_IMPORT_HTML);
    EXPECT_EQ(prompt.shown, std::vector<std::string>{"There are no URLs, sorry.\n Please, contact the developer"});
    // The panes show the group that is now current, not the one before.
    EXPECT_EQ(RowTexts(Groups()), (std::vector<std::string>{"G", "plain.html"}));
    EXPECT_EQ(SelectedGroup(), "plain.html");
    EXPECT_TRUE(RowTexts(Items()).empty());
}

TEST_F(ExchangeCommandsTest, DataFileImportsReplaceTheDocumentOnlyOnceReadAndAllowed)
{
    TempDir folder;
    using namespace std::string_literals;
    // The version-2.0 layout: items without descriptions.
    WriteBytes(folder.Path("old.lkh"), "\0\0\0\0\0\0\0\0\x09New Group\x07New URL\x07http://\x09New Group"s);
    WriteBytes(folder.Path("set.mbx"), "[Work]\nSite=http://w.example/\n[Play]\n");
    ASSERT_TRUE(Start());
    Fill(Doc(), {"G"}, {Bookmark("x", "http://x", "G")}, "G");
    Doc().SetModifiedFlag(true);

    // A file that cannot be read asks nothing more and changes nothing.
    prompt.files = {folder.Path("missing.lkh")};
    Command(ID_IMPORT_LINKHIVE20);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_NE(prompt.shown[0].find("Cannot find this file."), std::string::npos);
    EXPECT_EQ(Doc().m_arrGroups, std::vector<std::string>{"G"});
    EXPECT_EQ(Describe(prompt.requests[0]), "open|Import Version 2.0 Datafile|Linkhive 2.0 Data Files|*.lkh|||");

    const struct {
        UINT command;
        const char* file;
        MessageAnswer answer;
        const char* asked;
        std::vector<std::string> groups;
        const char* title;
    } cases[] = {
        {ID_IMPORT_LINKHIVE20, "old", MessageAnswer::Cancel, "Save changes to Untitled?", {"G"}, "Untitled - Linkhive"},
        {ID_IMPORT_LINKHIVE20, "old", MessageAnswer::No, "Save changes to Untitled?", {"New Group"},
         "No Name - Linkhive"},
        {ID_IMPORT_MARKBOX, "set", MessageAnswer::No, "Save changes to No Name?", {"Work", "Play"},
         "Untitled - Linkhive"},
    };
    for (const auto& test : cases) {
        prompt.shown.clear();
        prompt.answers = {test.answer};
        prompt.files = {folder.Path(test.file)};
        Command(test.command);
        EXPECT_EQ(prompt.shown, std::vector<std::string>{test.asked});
        EXPECT_EQ(Doc().m_arrGroups, test.groups) << test.file;
        EXPECT_EQ(WindowTitle(FrameWindow()), test.title);
        EXPECT_TRUE(Doc().IsModified());
    }
    EXPECT_EQ(Describe(prompt.requests.back()), "open|Import Set|Markbox 1.0 Data Files|*.mbx|||");
    EXPECT_EQ(Doc().GetPathName(), "");
    EXPECT_EQ(SelectedGroup(), "Work");
    EXPECT_EQ(RowTexts(Items()), std::vector<std::string>{"Site"});
}

TEST_F(ExchangeCommandsTest, FolderImportMakesAGroupOfTheFolderAndItsCurrentDirectory)
{
    TempDir folder;
    TempDir empty;
    const KeepCurrentDirectory keep;
    WriteBytes(folder.Path("a.url"), Shortcut("http://a.example/"));
    WriteBytes(folder.Path("B.URL"), Shortcut("http://b.example/"));
    WriteBytes(folder.Path("note.txt"), "not a shortcut");
    SetSetting("bDeleteSourceFile", 1);
    ASSERT_TRUE(Start());
    Fill(Doc(), {"G"}, {}, "G");

    prompt.folders = {empty.Root(), folder.Root()};
    Command(ID_IMPORT_FOLDER);
    EXPECT_EQ(prompt.shown, std::vector<std::string>{"Sorry, no URLs here. Try another folder."});
    EXPECT_EQ(Doc().m_arrGroups, std::vector<std::string>{"G"});

    Command(ID_IMPORT_FOLDER);
    EXPECT_EQ(prompt.folderTitles, std::vector<std::string>(2, "Select folder with URLs:"));
    const std::string group = folder.Root() + "\\";
    EXPECT_EQ(Doc().m_arrGroups, (std::vector<std::string>{"G", group}));
    EXPECT_EQ(SelectedGroup(), group);
    EXPECT_EQ(RowTexts(Items()), (std::vector<std::string>{"a", "B"}));
    EXPECT_EQ(RowTexts(Items(), 1), (std::vector<std::string>{"http://a.example/", "http://b.example/"}));
    EXPECT_EQ(CurrentDirectory(), folder.Root());
    EXPECT_EQ(FilesIn(folder.Root()), std::vector<std::string>{"note.txt"});
}

TEST_F(ExchangeCommandsTest, DroppedFilesAreTakenWholeAndInDropOrder)
{
    TempDir folder;
    WriteBytes(folder.Path("one.url"), Shortcut("http://one.example/"));
    WriteBytes(folder.Path("Two.URL"), Shortcut("http://two.example/"));
    WriteBytes(folder.Path("page.htm"), "<a href=\"http://not.example/\">no</a>");
    ASSERT_TRUE(Start());
    Drop({folder.Path("Two.URL"), folder.Path("page.htm"), folder.Path("one.url")});
    // With no group, the drop makes one.
    EXPECT_EQ(Doc().m_arrGroups, std::vector<std::string>{"New Group"});
    ASSERT_EQ(Doc().m_arrItems.size(), 2u);
    EXPECT_EQ(Doc().m_arrItems[0].m_strName, "Two");
    EXPECT_EQ(Doc().m_arrItems[1].m_strURL, "http://one.example/");
    EXPECT_EQ(SelectedGroup(), "New Group");
    EXPECT_EQ(RowTexts(Items()), (std::vector<std::string>{"one", "Two"}));
    EXPECT_EQ(FilesIn(folder.Root()).size(), 3u);
    EXPECT_TRUE(Doc().IsModified());

    // Cut to 260 characters, the long name would end just after "decoy.url"
    // and name the decoy beside it, which "Delete Source URLs" would delete.
    const std::string decoyName = "decoy.url";
    const size_t folderLength = 260 - decoyName.size() - 1;
    ASSERT_LT(folder.Root().size() + 2, folderLength);
    const std::string deep = folder.Root() + "\\" + std::string(folderLength - folder.Root().size() - 1, 'd');
    const std::string longName = decoyName + std::string(60, 'x') + ".url";
    const std::string longPath = deep + "\\" + longName;
    const std::string decoyPath = deep + "\\" + decoyName;
    ASSERT_TRUE(CreateDirectoryW(LongPath(deep).c_str(), nullptr));
    WriteLongFile(decoyPath, Shortcut("http://decoy.example/"));
    WriteLongFile(longPath, Shortcut("http://long.example/"));
    Command(ID_PREF_DELETE_SOURCE);
    Drop({longPath});
    ASSERT_EQ(Doc().m_arrItems.size(), 3u);
    const BookmarkItem& item = Doc().m_arrItems[2];
    EXPECT_EQ(item.m_strName, longName.substr(0, longName.size() - 4));
    EXPECT_TRUE(LongFileExists(decoyPath));
    // Where the system cannot read so long a path, the URL stays empty and
    // the file, not turned into a bookmark, stays too.
    if (item.m_strURL.empty())
        EXPECT_TRUE(LongFileExists(longPath));
    else
        EXPECT_EQ(item.m_strURL, "http://long.example/");
    for (const std::string& path : {decoyPath, longPath})
        DeleteFileW(LongPath(path).c_str());
    RemoveDirectoryW(LongPath(deep).c_str());
}

TEST_F(ExchangeCommandsTest, SaveAsFileWritesTheWholeUrlAndAsksBeforeReplacingAnAppendedName)
{
    TempDir folder;
    const std::string longURL = "http://example.org/" + std::string(300, 'p');
    ASSERT_TRUE(Start());
    Fill(Doc(), {"G"}, {Bookmark("Home", longURL, "G")}, "G");
    EXPECT_FALSE(Enabled(ID_ITEM_SAVE_AS_FILE));
    ClickRow(Items(), 0);
    ASSERT_TRUE(Enabled(ID_ITEM_SAVE_AS_FILE));

    const std::string written = folder.Path("home.url");
    const struct {
        const char* chosen;
        bool exists;
        MessageAnswer answer;
        bool asked;
        bool replaced;
    } cases[] = {
        {"home", false, MessageAnswer::Ok, false, true},
        {"home", true, MessageAnswer::No, true, false},
        {"home", true, MessageAnswer::Yes, true, true},
        {"home.url", true, MessageAnswer::Ok, false, true},  // the dialog itself asked
    };
    for (const auto& test : cases) {
        if (test.exists)
            WriteBytes(written, "kept");
        prompt.shown.clear();
        prompt.answers = {test.answer};
        prompt.files = {folder.Path(test.chosen)};
        Command(ID_ITEM_SAVE_AS_FILE);
        EXPECT_EQ(prompt.shown.size(), test.asked ? 1u : 0u) << test.chosen;
        if (test.asked) {
            EXPECT_EQ(prompt.shown[0], written + " already exists.\nDo you want to replace it?");
            EXPECT_EQ(prompt.styles[0], MessageStyle::QuestionYesNo);
        }
        EXPECT_EQ(ReadBytes(written), test.replaced ? Shortcut(longURL) : "kept") << test.chosen;
    }
    EXPECT_EQ(Describe(prompt.requests[0]), "save|Export URL|URL files|*.URL|||Home");
}

TEST_F(ExchangeCommandsTest, PagesOfTheCollectionAndOfTheGroupFollowTheirExtensionRules)
{
    TempDir folder;
    ASSERT_TRUE(Start());
    EXPECT_FALSE(Enabled(ID_FILE_SAVE_AS_HTML));
    EXPECT_FALSE(Enabled(ID_GROUP_SAVE_AS_HTML));
    const std::string longGroup(300, 'g');
    Fill(Doc(), {"A", longGroup}, {Bookmark("a <1>", "http://a.example/", "A"), Bookmark("b", "mailto:b@x", longGroup)},
         "A");

    const struct {
        UINT command;
        const char* request;
        const char* chosen;
        const char* written;
        std::string page;
    } cases[] = {
        {ID_FILE_SAVE_AS_HTML, "save|Save As Internet Document|Internet Documents|*.html|||", "all.htm",
         "all.htm.html", CollectionPage(Doc())},
        {ID_GROUP_SAVE_AS_HTML, "save|Save Group As Internet Document|Internet Document (HTML)|*.html|||A",
         "group.htm", "group.htm", GroupPage(Doc(), "A")},
        {ID_GROUP_SAVE_AS_HTML, "save|Save Group As Internet Document|Internet Document (HTML)|*.html|||A", "group",
         "group.html", GroupPage(Doc(), "A")},
    };
    for (const auto& test : cases) {
        ASSERT_TRUE(Enabled(test.command));
        prompt.files = {folder.Path(test.chosen)};
        Command(test.command);
        EXPECT_EQ(Describe(prompt.requests.back()), test.request);
        EXPECT_EQ(ReadBytes(folder.Path(test.written)), test.page) << test.chosen;

        // The same choice again would replace the file: a lengthened name asks.
        prompt.answers = {MessageAnswer::No};
        prompt.files = {folder.Path(test.chosen)};
        WriteBytes(folder.Path(test.written), "kept");
        Command(test.command);
        EXPECT_EQ(ReadBytes(folder.Path(test.written)), test.chosen == std::string(test.written) ? test.page : "kept");
    }
    EXPECT_EQ(prompt.shown.size(), 2u);

    // The name box holds at most 259 characters of the group's name.
    Doc().Selection().currentGroup = longGroup;
    Command(ID_GROUP_SAVE_AS_HTML);
    EXPECT_EQ(prompt.requests.back().initialPath, longGroup.substr(0, 259));
}

class ClipboardCommandsTest : public ExchangeCommandsTest {
protected:
    void SetUp() override
    {
        ExchangeCommandsTest::SetUp();
        appClipboard = &m_system;
    }
    bool Start()
    {
        if (!AppFixture::Start())
            return false;
        m_system.SetOwner(FrameWindow());
        m_system.Empty();
        return true;
    }
    std::string ClipboardText() { return m_system.GetText(); }
    bool ButtonEnabled(UINT id)
    {
        Frame().OnIdleUpdate();
        return SendMessageA(Frame().ToolBar(), TB_ISBUTTONENABLED, id, 0) != 0;
    }

private:
    Win32Clipboard m_system;
};

TEST_F(ClipboardCommandsTest, CopyAndCutThenPasteThroughTheSystemClipboard)
{
    ASSERT_TRUE(Start());
    Fill(Doc(), {"A", "B"}, {Bookmark("Site", "http://s.example/", "A", "note"), Bookmark("Other", "http://o.example/", "A")},
         "A");
    for (const UINT id : {ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_UNDO}) {
        EXPECT_FALSE(Enabled(id)) << id;
        EXPECT_FALSE(ButtonEnabled(id)) << id;
    }
    EXPECT_FALSE(Enabled(ID_ITEM_COPY_URL));

    ClickRow(Items(), 1);  // "Site"
    EXPECT_TRUE(ButtonEnabled(ID_EDIT_COPY));
    Command(ID_EDIT_COPY);
    EXPECT_EQ(ClipboardText(), "Site\nhttp://s.example/\nnote");
    EXPECT_TRUE(ButtonEnabled(ID_EDIT_PASTE));
    SelectGroup("B");
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Urls("A"), (std::vector<std::string>{"http://s.example/", "http://o.example/"}));
    EXPECT_EQ(Urls("B"), std::vector<std::string>{"http://s.example/"});
    EXPECT_EQ(Doc().m_arrItems.back().m_strDescription, "note");
    EXPECT_EQ(RowTexts(Items()), std::vector<std::string>{"Site"});
    EXPECT_EQ(ClipboardText(), "");
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));

    // The move: the cut row is drawn cut until the paste in B takes it away.
    SelectGroup("A");
    ClickRow(Items(), 0);  // "Other"
    Doc().SetModifiedFlag(false);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(ClipboardText(), "Other\nhttp://o.example/\n");
    EXPECT_EQ(SendMessageA(Items(), LVM_GETITEMSTATE, 0, LVIS_CUT), LVIS_CUT);
    EXPECT_EQ(SendMessageA(Items(), LVM_GETITEMSTATE, 1, LVIS_CUT), 0);
    EXPECT_TRUE(Doc().IsModified());
    SelectGroup("B");
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Urls("A"), std::vector<std::string>{"http://s.example/"});
    EXPECT_EQ(Urls("B"), (std::vector<std::string>{"http://s.example/", "http://o.example/"}));
    EXPECT_EQ(RowTexts(Items()), (std::vector<std::string>{"Other", "Site"}));
}

TEST_F(ClipboardCommandsTest, DeleteThenUndoAndCopyUrl)
{
    ASSERT_TRUE(Start());
    Fill(Doc(), {"A", "B"}, {Bookmark("Site", "http://s.example/", "A", "note"), Bookmark("b", "http://b.example/", "B")},
         "A");
    ClickRow(Items(), 0);
    prompt.answers = {MessageAnswer::Ok};
    Command(ID_ITEM_DELETE);
    EXPECT_EQ(ClipboardText(), "Site\nhttp://s.example/\nnote");
    EXPECT_TRUE(ButtonEnabled(ID_EDIT_UNDO));
    EXPECT_FALSE(ButtonEnabled(ID_EDIT_PASTE));  // the pending undo keeps the text for itself

    SelectGroup("B");
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Urls("A"), std::vector<std::string>{"http://s.example/"});
    EXPECT_EQ(Doc().m_arrItems.back().m_strDescription, "note");
    EXPECT_EQ(RowTexts(Items()), std::vector<std::string>{"b"});
    EXPECT_EQ(ClipboardText(), "");
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));

    ClickRow(Items(), 0);
    Command(ID_ITEM_COPY_URL);
    EXPECT_EQ(ClipboardText(), "http://b.example/");
    // One line is no bookmark: Paste is offered but refuses.
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(prompt.shown.back(), "Wrong clipboard format. Cannot paste.");
    EXPECT_EQ(Doc().m_arrItems.size(), 2u);
}

// The real common dialogs, filled in and confirmed from inside the test.
class RealDialogsTest : public ExchangeCommandsTest {
protected:
    bool Start()
    {
        if (!AppFixture::Start())
            return false;
        m_dialogs.SetOwner(FrameWindow());
        prompt.dialogs = &m_dialogs;
        return true;
    }

private:
    Win32Prompt m_dialogs;
};

TEST_F(RealDialogsTest, HtmlImportTakesABrowserExportTypedIntoTheOpenDialog)
{
    const std::string page = WindowsPath(std::string(LINKHIVE_TEST_DATA) + "/browser-exports/chromium_flat.htm");
    ASSERT_TRUE(Start());
    DialogDriver driver(FillAndConfirm([&](HWND dialog) { SetWindowTextA(FileNameBox(dialog), page.c_str()); }));
    Command(ID_IMPORT_HTML);
    EXPECT_EQ(driver.Caption(), "Import HTML");
    EXPECT_EQ(SelectedGroup(), "chromium_flat.htm");
    const std::vector<std::string> urls = {
        "http://www.windows93.net/",
        "http://stackoverflow.com/questions/2609857/are-there-any-worse-sorting-algorithms-than-bogosort-a-k-a-monkey-sort",
        "http://lotrproject.com/blog/2013/02/08/timeline-of-the-elves-in-tolkiens-works/"};
    EXPECT_EQ(Urls("chromium_flat.htm"), urls);
    EXPECT_EQ(Doc().m_arrItems[0].m_strName, "WINDOWS93");
}

TEST_F(RealDialogsTest, SaveAsFileWritesTheNameTypedIntoTheSaveDialog)
{
    TempDir folder;
    ASSERT_TRUE(Start());
    Fill(Doc(), {"A"}, {Bookmark("Home", "http://h.example/", "A")}, "A");
    ClickRow(Items(), 0);
    std::string prefilled;
    DialogDriver driver(FillAndConfirm([&](HWND dialog) {
        prefilled = WindowTitle(FileNameBox(dialog));
        SetWindowTextA(FileNameBox(dialog), folder.Path("home").c_str());
    }));
    Command(ID_ITEM_SAVE_AS_FILE);
    EXPECT_EQ(driver.Caption(), "Export URL");
    EXPECT_EQ(prefilled, "Home");
    EXPECT_EQ(ReadBytes(folder.Path("home.url")), Shortcut("http://h.example/"));
}

TEST_F(RealDialogsTest, FolderImportTakesTheFolderChosenInTheBrowser)
{
    TempDir folder;
    const KeepCurrentDirectory keep;
    WriteBytes(folder.Path("site.url"), Shortcut("http://site.example/"));
    ASSERT_TRUE(Start());
    bool instructed = false;
    DialogDriver driver(FillAndConfirm([&](HWND dialog) {
        instructed = FindWindowExA(dialog, nullptr, "Static", "Select folder with URLs:") != nullptr;
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.Root().c_str()));
    }));
    Command(ID_IMPORT_FOLDER);
    EXPECT_TRUE(instructed);
    EXPECT_EQ(SelectedGroup(), folder.Root() + "\\");
    EXPECT_EQ(RowTexts(Items(), 1), std::vector<std::string>{"http://site.example/"});
}
