// Tests of the frame's scaling at other DPIs.
#include "tests/app/AppFixture.h"

#include "framework/Dpi.h"
#include "res/resource.h"
#include "ui/CGroupPane.h"
#include "ui/CItemPane.h"

#include <commctrl.h>

#include <map>
#include <string>

namespace {

int ImageWidth(HIMAGELIST images)
{
    int width = 0;
    int height = 0;
    return images != nullptr && ImageList_GetIconSize(images, &width, &height) ? width : 0;
}

// Every size the frame scales, as its controls report them; the toolbar's
// buttons apart, whose margins stay as they are.
std::map<std::string, int> ScaledSizes(CMainFrame& frame)
{
    const HWND items = frame.ItemPane()->GetSafeHwnd();
    std::map<std::string, int> sizes;
    sizes["toolbar image"] = ImageWidth(reinterpret_cast<HIMAGELIST>(SendMessageA(frame.ToolBar(), TB_GETIMAGELIST, 0, 0)));
    sizes["small icon"] = ImageWidth(reinterpret_cast<HIMAGELIST>(SendMessageA(items, LVM_GETIMAGELIST, LVSIL_SMALL, 0)));
    sizes["large icon"] = ImageWidth(reinterpret_cast<HIMAGELIST>(SendMessageA(items, LVM_GETIMAGELIST, LVSIL_NORMAL, 0)));
    const HWND groups = frame.GroupPane()->GetSafeHwnd();
    sizes["group icon"] = ImageWidth(reinterpret_cast<HIMAGELIST>(SendMessageA(groups, LVM_GETIMAGELIST, LVSIL_SMALL, 0)));
    for (int column = 0; column < 3; ++column)
        sizes["column " + std::to_string(column)] = static_cast<int>(SendMessageA(items, LVM_GETCOLUMNWIDTH, column, 0));
    RECT pane;
    GetWindowRect(groups, &pane);
    sizes["group pane"] = pane.right - pane.left;
    int edges[3] = {};
    SendMessageA(frame.StatusBar(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    sizes["status pane"] = edges[0];
    return sizes;
}

SIZE ButtonSize(CMainFrame& frame)
{
    const DWORD size = static_cast<DWORD>(SendMessageA(frame.ToolBar(), TB_GETBUTTONSIZE, 0, 0));
    return {LOWORD(size), HIWORD(size)};
}

} // namespace

class DpiScalingTest : public AppFixture {
protected:
    void TearDown() override
    {
        SetDpiOverride(0);
        AppFixture::TearDown();
    }

    // Moves the frame to a monitor of `dpi`, as Windows tells it.
    void MoveToDpi(UINT dpi)
    {
        SetDpiOverride(dpi);
        RECT rect;
        GetWindowRect(FrameWindow(), &rect);
        SendMessageA(FrameWindow(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&rect));
    }
};

TEST_F(DpiScalingTest, FrameFollowsTheMonitorsDpiAndComesBack)
{
    ASSERT_TRUE(Start({SamplePath()}));
    Command(ID_VIEW_DETAILS);
    const std::map<std::string, int> at96 = ScaledSizes(Frame());
    const SIZE button96 = ButtonSize(Frame());
    EXPECT_EQ(at96.at("toolbar image"), 16);
    EXPECT_EQ(at96.at("large icon"), 32);

    for (const UINT dpi : {144u, 192u}) {
        MoveToDpi(dpi);
        const std::map<std::string, int> scaled = ScaledSizes(Frame());
        for (const auto& size : at96)
            EXPECT_NEAR(scaled.at(size.first), MulDiv(size.second, static_cast<int>(dpi), 96), 1) << size.first << " " << dpi;
        const SIZE button = ButtonSize(Frame());
        EXPECT_GE(button.cx, scaled.at("toolbar image") + 6) << dpi;
        EXPECT_GE(button.cy, scaled.at("toolbar image") + 6) << dpi;

        MoveToDpi(96);
        EXPECT_EQ(ScaledSizes(Frame()), at96) << dpi;
        EXPECT_EQ(ButtonSize(Frame()).cx, button96.cx);
        EXPECT_EQ(ButtonSize(Frame()).cy, button96.cy);
    }
}

TEST_F(DpiScalingTest, LeftPaneWidthIsSavedAsAt96Dpi)
{
    SetSetting("bSaveLeftWidth", 1);
    SetSetting("LeftPaneWidth", 200);
    ASSERT_TRUE(Start());
    MoveToDpi(192);
    EXPECT_EQ(Frame().LeftPaneWidth(), 400);
    Close();
    uint32_t width = 0;
    ASSERT_TRUE(ReadSetting("Settings", "LeftPaneWidth", width));
    EXPECT_EQ(width, 200u);
}
