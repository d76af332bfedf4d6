// Tests of the main frame.
#include "tests/app/AppFixture.h"
#include "tests/framework/DialogDriver.h"
#include "tests/ui/PaneDriver.h"

#include "res/resource.h"
#include "settings/ColourScheme.h"
#include "settings/PaneColours.h"
#include "settings/Preferences.h"
#include "ui/CCheckLinksDlg.h"
#include "ui/CItemPane.h"
#include "ui/CGroupPane.h"

#include <commctrl.h>
#include <oleacc.h>

namespace {

// What a screen reader announces for `window`.
std::string AccessibleName(HWND window)
{
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void**>(&accessible))))
        return "(no object)";
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string text = "(no name)";
    if (accessible->get_accName(self, &name) == S_OK && name != nullptr) {
        char buffer[256] = "";
        WideCharToMultiByte(CP_ACP, 0, name, -1, buffer, sizeof buffer, nullptr, nullptr);
        text = buffer;
        SysFreeString(name);
    }
    accessible->Release();
    return text;
}

bool ButtonChecked(HWND toolBar, UINT id)
{
    return SendMessageA(toolBar, TB_ISBUTTONCHECKED, id, 0) != 0;
}

} // namespace

using MainFrameTest = AppFixture;

TEST_F(MainFrameTest, CreatesBarsPanesAndTheirColumns)
{
    ASSERT_TRUE(Start());
    EXPECT_EQ(WindowTitle(FrameWindow()), "Untitled - Linkhive");
    EXPECT_EQ(theMainFrame, &Frame());

    EXPECT_EQ(GetDlgCtrlID(Frame().ToolBar()), IDW_TOOLBAR);
    EXPECT_EQ(SendMessageA(Frame().ToolBar(), TB_BUTTONCOUNT, 0, 0), 17 + 5);
    EXPECT_EQ(GetDlgCtrlID(Frame().StatusBar()), IDW_STATUS_BAR);
    EXPECT_EQ(SendMessageA(Frame().StatusBar(), SB_GETPARTS, 0, 0), 3);
    EXPECT_EQ(StatusText(0), "Ready");
    EXPECT_EQ(StatusText(1), "Info:");
    // The idle update has run: no current item, so the selection pane is empty.
    EXPECT_EQ(StatusText(2), "");
    EXPECT_EQ(GetDlgCtrlID(Frame().Splitter().GetSafeHwnd()), IDW_SPLITTER);

    const HWND groups = Frame().GroupPane()->GetSafeHwnd();
    const HWND items = Frame().ItemPane()->GetSafeHwnd();
    EXPECT_EQ(GetWindowLongA(groups, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_NE(GetWindowLongA(groups, GWL_STYLE) & LVS_EDITLABELS, 0);
    EXPECT_NE(GetWindowLongA(groups, GWL_STYLE) & LVS_NOCOLUMNHEADER, 0);
    // The refill of the empty document fitted the column to no text.
    EXPECT_EQ(SendMessageA(groups, LVM_GETCOLUMNWIDTH, 0, 0), 32);
    EXPECT_EQ(GetWindowLongA(items, GWL_STYLE) & LVS_TYPEMASK, LVS_ICON);
    EXPECT_NE(SendMessageA(items, LVM_GETIMAGELIST, LVSIL_NORMAL, 0), 0);
    EXPECT_NE(SendMessageA(groups, LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
    EXPECT_NE(SendMessageA(items, WM_GETFONT, 0, 0), 0);

    char title[64] = "";
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT;
    column.pszText = title;
    column.cchTextMax = sizeof title;
    SendMessageA(items, LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_STREQ(title, "Univeral Resource Locator");

    RECT rect;
    GetWindowRect(groups, &rect);
    EXPECT_EQ(rect.right - rect.left, 150);
    EXPECT_EQ(Frame().GetActiveView(), Frame().GroupPane());
}

TEST_F(MainFrameTest, CommandsWithoutHandlersStayGreyed)
{
    ASSERT_TRUE(Start());
    const HWND frame = FrameWindow();
    const struct {
        UINT id;
        bool enabled;
    } cases[] = {
        {ID_FILE_NEW, true},          {ID_FILE_OPEN, true},        {ID_FILE_SAVE, true},
        {ID_FILE_SAVE_AS, true},      {ID_APP_EXIT, true},         {ID_APP_ABOUT, true},
        {ID_VIEW_TOOLBAR, true},      {ID_VIEW_DETAILS, true},     {ID_ARRANGE_BY_URL, true},
        {ID_PREF_ONE_INSTANCE, true}, {ID_COLOUR_BACKGROUND, true}, {ID_SCHEME_MEADOW, true},
        {ID_FILE_MRU_FILE1, false},   {ID_GROUP_ADD, true},        {ID_GROUP_DELETE, false},
        {ID_ITEM_DELETE, false},      {ID_ITEM_OPEN, false},       {ID_EDIT_UNDO, false},
        {ID_IMPORT_HTML, true},       {ID_PREF_MINIMISE_TO_TRAY, true},
        {ID_SEARCH_YANDEX, true},
    };
    for (const auto& test : cases) {
        const UINT state = MenuState(frame, test.id);
        EXPECT_NE(state, static_cast<UINT>(-1)) << test.id;
        EXPECT_EQ((state & MF_GRAYED) == 0, test.enabled) << test.id;
    }
    // A disabled command does not run even when sent.
    Command(ID_GROUP_DELETE);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(MainFrameTest, ViewModesMarkMenuAndToolbar)
{
    ASSERT_TRUE(Start());
    const HWND items = Frame().ItemPane()->GetSafeHwnd();
    EXPECT_TRUE(IsRadioMarked(FrameWindow(), ID_VIEW_LARGE_ICONS));
    EXPECT_TRUE(ButtonChecked(Frame().ToolBar(), ID_VIEW_LARGE_ICONS));

    const struct {
        UINT id;
        LONG view;
    } cases[] = {{ID_VIEW_DETAILS, LVS_REPORT}, {ID_VIEW_SMALL_ICONS, LVS_SMALLICON}, {ID_VIEW_LIST, LVS_LIST},
                 {ID_VIEW_LIST, LVS_LIST},      {ID_VIEW_LARGE_ICONS, LVS_ICON}};
    for (const auto& test : cases) {
        const LONG before = GetWindowLongA(items, GWL_STYLE);
        Command(test.id);
        EXPECT_EQ(GetWindowLongA(items, GWL_STYLE) & LVS_TYPEMASK, test.view) << test.id;
        EXPECT_EQ(GetWindowLongA(items, GWL_STYLE) & ~LVS_TYPEMASK, before & ~LVS_TYPEMASK) << test.id;
        for (UINT id = ID_VIEW_LARGE_ICONS; id <= ID_VIEW_DETAILS; ++id) {
            EXPECT_EQ(IsRadioMarked(FrameWindow(), id), id == test.id) << test.id << " " << id;
            EXPECT_EQ(ButtonChecked(Frame().ToolBar(), id), id == test.id) << test.id << " " << id;
        }
    }
}

TEST_F(MainFrameTest, TogglesAndSchemesShowTheirMarks)
{
    ASSERT_TRUE(Start());
    const HWND frame = FrameWindow();
    // First start: system colours, no custom colours, radio on "&Space".
    EXPECT_NE(MenuState(frame, ID_COLOUR_USE_SYSTEM) & MF_CHECKED, 0u);
    EXPECT_EQ(MenuState(frame, ID_COLOUR_USE_CUSTOM) & MF_CHECKED, 0u);
    EXPECT_TRUE(IsRadioMarked(frame, ID_SCHEME_SPACE));

    for (const UINT id : {ID_PREF_DELETE_SOURCE, ID_PREF_SAVE_LEFT_WIDTH, ID_PREF_QUICK_EDIT, ID_PREF_ONE_INSTANCE,
                          ID_PREF_MINIMISE_TO_TRAY, ID_COLOUR_USE_CUSTOM}) {
        Command(id);
        EXPECT_NE(MenuState(frame, id) & MF_CHECKED, 0u) << id;
    }
    Command(ID_PREF_OPEN_LAST_FILE);
    EXPECT_EQ(MenuState(frame, ID_PREF_OPEN_LAST_FILE) & MF_CHECKED, 0u);

    Command(ID_SCHEME_NAVY);
    EXPECT_EQ(thePreferences.scheme, 1u);
    EXPECT_TRUE(IsRadioMarked(frame, ID_SCHEME_NAVY));
    EXPECT_FALSE(IsRadioMarked(frame, ID_SCHEME_SPACE));
    Command(ID_SCHEME_MEADOW);
    EXPECT_EQ(thePreferences.scheme, 6u);
}

TEST_F(MainFrameTest, ColourCommandsChangeWhatThePanesPaint)
{
    ASSERT_TRUE(Start());
    const HWND groups = Frame().GroupPane()->GetSafeHwnd();
    Command(ID_COLOUR_USE_SYSTEM);  // off: the "Space" scheme shows
    EXPECT_EQ(SendMessageA(groups, LVM_GETBKCOLOR, 0, 0), 0x000000);
    EXPECT_EQ(SendMessageA(groups, LVM_GETTEXTCOLOR, 0, 0), 0xFFFFFF);
    Command(ID_SCHEME_NAVY);
    EXPECT_EQ(SendMessageA(Frame().ItemPane()->GetSafeHwnd(), LVM_GETBKCOLOR, 0, 0), 0x800000);

    // The colour dialog starts at the colour in effect; cancelling changes nothing.
    Command(ID_COLOUR_BACKGROUND);
    EXPECT_EQ(thePreferences.bkColour, 0u);
    Command(ID_COLOUR_USE_CUSTOM);
    EXPECT_EQ(SendMessageA(groups, LVM_GETTEXTCOLOR, 0, 0), 255);
}

TEST_F(MainFrameTest, BarsHideAndPanesTakeTurns)
{
    ASSERT_TRUE(Start());
    const HWND frame = FrameWindow();
    EXPECT_NE(MenuState(frame, ID_VIEW_TOOLBAR) & MF_CHECKED, 0u);
    Command(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(IsWindowVisible(Frame().ToolBar()));
    EXPECT_EQ(MenuState(frame, ID_VIEW_TOOLBAR) & MF_CHECKED, 0u);
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(IsWindowVisible(Frame().StatusBar()));
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_NE(MenuState(frame, ID_VIEW_STATUS_BAR) & MF_CHECKED, 0u);

    EXPECT_EQ(Frame().GetActiveView(), Frame().GroupPane());
    Command(ID_NEXT_PANE);
    EXPECT_EQ(Frame().GetActiveView(), Frame().ItemPane());
    Command(ID_NEXT_PANE);
    EXPECT_EQ(Frame().GetActiveView(), Frame().GroupPane());
    Command(ID_PREV_PANE);
    EXPECT_EQ(Frame().GetActiveView(), Frame().ItemPane());
}

TEST_F(MainFrameTest, ClosingWritesEveryPreference)
{
    SetSetting("View Mode", 7);
    SetSetting("Scheme", 3);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(IsRadioMarked(FrameWindow(), ID_VIEW_LIST));
    EXPECT_TRUE(IsRadioMarked(FrameWindow(), ID_SCHEME_GREEN_FIELD));
    Command(ID_VIEW_DETAILS);
    Command(ID_PREF_QUICK_EDIT);
    Close();

    const struct {
        const char* name;
        uint32_t value;
    } expected[] = {
        {"View Mode", 1},          {"bCreateNewProcess", 1},  {"bDeleteSourceFile", 0}, {"Quick Edit", 1},
        {"TrayIcon", 0},           {"LeftPaneWidth", 150},    {"bSaveLeftWidth", 0},    {"Open Last File", 1},
        {"Scheme", 3},             {"Use System Colours", 1}, {"Use Custom Colours", 0}, {"One Instance", 0},
        {"BkColour", 0},           {"TxtColour", 255},
    };
    for (const auto& value : expected) {
        uint32_t stored = 12345;
        EXPECT_TRUE(ReadSetting("Settings", value.name, stored)) << value.name;
        EXPECT_EQ(stored, value.value) << value.name;
    }
    for (const char* text : {"MSIE Path", "NN Path", "Custom Path"}) {
        std::string stored = "unset";
        EXPECT_TRUE(ReadSettingText("Software\\Quillmere\\Linkhive\\Settings", text, stored)) << text;
        EXPECT_EQ(stored, "") << text;
    }
}

TEST_F(MainFrameTest, SavedPaneWidthSurvivesAMinimisedClose)
{
    SetSetting("bSaveLeftWidth", 1);
    SetSetting("LeftPaneWidth", 210);
    ASSERT_TRUE(Start());
    RECT rect;
    GetWindowRect(Frame().GroupPane()->GetSafeHwnd(), &rect);
    EXPECT_EQ(rect.right - rect.left, 210);
    EXPECT_EQ(SendMessageA(Frame().GroupPane()->GetSafeHwnd(), LVM_GETCOLUMNWIDTH, 0, 0),
              Frame().GroupPane()->AutoColumnWidth(0));
    ShowWindow(FrameWindow(), SW_MINIMIZE);
    Close();
    uint32_t width = 0;
    ASSERT_TRUE(ReadSetting("Settings", "LeftPaneWidth", width));
    EXPECT_EQ(width, 210u);
}

TEST_F(MainFrameTest, OneInstanceShowsThePathAndKeepsTheNameInTheTitle)
{
    // A second start finds this window by its class: the title is free to name the file.
    SetSetting("One Instance", 1);
    ASSERT_TRUE(Start({SamplePath()}));
    EXPECT_EQ(WindowTitle(FrameWindow()), "sample.lkh - Linkhive");
    EXPECT_EQ(StatusText(0), App().Document().GetPathName());
    EXPECT_FALSE(App().Document().GetPathName().empty());
    Command(ID_PREF_ONE_INSTANCE);
    EXPECT_EQ(StatusText(0), "Ready");
    EXPECT_EQ(WindowTitle(FrameWindow()), "sample.lkh - Linkhive");
}

TEST_F(MainFrameTest, AHandedFileOpensAfterTheSavePromptAndNothingElseIsTaken)
{
    ASSERT_TRUE(Start());
    const std::string path = SamplePath();
    const struct {
        ULONG_PTR kind;
        std::string bytes;
    } refused[] = {{0, path}, {COPYDATA_OPEN_FILE, ""}, {COPYDATA_OPEN_FILE, std::string("a\0b", 3)}};
    for (const auto& row : refused) {
        COPYDATASTRUCT data = {row.kind, static_cast<DWORD>(row.bytes.size()), const_cast<char*>(row.bytes.data())};
        EXPECT_FALSE(SendMessageA(FrameWindow(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)));
    }

    Doc().SetModifiedFlag(true);
    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::No}) {
        prompt.shown.clear();
        prompt.answers = {answer};
        COPYDATASTRUCT data = {COPYDATA_OPEN_FILE, static_cast<DWORD>(path.size() + 1), const_cast<char*>(path.c_str())};
        EXPECT_TRUE(SendMessageA(FrameWindow(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)));
        App().PumpMessages();
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0], "Save changes to Untitled?");
    }
    EXPECT_EQ(Doc().GetPathName(), path);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(MainFrameTest, ScreenReadersHearThePanesAndListsByName)
{
    ASSERT_TRUE(Start());
    Command(ID_EDIT_FIND);
    ASSERT_NE(Frame().FindDialog(), nullptr);
    const HWND find = Frame().FindDialog()->GetSafeHwnd();
    Command(ID_TOOLS_CHECK_LINKS);
    ASSERT_NE(Frame().CheckLinksDialog(), nullptr);
    const HWND check = Frame().CheckLinksDialog()->GetSafeHwnd();
    const struct {
        HWND window;
        const char* name;
    } named[] = {{Frame().GroupPane()->GetSafeHwnd(), "Groups"},
                 {Frame().ItemPane()->GetSafeHwnd(), "Bookmarks"},
                 {GetDlgItem(find, IDC_RESULTS), "Results"},
                 {GetDlgItem(find, IDC_FIND_TEXT), "Find what:"},
                 {GetDlgItem(check, IDC_CHECK_RESULTS), "Results"},
                 {GetDlgItem(check, IDC_CHECK_PROGRESS), "Progress"}};
    for (const auto& row : named)
        EXPECT_EQ(AccessibleName(row.window), row.name);

    SendMessageA(find, WM_COMMAND, IDCANCEL, 0);
    SendMessageA(check, WM_COMMAND, IDCANCEL, 0);

    // Modal ones: the Description page's lone box, the browsers' boxes.
    std::vector<std::string> names;
    const auto nameControls = [&names](std::vector<int> ids, bool onPage) {
        return [&names, ids, onPage](HWND dialog) {
            const HWND parent = onPage ? PropSheet_GetCurrentPageHwnd(dialog) : dialog;
            for (const int id : ids)
                names.push_back(AccessibleName(GetDlgItem(parent, id)));
        };
    };
    Fill(Doc(), {"G"}, {}, "G");
    {
        DialogDriver driver({ShowPage(1), nameControls({IDC_ITEM_DESCRIPTION}, true), Press(PSBTN_CANCEL)});
        Command(ID_ITEM_NEW_URL);
    }
    {
        DialogDriver driver({nameControls({IDC_MSIE_PATH, IDC_NN_PATH, IDC_CUSTOM_PATH}, false),
                             [](HWND dialog) { Click(dialog, IDCANCEL); }});
        Command(ID_PREF_CONFIGURE_BROWSERS);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Description", "Microsoft Internet Explorer:", "Netscape Navigator:",
                                               "Custom Browser:"}));
}

TEST_F(MainFrameTest, PromptsTooltipsAcceleratorsAndContextMenus)
{
    ASSERT_TRUE(Start());
    const HWND frame = FrameWindow();
    EXPECT_NE(GetWindowLongA(frame, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);

    NMTTDISPINFOA tip = {};
    tip.hdr.hwndFrom = frame;
    tip.hdr.idFrom = ID_VIEW_LARGE_ICONS;
    tip.hdr.code = TTN_GETDISPINFOA;
    SendMessageA(frame, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    ASSERT_NE(tip.lpszText, nullptr);
    EXPECT_STREQ(tip.lpszText, "Large Icons");

    SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(ID_PREF_QUICK_EDIT, MF_STRING), reinterpret_cast<LPARAM>(GetMenu(frame)));
    EXPECT_EQ(StatusText(0), "When cheched, right click on a URL opens Properties Editor");
    SendMessageA(frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(StatusText(0), "Ready");

    // F6 through the accelerator table reaches the next-pane command.
    MSG key = {frame, WM_KEYDOWN, VK_F6, 0, 0, {0, 0}};
    EXPECT_TRUE(TranslateAcceleratorA(frame, Frame().Accelerators(), &key));
    App().PumpMessages();
    EXPECT_EQ(Frame().GetActiveView(), Frame().ItemPane());

    // A context menu owned by the frame gets the same update handlers.
    const HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ITEM_VIEW_MENU));
    const HMENU popup = GetSubMenu(menu, 0);
    SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(popup, 0)), 0);
    EXPECT_EQ(GetMenuState(popup, ID_EDIT_PASTE, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(GetMenuState(popup, ID_VIEW_DETAILS, MF_BYCOMMAND) & MF_GRAYED, 0u);
    DestroyMenu(menu);
}

TEST_F(MainFrameTest, ASchemeOutOfRangeShowsSpace)
{
    SetSetting("Scheme", 9);
    SetSetting("Use System Colours", 0);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(IsRadioMarked(FrameWindow(), ID_SCHEME_SPACE));
    RedrawWindow(Frame().ItemPane()->GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(SendMessageA(Frame().ItemPane()->GetSafeHwnd(), LVM_GETTEXTCOLOR, 0, 0), 0xFFFFFF);
}

TEST_F(MainFrameTest, DraggingTheBarResizesBothPanesAndIsSaved)
{
    ASSERT_TRUE(Start());
    const HWND splitter = Frame().Splitter().GetSafeHwnd();
    SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(152, 40));
    SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(243, 40));
    SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(243, 40));
    SendMessageA(splitter, WM_MOUSEMOVE, 0, MAKELPARAM(300, 40));  // no longer dragging

    RECT groups;
    RECT items;
    RECT client;
    GetWindowRect(Frame().GroupPane()->GetSafeHwnd(), &groups);
    GetWindowRect(Frame().ItemPane()->GetSafeHwnd(), &items);
    GetClientRect(splitter, &client);
    EXPECT_EQ(groups.right - groups.left, 240);
    EXPECT_EQ(items.right - items.left, client.right - 240 - CSplitterWnd::kBarWidth);
    Close();
    uint32_t width = 0;
    ASSERT_TRUE(ReadSetting("Settings", "LeftPaneWidth", width));
    EXPECT_EQ(width, 240u);
}

TEST_F(MainFrameTest, GroupCommandsAskOnceAndKeepACurrentGroup)
{
    ASSERT_TRUE(Start());
    CBookmarkDoc& doc = App().Document();
    const HWND groups = Frame().GroupPane()->GetSafeHwnd();
    const char* const added[] = {"New Group", "New Group *", "New Group * *"};
    for (const char* name : added) {
        Command(ID_GROUP_ADD);
        EXPECT_EQ(doc.Groups().back(), name);
        EXPECT_EQ(doc.Selection().currentGroup, name);
        ASSERT_TRUE(Frame().GroupPane()->IsEditingLabel()) << name;
        EXPECT_EQ(RowTexts(groups)[SelectedRow(groups)], name);
        CancelLabelEdit(groups);
    }
    EXPECT_TRUE(doc.IsModified());

    Fill(doc, {"b", "A", "c"}, {Bookmark("x", "http://x", "B"), Bookmark("y", "http://y", "c")}, "b");
    const struct {
        MessageAnswer answer;
        std::vector<std::string> groups;
        const char* current;
    } deletes[] = {
        {MessageAnswer::Cancel, {"b", "A", "c"}, "b"},
        {MessageAnswer::Ok, {"A", "c"}, "A"},
        {MessageAnswer::Ok, {"c"}, "c"},
        {MessageAnswer::Ok, {}, ""},
    };
    for (const auto& test : deletes) {
        prompt.shown.clear();
        prompt.answers = {test.answer};
        const std::string asked = doc.Selection().currentGroup;
        Command(ID_GROUP_DELETE);
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0], "The group: '" + asked + "' will be deteled. All right?");
        EXPECT_EQ(doc.Groups(), test.groups);
        EXPECT_EQ(doc.Selection().currentGroup, test.current);
        if (!test.groups.empty()) {
            ASSERT_GE(SelectedRow(groups), 0);
            EXPECT_EQ(RowTexts(groups)[SelectedRow(groups)], test.current);
        }
    }
    EXPECT_TRUE(doc.Items().empty());
    EXPECT_NE(MenuState(FrameWindow(), ID_GROUP_DELETE) & MF_GRAYED, 0u);
    EXPECT_NE(MenuState(FrameWindow(), ID_GROUP_RENAME) & MF_GRAYED, 0u);

    Fill(doc, {"z", "y"}, {}, "z");
    EXPECT_EQ(MenuState(FrameWindow(), ID_GROUP_RENAME) & MF_GRAYED, 0u);
    Command(ID_GROUP_RENAME);
    ASSERT_TRUE(Frame().GroupPane()->IsEditingLabel());
    EXPECT_EQ(SendMessageA(groups, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 1);
    CancelLabelEdit(groups);
}

TEST_F(MainFrameTest, ItemDeleteAsksOnceAndLeavesTheBookmarkOnTheClipboard)
{
    ASSERT_TRUE(Start());
    CBookmarkDoc& doc = App().Document();
    const HWND items = Frame().ItemPane()->GetSafeHwnd();
    const std::string longURL = "http://example.org/" + std::string(300, 'p');
    Fill(doc, {"G"}, {Bookmark("keep", "http://k", "G"), Bookmark("", longURL, "G", "note")}, "G");
    EXPECT_NE(MenuState(FrameWindow(), ID_ITEM_DELETE) & MF_GRAYED, 0u);
    ClickRow(items, 0);  // the empty name sorts first
    EXPECT_EQ(MenuState(FrameWindow(), ID_ITEM_DELETE) & MF_GRAYED, 0u);
    EXPECT_EQ(MenuState(FrameWindow(), ID_ITEM_RENAME) & MF_GRAYED, 0u);

    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Ok}) {
        prompt.shown.clear();
        prompt.answers = {answer};
        Command(ID_ITEM_DELETE);
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0], "The item: '' will be deteled. All right?");
    }
    ASSERT_EQ(doc.Items().size(), 1u);
    EXPECT_EQ(doc.Items()[0].m_strName, "keep");
    EXPECT_EQ(clipboard.text, "\n" + longURL + "\nnote");
    EXPECT_EQ(doc.Marks().undoURL, longURL);
    EXPECT_EQ(doc.Marks().undoGroup, "G");
    EXPECT_EQ(RowTexts(items), std::vector<std::string>{"keep"});
    EXPECT_NE(MenuState(FrameWindow(), ID_ITEM_DELETE) & MF_GRAYED, 0u);

    ClickRow(items, 0);
    Command(ID_ITEM_RENAME);
    EXPECT_TRUE(Frame().ItemPane()->IsEditingLabel());
    EXPECT_EQ(GetParent(GetFocus()), items);
    CancelLabelEdit(items);
}

TEST_F(MainFrameTest, TabSwitchesPanesUnlessALabelIsBeingEdited)
{
    ASSERT_TRUE(Start());
    Fill(App().Document(), {"G"}, {}, "G");
    const HWND groups = Frame().GroupPane()->GetSafeHwnd();
    const HWND items = Frame().ItemPane()->GetSafeHwnd();
    MSG tab = {groups, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(Frame().TranslateAccelerators(tab));
    App().PumpMessages();
    EXPECT_EQ(Frame().GetActiveView(), Frame().ItemPane());
    EXPECT_EQ(GetFocus(), items);
    Command(ID_SWITCH_PANE);
    EXPECT_EQ(Frame().GetActiveView(), Frame().GroupPane());
    EXPECT_EQ(GetFocus(), groups);

    // An open label edit keeps its keys: Del, Ctrl+C, Tab go to the edit.
    Command(ID_GROUP_RENAME);
    ASSERT_TRUE(Frame().GroupPane()->IsEditingLabel());
    for (const WPARAM key : {static_cast<WPARAM>(VK_SUBTRACT), static_cast<WPARAM>(VK_TAB)}) {
        MSG message = {GetFocus(), WM_KEYDOWN, key, 0, 0, {0, 0}};
        EXPECT_FALSE(Frame().TranslateAccelerators(message)) << key;
    }
    CancelLabelEdit(groups);
    MSG minus = {groups, WM_KEYDOWN, VK_SUBTRACT, 0, 0, {0, 0}};
    prompt.answers = {MessageAnswer::Cancel};
    EXPECT_TRUE(Frame().TranslateAccelerators(minus));
    App().PumpMessages();
    EXPECT_EQ(prompt.shown.size(), 1u);
}

TEST_F(MainFrameTest, BothPanesPaintInTheChosenColours)
{
    ASSERT_TRUE(Start());
    Fill(App().Document(), {"G"}, {Bookmark("a", "http://a", "G")}, "G");
    Command(ID_COLOUR_USE_SYSTEM);
    const struct {
        UINT command;
        COLORREF background;
    } cases[] = {{ID_SCHEME_SPACE, 0x000000}, {ID_SCHEME_NAVY, 0x800000}, {ID_COLOUR_USE_CUSTOM, 0x000000}};
    for (const auto& test : cases) {
        Command(test.command);
        const PaneColourPair expected = ChoosePaneColours(thePreferences, theColourSchemes, CurrentSystemColours());
        for (CView* pane : Frame().Panes()) {
            EXPECT_EQ(SendMessageA(pane->GetSafeHwnd(), LVM_GETBKCOLOR, 0, 0), expected.background) << test.command;
            EXPECT_EQ(SendMessageA(pane->GetSafeHwnd(), LVM_GETTEXTBKCOLOR, 0, 0), expected.background);
            EXPECT_EQ(SendMessageA(pane->GetSafeHwnd(), LVM_GETTEXTCOLOR, 0, 0), expected.text) << test.command;
        }
        EXPECT_EQ(expected.background, test.background) << test.command;
    }
}

namespace {

// Types into the open label edit without ending it.
void TypeIntoLabel(HWND list, const std::string& text)
{
    const HWND edit = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, text.c_str());
}

} // namespace

TEST_F(MainFrameTest, ACommandEndsAnOpenLabelEditFirst)
{
    ASSERT_TRUE(Start());
    CBookmarkDoc& doc = App().Document();
    const HWND groups = Frame().GroupPane()->GetSafeHwnd();
    const HWND toolBar = Frame().ToolBar();

    // From the menu bar, then the toolbar (the frame sees its button's id).
    for (const bool fromToolBar : {false, true}) {
        Command(ID_GROUP_ADD);
        ASSERT_TRUE(Frame().GroupPane()->IsEditingLabel());
        TypeIntoLabel(groups, "Home");
        prompt.shown.clear();
        prompt.answers = {MessageAnswer::Ok};
        SendMessageA(FrameWindow(), WM_COMMAND, ID_GROUP_DELETE, fromToolBar ? reinterpret_cast<LPARAM>(toolBar) : 0);
        App().PumpMessages();
        EXPECT_FALSE(Frame().GroupPane()->IsEditingLabel());
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0], "The group: 'Home' will be deteled. All right?");
        EXPECT_TRUE(doc.Groups().empty()) << fromToolBar;
    }

    // An item's rename ends the same way; its row stays selected, so Delete
    // asks about the new name, never the old one.
    Fill(doc, {"g"}, {Bookmark("old", "http://x/", "g")}, "g");
    const HWND items = Frame().ItemPane()->GetSafeHwnd();
    ClickRow(items, 0);
    Command(ID_ITEM_RENAME);
    ASSERT_TRUE(Frame().ItemPane()->IsEditingLabel());
    TypeIntoLabel(items, "renamed");
    prompt.shown.clear();
    prompt.answers = {MessageAnswer::Cancel};
    Command(ID_ITEM_DELETE);
    EXPECT_FALSE(Frame().ItemPane()->IsEditingLabel());
    EXPECT_EQ(prompt.shown, (std::vector<std::string>{"The item: 'renamed' will be deteled. All right?"}));
    ASSERT_EQ(doc.Items().size(), 1u);
    EXPECT_EQ(doc.Items()[0].m_strName, "renamed");
}

TEST_F(MainFrameTest, TheEndOfTheSessionAsksAndWritesWhatClosingWrites)
{
    ASSERT_TRUE(Start());
    CBookmarkDoc& doc = App().Document();
    TempDir folder;
    const std::string saved = WindowsPath(folder.Path("end.lkh"));

    const struct {
        MessageAnswer answer;
        const char* savePath;  // where "Yes" saves; empty: the save fails
        BOOL mayEnd;
    } cases[] = {
        {MessageAnswer::Cancel, "", FALSE},
        {MessageAnswer::Yes, "", FALSE},
        {MessageAnswer::No, "", TRUE},
        {MessageAnswer::Yes, "save", TRUE},
    };
    for (const auto& test : cases) {
        doc.SetModifiedFlag(true);
        prompt.shown.clear();
        prompt.answers = {test.answer};
        prompt.files.clear();
        if (test.savePath[0] != '\0')
            prompt.files.push_back(saved);
        EXPECT_EQ(SendMessageA(FrameWindow(), WM_QUERYENDSESSION, 0, 0), test.mayEnd) << static_cast<int>(test.answer);
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0], "Save changes to Untitled?");
    }
    EXPECT_TRUE(FileExists(folder.Path("end.lkh")));
    EXPECT_FALSE(doc.IsModified());
    prompt.shown.clear();
    EXPECT_EQ(SendMessageA(FrameWindow(), WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_TRUE(prompt.shown.empty());

    // The session ends with the window still open: preferences and the
    // recent files are written all the same.
    ClearProfile();
    Command(ID_VIEW_DETAILS);
    SendMessageA(FrameWindow(), WM_ENDSESSION, TRUE, 0);
    uint32_t viewMode = 0;
    EXPECT_TRUE(ReadSetting("Settings", "View Mode", viewMode));
    EXPECT_EQ(viewMode, 1u);
    std::string first;
    EXPECT_TRUE(ReadSettingText("Software\\Quillmere\\Linkhive\\Recent File List", "File1", first));
    EXPECT_EQ(first, saved);
}

TEST_F(MainFrameTest, NewForgetsTheOldCurrentGroupAndItem)
{
    ASSERT_TRUE(Start());
    CBookmarkDoc& doc = App().Document();
    Fill(doc, {"g"}, {Bookmark("a", "http://a/", "g")}, "g");
    ClickRow(Frame().ItemPane()->GetSafeHwnd(), 0);
    ASSERT_EQ(doc.Selection().itemIndex, 0);
    prompt.answers = {MessageAnswer::No};
    Command(ID_FILE_NEW);
    EXPECT_TRUE(doc.Groups().empty());
    EXPECT_EQ(doc.Selection().currentGroup, "");
    EXPECT_EQ(doc.Selection().itemIndex, -1);
    EXPECT_EQ(doc.Selection().itemURL, "");
    EXPECT_NE(MenuState(FrameWindow(), ID_ITEM_DELETE) & MF_GRAYED, 0u);
}
