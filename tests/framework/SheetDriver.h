#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// One thing done to an open property sheet, as the user would do it.
using SheetStep = std::function<void(HWND sheet)>;

// Drives the next property sheet of this thread from inside its own modal
// loop: a thread timer runs one step per tick once the sheet shows. A sheet
// still open when the steps are spent is cancelled, so no test is left
// waiting on it.
class SheetDriver {
public:
    explicit SheetDriver(std::vector<SheetStep> steps);
    ~SheetDriver();
    SheetDriver(const SheetDriver&) = delete;
    SheetDriver& operator=(const SheetDriver&) = delete;

    // Every step ran and the last one closed the sheet.
    bool Finished() const { return m_next == m_steps.size() && !m_leftOpen; }
    // The caption of the sheet that was driven.
    const std::string& Caption() const { return m_caption; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::vector<SheetStep> m_steps;
    size_t m_next = 0;
    bool m_leftOpen = false;
    UINT_PTR m_timer = 0;
    std::string m_caption;
};

// The steps of a user: type into the shown page's control, pick a page by
// its tab, press OK, Apply or Cancel (PSBTN_...).
SheetStep Type(int controlId, const std::string& text);
SheetStep ShowPage(int index);
SheetStep Press(int button);

// The text of a control on the page shown now.
std::string PageText(HWND sheet, int controlId);
// The sheet's Apply button is enabled.
bool ApplyEnabled(HWND sheet);
