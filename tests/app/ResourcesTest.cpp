// Tests of the resources: menus, strings, dialogs, access keys.
#include "tests/app/AppFixture.h"

#include "linkhive_version.h"
#include "res/resource.h"
#include "store/CoreText.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <string>
#include <utility>
#include <vector>

namespace {

HINSTANCE Module()
{
    return GetModuleHandleA(nullptr);
}

std::string LoadedMenu(int id)
{
    HMENU menu = LoadMenuA(Module(), MAKEINTRESOURCEA(id));
    if (!menu)
        return "(missing)";
    std::string text = MenuText(menu);
    DestroyMenu(menu);
    return text;
}

INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

std::string String(UINT id)
{
    char text[1024] = "";
    LoadStringA(Module(), id, text, sizeof text);
    return text;
}

// The letter after a text's '&', in upper case; 0 when it has none.
char AccessKey(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&' && text[i + 1] != '&')
            return static_cast<char>(toupper(static_cast<unsigned char>(text[i + 1])));
        if (text[i] == '&')
            ++i;
    }
    return 0;
}

// Adds `text`'s access key to `keys`; false when it has none or shares one.
bool AddAccessKey(const std::string& text, std::string& keys)
{
    const char key = AccessKey(text);
    if (key == 0 || keys.find(key) != std::string::npos)
        return false;
    keys += key;
    return true;
}

}  // namespace

TEST(Resources, MenusHoldEveryItemWithItsTextAndId)
{
    const struct {
        int id;
        const char* text;
    } menus[] = {
        {IDR_MAINFRAME,
         "&File{&New\tCtrl+N=57600,&Open...\tCtrl+O=57601,&Save\tCtrl+S=57603,Save &As...=57604,"
         "Save As &HTML...=32779,Restore &Backup...=32890,&Merge Collection...=32892,&Export Browser Bookmarks...=32879,"
         "Export XBE&L...=32903,Export &Chromium Bookmarks...=32904,-,"
         "&Import{&Markbox Data File...=32780,"
         "Linkhive &2.0 Data File...=32848,-,&HTML...\tCtrl+H=32800,&Folder...=32833,-,Address &Book...=32842,"
         "B&rowser Bookmarks...=32878,&Chromium Bookmarks File...=32900,F&irefox Backup...=32901,"
         "&XBEL File...=32902},-,Recent File=57616~,-,E&xit=57665},"
         "&Edit{&Undo\tCtrl+Z=57643,-,Cu&t\tCtrl+X=57635,&Copy\tCtrl+C=57634,&Paste\tCtrl+V=57637,-,"
         "&Find...\tCtrl+F=32881,Find &Next\tF3=32882,-,Undo &History...\tCtrl+Shift+Z=32895},"
         "&View{&Toolbar=59392,&Status Bar=59393,-,Lar&ge Icons=32787,S&mall Icons=32788,&List=32789,"
         "&Details=32790,-,Arrange &Icons{by &Name=32802,by &URL=32803}},"
         "&Group{&Add...\tGray +=32771,&Delete\tGray -=32772,&Rename=32773,-,&Save As HTML...=32778},"
         "&Item{&Open=32781,Open in New &Window=32806,Open in &Browser{MS Internet &Explorer=32843,"
         "&Netscape Navigator=32844,&Custom Browser=32846},-,&Save As File...=32777,-,"
         "&New{&URL...\tIns=32774,&E-Mail...\tShift+Ins=32841},-,Cop&y URL=32847,-,&Delete\tCtrl+Del=32775,"
         "&Rename\tF2=32805,-,&Properties...\tAlt+Enter=32776},"
         "&Preferences{Default &Action for URLs{Open in &Existing Window=32808,Open in &New Window=32809},-,"
         "&Miscellaneous Settings{&Delete Source URLs=32807,&Save Left Pane Width=32810,&Quick Edit Mode=32817,"
         "&Minimise to Tray=32820,Always Open &Last File=32834,Allow Only One &Instance=32863,"
         "Keep &Backups=32891},-,"
         "&Colour{Use &Windows Colours=32851,&Use Custom Colours=32876,-,&Schemes{&Space=32854,&Navy=32856,"
         "&Aquarium=32857,&Green Field=32858,&Twilight=32859,S&ea=32860,&Meadow=32877},"
         "&Custom{&Background...=32849,&Font...=32852}},-,Configure &Browsers...=32845,&Quick Open Key...=32910},"
         "&Tools{Search &Engines{&Russian{&Aport=32871,&Rambler=32872,&Yandex=32870},"
         "&Western{&Altavista=32864,&Euroseek=32874,&HotBot=32866,&Infoseek=32869}},-,Check &Links...=32880,Find &Duplicates...=32883},"
         "&Help{&About Linkhive...=57664}"},
        {IDR_GROUP_MENU, "&Group{&Add...=32771,&Delete=32772,&Rename...=32773,-,&Save as HTML...=32778}"},
        {IDR_ITEM_MENU,
         "Item{&Open=32781,Open in New &Window=32806,Open in &Browser{MS Internet &Explorer=32843,"
         "&Netscape Navigator=32844,&Custom Browser=32846},-,Cop&y URL=32847,-,Cu&t=57635,&Copy=57634,"
         "&Save As File...=32777,-,&Delete=32775,&Rename=32805,-,&Properties...=32776}"},
        {IDR_ITEM_VIEW_MENU,
         "Pane{&View{Lar&ge Icons=32787,S&mall Icons=32788,&List=32789,&Details=32790},-,"
         "Arrange &Icons{by &Name=32802,by &URL=32803},-,&Paste=57637,-,New{&URL...=32774,E-Mail...=32841}}"},
        {IDR_TRAY_MENU,
         "Tray{&Group{1=36000},-,Default &Action for URLs{Open in &Existing Window=32808,"
         "Open in &New Window=32809},-,&Show Linkhive=32818,-,E&xit=57665}"},
    };
    for (const auto& menu : menus)
        EXPECT_EQ(LoadedMenu(menu.id), menu.text) << menu.id;
}

TEST(Resources, AcceleratorTableMatchesTheKeys)
{
    HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    ACCEL keys[32];
    const int count = CopyAcceleratorTableA(table, keys, 32);
    const ACCEL expected[] = {
        {FVIRTKEY | FCONTROL, 'C', 57634},     {FVIRTKEY | FCONTROL, 'F', 32881},
        {FVIRTKEY | FCONTROL, 'H', 32800},
        {FVIRTKEY | FCONTROL, 'N', 57600},     {FVIRTKEY | FCONTROL, 'O', 57601},
        {FVIRTKEY | FCONTROL, 'S', 57603},     {FVIRTKEY | FCONTROL, 'V', 57637},
        {FVIRTKEY, VK_ADD, 32771},             {FVIRTKEY | FALT, VK_BACK, 57643},
        {FVIRTKEY | FCONTROL, VK_DELETE, 32775}, {FVIRTKEY | FSHIFT, VK_DELETE, 57635},
        {FVIRTKEY, VK_F3, 32882},
        {FVIRTKEY, VK_F6, 57680},              {FVIRTKEY | FSHIFT, VK_F6, 57681},
        {FVIRTKEY, VK_INSERT, 32774},          {FVIRTKEY | FSHIFT, VK_INSERT, 32841},
        {FVIRTKEY | FALT, VK_RETURN, 32776},   {FVIRTKEY, VK_SUBTRACT, 32772},
        {FVIRTKEY, VK_TAB, 32811},             {FVIRTKEY | FCONTROL, 'X', 57635},
        {FVIRTKEY | FCONTROL, 'Z', 57643},     {FVIRTKEY | FCONTROL | FSHIFT, 'Z', 32895},
    };
    ASSERT_EQ(count, static_cast<int>(sizeof expected / sizeof expected[0]));
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(keys[i].fVirt & ~FNOINVERT, expected[i].fVirt) << i;
        EXPECT_EQ(keys[i].key, expected[i].key) << i;
        EXPECT_EQ(keys[i].cmd, expected[i].cmd) << i;
    }
}

// The program's words for the core's texts are the core's own, in its order.
TEST(Resources, CoreTextsAreTheCoresOwn)
{
    for (size_t n = 0; n < static_cast<size_t>(CoreText::Count); ++n) {
        const CoreText id = static_cast<CoreText>(n);
        EXPECT_EQ(String(IDS_CORE_TEXTS + static_cast<UINT>(n)), DefaultUserText(id)) << n;
    }
}

TEST(Resources, StringsCarryTitlePromptsAndTooltips)
{
    const struct {
        UINT id;
        const char* text;
    } strings[] = {
        {IDR_MAINFRAME, "Linkhive\n\nLKH\nLinkhive\n.lkh\nLinkhive.Document\nLinkhive Document"},
        {IDS_APP_TITLE, "Linkhive"},
        {IDS_IDLE_MESSAGE, "Ready"},
        {ID_GROUP_ADD, "Add a new empty group of URLs\nAdd Group\n"},
        {ID_ITEM_SAVE_AS_FILE, "Save the selected URL as a file of type \".URL\""},
        {ID_PREF_QUICK_EDIT, "When cheched, right click on a URL opens Properties Editor\nQuick Edit"},
        {ID_ARRANGE_BY_URL, "Sorts items by Universal Resource Locator"},
        {ID_INDICATOR_URL, "URL:"},
        {ID_SCHEME_MEADOW, "Applies pre-configured colour scheme\n"},
        {ID_COLOUR_USE_CUSTOM, "When checked, Linkhive uses colours set by user"},
        {ID_IMPORT_BROWSER_BOOKMARKS, "Import the bookmark file of a web browser"},
        {ID_FILE_EXPORT_BROWSER_BOOKMARKS, "Save the whole collection as a bookmark file for web browsers"},
        {ID_TOOLS_CHECK_LINKS, "Check which bookmarks still answer"},
        {IDS_CHECK_COUNTS, "Checked %1 of %2, %3 broken"},
        {IDS_BROKEN_LINKS_GROUP, "Broken Links"},
        {ID_EDIT_FIND, "Find bookmarks by name, address or description"},
        {ID_EDIT_FIND_NEXT, "Go to the next bookmark found"},
        {IDS_FIND_FOUND, "%d bookmarks found"},
        {IDS_DUPLICATES_SHARED, "%1 bookmarks share %2 addresses"},
        {IDS_DELETE_BOOKMARKS, "Delete %d bookmarks?"},
    };
    for (const auto& s : strings)
        EXPECT_EQ(String(s.id), s.text) << s.id;

    // Every command on the menu bar has a prompt, but for the search engines.
    HMENU bar = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    std::vector<HMENU> pending = {bar};
    while (!pending.empty()) {
        HMENU menu = pending.back();
        pending.pop_back();
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            if (HMENU sub = GetSubMenu(menu, i)) {
                pending.push_back(sub);
            } else {
                const UINT id = GetMenuItemID(menu, i);
                const bool searchEngine = id >= ID_SEARCH_ALTAVISTA && id <= ID_SEARCH_EUROSEEK;
                if (id != 0 && !searchEngine) {
                    EXPECT_FALSE(String(id).empty()) << id;
                }
            }
        }
    }
    DestroyMenu(bar);
}

TEST(Resources, ToolbarHasSeventeenButtonsInGroups)
{
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(RT_TOOLBAR_LAYOUT));
    ASSERT_NE(found, nullptr);
    const WORD* words = static_cast<const WORD*>(LockResource(LoadResource(Module(), found)));
    ASSERT_EQ(SizeofResource(Module(), found), (4u + 22u) * sizeof(WORD));
    EXPECT_EQ(words[0], 1);
    EXPECT_EQ(words[1], 16);
    EXPECT_EQ(words[2], 16);
    const std::vector<WORD> layout(words + 4, words + 4 + words[3]);
    const std::vector<WORD> expected = {
        57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 57643, 0, 32771, 32772, 0,
        32774, 32841, 32775, 32776, 0, 32787, 32788, 32789, 32790,
    };
    EXPECT_EQ(layout, expected);

    // The strip for 96 DPI and those drawn for 144 and 192.
    for (const auto& wanted : {std::pair<int, int>{IDR_MAINFRAME, 16}, {IDB_TOOLBAR_24, 24}, {IDB_TOOLBAR_32, 32}}) {
        HBITMAP strip = LoadBitmapA(Module(), MAKEINTRESOURCEA(wanted.first));
        ASSERT_NE(strip, nullptr) << wanted.first;
        BITMAP info = {};
        GetObjectA(strip, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, 17 * wanted.second);
        EXPECT_EQ(info.bmHeight, wanted.second);
        DeleteObject(strip);
    }
}

// The manifest is in effect: the controls come from version 6, kept apart
// from the system folder's version 5 (here as on Windows).
TEST(Resources, ManifestLoadsVersionSixOfTheCommonControls)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), path, sizeof path);
    std::string lower = path;
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(lower.find("microsoft.windows.common-controls_6595b64144ccf1df_6."), std::string::npos) << path;
}

// Every narrow call of the program speaks UTF-8, the store's own encoding.
TEST(Resources, ManifestMakesUtf8TheCodePage)
{
    EXPECT_EQ(GetACP(), 65001u);
}

TEST(Resources, ModelessWindowsButtonsAndTheImportMenuEachHaveTheirOwnAccessKey)
{
    const struct {
        int dialog;
        std::vector<UINT> laterTexts;  // what a button says at other times
    } dialogs[] = {{IDD_FIND, {}}, {IDD_DUPLICATES, {}}, {IDD_CHECK_LINKS, {IDS_CHECK_CANCEL}}};
    for (const auto& d : dialogs) {
        HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(d.dialog), nullptr, IgnoreMessages, 0);
        ASSERT_NE(dialog, nullptr) << d.dialog;
        std::string keys;
        for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            char text[256] = "";
            char className[64] = "";
            GetWindowTextA(child, text, sizeof text);
            GetClassNameA(child, className, sizeof className);
            if (lstrcmpiA(className, "Button") == 0 || AccessKey(text) != 0) {
                EXPECT_TRUE(AddAccessKey(text, keys)) << d.dialog << ": " << text;
            }
        }
        for (const UINT id : d.laterTexts)
            EXPECT_TRUE(AddAccessKey(String(id), keys)) << d.dialog << ": " << String(id);
        DestroyWindow(dialog);
    }

    HMENU bar = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    const HMENU file = GetSubMenu(bar, 0);
    std::string fileKeys;
    HMENU import = nullptr;
    for (int i = 0; i < GetMenuItemCount(file); ++i) {
        char text[256] = "";
        GetMenuStringA(file, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        if (GetSubMenu(file, i) != nullptr)
            import = GetSubMenu(file, i);
        if (GetSubMenu(file, i) != nullptr || AccessKey(text) != 0) {
            EXPECT_TRUE(AddAccessKey(text, fileKeys)) << text;
        }
    }
    ASSERT_NE(import, nullptr);
    std::string importKeys;
    for (int i = 0; i < GetMenuItemCount(import); ++i) {
        char text[256] = "";
        if (GetMenuStringA(import, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION) > 0) {
            EXPECT_TRUE(AddAccessKey(text, importKeys)) << text;
        }
    }
    DestroyMenu(bar);
}

TEST(Resources, IconsAndDialogsExist)
{
    for (int id : {IDR_MAINFRAME, IDI_TRAY, IDI_EMAIL, IDI_WEB}) {
        HICON icon = static_cast<HICON>(LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
        EXPECT_NE(icon, nullptr) << id;
        DestroyIcon(icon);
    }

    // Made without being shown: a shown modal dialog would wait for a user.
    const struct {
        int dialog;
        int control;
        const char* text;
    } controls[] = {
        {IDD_ABOUTBOX, IDC_ABOUT_NAME, "Linkhive " LINKHIVE_VERSION_TEXT},
        {IDD_ABOUTBOX, IDC_ABOUT_BUILD, "Build Date: Nov. 2, 1998"},
        {IDD_ABOUTBOX, IDOK, "OK"},
        {IDD_PAGE_GENERAL, IDC_ITEM_NAME, ""},
        {IDD_PAGE_GENERAL, IDC_ITEM_URL, ""},
        {IDD_PAGE_DESCRIPTION, IDC_ITEM_DESCRIPTION, ""},
        {IDD_BROWSERS, IDC_MSIE_PATH, ""},
        {IDD_BROWSERS, IDC_BROWSE_CUSTOM, "Browse..."},
        {IDD_BROWSERS, IDCANCEL, "Cancel"},
        {IDD_CHECK_LINKS, IDC_CHECK_CURRENT_GROUP, "&Current group"},
        {IDD_CHECK_LINKS, IDC_CHECK_WHOLE, "&Whole collection"},
        {IDD_CHECK_LINKS, IDC_CHECK_START, "&Start"},
        {IDD_CHECK_LINKS, IDC_CHECK_RESULTS, ""},
        {IDD_CHECK_LINKS, IDC_CHECK_NEW_ADDRESS, "Use &New Address"},
        {IDD_CHECK_LINKS, IDC_CHECK_MOVE, "&Move to Group"},
        {IDD_FIND, IDC_FIND_TEXT, ""},
        {IDD_FIND, IDC_FIND_GROUP_ONLY, "&Current group only"},
        {IDD_FIND, IDC_RESULTS, ""},
        {IDD_DUPLICATES, IDC_GO_TO, "&Go To"},
        {IDD_DUPLICATES, IDC_SELECT_EXTRA, "&Select Extra Copies"},
        {IDD_DUPLICATES, IDC_DELETE_SELECTED, "&Delete"},
        {IDD_RESTORE_BACKUP, IDC_BACKUP_LIST, ""},
        {IDD_RESTORE_BACKUP, IDOK, "&Open"},
    };
    // The property pages are child dialogs and need a parent.
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, Module(), nullptr);
    for (const auto& c : controls) {
        HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(c.dialog), parent, IgnoreMessages, 0);
        ASSERT_NE(dialog, nullptr) << c.dialog;
        char text[256] = "?";
        HWND control = GetDlgItem(dialog, c.control);
        EXPECT_NE(control, nullptr) << c.dialog << "/" << c.control;
        GetWindowTextA(control, text, sizeof text);
        EXPECT_STREQ(text, c.text) << c.dialog << "/" << c.control;
        DestroyWindow(dialog);
    }
    const struct {
        int dialog;
        const char* title;
    } titles[] = {{IDD_BROWSERS, "Browsers Configuration"},
                  {IDD_FIND, "Find Bookmarks"},
                  {IDD_DUPLICATES, "Duplicate Bookmarks"},
                  {IDD_CHECK_LINKS, "Check Links"},
                  {IDD_RESTORE_BACKUP, "Restore Backup"}};
    for (const auto& t : titles) {
        HWND dialog = CreateDialogParamA(Module(), MAKEINTRESOURCEA(t.dialog), nullptr, IgnoreMessages, 0);
        char title[64] = "";
        GetWindowTextA(dialog, title, sizeof title);
        EXPECT_STREQ(title, t.title);
        DestroyWindow(dialog);
    }
    DestroyWindow(parent);
}
