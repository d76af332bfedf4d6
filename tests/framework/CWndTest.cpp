// Tests of the window base and dialogs.
#include "framework/CDialog.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A modeless dialog whose commands run `handler`, as a button that asks the
// user runs a message loop in which anything may reach the program.
class BusyDialog : public CDialog {
public:
    BusyDialog(std::function<void()> handler, bool& deleted)
        : CDialog(IDD_ABOUTBOX, nullptr), m_handler(std::move(handler)), m_deleted(deleted)
    {
    }
    ~BusyDialog() override { m_deleted = true; }

protected:
    bool OnCommand(UINT, UINT) override
    {
        m_handler();
        return true;
    }

private:
    std::function<void()> m_handler;
    bool& m_deleted;
};

} // namespace

TEST(CWnd, AnObjectDeletedUnderItsOwnHandlerGoesWhenTheOutermostReturns)
{
    bool deleted = false;
    bool deletedAfterInner = true;
    int calls = 0;
    HWND window = nullptr;
    CWndPtr<BusyDialog> dialog;
    // The first command's handler handles a second one inside, whose handler lets the dialog go.
    dialog.reset(new BusyDialog(
        [&] {
            if (++calls > 1) {
                dialog.reset();
                return;
            }
            SendMessageA(window, WM_COMMAND, IDHELP, 0);
            deletedAfterInner = deleted;
        },
        deleted));
    ASSERT_TRUE(dialog->Create());
    window = dialog->GetSafeHwnd();
    SendMessageA(window, WM_COMMAND, IDHELP, 0);
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(deletedAfterInner);
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(window));

    // Outside its handlers, at once.
    bool idleDeleted = false;
    CWndPtr<BusyDialog> idle(new BusyDialog([] {}, idleDeleted));
    ASSERT_TRUE(idle->Create());
    idle.reset();
    EXPECT_TRUE(idleDeleted);
}
