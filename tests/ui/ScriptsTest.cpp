// Bookmark texts in the world's scripts through the windows, the keyboard
// and the registry.
#include "tests/app/AppFixture.h"
#include "tests/framework/DialogDriver.h"
#include "tests/support/ScriptSamples.h"
#include "tests/ui/PaneDriver.h"

#include "res/resource.h"
#include "settings/Preferences.h"
#include "settings/RegistryKey.h"
#include "store/CodePage.h"
#include "ui/CFindDlg.h"
#include "ui/CGroupPane.h"
#include "ui/CItemPane.h"

#include <commctrl.h>

#include <algorithm>

namespace {

std::string FirstWord(const std::string& text)
{
    return text.substr(0, text.find(' '));
}

std::string LastWord(const std::string& text)
{
    return text.substr(text.rfind(' ') + 1);
}

// The rows' texts as the control gives them to a Unicode reader with a
// buffer of `size` characters.
std::vector<std::wstring> RowTextsW(HWND list, int column = 0, int size = 1024)
{
    std::vector<std::wstring> texts;
    for (int row = 0; row < RowCount(list); ++row) {
        std::wstring buffer(static_cast<size_t>(size), L'\0');
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = &buffer[0];
        item.cchTextMax = size;
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        texts.push_back(buffer.c_str());
    }
    return texts;
}

// How wide `text` is drawn in the font of `list`.
int TextWidth(HWND list, const std::wstring& text)
{
    const HDC dc = GetDC(list);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    SIZE size = {0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    return size.cx;
}

// The open label edit of `list` takes `text` as typed and Enter ends it.
void EditLabelW(HWND list, const std::string& text)
{
    const HWND edit = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, Wide(text).c_str());
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
}

SheetStep TypeW(int controlId, const std::string& text)
{
    return [controlId, text](HWND sheet) {
        SetDlgItemTextW(PropSheet_GetCurrentPageHwnd(sheet), controlId, Wide(text).c_str());
    };
}

class ScriptsTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        groups = Frame().GroupPane()->GetSafeHwnd();
        items = Frame().ItemPane()->GetSafeHwnd();
        Command(ID_VIEW_DETAILS);
    }

    // Each UTF-16 unit of `text` posted as a keyboard's character through
    // the application's message loop.
    void Type(HWND control, const std::string& text)
    {
        SetFocus(control);
        for (const wchar_t unit : Wide(text))
            PostMessageW(control, WM_CHAR, unit, 1);
        App().PumpMessages();
    }

    HWND groups = nullptr;
    HWND items = nullptr;
};

} // namespace

TEST_F(ScriptsTest, PanesShowSortAndFindEveryScriptWhole)
{
    Fill(Doc(), {"x"}, {}, "x");
    const int room = static_cast<int>(SendMessageA(groups, LVM_GETCOLUMNWIDTH, 0, 0)) - TextWidth(groups, L"x");
    Fill(Doc(), {}, {}, "");
    int widest = 0;
    for (const ScriptSample& sample : ScriptSamples()) {
        Command(ID_GROUP_ADD);
        EditLabelW(groups, sample.name);
        ASSERT_EQ(Doc().Groups().back(), sample.name) << sample.script;
        widest = std::max(widest, TextWidth(groups, Wide(sample.name)));
    }
    // The column fits the widest name as it is drawn, with an ASCII name's room beside it.
    EXPECT_EQ(SendMessageA(groups, LVM_GETCOLUMNWIDTH, 0, 0), widest + room);
    ClickRow(groups, 0);
    const std::string group = Doc().Selection().currentGroup;
    for (const ScriptSample& sample : ScriptSamples()) {
        DialogDriver driver({TypeW(IDC_ITEM_NAME, FirstWord(sample.name)), TypeW(IDC_ITEM_URL, sample.url),
                             Press(PSBTN_OK)});
        Command(ID_ITEM_NEW_URL);
        ASSERT_TRUE(driver.Finished()) << sample.script;
        SetFocus(items);
        SendMessageA(items, WM_KEYDOWN, VK_F2, 0);
        EditLabelW(items, sample.name);
        EXPECT_EQ(ItemText(Doc().Items().back()), ItemText(Bookmark(sample.name, sample.url, group))) << sample.script;
    }

    // Code point order, ASCII letters without regard to case.
    std::vector<std::wstring> names;
    std::vector<std::wstring> urls;
    for (const std::string script : {"Latin", "Emoji", "Greek", "Cyrillic", "Hebrew", "Arabic", "Devanagari", "CJK"}) {
        for (const ScriptSample& sample : ScriptSamples()) {
            if (sample.script == script) {
                names.push_back(Wide(sample.name));
                urls.push_back(Wide(sample.url));
            }
        }
    }
    EXPECT_EQ(RowTextsW(groups), names);
    EXPECT_EQ(RowTextsW(items), names);
    EXPECT_EQ(RowTextsW(items, 1), urls);

    // Type-ahead by the first characters; the control's own, by the first
    // one typed, asks the same.
    for (int row = 0; row < static_cast<int>(names.size()); ++row) {
        const std::wstring typed = names[static_cast<size_t>(row)].substr(0, 2);
        LVFINDINFOW find = {};
        find.flags = LVFI_PARTIAL | LVFI_STRING | LVFI_WRAP;
        find.psz = typed.c_str();
        EXPECT_EQ(SendMessageW(items, LVM_FINDITEMW, 0, reinterpret_cast<LPARAM>(&find)), row) << row;
    }
    ClickRow(items, 0);
    SetFocus(items);
    SendMessageW(items, WM_CHAR, names[3][0], 1);
    EXPECT_EQ(SelectedRow(items), 3);

    // A buffer too short for a row's text gets whole characters of it.
    const std::vector<std::wstring> cut = RowTextsW(items, 0, 8);
    for (size_t row = 0; row < names.size(); ++row) {
        EXPECT_FALSE(cut[row].empty()) << row;
        EXPECT_EQ(names[row].substr(0, cut[row].size()), cut[row]) << row;
    }
}

TEST_F(ScriptsTest, TypedCharactersReachRenameAndFindWhole)
{
    std::vector<BookmarkItem> bookmarks;
    for (const ScriptSample& sample : ScriptSamples())
        bookmarks.push_back(Bookmark(sample.name, sample.url, "G"));
    Fill(Doc(), {"G"}, bookmarks, "G");
    for (const ScriptSample& sample : ScriptSamples()) {
        ClickRow(items, 0);
        const HWND edit = OpenLabelEditByKey(items);
        ASSERT_NE(edit, nullptr);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        Type(edit, sample.name + " 2");
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(Doc().SelectedItem()->m_strName, sample.name + " 2") << sample.script;
    }

    Fill(Doc(), {"G"}, bookmarks, "G");
    Command(ID_EDIT_FIND);
    const HWND dialog = Frame().FindDialog()->GetSafeHwnd();
    const HWND box = GetDlgItem(dialog, IDC_FIND_TEXT);
    for (size_t index = 0; index < ScriptSamples().size(); ++index) {
        const ScriptSample& sample = ScriptSamples()[index];
        SetWindowTextA(box, "");
        Type(box, LastWord(sample.name));
        PostMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
        App().PumpMessages();
        EXPECT_EQ(Frame().FindDialog()->Rows(), std::vector<size_t>{index}) << sample.script;
        EXPECT_EQ(RowTextsW(GetDlgItem(dialog, IDC_RESULTS)), std::vector<std::wstring>{Wide(sample.name)})
            << sample.script;
    }
}

TEST_F(ScriptsTest, PreferencesAndRegistryTextsKeepEveryScript)
{
    const std::string key = "Software\\Quillmere\\Linkhive\\Settings";
    for (const ScriptSample& sample : ScriptSamples()) {
        Preferences written = thePreferences;
        written.msiePath = "C:\\" + sample.name + "\\browser.exe";
        written.customPath = sample.url;
        WritePreferences(App().Profile(), written);
        Preferences read;
        ReadOtherPreferences(App().Profile(), read);
        EXPECT_EQ(read.msiePath, written.msiePath) << sample.script;
        EXPECT_EQ(read.customPath, written.customPath) << sample.script;
        // Held as the characters themselves, for every other reader.
        wchar_t stored[512] = L"";
        DWORD size = sizeof stored;
        RegGetValueW(HKEY_CURRENT_USER, Wide(key).c_str(), L"MSIE Path", RRF_RT_REG_SZ, nullptr, stored, &size);
        EXPECT_EQ(stored, Wide(written.msiePath)) << sample.script;

        // 260 characters are read, however many bytes they take.
        std::string longest;
        while (Utf8ToUtf16(longest + sample.name).size() <= 260)
            longest += sample.name;
        RegistryKey registry;
        ASSERT_EQ(registry.Open(RegistryRoot::CurrentUser, key), kRegistryOk);
        registry.WriteString("Long", longest);
        std::string text;
        EXPECT_EQ(registry.ReadString("Long", text), kRegistryOk) << sample.script;
        EXPECT_TRUE(text == longest) << sample.script;
        registry.WriteString("Long", longest + sample.name);
        EXPECT_NE(registry.ReadString("Long", text), kRegistryOk) << sample.script;
    }
}
