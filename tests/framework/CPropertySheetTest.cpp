// Tests of the property sheet.
#include "framework/CPropertySheet.h"
#include "tests/framework/DialogDriver.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A page that writes down what the sheet tells it.
class RecordingPage : public CPropertyPage {
public:
    RecordingPage(UINT templateId, int controlId, const std::string& name, const std::string& initial,
                  std::vector<std::string>& log)
        : CPropertyPage(templateId), text(initial), m_name(name), m_log(log)
    {
        BindText(controlId, text);
    }

    std::string text;

protected:
    void OnSetActive() override
    {
        m_log.push_back(m_name + " shown");
        CPropertyPage::OnSetActive();
    }
    void OnKillActive() override
    {
        CPropertyPage::OnKillActive();
        m_log.push_back(m_name + " left with " + text);
    }
    void OnOK() override { m_log.push_back(m_name + " OK"); }
    void OnCancel() override { m_log.push_back(m_name + " cancelled"); }

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

struct TwoPages {
    std::vector<std::string> log;
    RecordingPage first{IDD_PAGE_GENERAL, IDC_ITEM_NAME, "first", "a", log};
    RecordingPage second{IDD_PAGE_DESCRIPTION, IDC_ITEM_DESCRIPTION, "second", "b", log};

    // Runs the sheet through `steps`; false when they did not close it or
    // it did not show its title.
    bool Run(std::vector<SheetStep> steps)
    {
        CPropertySheet sheet(IDS_URL_PROPERTIES, nullptr);
        sheet.AddPage(first);
        sheet.AddPage(second);
        DialogDriver driver(std::move(steps));
        sheet.DoModal();
        return driver.Finished() && driver.Caption() == "URL Properties";
    }
};

} // namespace

TEST(PropertyPages, OnlyPagesThatWereShownHearOkApplyAndCancel)
{
    const struct {
        const char* what;
        std::vector<SheetStep> steps;
        std::vector<std::string> log;
    } cases[] = {
        {"OK on the first page",
         {Press(PSBTN_OK)},
         {"first shown", "first left with a", "first OK"}},
        {"OK after a visit to the second",
         {ShowPage(1), Press(PSBTN_OK)},
         {"first shown", "first left with a", "second shown", "second left with b", "first OK", "second OK"}},
        {"Cancel",
         {ShowPage(1), ShowPage(0), Press(PSBTN_CANCEL)},
         {"first shown", "first left with a", "second shown", "second left with b", "first shown", "first cancelled",
          "second cancelled"}},
        {"Apply, then Cancel",
         {Type(IDC_ITEM_NAME, "typed"), Press(PSBTN_APPLYNOW), Press(PSBTN_CANCEL)},
         {"first shown", "first left with typed", "first OK", "first cancelled"}},
        // Posted, so that the sheet's own loop gives the key to its dialog manager.
        {"Escape in the multi-line edit",
         {[](HWND sheet) {
             PostMessageA(GetDlgItem(PropSheet_GetCurrentPageHwnd(sheet), IDC_ITEM_URL), WM_KEYDOWN, VK_ESCAPE, 0);
         }},
         {"first shown", "first cancelled"}},
    };
    for (const auto& test : cases) {
        TwoPages pages;
        EXPECT_TRUE(pages.Run(test.steps)) << test.what;
        EXPECT_EQ(pages.log, test.log) << test.what;
    }
}

TEST(PropertyPages, BoundTextsFollowThePageAndOnlyUserEditsEnableApply)
{
    TwoPages pages;
    EXPECT_TRUE(pages.Run({
        [](HWND sheet) { EXPECT_EQ(PageText(sheet, IDC_ITEM_NAME), "a"); },
        ShowPage(1),
        [&pages](HWND sheet) {
            EXPECT_EQ(PageText(sheet, IDC_ITEM_DESCRIPTION), "b");
            pages.first.text = "set meanwhile";
        },
        ShowPage(0),
        [](HWND sheet) {
            EXPECT_EQ(PageText(sheet, IDC_ITEM_NAME), "set meanwhile");
            EXPECT_FALSE(ApplyEnabled(sheet));
        },
        Type(IDC_ITEM_NAME, "typed"),
        [&pages](HWND sheet) {
            EXPECT_TRUE(ApplyEnabled(sheet));
            EXPECT_EQ(pages.first.text, "set meanwhile");
        },
        ShowPage(1),
        [&pages](HWND) { EXPECT_EQ(pages.first.text, "typed"); },
        Press(PSBTN_CANCEL),
    }));
}
