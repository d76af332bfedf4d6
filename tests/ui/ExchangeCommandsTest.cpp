// Tests of the frame's import, export and clipboard commands.
#include "tests/app/AppFixture.h"
#include "tests/framework/DialogDriver.h"
#include "tests/support/ScriptSamples.h"
#include "tests/ui/PaneDriver.h"

#include "exchange/HtmlExport.h"
#include "exchange/NetscapeExport.h"
#include "framework/Win32Clipboard.h"
#include "framework/Win32Prompt.h"
#include "res/resource.h"
#include "store/CodePage.h"
#include "ui/CGroupPane.h"
#include "ui/CItemPane.h"

#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace {

using Texts = std::vector<std::string>;

std::string Shortcut(const std::string& url)
{
    return "[InternetShortcut]\r\nURL=" + url + "\r\n";
}

// Drops `paths` on `window` as the shell does: DROPFILES, then every name
// ended by a zero byte, and one zero byte more.
void Drop(HWND window, const Texts& paths)
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
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

// The folder import moves the current directory, and a current folder
// cannot be removed.
struct KeepCurrentDirectory {
    ~KeepCurrentDirectory() { std::filesystem::current_path(folder); }
    const std::filesystem::path folder = std::filesystem::current_path();
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

// Posted: a common dialog checks the typed name in its own time.
void PressOK(HWND dialog)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// The file dialog's name box: a combo box on Windows, an edit box in Wine.
HWND FileNameBox(HWND dialog)
{
    const HWND combo = GetDlgItem(dialog, cmb13);
    return combo != nullptr ? combo : GetDlgItem(dialog, edt1);
}

// `size` bytes put on the clipboard in `format` only, as another program does.
void PutForeign(UINT format, const void* data, size_t size)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    SetClipboardData(format, block);
    CloseClipboard();
}

// The clipboard's text in `format` as another program reads it, up to its end mark.
std::string ForeignText(UINT format)
{
    std::string bytes;
    if (!OpenClipboard(nullptr))
        return bytes;
    if (const HANDLE data = GetClipboardData(format)) {
        bytes.assign(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    if (format != CF_UNICODETEXT)
        return bytes.substr(0, bytes.find('\0'));
    std::u16string units(bytes.size() / 2, u'\0');
    std::memcpy(&units[0], bytes.data(), units.size() * 2);
    units.resize(units.find(u'\0'));
    return Utf16ToUtf8(units.data(), units.size());
}

class ExchangeCommandsTest : public AppFixture {
protected:
    HWND Groups() { return Frame().GroupPane()->GetSafeHwnd(); }
    HWND Items() { return Frame().ItemPane()->GetSafeHwnd(); }
    std::string SelectedGroup() { return SelectedRow(Groups()) < 0 ? "" : RowTexts(Groups())[SelectedRow(Groups())]; }
    void SelectGroup(const std::string& name)
    {
        const Texts rows = RowTexts(Groups());
        ClickRow(Groups(), static_cast<int>(std::find(rows.begin(), rows.end(), name) - rows.begin()));
    }
    Texts Urls(const std::string& group)
    {
        Texts urls;
        for (const size_t index : Doc().ItemsOfGroup(group))
            urls.push_back(Doc().Items()[index].m_strURL);
        return urls;
    }
    bool StartWithRealDialogs()
    {
        if (!Start())
            return false;
        realDialogs.SetOwner(FrameWindow());
        prompt.dialogs = &realDialogs;
        return true;
    }

    Win32Prompt realDialogs;
    Win32Clipboard systemClipboard;
};

} // namespace

TEST_F(ExchangeCommandsTest, LinkImportsAddTheirGroupThroughTheirDialogs)
{
    TempDir folder;
    WriteBytes(folder.Path("links.htm"), "<a href=\"http://b.example/\">Bee</a>\n<p>\n<a href=\"http://a.example/\">Ay</a>\n");
    WriteBytes(folder.Path("plain.html"), "<p>no links at all</p>\n");
    WriteBytes(folder.Path("book.csv"), "Name,E-mail Address\nAnn,ann@example.org\n");
    ASSERT_TRUE(Start());

    const std::string html = "open|Import HTML|Internet Documents|*.htm;*.html|||";
    const struct {
        UINT command;
        std::string request;
        const char* file;
        Texts names;
        Texts urls;
        Texts shown;
    } cases[] = {
        {ID_IMPORT_HTML, html, "links.htm", {"Ay", "Bee"}, {"http://a.example/", "http://b.example/"}, {}},
        // The panes show the new group, not the one current before.
        {ID_IMPORT_HTML, html, "plain.html", {}, {}, {"There are no URLs, sorry.\n Please, contact the developer"}},
        {ID_IMPORT_ADDRESS_BOOK, "open|Import Address Book|Text Files (Comma Separated Values|*.csv|||", "book.csv",
         {"Ann"}, {"mailto:ann@example.org"}, {}},
    };
    for (const auto& test : cases) {
        Fill(Doc(), {"G"}, {Bookmark("x", "http://x", "G")}, "G");
        Doc().SetModifiedFlag(false);
        prompt.shown.clear();
        Command(test.command);  // cancelled
        EXPECT_EQ(RequestLine(prompt.requests.back()), test.request);
        EXPECT_EQ(Doc().Groups().size(), 1u);
        EXPECT_FALSE(Doc().IsModified());

        prompt.files = {folder.Path(test.file)};
        Command(test.command);
        EXPECT_EQ(prompt.shown, test.shown);
        EXPECT_EQ(Doc().Groups(), (Texts{"G", test.file}));
        EXPECT_EQ(SelectedGroup(), test.file);
        EXPECT_EQ(RowTexts(Items()), test.names);
        EXPECT_EQ(RowTexts(Items(), 1), test.urls);
        EXPECT_TRUE(Doc().IsModified());
    }
    EXPECT_EQ(WindowTitle(FrameWindow()), "Untitled - Linkhive");
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

    const struct {
        UINT command;
        const char* file;
        MessageAnswer answer;
        const char* shown;
        Texts groups;
        const char* title;
    } cases[] = {
        // A file that cannot be read asks nothing more and changes nothing.
        {ID_IMPORT_LINKHIVE20, "missing.lkh", MessageAnswer::Ok, "Cannot find this file.", {"G"}, "Untitled - Linkhive"},
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
        ASSERT_EQ(prompt.shown.size(), 1u) << test.file;
        EXPECT_NE(prompt.shown[0].find(test.shown), std::string::npos) << prompt.shown[0];
        EXPECT_EQ(Doc().Groups(), test.groups) << test.file;
        EXPECT_EQ(WindowTitle(FrameWindow()), test.title);
        EXPECT_TRUE(Doc().IsModified());
    }
    EXPECT_EQ(RequestLine(prompt.requests[0]), "open|Import Version 2.0 Datafile|Linkhive 2.0 Data Files|*.lkh|||");
    EXPECT_EQ(RequestLine(prompt.requests.back()), "open|Import Set|Markbox 1.0 Data Files|*.mbx|||");
    EXPECT_EQ(Doc().GetPathName(), "");
    EXPECT_EQ(SelectedGroup(), "Work");
    EXPECT_EQ(RowTexts(Items()), Texts{"Site"});
}

TEST_F(ExchangeCommandsTest, DroppedFilesAreTakenWholeAndInDropOrder)
{
    TempDir folder;
    WriteBytes(folder.Path("one.url"), Shortcut("http://one.example/"));
    WriteBytes(folder.Path("Two.URL"), Shortcut("http://two.example/"));
    WriteBytes(folder.Path("page.htm"), "<a href=\"http://not.example/\">no</a>");
    ASSERT_TRUE(Start());
    Drop(FrameWindow(), {folder.Path("Two.URL"), folder.Path("page.htm"), folder.Path("one.url")});
    EXPECT_EQ(Doc().Groups(), Texts{"New Group"});
    ASSERT_EQ(Doc().Items().size(), 2u);
    EXPECT_EQ(Doc().Items()[0].m_strName, "Two");
    EXPECT_EQ(Doc().Items()[1].m_strURL, "http://one.example/");
    EXPECT_EQ(SelectedGroup(), "New Group");
    EXPECT_EQ(RowTexts(Items()), (Texts{"one", "Two"}));
    EXPECT_EQ(FilesIn(folder.Root()).size(), 3u);
    EXPECT_TRUE(Doc().IsModified());

    // Cut to 260 characters, the long name would name the decoy beside it,
    // which "Delete Source URLs" would delete.
    ASSERT_LT(folder.Root().size(), 240u);
    const std::string deep = folder.Root() + "\\" + std::string(249 - folder.Root().size(), 'd');
    const std::string decoyPath = deep + "\\decoy.url";
    const std::string longPath = decoyPath + std::string(60, 'x') + ".url";
    ASSERT_TRUE(CreateDirectoryW(LongPath(deep).c_str(), nullptr));
    WriteLongFile(decoyPath, Shortcut("http://decoy.example/"));
    WriteLongFile(longPath, Shortcut("http://long.example/"));
    Command(ID_PREF_DELETE_SOURCE);
    Drop(FrameWindow(), {longPath});
    ASSERT_EQ(Doc().Items().size(), 3u);
    const BookmarkItem& item = Doc().Items()[2];
    EXPECT_EQ(item.m_strName, "decoy.url" + std::string(60, 'x'));
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

TEST_F(ExchangeCommandsTest, SavesWriteTheWholeUrlAndAskBeforeReplacingAnAppendedName)
{
    TempDir folder;
    ASSERT_TRUE(Start());
    EXPECT_FALSE(Enabled(ID_FILE_SAVE_AS_HTML));
    EXPECT_FALSE(Enabled(ID_GROUP_SAVE_AS_HTML));
    EXPECT_FALSE(Enabled(ID_FILE_EXPORT_BROWSER_BOOKMARKS));
    const std::string longURL = "http://example.org/" + std::string(300, 'p');
    const std::string longGroup(300, 'g');
    Fill(Doc(), {"A", longGroup}, {Bookmark("Home", longURL, "A"), Bookmark("b", "mailto:b@x", longGroup)}, "A");
    EXPECT_FALSE(Enabled(ID_ITEM_SAVE_AS_FILE));
    ClickRow(Items(), 0);

    const std::string url = "save|Export URL|URL files|*.URL|||Home";
    const std::string all = "save|Save As Internet Document|Internet Documents|*.html|||";
    const std::string group = "save|Save Group As Internet Document|Internet Document (HTML)|*.html|||A";
    const std::string bookmarks = "save|Export Browser Bookmarks|Bookmark Files (*.html)|*.html|||";
    const struct {
        UINT command;
        const std::string& request;
        const char* chosen;
        const char* written;
        bool exists;
        MessageAnswer answer;
        bool asked;
        std::string content;
    } cases[] = {
        {ID_ITEM_SAVE_AS_FILE, url, "home", "home.url", false, MessageAnswer::Ok, false, Shortcut(longURL)},
        {ID_ITEM_SAVE_AS_FILE, url, "home", "home.url", true, MessageAnswer::No, true, "kept"},
        {ID_ITEM_SAVE_AS_FILE, url, "home", "home.url", true, MessageAnswer::Yes, true, Shortcut(longURL)},
        // The dialog itself asked.
        {ID_ITEM_SAVE_AS_FILE, url, "home.url", "home.url", true, MessageAnswer::Ok, false, Shortcut(longURL)},
        {ID_FILE_SAVE_AS_HTML, all, "all.htm", "all.htm.html", false, MessageAnswer::Ok, false, CollectionPage(Doc().Content())},
        {ID_FILE_SAVE_AS_HTML, all, "all.htm", "all.htm.html", true, MessageAnswer::No, true, "kept"},
        {ID_GROUP_SAVE_AS_HTML, group, "group.htm", "group.htm", true, MessageAnswer::Ok, false, GroupPage(Doc().Content(), "A")},
        {ID_GROUP_SAVE_AS_HTML, group, "group", "group.html", true, MessageAnswer::Yes, true, GroupPage(Doc().Content(), "A")},
        {ID_FILE_EXPORT_BROWSER_BOOKMARKS, bookmarks, "marks", "marks.html", false, MessageAnswer::Ok, false,
         NetscapeBookmarkFile(Doc().Content())},
        {ID_FILE_EXPORT_BROWSER_BOOKMARKS, bookmarks, "marks", "marks.html", true, MessageAnswer::No, true, "kept"},
        {ID_FILE_EXPORT_BROWSER_BOOKMARKS, bookmarks, "marks.htm", "marks.htm", true, MessageAnswer::Ok, false,
         NetscapeBookmarkFile(Doc().Content())},
    };
    for (const auto& test : cases) {
        const std::string written = folder.Path(test.written);
        if (test.exists)
            WriteBytes(written, "kept");
        prompt.shown.clear();
        prompt.styles.clear();
        prompt.answers = {test.answer};
        prompt.files = {folder.Path(test.chosen)};
        Command(test.command);
        EXPECT_EQ(RequestLine(prompt.requests.back()), test.request);
        EXPECT_EQ(prompt.shown, test.asked ? Texts{written + " already exists.\nDo you want to replace it?"} : Texts{})
            << test.chosen;
        EXPECT_EQ(prompt.styles, std::vector<MessageStyle>(test.asked ? 1 : 0, MessageStyle::QuestionYesNo));
        EXPECT_EQ(ReadBytes(written), test.content) << test.chosen;
    }

    // The name box holds at most 259 characters of the group's name.
    Doc().SetCurrentGroup(longGroup);
    Command(ID_GROUP_SAVE_AS_HTML);
    EXPECT_EQ(prompt.requests.back().initialPath, longGroup.substr(0, 259));
}

TEST_F(ExchangeCommandsTest, ClipboardCommandsRoundTripThroughTheSystemClipboard)
{
    appClipboard = &systemClipboard;
    ASSERT_TRUE(Start());
    systemClipboard.SetOwner(FrameWindow());
    systemClipboard.Empty();
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
    EXPECT_EQ(systemClipboard.GetText(), "Site\nhttp://s.example/\nnote");
    EXPECT_TRUE(ButtonEnabled(ID_EDIT_PASTE));
    SelectGroup("B");
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Urls("A"), (Texts{"http://s.example/", "http://o.example/"}));
    EXPECT_EQ(Urls("B"), Texts{"http://s.example/"});
    EXPECT_EQ(Doc().Items().back().m_strDescription, "note");
    EXPECT_EQ(RowTexts(Items()), Texts{"Site"});
    EXPECT_EQ(systemClipboard.GetText(), "");
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));

    // The move: the cut row is drawn cut until the paste in B takes it away.
    SelectGroup("A");
    ClickRow(Items(), 0);  // "Other"
    Doc().SetModifiedFlag(false);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(systemClipboard.GetText(), "Other\nhttp://o.example/\n");
    EXPECT_EQ(SendMessageA(Items(), LVM_GETITEMSTATE, 0, LVIS_CUT), LVIS_CUT);
    EXPECT_EQ(SendMessageA(Items(), LVM_GETITEMSTATE, 1, LVIS_CUT), 0);
    EXPECT_TRUE(Doc().IsModified());
    SelectGroup("B");
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Urls("A"), Texts{"http://s.example/"});
    EXPECT_EQ(Urls("B"), (Texts{"http://s.example/", "http://o.example/"}));
    EXPECT_EQ(RowTexts(Items()), (Texts{"Other", "Site"}));

    SelectGroup("A");
    ClickRow(Items(), 0);
    prompt.answers = {MessageAnswer::Ok};
    Command(ID_ITEM_DELETE);
    EXPECT_EQ(systemClipboard.GetText(), "Site\nhttp://s.example/\nnote");
    EXPECT_TRUE(ButtonEnabled(ID_EDIT_UNDO));
    EXPECT_FALSE(ButtonEnabled(ID_EDIT_PASTE));  // the pending undo keeps the text for itself
    SelectGroup("B");
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Urls("A"), Texts{"http://s.example/"});
    EXPECT_EQ(Doc().Items().back().m_strDescription, "note");
    EXPECT_EQ(RowTexts(Items()), (Texts{"Other", "Site"}));
    EXPECT_EQ(systemClipboard.GetText(), "");
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));

    ClickRow(Items(), 0);
    Command(ID_ITEM_COPY_URL);
    EXPECT_EQ(systemClipboard.GetText(), "http://o.example/");
    // One line is no bookmark: Paste is offered but refuses.
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(prompt.shown.back(), "Wrong clipboard format. Cannot paste.");
    EXPECT_EQ(Doc().Items().size(), 3u);
}

TEST_F(ExchangeCommandsTest, CopyAndPasteCarryEveryScriptToAndFromOtherPrograms)
{
    appClipboard = &systemClipboard;
    ASSERT_TRUE(Start());
    systemClipboard.SetOwner(FrameWindow());
    for (const ScriptSample& sample : ScriptSamples()) {
        Fill(Doc(), {"A", "B"}, {Bookmark(sample.name, sample.url, "A", sample.name)}, "A");
        ClickRow(Items(), 0);
        Command(ID_EDIT_COPY);
        const std::string copied = sample.name + "\n" + sample.url + "\n" + sample.name;
        EXPECT_EQ(ForeignText(CF_UNICODETEXT), copied) << sample.script;
        // The 8-bit text is whole where the legacy code page holds it.
        const std::string narrow = ForeignText(CF_TEXT);
        EXPECT_FALSE(narrow.empty()) << sample.script;
        EXPECT_EQ(LegacyToUtf8(narrow) == copied, sample.legacy) << sample.script;

        const std::u16string pasted = Utf8ToUtf16(sample.name + " 2\n" + sample.url + "/2\n");
        PutForeign(CF_UNICODETEXT, pasted.c_str(), (pasted.size() + 1) * sizeof(char16_t));
        SelectGroup("B");
        Command(ID_EDIT_PASTE);
        EXPECT_EQ(ItemTexts(Doc().Items()).back(), ItemText(Bookmark(sample.name + " 2", sample.url + "/2", "B")))
            << sample.script;
    }
    // Another program's 8-bit text is in the legacy code page.
    const char legacy[] = "Caf\xE9\nhttp://caf\xE9.example/\n";
    PutForeign(CF_TEXT, legacy, sizeof legacy);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(ItemTexts(Doc().Items()).back(), ItemText(Bookmark("Caf\u00e9", "http://caf\u00e9.example/", "B")));
}

TEST_F(ExchangeCommandsTest, FilesNamedInEveryScriptGoThroughTheRealDialogsAndTheRecentList)
{
    TempDir root;
    ASSERT_TRUE(StartWithRealDialogs());
    Texts recent;
    for (const ScriptSample& sample : ScriptSamples()) {
        // Saved, then opened as a copy whose path takes more than MAX_PATH
        // bytes where the script's characters take three each.
        const std::string folder = root.Root() + "\\" + sample.name;
        const std::string thrice = sample.name + sample.name + sample.name;
        const std::string deep = folder + "\\" + thrice + "\\" + thrice;
        for (const std::string& path : {folder, folder + "\\" + thrice, deep})
            ASSERT_TRUE(CreateDirectoryW(Wide(path).c_str(), nullptr)) << sample.script;
        const BookmarkItem bookmark = Bookmark(sample.name, sample.url, sample.name, sample.name);
        Fill(Doc(), {sample.name}, {bookmark}, sample.name);

        const std::string saved = folder + "\\" + sample.name + ".lkh";
        DialogDriver save({[&](HWND dialog) { SetWindowTextW(FileNameBox(dialog), Wide(saved).c_str()); }, PressOK});
        Command(ID_FILE_SAVE_AS);
        EXPECT_NE(GetFileAttributesW(Wide(saved).c_str()), INVALID_FILE_ATTRIBUTES) << sample.script;
        recent.insert(recent.begin(), saved);

        const std::string copy = deep + "\\" + sample.name + ".lkh";
        ASSERT_TRUE(CopyFileW(Wide(saved).c_str(), Wide(copy).c_str(), TRUE)) << sample.script;
        Command(ID_FILE_NEW);
        DialogDriver open({[&](HWND dialog) { SetWindowTextW(FileNameBox(dialog), Wide(copy).c_str()); }, PressOK});
        Command(ID_FILE_OPEN);
        EXPECT_EQ(Doc().GetPathName(), copy) << sample.script;
        EXPECT_EQ(ItemTexts(Doc().Items()), ItemTexts({bookmark})) << sample.script;
        wchar_t title[256] = L"";
        GetWindowTextW(FrameWindow(), title, 256);
        EXPECT_EQ(title, Wide(sample.name + ".lkh - Linkhive")) << sample.script;
        recent.insert(recent.begin(), copy);
    }
    Doc().SetModifiedFlag(false);
    Close();
    // The recent files, newest first, as the registry holds them.
    for (size_t index = 0; index < 4; ++index) {
        wchar_t stored[1024] = L"";
        DWORD size = sizeof stored;
        const std::wstring name = L"File" + std::to_wstring(index + 1);
        RegGetValueW(HKEY_CURRENT_USER, L"Software\\Quillmere\\Linkhive\\Recent File List", name.c_str(),
                     RRF_RT_REG_SZ, nullptr, stored, &size);
        EXPECT_EQ(stored, Wide(recent[index])) << index;
    }
}

TEST_F(ExchangeCommandsTest, HtmlImportTakesABrowserExportTypedIntoTheOpenDialog)
{
    const std::string page = WindowsPath(std::string(LINKHIVE_TEST_DATA) + "/browser-exports/chromium_flat.htm");
    ASSERT_TRUE(StartWithRealDialogs());
    DialogDriver driver({[&](HWND dialog) { SetWindowTextA(FileNameBox(dialog), page.c_str()); }, PressOK});
    Command(ID_IMPORT_HTML);
    EXPECT_EQ(driver.Caption(), "Import HTML");
    EXPECT_EQ(SelectedGroup(), "chromium_flat.htm");
    EXPECT_EQ(Urls("chromium_flat.htm"),
              (Texts{"http://www.windows93.net/",
                     "http://stackoverflow.com/questions/2609857/"
                     "are-there-any-worse-sorting-algorithms-than-bogosort-a-k-a-monkey-sort",
                     "http://lotrproject.com/blog/2013/02/08/timeline-of-the-elves-in-tolkiens-works/"}));
    EXPECT_EQ(Doc().Items()[0].m_strName, "WINDOWS93");
}

TEST_F(ExchangeCommandsTest, BrowserBookmarksComeInByFolderAndGoBackOutWhole)
{
    TempDir folder;
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Enabled(ID_IMPORT_BROWSER_BOOKMARKS));  // with no group as well
    // "Dev" is also a folder of the file, checkio.org one of its links.
    Fill(Doc(), {"Dev"}, {Bookmark("Old", "https://checkio.org/", "Dev", "a note & more")}, "Dev");
    Doc().SetModifiedFlag(false);
    prompt.files = {WindowsPath(std::string(LINKHIVE_TEST_DATA) + "/browser-exports/chromium_nested.htm")};
    Command(ID_IMPORT_BROWSER_BOOKMARKS);
    EXPECT_EQ(RequestLine(prompt.requests.back()),
              "open|Import Browser Bookmarks|Bookmark Files (*.html;*.htm)|*.html;*.htm|All Files (*.*)|*.*|||");
    EXPECT_EQ(prompt.shown, Texts{"Imported 17 bookmarks into 8 groups. 1 was already in the collection."});
    EXPECT_EQ(Doc().Groups(), (Texts{"Dev", "Personal toolbar", "chromium_nested.htm", "Dev / PHP", "Dev / Python",
                                        "MOOC", "Linux, Unix OS,Other   stuff", "Self-hosting"}));
    EXPECT_EQ(Urls("Dev / Python"), (Texts{"https://tox.readthedocs.io/en/latest/", "http://www.sphinx-doc.org/en/stable/"}));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(SelectedGroup(), "Personal toolbar");
    EXPECT_EQ(RowTexts(Items(), 1), Texts{"http://www.jabber.org/"});

    // Out through the export and back into an empty collection: the groups
    // come in the pane's order, which the export keeps.
    const auto collection = [this] {
        Texts rows;
        for (const std::string& group : RowTexts(Groups())) {
            for (const size_t index : Doc().ItemsOfGroup(group)) {
                const BookmarkItem& item = Doc().Items()[index];
                rows.push_back(group + "|" + item.m_strName + "|" + item.m_strURL + "|" + item.m_strDescription);
            }
        }
        return rows;
    };
    const Texts exported = collection();
    prompt.files = {folder.Path("all")};
    Command(ID_FILE_EXPORT_BROWSER_BOOKMARKS);
    Fill(Doc(), {}, {}, "");
    prompt.shown.clear();
    prompt.files = {folder.Path("all.html")};
    Command(ID_IMPORT_BROWSER_BOOKMARKS);
    EXPECT_EQ(prompt.shown, Texts{"Imported 18 bookmarks into 8 groups. 0 were already in the collection."});
    EXPECT_EQ(Doc().Groups(), RowTexts(Groups()));
    EXPECT_EQ(collection(), exported);
    EXPECT_EQ(SelectedGroup(), "chromium_nested.htm");
    EXPECT_EQ(RowTexts(Items(), 1), (Texts{"https://regexcrossword.com/",
                                           "http://lotrproject.com/blog/2013/02/08/timeline-of-the-elves-in-tolkiens-works/",
                                           "http://www.windows93.net/"}));
}

TEST_F(ExchangeCommandsTest, BrowsersOwnFilesComeInAndGoBackOutWhole)
{
    TempDir folder;
    // Only Edge's profile exists: the Chromium dialog opens there.
    char savedLocal[MAX_PATH] = "";
    GetEnvironmentVariableA("LOCALAPPDATA", savedLocal, sizeof savedLocal);
    struct RestoreLocal {
        const char* value;
        ~RestoreLocal() { SetEnvironmentVariableA("LOCALAPPDATA", value); }
    } restore = {savedLocal};
    const std::string edge = WindowsPath(folder.Path("local")) + "\\Microsoft\\Edge\\User Data\\Default";
    std::filesystem::create_directories(edge);
    SetEnvironmentVariableA("LOCALAPPDATA", WindowsPath(folder.Path("local")).c_str());
    ASSERT_TRUE(Start());
    const std::string data = WindowsPath(std::string(LINKHIVE_TEST_DATA) + "/browser-formats/");
    const struct {
        UINT command;
        const char* file;
        std::string request;
        const char* shown;
    } imports[] = {
        {ID_IMPORT_CHROMIUM, "Bookmarks",
         "open|Import Chromium Bookmarks File|Bookmarks File (Bookmarks)|Bookmarks|All Files (*.*)|*.*|||" + edge,
         "Imported 6 bookmarks into 4 groups. 0 were already in the collection. 1 was repeated in the file."},
        {ID_IMPORT_FIREFOX, "firefox-backup.json",
         "open|Import Firefox Backup|Bookmark Backups (*.json)|*.json|All Files (*.*)|*.*|||",
         "Imported 4 bookmarks into 3 groups. 0 were already in the collection.\n"
         "1 link was not imported (an empty or internal address)."},
        {ID_IMPORT_XBEL, "bookmarks.xbel",
         "open|Import XBEL File|XBEL Files (*.xbel;*.xml)|*.xbel;*.xml|All Files (*.*)|*.*|||",
         "Imported 3 bookmarks into 3 groups. 0 were already in the collection.\n"
         "1 link was not imported (an empty or internal address)."},
    };
    for (const auto& import : imports) {
        prompt.shown.clear();
        prompt.files = {data + import.file};
        Command(import.command);
        EXPECT_EQ(RequestLine(prompt.requests.back()), import.request);
        EXPECT_EQ(prompt.shown, Texts{import.shown}) << import.file;
    }
    EXPECT_EQ(Urls("Work / Tools"), Texts{"https://tools.example/\xC3\xBC"});
    EXPECT_EQ(Urls("News / Local"), Texts{"https://local.example/"});

    // A Chromium file has no descriptions.
    const auto collection = [this](bool descriptions) {
        Texts rows;
        for (const std::string& group : RowTexts(Groups())) {
            for (const size_t index : Doc().ItemsOfGroup(group)) {
                const BookmarkItem& item = Doc().Items()[index];
                rows.push_back(group + "|" + item.m_strName + "|" + item.m_strURL +
                               (descriptions ? "|" + item.m_strDescription : ""));
            }
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    };
    const struct {
        UINT exportCommand;
        const char* chosen;
        std::string request;
        UINT importCommand;
        const char* written;
        bool descriptions;
    } exports[] = {
        {ID_FILE_EXPORT_XBEL, "all", "save|Export XBEL|XBEL Files (*.xbel)|*.xbel|||", ID_IMPORT_XBEL, "all.xbel", true},
        {ID_FILE_EXPORT_CHROMIUM, "Bookmarks",
         "save|Export Chromium Bookmarks|Bookmarks File (Bookmarks)|Bookmarks|All Files (*.*)|*.*|||Bookmarks",
         ID_IMPORT_CHROMIUM, "Bookmarks", false},
    };
    for (const auto& out : exports) {
        Fill(Doc(), {}, {}, "");
        for (const auto& import : imports) {
            prompt.files = {data + import.file};
            Command(import.command);
        }
        const Texts all = collection(out.descriptions);
        prompt.files = {folder.Path(out.chosen)};
        Command(out.exportCommand);
        EXPECT_EQ(RequestLine(prompt.requests.back()), out.request);
        Fill(Doc(), {}, {}, "");
        prompt.files = {folder.Path(out.written)};
        Command(out.importCommand);
        EXPECT_EQ(collection(out.descriptions), all) << out.written;
    }
}

TEST_F(ExchangeCommandsTest, SaveAsFileWritesTheNameTypedIntoTheSaveDialog)
{
    TempDir folder;
    ASSERT_TRUE(StartWithRealDialogs());
    Fill(Doc(), {"A"}, {Bookmark("Home", "http://h.example/", "A")}, "A");
    ClickRow(Items(), 0);
    std::string prefilled;
    DialogDriver driver({[&](HWND dialog) {
                             prefilled = WindowTitle(FileNameBox(dialog));
                             SetWindowTextA(FileNameBox(dialog), folder.Path("home").c_str());
                         },
                         PressOK});
    Command(ID_ITEM_SAVE_AS_FILE);
    EXPECT_EQ(driver.Caption(), "Export URL");
    EXPECT_EQ(prefilled, "Home");
    EXPECT_EQ(ReadBytes(folder.Path("home.url")), Shortcut("http://h.example/"));
}

TEST_F(ExchangeCommandsTest, FolderImportMakesAGroupOfTheFolderChosenInTheBrowserAndMovesThere)
{
    TempDir empty;
    TempDir folder;
    const KeepCurrentDirectory keep;
    WriteBytes(folder.Path("a.url"), Shortcut("http://a.example/"));
    WriteBytes(folder.Path("B.URL"), Shortcut("http://b.example/"));
    WriteBytes(folder.Path("note.txt"), "not a shortcut");
    SetSetting("bDeleteSourceFile", 1);
    ASSERT_TRUE(StartWithRealDialogs());
    Fill(Doc(), {"G"}, {}, "G");
    for (const TempDir* chosen : {&empty, &folder}) {
        bool instructed = false;
        DialogDriver driver({[&](HWND dialog) {
                                 instructed = FindWindowExA(dialog, nullptr, "Static", "Select folder with URLs:") != nullptr;
                                 SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE,
                                              reinterpret_cast<LPARAM>(chosen->Root().c_str()));
                             },
                             PressOK});
        Command(ID_IMPORT_FOLDER);
        EXPECT_TRUE(instructed);
    }
    EXPECT_EQ(prompt.shown, Texts{"Sorry, no URLs here. Try another folder."});
    const std::string group = folder.Root() + "\\";
    EXPECT_EQ(Doc().Groups(), (Texts{"G", group}));
    EXPECT_EQ(SelectedGroup(), group);
    EXPECT_EQ(RowTexts(Items()), (Texts{"a", "B"}));
    EXPECT_EQ(RowTexts(Items(), 1), (Texts{"http://a.example/", "http://b.example/"}));
    EXPECT_EQ(std::filesystem::current_path().string(), folder.Root());
    EXPECT_EQ(FilesIn(folder.Root()), Texts{"note.txt"});
}
